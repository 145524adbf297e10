// The loading screen: between the splash and the main menu it sets up every
// screen, catalog, sound and the profiles in five phases, drawing a dog that
// fills in from the bottom as the steps are done.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "app/Screen.h"
#include "platform/Font.h"

class TLoadingScreen : public TEkran {
 public:
  TLoadingScreen();

  plat::ImagePtr back;
  plat::ImagePtr dog;
  plat::ImagePtr logo;
  plat::FontPtr font;
  int p = 0;
  int maxProgress = 34;
  std::string txt;

  // Set-up operations of the other screens and services, by the name the
  // phases use ("TMainGame", "themes", "particles", ...). A name nobody has
  // registered yet is a step that does nothing.
  static std::map<std::string, std::function<void()>>& setups();

  void PART1();
  void PART2();
  void PART3();
  void PART4();
  void PART5();
  void progress();
  void draw() override;
  void _drawBack();
  void _drawProgress();
  // Names of the steps in the order the phases run them (for tests).
  std::vector<std::string> stepLog;

 private:
  // One step: its own work, then whatever was registered under its name.
  void step(const std::string& name, const std::function<void()>& work = {}, bool counts = true);
  void music(int k, bool counts = true);
};
