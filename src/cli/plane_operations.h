#pragma once

#include <functional>
#include <string>
#include <vector>

#include "geometry/object_list.h"

namespace zelmora {

// One change the dump command makes to the loaded drawing; returns what went
// wrong (an object number the drawing does not hold), or "".
using PlaneOperation = std::function<std::string(ObjectList&)>;

// Reads "--drag I PX PY X Y", "--shift ...", "--delete I", "--zoom CX CY K",
// "--translate PX PY X Y", "--rotate CX CY PX PY X Y", "--reflect-point PX PY"
// and "--reflect-line X1 Y1 X2 Y2" in order. On a
// fault `error` says which argument and the result is empty.
std::vector<PlaneOperation> ParseOperations(const std::vector<std::string>& args,
                                            std::string& error);

}  // namespace zelmora
