// The particle recipes of the board events and screens. Each call adds its
// particles to `list`, or to `particleList` when the list is null. Positions
// are canvas pixels, delays and lives milliseconds.
#pragma once

#include <optional>

#include "fx/Particle.h"
#include "fx/ParticleKinds.h"

// 36 shards of a broken cell: strength 1 uses gfx/tiles/tile2.png, 2 tile3.png.
void generateTileBreakParticles(int strength, int x, int y, TParticleList* list = nullptr);
// 10 chain-link fragments (kind 6) falling off a broken chain.
void generateChainBreakParticles(int x, int y, TParticleList* list = nullptr);
// A rising "+score".
std::shared_ptr<TScoreParticle> generateScoreParticle(int score, int x, int y,
                                                      TParticleList* list = nullptr, int delay = 0);
// A rising number with caption image `caption` after it (the chain count).
std::shared_ptr<TNumberAndTextParticle> generateNumberAndTextParticle(int number, int caption, int x,
                                                                      int y,
                                                                      TParticleList* list = nullptr);
// A rising caption. Praise captions (below 4) are not stacked: none is made
// when another text particle of the list is within 90 pixels. Gives the
// particle, or nullptr when none was made.
std::shared_ptr<TTextParticle> generateTextParticle(int caption, int x, int y,
                                                    TParticleList* list = nullptr);
// A growing, turning flash (kind 7), once alpha-blended and once additive;
// white when no colour is given.
void generateExplosionParticles(int x, int y, int delay = 0,
                                std::optional<TRGB> colour = std::nullopt,
                                TParticleList* list = nullptr);
// One fiery streak (kind 2) from (x1, y1) to (x2, y2).
void generateSparkLine(int x1, int y1, int x2, int y2, int delay = 0,
                       TParticleList* list = nullptr);

// The radial family: one particle from (x, y) to a random point of a circle.
void generateBurstParticle(int x, int y, TRGB colour, int delay = 0, TParticleList* list = nullptr);
// Colour chosen by the generator: blue or cyan.
void generateBlueBurstParticle(int x, int y, int delay = 0, TParticleList* list = nullptr);
void generateBurstParticleAlpha(int x, int y, TRGB colour, int delay = 0,
                                TParticleList* list = nullptr);
void generateWideBurstParticle(int x, int y, TRGB colour, int delay = 0,
                               TParticleList* list = nullptr);
void generateShortBurstParticle(int x, int y, TRGB colour, int delay = 0,
                                TParticleList* list = nullptr);
void generateLongBurstParticle(int x, int y, TRGB colour, int delay = 0,
                               TParticleList* list = nullptr);
void generateSparkParticle(int x, int y, TRGB colour, int delay = 0, TParticleList* list = nullptr);
void generateSparkParticleLong(int x, int y, TRGB colour, int delay = 0,
                               TParticleList* list = nullptr);
void generateBigBurstParticle(int x, int y, TRGB colour, int delay = 0,
                              TParticleList* list = nullptr);
