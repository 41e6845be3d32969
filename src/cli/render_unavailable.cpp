#include <iostream>

#include "cli/render_command.h"

namespace zelmora {

int RenderCommand(const std::vector<std::string>&, const std::string&) {
  std::cerr << "zelmora-cli: render needs the desktop build (this one was built without Qt)\n";
  return 2;
}

int WriteProtocolPage(ObjectList&, const std::string&, const std::string&, const std::string&) {
  std::cerr << "zelmora-cli: protocol --html needs the desktop build (this one was built without "
               "Qt)\n";
  return 2;
}

std::string RenderHelp() {
  return "      (This build has no pictures: it was built without Qt.)\n";
}

}  // namespace zelmora
