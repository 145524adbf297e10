#include "fx/BoardFx.h"

#include "fx/ParticleGenerators.h"

void spawnBoardFx(const TBoardFx& fx, TParticleList* list) {
  switch (fx.kind) {
    case TBoardFx::TileBreak: generateTileBreakParticles(fx.value, fx.x, fx.y, list); break;
    case TBoardFx::ChainBreak: generateChainBreakParticles(fx.x, fx.y, list); break;
    case TBoardFx::BurstAlpha: generateBurstParticleAlpha(fx.x, fx.y, fx.rgb, fx.delay, list); break;
    case TBoardFx::Burst: generateBurstParticle(fx.x, fx.y, fx.rgb, fx.delay, list); break;
    case TBoardFx::Explosion: generateExplosionParticles(fx.x, fx.y, fx.delay, fx.rgb, list); break;
    case TBoardFx::Score: generateScoreParticle(fx.value, fx.x, fx.y, list, fx.delay); break;
    case TBoardFx::Spark: generateSparkParticle(fx.x, fx.y, fx.rgb, fx.delay, list); break;
    case TBoardFx::SparkLong: generateSparkParticleLong(fx.x, fx.y, fx.rgb, fx.delay, list); break;
    case TBoardFx::SparkLine: generateSparkLine(fx.x, fx.y, fx.x2, fx.y2, fx.delay, list); break;
  }
}
