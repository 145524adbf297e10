#include "app/GameFolder.h"

#include <unistd.h>

#include <vector>

#include "platform/Files.h"

bool isGameFolder(const std::string& dir) { return plat::folderExists(dir + "/data") && plat::folderExists(dir + "/gfx"); }

std::string executablePath() {
  char buf[4096];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return std::string();
  buf[n] = 0;
  return buf;
}

std::string findGameFolder(const std::string& override, const std::string& exePath) {
  if (!override.empty()) return isGameFolder(override) ? override : std::string();
  std::string exeDir = exePath.substr(0, exePath.find_last_of('/') == std::string::npos ? 0 : exePath.find_last_of('/'));
  if (exeDir.empty()) exeDir = ".";
  const std::vector<std::string> candidates = {exeDir + "/game", exeDir + "/../share/woofmere", "."};
  for (const auto& c : candidates) {
    if (isGameFolder(c)) return plat::normalizePath(c);
  }
  return std::string();
}
