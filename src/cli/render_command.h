#pragma once

#include <string>
#include <vector>

namespace zelmora {

// "render FILE.zms OUT.png|OUT.bmp [--size WxH]": the drawing painted exactly
// as the window paints it. Returns the exit status. Needs the desktop build;
// a build without Qt says so.
int RenderCommand(const std::vector<std::string>& args, const std::string& programFolder);

}  // namespace zelmora
