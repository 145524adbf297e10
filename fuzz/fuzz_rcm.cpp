// libFuzzer target for the data-file reader: any bytes must parse without a
// crash or undefined behaviour, queries must stay in range, and what the
// writer makes of a parsed tree must read back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

#include "data/RCMFile.h"
#include "data/StringSplit.h"
#include "platform/Files.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The reader reports problems on standard output; keep the run quiet.
  std::cout.setstate(std::ios::failbit);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Files reach the reader decoded by the platform; do the same here.
  std::string raw(reinterpret_cast<const char*>(data), size);
  std::string text = plat::latin1ToUtf8(raw);

  auto f = parseRCMText(text, "fuzz.dat");

  // Queries along every path the tree has, plus indices around the ends.
  for (const auto& g : f->_grupa->_listaGrup) {
    for (const auto& e : g->_listaWpisow) {
      std::string path = g->_id + "::" + e->_id;
      for (int i = -1; i <= static_cast<int>(e->_value.size()) + 1; ++i) {
        (void)f->getString(path, i);
        (void)f->getFloat(path, i, 0);
      }
    }
  }
  (void)f->getString(raw, 0);
  (void)splitString(raw, "::", "\"", "\"");
  (void)splitValueList(raw, ",", "[", "]");

  // Whatever the game writes must read back unchanged.
  std::string once = f->saveText();
  std::string twice = parseRCMText(once)->saveText();
  if (once != twice) {
    std::cerr.clear();
    std::cerr << "save/load/save differs\n--- first ---\n" << once << "\n--- second ---\n" << twice << "\n";
    std::abort();
  }
  return 0;
}
