// libFuzzer target for the layout file reader: words, declarations, nested
// menus and the number forms, on any bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "gui/GuiFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  for (const auto& d : parseGuiText(text)) {
    for (const auto& e : d.entries) {
      guiNumbers(e._value);
      guiFlag(e._value);
    }
  }
  return 0;
}
