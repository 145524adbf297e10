// The particles that draw something other than one particle image: a praise
// caption, a score in digit images, a number followed by a caption, and a
// shard of a broken cell's image.
#pragma once

#include <string>
#include <vector>

#include "fx/Particle.h"

// A caption image that wobbles in width and height and settles by the end of
// its life.
class TTextParticle : public TParticle {
 public:
  float px = 1, py = 1;  // horizontal and vertical stretch
  float p = 0;           // copy of lifePer

  // Caption images by number: 0 excellent ... 9 matched.
  static std::vector<plat::ImagePtr> captions;
  static const std::vector<std::string>& captionFiles();
  static void setupCaptions();

  void update() override;
  void draw() override;
};

// "+" and a number in digit images, centred on x.
class TScoreParticle : public TParticle {
 public:
  float wspX = 0.65f;    // digit spacing factor
  std::vector<int> tab;  // 0..9 digits, 10 "+", -1 a blank of a digit's width

  // Digit images: 0..9, then 10 the plus sign.
  static std::vector<plat::ImagePtr> digits;
  static void setupDigits();
  // Image numbers of a text: "+" 10, " " -1, digits their value, anything
  // else a blank.
  static std::vector<int> tabFor(const std::string& text);

  // Width of the characters at spacing wspX x 0.65 (before the scale).
  float width() const;
  void draw() override;

 protected:
  // Draws the characters from x - width / 2 with each advance multiplied by
  // advanceScale; gives the x reached after the last one.
  float drawDigits(float advanceScale) const;
};

// A number (digits only) with the caption image n right after it.
class TNumberAndTextParticle : public TScoreParticle {
 public:
  void draw() override;
};

// One 7 x 7 cell of a breakable tile's image.
class TPlateParticle : public TParticle {
 public:
  int frame = 0;

  // Shard sources: 0 gfx/tiles/tile2.png, 1 gfx/tiles/tile3.png, 36 cells each.
  static std::vector<plat::ImagePtr> shards;
  static void setupShards();

  void draw() override;
};
