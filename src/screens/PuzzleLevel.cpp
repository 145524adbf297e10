#include "screens/PuzzleLevel.h"

#include <algorithm>
#include <cctype>
#include <iostream>
#include <set>

#include "app/Screen.h"
#include "data/RCMFile.h"
#include "data/StringSplit.h"
#include "platform/Random.h"

namespace {

constexpr int kMaxPieces = 10000;

int count(const TRCMFile& f, const std::string& key) {
  const double n = f.getFloat(key);
  return n > 0 && n <= kMaxPieces ? int(n) : 0;
}

int toInt(double v) { return v > -1e9 && v < 1e9 ? int(v) : 0; }

std::vector<int> idList(const std::string& text) {
  std::vector<int> ids;
  for (const auto& t : splitString(text, " ")) {
    const std::string s = trimBlanks(t);
    if (!s.empty()) ids.push_back(int(rcmToInt(s)));
  }
  return ids;
}

std::string upper(std::string s) {
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

TPuzzlePtr TPuzzleLevel::getPuzzleById(int id) const {
  for (const auto& p : allPuzzles)
    if (p->id == id) return p;
  return nullptr;
}

namespace {
std::shared_ptr<TRCMFile> buildFile(const TPuzzleLevel& lvl) {
  const auto& allPuzzles = lvl.allPuzzles;
  const auto& puzzles = lvl.puzzles;
  auto f = createRCMFile();
  f->setFloat("puzzles::st", lvl.stx, 0);
  f->setFloat("puzzles::st", lvl.sty, 1);
  f->setFloat("puzzles::i", double(allPuzzles.size()));
  for (size_t i = 0; i < allPuzzles.size(); ++i) {
    const TPuzzle& p = *allPuzzles[i];
    const std::string g = "puzzles::p" + std::to_string(i + 1) + "::";
    f->setFloat(g + "id", p.id);
    f->setString(g + "img", p.imgUrl);
    f->setFloat(g + "ddim", p.dDim.x, 0);
    f->setFloat(g + "ddim", p.dDim.y, 1);
    f->setString(g + "sasiedzi", p.sasiedziTxt);
    f->setFloat(g + "dim", p.dim.x, 0);
    f->setFloat(g + "dim", p.dim.y, 1);
    f->setFloat(g + "active", p.aktywny);
  }
  f->setFloat("puzzles::puzzlesAndGroups::i", double(puzzles.size()));
  for (size_t k = 0; k < puzzles.size(); ++k) {
    const std::string g = "puzzles::puzzlesAndGroups::pog" + std::to_string(k + 1) + "::";
    if (auto grp = std::dynamic_pointer_cast<TPuzzleGroup>(puzzles[k])) {
      f->setString(g + "typ", "GROUP");
      std::string ids;
      for (const auto& m : grp->grupa) ids += (ids.empty() ? "" : " ") + std::to_string(m->id);
      f->setString(g + "grupa", ids);
    } else {
      f->setString(g + "typ", "PUZZLE");
      f->setFloat(g + "id", puzzles[k]->id);
      f->setFloat(g + "a", puzzles[k]->aktywny);
    }
  }
  return f;
}
}  // namespace

std::string TPuzzleLevel::saveText() const { return buildFile(*this)->saveText(); }
bool TPuzzleLevel::save(const std::string& path) const { return buildFile(*this)->save(path); }

void TPuzzleLevel::shufflePuzzlePositions() {
  if (allPuzzles.empty()) return;
  const auto& first = allPuzzles.front()->img;
  const float W = first ? float(first->width()) : 0.f;
  const float H = first ? float(first->height()) : 0.f;
  int side = 0;
  float x = 10, y = 10;
  for (const auto& p : allPuzzles) {
    if (side == 0) {
      y += 0.75f * H;
      if (y > 500) {
        side = 1;
        x = 190;
        y = 760 - H;
      }
    } else if (side == 1) {
      x += 0.75f * W;
      if (x > 900) {
        side = 2;
        x = 1000 - W;
        y = 760 - H;
      }
    } else {
      x = 1000 - W;
      y -= 0.75f * H;
      if (y < H) {
        side = 0;
        x = 10;
        y = 10;
      }
    }
    p->dim.x = x;
    p->dim.y = y;
  }
}

TPuzzleLevelPtr loadPuzzleLevel(const std::string& path, int fresh, bool loadImages) {
  auto file = loadRCMFile(path);
  const TRCMFile& f = *file;
  auto lvl = std::make_shared<TPuzzleLevel>();
  lvl->stx = float(toInt(f.getFloat("puzzles::st", 0)));
  lvl->sty = float(toInt(f.getFloat("puzzles::st", 1)));
  const int n = count(f, "puzzles::i");
  for (int i = 1; i <= n; ++i) {
    const std::string g = "puzzles::p" + std::to_string(i) + "::";
    auto p = std::make_shared<TPuzzle>();
    p->sasiedziTxt = f.getString(g + "sasiedzi");
    p->imgUrl = f.getString(g + "img");
    if (loadImages && !p->imgUrl.empty()) p->img = loadImageSafe(p->imgUrl);
    p->id = toInt(f.getFloat(g + "id"));
    p->aktywny = toInt(f.getFloat(g + "active")) != 0 ? 1 : 0;
    p->dDim.x = float(toInt(f.getFloat(g + "dDim", 0)));
    p->dDim.y = float(toInt(f.getFloat(g + "dDim", 1)));
    p->dim.x = float(toInt(f.getFloat(g + "Dim", 0)));
    p->dim.y = float(toInt(f.getFloat(g + "Dim", 1)));
    lvl->allPuzzles.push_back(p);
  }
  // Each piece lies in one place only, however the file lists it.
  std::set<TPuzzle*> placed;
  int skipped = 0;
  const int m = count(f, "puzzles::puzzlesAndGroups::i");
  for (int k = 1; k <= m; ++k) {
    const std::string g = "puzzles::puzzlesAndGroups::pog" + std::to_string(k) + "::";
    if (upper(f.getString(g + "TYP")) == "GROUP") {
      auto grp = std::make_shared<TPuzzleGroup>();
      for (int id : idList(f.getString(g + "grupa"))) {
        TPuzzlePtr p = lvl->getPuzzleById(id);
        if (!p || !placed.insert(p.get()).second) {
          ++skipped;
          continue;
        }
        p->aktywny = 1;
        grp->grupa.push_back(p);
      }
      if (!grp->grupa.empty()) lvl->puzzles.push_back(grp);
    } else {
      TPuzzlePtr p = lvl->getPuzzleById(toInt(f.getFloat(g + "id")));
      if (!p || !placed.insert(p.get()).second) {
        ++skipped;
        continue;
      }
      p->aktywny = toInt(f.getFloat(g + "a")) != 0 ? 1 : 0;
      lvl->puzzles.push_back(p);
    }
  }
  if (skipped) std::cout << "Jigsaw " << path << ": skipped " << skipped << " unknown or repeated piece(s)" << std::endl;
  if (fresh) {
    std::vector<TPuzzlePtr> rest = lvl->puzzles, order;
    while (!rest.empty()) {
      const int i = plat::randInt(1, int(rest.size())) - 1;
      order.push_back(rest[size_t(i)]);
      rest.erase(rest.begin() + i);
    }
    lvl->puzzles = order;
    lvl->shufflePuzzlePositions();
  }
  for (const auto& p : lvl->allPuzzles)
    for (int id : idList(p->sasiedziTxt))
      if (TPuzzlePtr s = lvl->getPuzzleById(id)) p->sasiedzi.push_back(s);
  return lvl;
}
