// The partner splash: up to ten full-screen pictures shown before the
// loading screen, each fading in, staying 1.5 s and fading out; a click cuts
// a picture short.
#pragma once

#include <deque>

#include "app/Screen.h"

class TBranding : public TEkran {
 public:
  std::deque<plat::ImagePtr> imgList;
  plat::ImagePtr aktImg;
  int time = 0;

  void setup() override;
  void prepare();
  void mainLoop();
  void update() override;
  void draw() override;

 private:
  void takePicture();
};
