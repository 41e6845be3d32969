// Reads arbitrary bytes as a macro file: its argument records as the Macros
// menu reads them, then the whole macro applied to a small drawing.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "macro_apply_check.h"
#include "plain_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = zelmora::FuzzInputToFile({reinterpret_cast<const char*>(data), size});
  const std::string fault = zelmora::MacroApplyFault(bytes);
  if (!fault.empty()) {
    std::fprintf(stderr, "%s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
