#include "board/Catalogs.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iostream>

#include "board/BoardEvents.h"
#include "board/Chip.h"
#include "board/Level.h"
#include "board/Tile.h"
#include "data/RCMFile.h"
#include "platform/Graphics.h"
#include "platform/Random.h"

namespace {

// Numbers are read as floats and truncated toward zero; garbage (NaN, huge)
// must not turn into undefined behaviour on the way to int.
int toInt(double v) {
  if (!std::isfinite(v)) return 0;
  if (v > 2.0e9) return 2000000000;
  if (v < -2.0e9) return -2000000000;
  return static_cast<int>(v);
}

int readInt(const TRCMFile& f, const std::string& key, int index = 0) {
  return toInt(f.getFloat(key, index));
}

std::string upper(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return s;
}

int count(const TRCMFile& f, const std::string& key, const std::string& path) {
  int n = readInt(f, key);
  if (n > kMaxCatalogKinds) {
    std::cout << "Catalog " << path << ": " << n << " kinds is too many, reading " << kMaxCatalogKinds
              << std::endl;
    n = kMaxCatalogKinds;
  }
  return n;
}

// Catalog images are filtered, mip-mapped and drawn centred. A strip of
// frames needs a cell size; without one the whole file is used as one image
// rather than cut into empty cells.
plat::ImagePtr loadKindImage(const std::string& url, int frames, int fw, int fh, const char* failText) {
  const int flags = plat::kFilteredImage | plat::kMipmappedImage;
  plat::ImagePtr img;
  if (frames >= 2 && (fw <= 0 || fh <= 0)) {
    std::cout << "Image " << url << " has " << frames << " frames but no cell size; using it whole"
              << std::endl;
    frames = 1;
  }
  if (!url.empty()) {
    img = frames < 2 ? plat::loadImage(url, flags) : plat::loadAnimImage(url, fw, fh, 0, frames, flags);
  }
  if (!img) {
    std::cout << failText << url << std::endl;
    return nullptr;
  }
  img->midHandle();
  return img;
}

template <class T>
std::shared_ptr<T> findId(const std::vector<std::shared_ptr<T>>& list, int id) {
  for (const auto& k : list)
    if (k && k->id == id) return k;
  return nullptr;
}

}  // namespace

TRGB TChipData::getRGB() const {
  auto vary = [](int v) { return std::clamp(v + plat::randInt(-15, 15), 0, 255); };
  TRGB out;
  out.r = vary(rgb.r);
  out.g = vary(rgb.g);
  out.b = vary(rgb.b);
  return out;
}

void TTileData::draw(float x, float y, int frame, int force) const {
  if (id == 0 && force == 0) return;
  plat::gfx().drawImage(gfx, x, y, frame);
}

TChipDataPtr loadChipData(const TRCMFile& f, int n, int withBonusKeys) {
  auto cd = std::make_shared<TChipData>();
  const std::string g = "chips::chip" + std::to_string(n) + "::";
  cd->id = readInt(f, g + "id");
  cd->frames = readInt(f, g + "frames");
  cd->frameW = readInt(f, g + "framesDim", 0);
  cd->frameH = readInt(f, g + "framesDim", 1);
  cd->url = f.getString(g + "gfx");
  cd->puzzleChip = readInt(f, g + "puzzleChip");
  cd->ilosc = readInt(f, g + "ilosc");
  cd->rgb = newRGB(std::clamp(readInt(f, g + "rgb", 0), 0, 255), std::clamp(readInt(f, g + "rgb", 1), 0, 255),
                   std::clamp(readInt(f, g + "rgb", 2), 0, 255));
  if (withBonusKeys) {
    cd->bonusId = readInt(f, g + "BonusId");
    cd->moc = readInt(f, g + "Moc");
    cd->typ = f.getString(g + "Typ");
  }
  const int res = readInt(f, g + "res");
  if (res >= 0) cd->res = res;
  cd->gfx = loadKindImage(cd->url, cd->frames, cd->frameW, cd->frameH, "NO CHIP FILE : ");
  return cd;
}

