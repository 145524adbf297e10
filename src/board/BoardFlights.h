// The board's flights as the player sees them: the ghosts, debris, pieces,
// resources, praise captions and numbers of the fx module, landing on the
// controller exactly as the headless TInstantEffects does.
//
// While it works (its calls and its update) it installs the controller as
// the flight targets, so ghosts form bonuses, pieces are counted and
// resources charge power-ups on the controller whatever screen installed
// its own targets; the controller asks its `panel` for the power-up button
// points. The controller's update() advances the ghosts, the debris and the
// resources; the play screen draws debris and resources (drawOdpady,
// drawFlyingResources) and the particles in its own order, and does not
// update them again.
#pragma once

#include "board/M3Game.h"
#include "fx/Particle.h"

class TFlyingEffects : public TBoardEffects {
 public:
  // Drops whatever still flies: the lists are global and must not outlive
  // the board their members point into.
  ~TFlyingEffects() override;

  // Where the praise captions and chain counts go (null: particleList).
  TParticleList* textList = nullptr;

  void fantoms(TM3Game& g, const TChipList& chips, const TChipPtr& target, int size) override;
  void debrisDeadBoard(TM3Game& g, TTile* tile, int delay) override;
  void debrisVanish(TM3Game& g, TTile* tile) override;
  void debrisReplace(TM3Game& g, TTile* tile, const TChipDataPtr& kind) override;
  void debrisPiece(TM3Game& g, TTile* tile) override;
  void resource(TM3Game& g, TChip* chip, int slot, int delay) override;
  void praise(TM3Game& g, int x, int y, int kind) override;
  void number(TM3Game& g, int x, int y, int value, int kind) override;
  void sound(TGameSound s, int k, const std::string& name) override;
  void update(TM3Game& g) override;
  void settleDebris(TM3Game& g) override;
  bool debrisBusy() const override;
  bool fantomsBusy() const override;
  void dropAll(TM3Game& g) override;
};
