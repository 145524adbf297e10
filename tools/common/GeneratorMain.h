// The command line shared by the content generators:
//   TOOL --out DIR [tool options] [--list] [NAME...]
// Each generator has a registry of entries named by the path they write;
// with names, only those entries are made.
#pragma once

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// `extraOption(arg, next)` may take a tool option; it returns true when it
// used `next` as the option's value. `make(entry, outDir)` writes one entry.
template <typename Entry, size_t N, typename Make>
int runGenerator(const char* tool, const char* usage, int argc, char** argv, const Entry (&registry)[N], Make make,
                 const std::function<bool(const std::string&, const char*)>& extraOption = {}) {
  std::filesystem::path outDir;
  std::vector<std::string> only;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
    if (arg == "--list") {
      for (const Entry& e : registry) std::printf("%s\n", e.path);
      return 0;
    } else if (arg == "--out" && next) {
      outDir = argv[++i];
    } else if (next && extraOption && extraOption(arg, next)) {
      ++i;
    } else if (!arg.empty() && arg[0] != '-') {
      only.push_back(arg);
    } else {
      std::fprintf(stderr, "usage: %s\n", usage);
      return 2;
    }
  }
  if (outDir.empty()) {
    std::fprintf(stderr, "usage: %s\n", usage);
    return 2;
  }
  try {
    size_t made = 0;
    for (const Entry& e : registry) {
      if (!only.empty() && std::find(only.begin(), only.end(), e.path) == only.end()) continue;
      make(e, outDir);
      ++made;
    }
    if (made < only.size()) {
      std::fprintf(stderr, "%s: some requested names are not in the registry\n", tool);
      return 1;
    }
  } catch (const std::exception& ex) {
    std::fprintf(stderr, "%s: %s\n", tool, ex.what());
    return 1;
  }
  return 0;
}
