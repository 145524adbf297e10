// Finding the game folder (content) and entering it: the game reads all its
// content relative to the working directory.
#pragma once

#include <string>

// The folder to run from: `override` when given, else "game" beside the
// binary (the build folder), else the installed share folder. Empty when none
// holds the game's data.
std::string findGameFolder(const std::string& override, const std::string& exePath);
// True when dir looks like a game folder.
bool isGameFolder(const std::string& dir);
std::string executablePath();