TTileDataPtr loadTileData(const TRCMFile& f, int n) {
  auto td = std::make_shared<TTileData>();
  const std::string g = "tiles::tile" + std::to_string(n) + "::";
  td->id = readInt(f, g + "id");
  td->frames = readInt(f, g + "frames");
  td->frameW = readInt(f, g + "framesDim", 0);
  td->frameH = readInt(f, g + "framesDim", 1);
  td->url = f.getString(g + "gfx");
  td->match = readInt(f, g + "match");
  td->gfx = loadKindImage(td->url, td->frames, td->frameW, td->frameH, "NO TILE FILE : ");
  return td;
}

TM3FrameDataPtr loadFrameData(const TRCMFile& f, int n) {
  auto fd = std::make_shared<TM3FrameData>();
  const std::string g = "frames::frame" + std::to_string(n) + "::";
  fd->id = readInt(f, g + "id");
  fd->frames = readInt(f, g + "frames");
  fd->typ = f.getString(g + "typ");
  fd->frameW = readInt(f, g + "framesDim", 0);
  fd->frameH = readInt(f, g + "framesDim", 1);
  fd->dx = readInt(f, g + "dir", 0);
  fd->dy = readInt(f, g + "dir", 1);
  fd->url = f.getString(g + "gfx");
  fd->gfx = loadKindImage(fd->url, fd->frames, fd->frameW, fd->frameH, "NO TILE FILE : ");
  return fd;
}

TM3SettingsPtr loadM3Settings(const std::string& path) {
  auto f = loadRCMFile(path);
  auto s = std::make_shared<TM3Settings>();
  s->sizeX = static_cast<float>(f->getFloat("settings::size", 0));
  s->sizeY = static_cast<float>(f->getFloat("settings::size", 1));
  s->xSpeed = static_cast<float>(f->getFloat("settings::xSpeed"));
  s->ySpeed = static_cast<float>(f->getFloat("settings::ySpeed"));
  s->swap_bonusMatch = readInt(*f, "settings::swap_bonusMatch");
  s->chain_bonusMatch = readInt(*f, "settings::chain_bonusMatch");
  s->group_bonusMatch = readInt(*f, "settings::group_bonusMatch");
  // Every layout and movement divides by or steps in the cell size: a board
  // of zero-size (or absurd) cells cannot be played or even drawn.
  auto sane = [](float v) { return std::isfinite(v) && v >= 1 && v <= 1000; };
  if (!sane(s->sizeX) || !sane(s->sizeY)) {
    std::cout << "Board settings " << path << ": cell size " << s->sizeX << " x " << s->sizeY
              << " is unusable, using 42 x 42" << std::endl;
    s->sizeX = s->sizeY = 42;
  }
  // A swap with no speed never arrives and a fall with none never lands:
  // the board would freeze on the first move.
  for (float* speed : {&s->xSpeed, &s->ySpeed}) {
    if (!std::isfinite(*speed) || *speed <= 0) {
      std::cout << "Board settings " << path << ": chip speed " << *speed << " cannot move a chip, using 12"
                << std::endl;
      *speed = 12;
    }
  }
  return s;
}

std::vector<TBackGroundPtr>& backgroundList() {
  static std::vector<TBackGroundPtr> list;
  return list;
}

void loadBackgrounds(const std::string& path) {
  auto f = loadRCMFile(path);
  const int n = count(*f, "backGrounds::i", path);
  for (int k = 1; k <= n; ++k) {
    auto b = std::make_shared<TBackGround>();
    const std::string g = "backGrounds::back" + std::to_string(k) + "::";
    b->url = f->getString(g + "url");
    b->id = readInt(*f, g + "id");
    backgroundList().push_back(b);
  }
}

TBackGroundPtr getBackground(int id) { return findId(backgroundList(), id); }

std::shared_ptr<TChip> createChip(const TChipDataPtr& kind) {
  auto ch = std::make_shared<TChip>();
  ch->cd = kind;
  return ch;
}

std::shared_ptr<TTile> createTile(const TTileDataPtr& kind) {
  auto t = std::make_shared<TTile>();
  t->td = kind;
  return t;
}

