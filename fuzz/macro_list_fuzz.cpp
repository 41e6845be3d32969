// Reads arbitrary bytes as a macro list file, writes the list back and reads
// it again: every entry that can be stored must come back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "document/macro_list.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  const zelmora::MacroList list = zelmora::ReadMacroList(in);

  zelmora::MacroList storable;
  for (const auto& entry : list) {
    if (zelmora::IsStorableMacroEntry(entry)) storable.push_back(entry);
  }
  const std::string bytes = zelmora::WriteMacroList(list);
  std::istringstream again(bytes);
  const zelmora::MacroList back = zelmora::ReadMacroList(again);
  Check(back == storable);
  Check(zelmora::WriteMacroList(back) == bytes);
  return 0;
}
