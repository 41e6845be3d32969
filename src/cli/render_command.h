#pragma once

#include <string>
#include <vector>

#include "geometry/object_list.h"

namespace zelmora {

// "render FILE.zms OUT.EXT [--size WxH] [--rect X1 Y1 X2 Y2]": the drawing
// painted exactly as the window paints it, in the format of the picture
// writer of EXT. Returns the exit status. Needs the desktop build; a build
// without Qt says so.
int RenderCommand(const std::vector<std::string>& args, const std::string& programFolder);

// The protocol page of `objects` (see ProtocolHtml) with a small picture of
// the drawing as a 1024 x 768 surface shows it, written to `htmlPath` under
// the heading `title`. Returns the exit status; a build without Qt says it
// cannot.
int WriteProtocolPage(ObjectList& objects, const std::string& title, const std::string& htmlPath,
                      const std::string& programFolder);

// The lines of --help that list the formats render writes.
std::string RenderHelp();

}  // namespace zelmora
