// The kinds a board is built from: chip, bonus-chip, tile and frame-piece
// kinds, level backgrounds and the board tuning record, each read from its
// data file, plus the catalog half of the board controller that owns them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/Geometry.h"
#include "platform/Image.h"

class TRCMFile;
class TM3Catalogs;
class TChip;
class TTile;
class TLevel;
class TBoardEvents;

class TChipData {
 public:
  int puzzleChip = 0;
  int id = 0;
  int frames = 0;
  int frameW = 0, frameH = 0;
  std::string url;
  plat::ImagePtr gfx;
  int score = 50;
  int res = -1;
  TRGB rgb;
  int bonusId = 0;
  int moc = 0;
  std::string typ;
  int ilosc = 0;
  int ileRazy = 0;
  TM3Catalogs* m3Game = nullptr;

  int proper() const { return (id < 100 && puzzleChip == 0) ? 1 : 0; }
  // The kind's colour with each channel varied by up to 15, kept in 0..255.
  TRGB getRGB() const;
};

class TTileData {
 public:
  int id = 0;
  plat::ImagePtr gfx;
  int frameW = 0, frameH = 0;
  int frames = 0;
  int match = 0;
  std::string url;
  TM3Catalogs* m3Game = nullptr;

  void draw(float x, float y, int frame, int force) const;
};

class TM3FrameData {
 public:
  TM3Catalogs* m3Game = nullptr;
  int id = 0;
  plat::ImagePtr gfx;
  int frames = 0;
  int frameW = 0, frameH = 0;
  std::string url;
  int dx = 0, dy = 0;
  std::string typ;
};

class TBackGround {
 public:
  int id = 0;
  std::string url;
};

class TM3Settings {
 public:
  float sizeX = 0, sizeY = 0;
  float xSpeed = 0, ySpeed = 0;
  int swap_bonusMatch = 3;
  int chain_bonusMatch = 6;
  int group_bonusMatch = 4;
};

using TChipDataPtr = std::shared_ptr<TChipData>;
using TTileDataPtr = std::shared_ptr<TTileData>;
using TM3FrameDataPtr = std::shared_ptr<TM3FrameData>;
using TBackGroundPtr = std::shared_ptr<TBackGround>;
using TM3SettingsPtr = std::shared_ptr<TM3Settings>;

// Readers of one kind from an opened data file.
TChipDataPtr loadChipData(const TRCMFile& file, int n, int withBonusKeys);
TTileDataPtr loadTileData(const TRCMFile& file, int n);
TM3FrameDataPtr loadFrameData(const TRCMFile& file, int n);
TM3SettingsPtr loadM3Settings(const std::string& path);

// The one list of level backgrounds of the program.
std::vector<TBackGroundPtr>& backgroundList();
void loadBackgrounds(const std::string& path = "data/backgrounds.dat");
TBackGroundPtr getBackground(int id);

std::shared_ptr<TChip> createChip(const TChipDataPtr& kind);
std::shared_ptr<TTile> createTile(const TTileDataPtr& kind);

// Counts in the catalog files are capped here: a broken file must not make
// the game read a million empty kinds.
inline constexpr int kMaxCatalogKinds = 1000;

// The catalog half of the board controller. The controller (TM3Game) derives
// from it; the level, its tiles and chips reach the kinds, the settings and
// the controller's event sink through it.
class TM3Catalogs {
 public:
  TM3Catalogs();
  virtual ~TM3Catalogs();

  std::vector<TChipDataPtr> chipsList;
  std::vector<TChipDataPtr> bonusList;
  std::vector<std::string> bonusyByType;
  std::vector<TTileDataPtr> tilesList;
  std::vector<TM3FrameDataPtr> frameList;
  TM3SettingsPtr settings;
  std::shared_ptr<TLevel> level;  // the bound level
  // Where tiles and chips report; never null.
  TBoardEvents* events;

  void setEvents(TBoardEvents* e);

  void loadChips(const std::string& path);
  void loadBonusChips(const std::string& path);
  void loadTiles(const std::string& path);
  void loadFrame(const std::string& path);
  void loadSettings(const std::string& path);
  void loadTileSet(int flag);
  void rebuildTiles();

  TChipDataPtr getChipData(int id) const;
  TChipDataPtr getBonusChipData(int id) const;
  TTileDataPtr getTileData(int id) const;
  TM3FrameDataPtr getFrameData(int id) const;
  TM3FrameDataPtr getFrameDataByDir(int dx, int dy, const std::string& typ) const;

  std::shared_ptr<TChip> getRandomChip() const;
  TChipDataPtr getRandomBonus() const;
  std::string getRandomBonusType() const;
};
