#pragma once

#include <string>
#include <vector>

namespace zelmora {

// "render FILE.zms OUT.EXT [--size WxH] [--rect X1 Y1 X2 Y2]": the drawing
// painted exactly as the window paints it, in the format of the picture
// writer of EXT. Returns the exit status. Needs the desktop build; a build
// without Qt says so.
int RenderCommand(const std::vector<std::string>& args, const std::string& programFolder);

// The lines of --help that list the formats render writes.
std::string RenderHelp();

}  // namespace zelmora
