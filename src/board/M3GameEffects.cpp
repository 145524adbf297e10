// The headless stand-in for the flying objects: every flight lands after a
// fixed number of frames, with the same call-backs the animated ones make.
#include "board/M3Game.h"

void TInstantEffects::fantoms(TM3Game&, const TChipList&, const TChipPtr& target, int size) {
  fantoms_.push_back({target, size, fantomFrames});
}

void TInstantEffects::debrisDeadBoard(TM3Game&, TTile* tile, int) {
  if (!tile) return;
  // The chip stays in its cell, hidden, until the refill replaces it; the
  // cell is held so nothing falls into or out of it meanwhile.
  dead_.push_back({tile, tile->chip, debrisFrames});
  if (tile->chip) tile->chip->state = kDebrisState;
}

void TInstantEffects::debrisVanish(TM3Game&, TTile* tile) {
  if (tile && tile->chip) tile->chip = nullptr;
}

void TInstantEffects::debrisReplace(TM3Game&, TTile* tile, const TChipDataPtr& kind) {
  if (tile && tile->chip && kind) tile->chip->cd = kind;
}

void TInstantEffects::debrisPiece(TM3Game&, TTile*) { pieces_.push_back({0, pieceFrames}); }

void TInstantEffects::resource(TM3Game&, TChip*, int slot, int) { resources_.push_back({slot, resourceFrames}); }

void TInstantEffects::sound(TGameSound s, int k, const std::string& name) {
  static const char* names[] = {"CreateBonus", "BadMatch", "AddToChain", "HammerBreak", "CreatePowerUp", "Crossfire", "Named"};
  std::string e = names[static_cast<int>(s)];
  if (k) e += " " + std::to_string(k);
  if (!name.empty()) e += " " + name;
  sounds.push_back(e);
}

int TInstantEffects::count(const std::string& s) const {
  int n = 0;
  for (auto& e : sounds) n += e == s;
  return n;
}

void TInstantEffects::update(TM3Game& g) {
  // Arrivals call back into the board, which may start new flights: each
  // list is taken out before its walk.
  auto fs = std::move(fantoms_);
  fantoms_.clear();
  for (auto& f : fs) {
    if (f.frames-- > 0) {
      fantoms_.push_back(f);
      continue;
    }
    g.fantomArrived(f.target.lock(), f.size);
  }
  auto ps = std::move(pieces_);
  pieces_.clear();
  for (auto& p : ps) {
    if (p.frames-- > 0) pieces_.push_back(p);
    else g.pieceArrived();
  }
  auto rs = std::move(resources_);
  resources_.clear();
  for (auto& r : rs) {
    if (r.frames-- > 0) resources_.push_back(r);
    else g.resourceArrived(r.slot);
  }
  bool down = true;
  for (auto& d : dead_)
    if (d.frames-- > 0) down = false;
  if (down && !dead_.empty()) {
    auto ds = std::move(dead_);
    dead_.clear();
    for (auto& d : ds) g.refillCell(d.tile);
  }
}

void TInstantEffects::settleDebris(TM3Game& g) {
  for (size_t i = 0; i < pieces_.size(); ++i) g.pieceArrived();
  pieces_.clear();
  // The cells keep their chips, which are the board's again.
  for (auto& d : dead_)
    if (d.chip && d.chip->state == kDebrisState) d.chip->state.clear();
  dead_.clear();
}

void TInstantEffects::dropAll(TM3Game& g) {
  // Collected pieces and resources already under way are still credited.
  for (size_t i = 0; i < pieces_.size(); ++i) g.pieceArrived();
  for (auto& r : resources_) g.resourceArrived(r.slot);
  pieces_.clear();
  resources_.clear();
  fantoms_.clear();
  dead_.clear();
}
