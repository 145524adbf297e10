// Start-up in its fixed order, and the exit handler that runs however the
// program ends.
#pragma once

#include <functional>
#include <string>

// Services that join the start-up sequence and the exit handler as they are
// built. Empty entries are skipped.
struct StartupWiring {
  std::function<void()> createScreens;    // step 4: every screen object, once
  std::function<void()> setupPlayLog;     // step 5: the play-log sender
  // Exit handler. saveProfiles is set only once the profiles were loaded,
  // so an early exit never writes an empty list over the player's file.
  std::function<void()> saveProfiles;
  std::function<void()> sendPlayLogs;
};
StartupWiring& startupWiring();

// Steps 1 to 11 (everything before the dispatcher). Throws FatalContentError
// for missing essential files and DisplayUnavailable.
void startUp();
// The exit handler: profiles, options, play log. Never throws.
void onExitSave();
// The per-user directory for a base folder: base + "/.Woofmere", with the
// Data and Profiles folders made; backslashes become slashes.
std::string prepareUserDir(const std::string& base);