// ------------------------------------------------------------------ TM3Catalogs

TM3Catalogs::TM3Catalogs() : settings(std::make_shared<TM3Settings>()), events(&defaultBoardEvents()) {}
TM3Catalogs::~TM3Catalogs() = default;

void TM3Catalogs::setEvents(TBoardEvents* e) { events = e ? e : &defaultBoardEvents(); }

void TM3Catalogs::loadChips(const std::string& path) {
  auto f = loadRCMFile(path);
  chipsList.clear();
  const int n = count(*f, "chips::i", path);
  for (int k = 1; k <= n; ++k) {
    auto cd = loadChipData(*f, k, 1);
    cd->m3Game = this;
    chipsList.push_back(cd);
  }
}

void TM3Catalogs::loadBonusChips(const std::string& path) {
  auto f = loadRCMFile(path);
  bonusList.clear();
  bonusyByType.clear();
  const int n = count(*f, "chips::i", path);
  for (int k = 1; k <= n; ++k) {
    auto cd = loadChipData(*f, k, 1);
    cd->m3Game = this;
    bonusList.push_back(cd);
  }
  for (const auto& cd : bonusList) {
    const std::string t = upper(cd->typ);
    if (std::find(bonusyByType.begin(), bonusyByType.end(), t) == bonusyByType.end()) bonusyByType.push_back(t);
  }
}

void TM3Catalogs::loadTiles(const std::string& path) {
  auto f = loadRCMFile(path);
  tilesList.clear();
  const int n = count(*f, "tiles::i", path);
  for (int k = 0; k <= n; ++k) {
    auto td = loadTileData(*f, k);
    td->m3Game = this;
    tilesList.push_back(td);
  }
}

void TM3Catalogs::loadFrame(const std::string& path) {
  auto f = loadRCMFile(path);
  frameList.clear();
  const int n = count(*f, "frames::i", path);
  for (int k = 0; k <= n; ++k) {
    auto fd = loadFrameData(*f, k);
    fd->m3Game = this;
    frameList.push_back(fd);
  }
}

void TM3Catalogs::loadSettings(const std::string& path) {
  settings = loadM3Settings(path);
  if (level) level->settings = settings;
}

void TM3Catalogs::loadTileSet(int flag) {
  loadTiles(flag != 0 ? "data/tiles1.dat" : "data/tiles.dat");
  rebuildTiles();
}

void TM3Catalogs::rebuildTiles() {
  if (!level) return;
  for (int r = 0; r < level->rows; ++r)
    for (int c = 0; c < level->cols; ++c)
      if (TTile* t = level->at(r, c))
        if (auto kind = getTileData(t->kindId())) t->setTileData(kind);
}

TChipDataPtr TM3Catalogs::getChipData(int id) const { return findId(chipsList, id); }
TChipDataPtr TM3Catalogs::getBonusChipData(int id) const { return findId(bonusList, id); }
TTileDataPtr TM3Catalogs::getTileData(int id) const { return findId(tilesList, id); }
TM3FrameDataPtr TM3Catalogs::getFrameData(int id) const { return findId(frameList, id); }

TM3FrameDataPtr TM3Catalogs::getFrameDataByDir(int dx, int dy, const std::string& typ) const {
  for (const auto& f : frameList)
    if (f && f->dx == dx && f->dy == dy && f->typ == typ) return f;
  return nullptr;
}

std::shared_ptr<TChip> TM3Catalogs::getRandomChip() const {
  if (!level) return nullptr;
  TChipDataPtr kind = level->getRandomChip();
  return kind ? createChip(kind) : nullptr;
}

TChipDataPtr TM3Catalogs::getRandomBonus() const {
  if (!level || level->availableBonus.empty()) return nullptr;
  const int k = plat::randInt(1, static_cast<int>(level->availableBonus.size()));
  return level->availableBonus[k - 1];
}

std::string TM3Catalogs::getRandomBonusType() const {
  if (bonusyByType.empty()) return "";
  const int k = plat::randInt(1, static_cast<int>(bonusyByType.size()));
  return bonusyByType[k - 1];
}
