// Feeds arbitrary bytes to the table lookups as a table file. The first three
// bytes choose the key and the line asked for; the rest is the table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "document/text_table.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  // Small keys, so that the table bytes can actually contain their headers.
  const int key = (data[0] | (data[1] << 8)) % 400 - 10;
  const int line = static_cast<std::int8_t>(data[2]);
  const std::string table(reinterpret_cast<const char*>(data) + 3, size - 3);

  std::istringstream textIn(table);
  const auto text = zelmora::TableText(textIn, key, line);
  Check(text.has_value());  // a string never fails to read

  std::istringstream countIn(table);
  const auto steps = zelmora::StepKind(countIn, key, 0);
  Check(steps.has_value() && *steps >= 0);
  for (int step = -1; step <= *steps + 1 && step <= 64; ++step) {
    if (step == 0) continue;  // the count, checked above
    std::istringstream stepIn(table);
    const auto kind = zelmora::StepKind(stepIn, key, step);
    Check(kind.has_value() && *kind >= 0 && *kind <= 9);
  }
  return 0;
}
