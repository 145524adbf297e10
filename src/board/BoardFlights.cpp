#include "board/BoardFlights.h"

#include "app/GlobalSnd.h"
#include "fx/Flying.h"
#include "fx/Particle.h"
#include "fx/ParticleGenerators.h"

TFlyingEffects::~TFlyingEffects() {
  dropOdpady();
  fantomList.clear();
  flyingResList.clear();
}

void TFlyingEffects::fantoms(TM3Game& g, const TChipList& chips, const TChipPtr& target, int size) {
  if (!target || !target->tile || !target->tile->dim) return;
  const TDim& to = *target->tile->dim;
  for (auto& ch : chips) {
    if (!ch) continue;
    auto f = createChipFantom(*ch);
    // From where the chip is seen now (its cell and its offset), which a
    // board never drawn (headless) knows too.
    if (ch->tile) {
      f->x = ch->cellX() + ch->adx;
      f->y = ch->cellY() + ch->adY;
    }
    f->iloscMatchy = size;
    f->moveTo(to, target);
  }
}

void TFlyingEffects::debrisDeadBoard(TM3Game& g, TTile* tile, int delay) {
  if (!tile) return;
  TFlightTargetsScope scope(&g);
  generateOdpad(tile, delay);
  // The chip is the debris' now: it neither falls, swaps nor matches until
  // the refill replaces it.
  if (tile->chip) tile->chip->state = kDebrisState;
}

void TFlyingEffects::debrisVanish(TM3Game& g, TTile* tile) {
  if (!tile || !tile->chip) return;
  generateOdpadVanish(tile, 0);
}

void TFlyingEffects::debrisReplace(TM3Game& g, TTile* tile, const TChipDataPtr& kind) {
  if (!tile || !tile->chip || !kind) return;
  generateOdpadReplace(tile, kind);
}

void TFlyingEffects::debrisPiece(TM3Game& g, TTile* tile) {
  if (!tile || !tile->chip) return;
  generateOdpadDown(tile, 0);
}

void TFlyingEffects::resource(TM3Game& g, TChip* chip, int slot, int delay) {
  if (!chip) return;
  TFlightTargetsScope scope(&g);
  const float x = chip->tile ? chip->cellX() : chip->screenX;
  const float y = chip->tile ? chip->cellY() : chip->screenY;
  generateFlyingRes(x, y, chip->cd, slot, delay);
}

void TFlyingEffects::praise(TM3Game&, int x, int y, int kind) { generateTextParticle(kind, x, y, textList); }

void TFlyingEffects::number(TM3Game&, int x, int y, int value, int kind) {
  generateNumberAndTextParticle(value, kind, x, y, textList);
}

void TFlyingEffects::sound(TGameSound s, int k, const std::string& name) {
  TGlobalSnd& snd = globalSnd();
  switch (s) {
    case TGameSound::CreateBonus: snd.playCreateBonus(); break;
    case TGameSound::BadMatch: snd.playBadMatch(); break;
    case TGameSound::AddToChain: snd.playAddToChain(); break;
    case TGameSound::HammerBreak: snd.playHammerBreak(); break;
    case TGameSound::CreatePowerUp: snd.playCreatePowerUp(k); break;
    case TGameSound::Crossfire: snd.playCROSSFIRE(k); break;
    case TGameSound::Named: snd.playMySound(name, 1); break;
  }
}

void TFlyingEffects::update(TM3Game& g) {
  TFlightTargetsScope scope(&g);
  updateFantoms();
  updateOdpady();
  updateFlyingResources();
}

void TFlyingEffects::settleDebris(TM3Game& g) {
  TFlightTargetsScope scope(&g);
  std::vector<TChipPtr> held;
  for (auto& o : odpadList.members())
    if (o->chip && o->chip->state == kDebrisState) held.push_back(o->chip);
  settleOdpady();
  // Dead-board debris that had not fallen yet leaves its chip in the cell,
  // the board's again.
  for (auto& ch : held)
    if (ch->state == kDebrisState) ch->state.clear();
}

bool TFlyingEffects::debrisBusy() const { return !odpadList.empty(); }

bool TFlyingEffects::fantomsBusy() const { return !fantomList.empty(); }

void TFlyingEffects::dropAll(TM3Game& g) {
  settleDebris(g);
  // Resources under way were earned: the charge is the profile's and
  // outlives the level.
  for (auto& r : flyingResList.members()) g.resourceArrived(r->n + 1);
  flyingResList.clear();
  fantomList.clear();
}
