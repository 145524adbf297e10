#include <iostream>
#include <string>
#include <vector>

#include "app/Game.h"
#include "app/GameFolder.h"
#include "app/Harness.h"
#include "platform/Files.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  auto opts = parseHarnessOptions(args, error);
  if (!opts) {
    std::cout << "woofmere: " << error << "\n" << harnessUsage();
    return 2;
  }
  if (opts->help) {
    std::cout << harnessUsage();
    return 0;
  }
  // Relative paths on the command line mean the folder the player started in.
  std::string startDir = plat::currentFolder();
  auto absolute = [&](std::string& p) {
    if (!p.empty() && p[0] != '/') p = startDir + "/" + p;
  };
  absolute(opts->screenshot);
  absolute(opts->script);
  absolute(opts->userDir);
  absolute(opts->dataDir);
  absolute(opts->level);

  std::string folder = findGameFolder(opts->dataDir, executablePath());
  if (folder.empty() || !plat::changeFolder(folder)) {
    std::cout << "woofmere: cannot find the game folder (data/ and gfx/). Build the game first, or pass --data DIR."
              << std::endl;
    return 1;
  }
  Harness::get().configure(*opts);
  if (!opts->script.empty() && !Harness::get().loadScript(opts->script)) return 2;
  return runGame(*opts);
}
