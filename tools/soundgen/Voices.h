// More voices and a little signal processing for the effects and the music:
// bells, plucked strings, pads, shaped noise and a resonant filter. Every
// random choice comes from a seeded Noise, so each file is reproducible.
#pragma once

#include "Synth.h"

#include <cstdint>
#include <vector>

namespace soundgen {

using Signal = std::vector<float>;

size_t samplesFor(double seconds);

// Sine from a table: the music needs many millions of samples and the exact
// library sine buys nothing audible. `phase` is in cycles.
double tableSin(double phase);

// A sine whose pitch glides exponentially from hz0 toward hz1 (time constant
// `glide`), with a short attack and an exponential decay (time constant
// `decay`). `harmonics` adds a little of the 2nd and 3rd partial for body.
Signal sweep(double hz0, double hz1, double glide, double seconds, double attack, double decay,
             double harmonics = 0.0);

// A struck bar or small bell: inharmonic partials that die faster the higher
// they are. `ring` scales every decay time.
Signal bell(double hz, double seconds, double brightness = 1.0, double ring = 1.0);

// A plucked string (Karplus-Strong with a fractional delay so high notes stay
// in tune). `seed` picks the excitation; `ring` is the time for the note to
// fall by 60 dB, in seconds.
Signal pluck(double hz, double seconds, std::uint32_t seed, double ring, double softness = 0.5);

// A warm sustained tone for chords: a few harmonics, a touch of chorus, slow
// attack and release. `detuneCents` shifts the whole voice, so two copies
// panned apart make a wide pad.
Signal pad(double hz, double seconds, double attack, double release, double detuneCents = 0.0);

// A gentle, hollow low voice: odd harmonics rolled off, soft but with a
// buzz that reads as "no" rather than as an alarm.
Signal buzz(double hz, double seconds, double attack, double release);

// White noise from a seed.
Signal noise(std::uint32_t seed, double seconds);

// Envelopes, applied in place.
void attackDecay(Signal& s, double attack, double decay); // linear rise, exponential fall
void swell(Signal& s, double peakAt);                      // sine-shaped rise and fall, peak at 0..1
void fadeTail(Signal& s, double seconds);                  // never end on a step

// Filters, in place. The state-variable filter can sweep its cutoff
// exponentially from hz0 to hz1 across the signal.
enum class Pass { Low, Band, High };
void filter(Signal& s, Pass pass, double hz0, double hz1, double q = 0.707);

// Mixes `src` into `dst` at `start` seconds, growing nothing: what runs past
// the end is dropped.
void mixInto(Signal& dst, const Signal& src, double start, double gain);

// Sums another buffer of the same shape into `dst`.
void addBuffer(Buffer& dst, const Buffer& src, double gain);

} // namespace soundgen
