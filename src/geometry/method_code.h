#pragma once

#include <cstdint>

namespace zelmora {

// How an object was built, as documents, macros and the step table store it:
// a construction method, a measurement or a text. Typed, so that a code is
// never mixed up with an index or a kind; files keep the plain number.
enum class MethodCode : std::int32_t {};

constexpr int Number(MethodCode code) {
  return static_cast<int>(code);
}

}  // namespace zelmora
