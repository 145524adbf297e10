#include "app/Game.h"

#include <iostream>

#include "app/Control.h"
#include "app/Globals.h"
#include "app/Options.h"
#include "app/Screen.h"
#include "app/Startup.h"
#include "app/Txt.h"
#include "gui/Mouse.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "screens/MainGame.h"
#include "screens/CampaignCheck.h"

int runGame(const HarnessOptions& opts) {
  if (!opts.userDir.empty()) {
    if (!plat::createFolder(opts.userDir)) {
      std::cout << "Could not create the user folder " << opts.userDir << std::endl;
      return 1;
    }
    plat::setUserDataDir(opts.userDir);
  }
  // The campaign check needs no display: it reads the content and plays the
  // levels headless, then ends.
  if (opts.checkCampaign) {
    TCampaignCheckOptions check;
    check.seeds = opts.seeds;
    if (!opts.userDir.empty()) check.reportDir = opts.userDir + "/campaign-check";
    return runCampaignCheck(check);
  }
  plat::PlatformConfig cfg;
  cfg.headless = opts.headless;
  // A common desktop, so headless runs open the same 1024 x 768 window a
  // player gets.
  cfg.headlessDesktopW = 1920;
  cfg.headlessDesktopH = 1080;
  if (!plat::init(cfg)) {
    std::cout << "Could not start the display system." << std::endl;
    return 1;
  }
  Harness& h = Harness::get();
  h.install();
  options().forceWindow = opts.windowed;

  int status = 0;
  try {
    startUp();
    mouse().show();
    Control::start();
    if (!opts.level.empty()) {
      actCommand = startHarnessLevel(opts.level, opts.bot);
      if (actCommand.empty()) {
        actCommand = "END";
        status = 2;
      }
    }
    Control::mainLoop();
  } catch (const QuitGame&) {
    // The player closed the game from some screen: the normal way out.
  } catch (const MissingScreen& e) {
    std::cout << "Woofmere: " << e.what() << " is not part of this build yet; the game ends here." << std::endl;
  } catch (const FatalContentError& e) {
    std::cout << "Woofmere cannot start: " << e.what() << std::endl;
    status = 1;
  } catch (const DisplayUnavailable&) {
    status = 1;
  }
  plat::runExitHook();
  if (!opts.screenshot.empty() && opts.frames >= 0 && h.frame() < opts.frames)
    std::cout << "No screenshot: the run ended at frame " << h.frame() << ", before frame " << opts.frames << "."
              << std::endl;
  h.report();
  plat::shutdown();
  return status;
}
