#pragma once

#include <string>
#include <vector>

namespace zelmora {

// "render FILE.zms OUT.png|bmp|svg|pdf [--size WxH] [--rect X1 Y1 X2 Y2]": the
// drawing painted exactly as the window paints it. Returns the exit status.
// Needs the desktop build; a build without Qt says so.
int RenderCommand(const std::vector<std::string>& args, const std::string& programFolder);

}  // namespace zelmora
