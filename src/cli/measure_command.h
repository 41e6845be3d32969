#pragma once

#include <string>
#include <vector>

namespace zelmora {

// zelmora-cli measure DOC.zms distance I J | length I | radius I | angle I J K
//                             | angle-lines I J [OPERATIONS...]
// Prints the value a measurement of those objects has after the operations:
// plane units or degrees, unrounded, or "undefined". Exit 2 for an object of
// the wrong kind.
int MeasureCommand(const std::vector<std::string>& args);

}  // namespace zelmora
