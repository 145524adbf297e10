// Every painter the registry in main.cpp can name.
#pragma once

#include "Paint.h"

namespace artgen {

void paintPawCursor(Canvas& c);
void paintWhitePixel(Canvas& c);
void paintChipAtlas(Canvas& c);
void paintPartnerSplash(Canvas& c);

// Board images (board.cpp); N picks the kind, strength or scene.
template <int N> void paintBoardChip(Canvas& c);
void paintPuzzleChip(Canvas& c);
template <int N> void paintBonusChip(Canvas& c);
template <int N> void paintTile(Canvas& c);  // 0..3, alternative set 10..13
void paintChain(Canvas& c);
void paintChain2(Canvas& c);
template <int N> void paintFramePiece(Canvas& c);
template <int N> void paintBackground(Canvas& c);
void paintGlow1(Canvas& c);
void paintGlow2(Canvas& c);
void paintLoadingBack(Canvas& c);
void paintLoadingDog(Canvas& c);
void paintLoadingLogo(Canvas& c);

// Particle images, score digits (10 = plus) and captions 0..9 (particles.cpp).
void paintParticleGlow(Canvas& c);
void paintParticleStar(Canvas& c);
void paintParticleStreak(Canvas& c);
void paintParticleSpark(Canvas& c);
void paintParticleDot(Canvas& c);
void paintParticleRingDot(Canvas& c);
void paintParticleChainLink(Canvas& c);
void paintParticleFlash(Canvas& c);
template <int N> void paintScoreDigit(Canvas& c);
template <int N> void paintCaption(Canvas& c);

} // namespace artgen
#include "gui_widgets.h"
#include "play_board.h"
#include "hud.h"
#include "summary.h"

// The options overlay (options.cpp).
namespace artgen {
void paintOptionsPanel(Canvas& c);
void paintOptionsKnob(Canvas& c);
void paintOptionsBar(Canvas& c);
void paintOptionsOn(Canvas& c);
void paintOptionsOff(Canvas& c);
void paintOptionsPlus(Canvas& c);
void paintOptionsMinus(Canvas& c);
void paintOptionsOk(Canvas& c);
void paintOptionsCredits(Canvas& c);
void paintOptionsGallery(Canvas& c);
void paintOptionsRestart(Canvas& c);
void paintOptionsMenu(Canvas& c);
} // namespace artgen
