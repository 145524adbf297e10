// The player's settings (full screen, wide screen, custom cursor, volumes),
// kept in the per-user directory, and the opening of the display with its
// chain of fallbacks. The options overlay screen builds on this class.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

#include "app/Screen.h"
#include "platform/Image.h"

// Thrown when no display mode could be opened; the message has been shown.
class DisplayUnavailable : public std::runtime_error {
 public:
  DisplayUnavailable() : std::runtime_error("no display mode") {}
};

inline constexpr const char* kNoDisplayMessage =
    "We're very sorry but the game could not initialize required graphics mode. Please update your drivers.";

class TOptions : public TEkran {
 public:
  TEkran* ekran = nullptr;  // the screen below the overlay
  plat::ImagePtr kosc;      // slider knob
  plat::ImagePtr pasek;     // slider bar
  int fullScreen = 1;
  int wideScreen = 0;
  int customCursor = 0;
  float soundVol = 0.5f;
  float musicVol = 0.3f;
  int debugMode = 1;
  std::string wynik;
  float zarAlpha = 0, dZarAlpha = 0;
  int holdedMusic = 0, holdedSound = 0;

  // A run started with --windowed: the display opens in a window, but the
  // player's own full-screen choice is what gets saved.
  bool forceWindow = false;
  // Set once the settings were read: only then may the exit save them.
  bool loaded = false;

  // The play and jigsaw screens put themselves here when they are set up:
  // the overlay's buttons depend on which of them lies below it.
  TEkran* playScreen = nullptr;
  TEkran* jigsawScreen = nullptr;
  // Filled by the credits and gallery screens; empty ones only say so.
  std::function<void()> creditsHook;
  std::function<void(int)> galleryHook;

  std::string settingsPath() const;
  void loadOptions();
  bool saveOptions();
  void openScreen();
  void setupMouse();
  void switchScreen();
  void checkSoundStuff();

  // --- the options overlay --------------------------------------------------
  void setup() override;
  void prepare(TEkran* screen);
  // Runs the overlay over screen until it has faded out; "RESTART",
  // "MAIN-MENU" or "".
  std::string mainLoop(TEkran* screen);
  void update() override;
  void draw() override;
  // Toggle visibility and the two volume sliders, every frame.
  void _updateOptionsGui();
  void goCREDITS();
  void goGallery();
  void goRESTART();
  void goMAINMENU();
  int mouseInMusicA() const;
  int mouseInMusicB() const;
  int mouseInSoundA() const;
  int mouseInSoundB() const;
};

TOptions& options();

// Opens the display (see the options for the fallbacks) and sets the canvas.
// Throws DisplayUnavailable after printing kNoDisplayMessage.
void openGraphics(int width, int height, int fullScreen, int wideScreen);
