// The game's sound effects. All of them sit on the A-major pentatonic, so
// any two that overlap on a busy board still sound like one instrument, and
// all end at -3 dBFS so the mixer's volumes mean the same for each.
#include "Recipes.h"
#include "Voices.h"

#include <cmath>
#include <tuple>

namespace soundgen {

namespace {

constexpr double effectPeakDb = -3.0;

Buffer finish(Signal s)
{
    fadeTail(s, 0.005);
    Buffer b(1, 0.0);
    b.samples = std::move(s);
    b.normalizePeak(effectPeakDb);
    return b;
}

// A short breath of filtered noise: the body of every crack, swish and pop.
Signal noiseHit(std::uint32_t seed, double seconds, Pass pass, double hz0, double hz1, double q, double attack,
                double decay)
{
    Signal s = noise(seed, seconds);
    filter(s, pass, hz0, hz1, q);
    attackDecay(s, attack, decay);
    return s;
}

// Tiny glass tinkles scattered over the first `spread` seconds, each on a
// high note of the scale.
void tinkles(Signal& out, std::uint32_t seed, int count, double spread, int lowDegree, double gain)
{
    Noise rnd(seed);
    for (int i = 0; i < count; ++i) {
        const double at = 0.004 + spread * (0.5 + 0.5 * rnd.next()) * i / count;
        const int degree = lowDegree + static_cast<int>((0.5 + 0.5 * rnd.next()) * 6);
        Signal ping = sweep(pentatonicHz(degree) * 1.002, pentatonicHz(degree), 0.01, 0.16, 0.0005,
                            0.025 + 0.02 * (0.5 + 0.5 * rnd.next()));
        mixInto(out, ping, at, gain * (1.0 - 0.5 * i / count));
    }
}

// A rubbery bubble that slides up between two notes.
Signal pop(double fromHz, double toHz, double seconds, double decay, std::uint32_t seed)
{
    Signal s = sweep(fromHz, toHz, 0.012, seconds, 0.0015, decay, 0.3);
    mixInto(s, noiseHit(seed, 0.02, Pass::Band, 2500, 2500, 0.8, 0.0005, 0.003), 0, 0.25);
    return s;
}

// A rounded low thump whose pitch drops as it fades: the heart of the
// hammer and the bombs.
Signal thud(double hz, double seconds, double decay, std::uint32_t seed, double rumble)
{
    Signal s = sweep(hz * 2.2, hz, 0.03, seconds, 0.002, decay, 0.25);
    Signal r = noiseHit(seed, seconds, Pass::Low, 900, 120, 0.7, 0.003, decay * 1.6);
    mixInto(s, r, 0, rumble);
    return s;
}

// A struck chime: a bell with a soft mallet an octave below to round it.
void chime(Signal& out, int degree, double at, double gain, double seconds = 0.7)
{
    mixInto(out, bell(pentatonicHz(degree), seconds, 0.8, 1.0), at, gain);
    mixInto(out, mallet(pentatonicHz(degree - 5), seconds, 0.5), at, gain * 0.35);
}

Signal crack(std::uint32_t seed, double seconds, int lowDegree)
{
    Signal s = noiseHit(seed, seconds, Pass::High, 2500, 2500, 0.7, 0.0005, 0.012);
    mixInto(s, noiseHit(seed + 1, seconds, Pass::Band, 4200, 3000, 2.0, 0.001, 0.05), 0.004, 0.5);
    tinkles(s, seed + 2, 6, 0.08, lowDegree, 0.45);
    return s;
}

Signal hammer(double thudHz, std::uint32_t seed, int crackDegree)
{
    Signal s(samplesFor(0.45));
    mixInto(s, thud(thudHz, 0.4, 0.09, seed, 0.6), 0, 1.0);
    mixInto(s, crack(seed + 10, 0.3, crackDegree), 0.025, 0.55);
    return s;
}

Signal boom(double hz, double seconds, double decay, std::uint32_t seed)
{
    Signal s = thud(hz, seconds, decay, seed, 1.2);
    // a short bright crack on top so a small bomb still reads as a bang
    mixInto(s, noiseHit(seed + 3, 0.08, Pass::Band, 1800, 600, 0.8, 0.001, 0.015), 0, 0.35);
    // the tail of the rumble, lower and slower
    mixInto(s, noiseHit(seed + 4, seconds, Pass::Low, 260, 90, 0.9, 0.02, decay * 2.5), 0.02, 0.9);
    filter(s, Pass::Low, 3000, 3000);
    return s;
}

// A soft "pew": a tone falling fast through two octaves, with its own echo
// a fifth apart so it sounds like a beam, not a beep.
Signal zap(double fromHz, double toHz, double seconds, double glide, double vibrato)
{
    Signal s(samplesFor(seconds));
    double phase = 0, offset = fromHz - toHz;
    const double glideStep = std::exp(-1.0 / (glide * sampleRate));
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = i / static_cast<double>(sampleRate);
        const double hz = (toHz + offset) * (1.0 + vibrato * tableSin(t * 38));
        offset *= glideStep;
        phase += hz / sampleRate;
        const double env = std::min(1.0, t / 0.003) * std::exp(-t / (seconds * 0.35));
        s[i] = static_cast<float>(env * (tableSin(phase) + 0.35 * tableSin(2 * phase) + 0.12 * tableSin(3 * phase)));
    }
    filter(s, Pass::Low, 5000, 5000);
    return s;
}

// Short bursts of band-passed noise: cards riffled, leaves brushed.
Signal swishes(std::uint32_t seed, int count, double seconds, double rise)
{
    Signal s(samplesFor(seconds));
    Noise rnd(seed);
    const double spacing = (seconds - 0.12) / count;
    for (int i = 0; i < count; ++i) {
        const double at = i * spacing + 0.01 * (0.5 + 0.5 * rnd.next());
        const double len = 0.06 + 0.04 * (0.5 + 0.5 * rnd.next());
        const double hz = (1400 + 900 * (0.5 + 0.5 * rnd.next())) * (1.0 + rise * i / count);
        Signal w = noise(seed * 31 + i, len);
        filter(w, Pass::Band, hz * 0.7, hz * 1.4, 1.6);
        swell(w, 0.3);
        mixInto(s, w, at, 0.7 + 0.3 * (0.5 + 0.5 * rnd.next()));
        // the edge of each card: a tiny tick
        mixInto(s, noiseHit(seed * 57 + i, 0.01, Pass::High, 3000, 3000, 0.7, 0.0003, 0.002), at + len * 0.6, 0.25);
    }
    return s;
}

// A run of bell notes up and down with a shimmering sweep: the wand.
Signal swirl(const int* degrees, int count, double step, double sweepFrom, double sweepTo, std::uint32_t seed)
{
    const double seconds = count * step + 0.6;
    Signal s(samplesFor(seconds));
    for (int i = 0; i < count; ++i) {
        const double wobble = 1.0 + 0.004 * std::sin(i * 1.7);
        mixInto(s, bell(pentatonicHz(degrees[i]) * wobble, 0.5, 0.6, 0.7), i * step, 0.5 - 0.25 * i / count);
    }
    Signal air = noise(seed, seconds);
    filter(air, Pass::Band, sweepFrom, sweepTo, 3.0);
    swell(air, 0.4);
    mixInto(s, air, 0, 0.35);
    return s;
}

} // namespace

Buffer renderCreateBonus()
{
    // a rising sparkle: bells up the scale over a brightening shimmer
    Signal s(samplesFor(0.6));
    for (int i = 0; i < 6; ++i)
        mixInto(s, bell(pentatonicHz(5 + i), 0.4, 0.8, 0.6), i * 0.045, 0.5 + 0.06 * i);
    Signal shimmer = noise(0xB0B1, 0.5);
    filter(shimmer, Pass::Band, 2500, 9000, 2.5);
    swell(shimmer, 0.6);
    mixInto(s, shimmer, 0, 0.3);
    return finish(std::move(s));
}

Buffer renderPowerUpChimeA()
{
    Signal s(samplesFor(0.9));
    chime(s, 3, 0.0, 0.8);
    chime(s, 5, 0.11, 1.0, 0.78);
    return finish(std::move(s));
}

Buffer renderPowerUpChimeB()
{
    Signal s(samplesFor(0.9));
    chime(s, 2, 0.0, 0.7);
    chime(s, 3, 0.08, 0.8);
    chime(s, 5, 0.16, 1.0, 0.72);
    return finish(std::move(s));
}

Buffer renderPowerUpChimeC()
{
    Signal s(samplesFor(0.9));
    chime(s, 7, 0.0, 0.8);
    chime(s, 5, 0.1, 0.8);
    chime(s, 10, 0.2, 0.7, 0.68);
    return finish(std::move(s));
}

Buffer renderTileBreak()
{
    return finish(crack(0x711E, 0.3, 9));
}

Buffer renderHammerBreak1() { return finish(hammer(62, 0x4A01, 8)); }
Buffer renderHammerBreak2() { return finish(hammer(55, 0x4A02, 9)); }
Buffer renderHammerBreak3() { return finish(hammer(70, 0x4A03, 7)); }

Buffer renderChainBreak()
{
    // two links knocking: metal partials far from harmonic, short and bright
    Signal s(samplesFor(0.35));
    const struct {
        double at, hz, gain;
    } clinks[] = {{0.0, pentatonicHz(8), 1.0}, {0.045, pentatonicHz(7), 0.7}};
    for (const auto& c : clinks) {
        for (auto [ratio, amp, decay] : {std::tuple{1.0, 1.0, 0.09}, std::tuple{2.32, 0.5, 0.05},
                                               std::tuple{4.25, 0.3, 0.03}, std::tuple{6.63, 0.15, 0.02}}) {
            Signal p = sweep(c.hz * ratio, c.hz * ratio, 1.0, 0.3, 0.0005, decay);
            mixInto(s, p, c.at, c.gain * amp);
        }
        mixInto(s, noiseHit(0xC4A1 + static_cast<int>(c.hz), 0.02, Pass::High, 5000, 5000, 0.7, 0.0003, 0.003),
                c.at, 0.4 * c.gain);
    }
    filter(s, Pass::Low, 9000, 9000);
    return finish(std::move(s));
}

Buffer renderChipDestroy()
{
    return finish(pop(pentatonicHz(2), pentatonicHz(4), 0.15, 0.03, 0xD357));
}

Buffer renderPuzzleMatched()
{
    Signal s(samplesFor(0.9));
    mixInto(s, bell(pentatonicHz(10), 0.9, 1.0, 1.3), 0, 1.0);
    mixInto(s, bell(pentatonicHz(5), 0.9, 0.4, 1.2), 0, 0.45);
    mixInto(s, bell(pentatonicHz(13), 0.6, 0.5, 0.8), 0.006, 0.2);
    return finish(std::move(s));
}

Buffer renderPuzzleClicked()
{
    // card on card: a dry papery snap and the faint knock of the table
    Signal s = noiseHit(0x9A9E, 0.09, Pass::Band, 2600, 1800, 1.2, 0.0005, 0.007);
    mixInto(s, noiseHit(0x9A9F, 0.03, Pass::Band, 3400, 3400, 1.5, 0.0005, 0.004), 0.022, 0.45);
    mixInto(s, sweep(pentatonicHz(-5), pentatonicHz(-5), 1.0, 0.05, 0.001, 0.01), 0, 0.35);
    return finish(std::move(s));
}

Buffer renderBomb1() { return finish(boom(70, 0.55, 0.09, 0xB001)); }
Buffer renderBomb2() { return finish(boom(58, 0.85, 0.14, 0xB002)); }
Buffer renderBomb3() { return finish(boom(48, 1.25, 0.22, 0xB003)); }

Buffer renderSzu()
{
    // a quick whoosh upward with a twinkle where the sparkle lands
    Signal s = noise(0x5A0, 0.34);
    filter(s, Pass::Band, 500, 4200, 2.2);
    swell(s, 0.55);
    mixInto(s, bell(pentatonicHz(10), 0.14, 0.5, 0.3), 0.2, 0.18);
    return finish(std::move(s));
}

Buffer renderChipMove2()
{
    return finish(sweep(pentatonicHz(3), pentatonicHz(4), 0.01, 0.08, 0.002, 0.022, 0.2));
}

Buffer renderCrossfire1() { return finish(zap(1760, 330, 0.3, 0.045, 0.0)); }
Buffer renderCrossfire2() { return finish(zap(2217, 440, 0.32, 0.05, 0.015)); }

Buffer renderCrossfire3()
{
    Signal s = zap(1320, 220, 0.4, 0.06, 0.0);
    mixInto(s, zap(1760, 294, 0.38, 0.05, 0.01), 0.018, 0.7);
    return finish(std::move(s));
}

Buffer renderFirework()
{
    // the launch charge's soft pop, then embers crackling as they fall
    Signal s(samplesFor(1.3));
    mixInto(s, thud(90, 0.25, 0.05, 0xF1E0, 0.5), 0, 0.9);
    mixInto(s, noiseHit(0xF1E1, 0.06, Pass::Band, 1500, 700, 0.9, 0.0005, 0.012), 0, 0.5);
    Noise rnd(0xF1E2);
    for (int i = 0; i < 46; ++i) {
        const double at = 0.12 + 1.0 * std::pow(0.5 + 0.5 * rnd.next(), 1.4);
        const double gain = 0.5 * (1.15 - at / 1.2) * (0.4 + 0.6 * (0.5 + 0.5 * rnd.next()));
        Signal grain = noiseHit(0xF200 + i, 0.012, Pass::High, 2500 + 2000 * (0.5 + 0.5 * rnd.next()), 3000,
                                0.9, 0.0002, 0.0018);
        mixInto(s, grain, at, gain);
    }
    for (int i = 0; i < 4; ++i)
        mixInto(s, bell(pentatonicHz(10 + 2 * i), 0.3, 0.3, 0.4), 0.2 + 0.17 * i, 0.08);
    return finish(std::move(s));
}

Buffer renderBadMatch()
{
    // "uh-uh": two low hollow notes stepping down, soft enough not to scold
    Signal s(samplesFor(0.3));
    Signal first = buzz(pentatonicHz(-8), 0.13, 0.006, 0.03), second = buzz(pentatonicHz(-10), 0.16, 0.006, 0.06);
    attackDecay(first, 0.0, 0.08);
    attackDecay(second, 0.0, 0.09);
    mixInto(s, first, 0, 1.0);
    mixInto(s, second, 0.13, 1.0);
    filter(s, Pass::Low, 1100, 1100, 0.8);
    return finish(std::move(s));
}

Buffer renderChipMove()
{
    // Heard dozens of times a minute: a muted wooden tick and little else.
    Signal s = sweep(pentatonicHz(5), pentatonicHz(5), 1.0, 0.05, 0.0005, 0.006);
    mixInto(s, sweep(pentatonicHz(-2), pentatonicHz(-2), 1.0, 0.05, 0.001, 0.012), 0, 0.8);
    mixInto(s, noiseHit(0x71C, 0.01, Pass::Band, 3000, 3000, 0.9, 0.0002, 0.0015), 0, 0.3);
    filter(s, Pass::Low, 4000, 4000);
    return finish(std::move(s));
}

Buffer renderLevelBegin()
{
    // a little call to play: an arpeggio up to a held major chord
    Signal s(samplesFor(1.15));
    const int run[] = {0, 2, 3};
    for (int i = 0; i < 3; ++i) {
        mixInto(s, mallet(pentatonicHz(run[i]), 0.5, 0.9), i * 0.1, 0.55);
        mixInto(s, bell(pentatonicHz(run[i] + 5), 0.4, 0.5, 0.6), i * 0.1, 0.18);
    }
    const double hit = 0.3;
    for (int degree : {5, 7, 8}) {
        mixInto(s, mallet(pentatonicHz(degree), 0.85, 0.9), hit, 0.4);
        mixInto(s, pad(pentatonicHz(degree - 5), 0.85, 0.03, 0.5), hit, 0.22);
    }
    mixInto(s, bell(pentatonicHz(10), 0.8, 0.6, 1.0), hit, 0.2);
    mixInto(s, softBass(pentatonicHz(-10), 0.85), hit, 0.6);
    return finish(std::move(s));
}

Buffer renderMagic1()
{
    const int run[] = {5, 7, 9, 11, 13, 12, 10, 8, 10, 12, 14, 15};
    return finish(swirl(run, 12, 0.045, 1200, 7000, 0x3A61));
}

Buffer renderMagic2()
{
    const int run[] = {15, 13, 11, 9, 8, 10, 12, 11, 9, 7, 9, 10};
    return finish(swirl(run, 12, 0.05, 6500, 1400, 0x3A62));
}

Buffer renderShuffle1() { return finish(swishes(0x5F1, 5, 0.55, 0.3)); }
Buffer renderShuffle2() { return finish(swishes(0x5F2, 6, 0.6, -0.2)); }

Buffer renderLevelCompleted()
{
    // A three-second jingle: a skipping tune over I - IV - V - I and a
    // final chord that rings out.
    constexpr double step = 0.15;
    Signal lead(samplesFor(3.2)), under(samplesFor(3.2));
    const struct {
        double at; // in steps
        int degree;
        double len; // in steps
    } tune[] = {
        {0, 3, 1}, {1, 4, 1}, {2, 5, 1}, {3, 7, 2}, {5, 6, 1}, {6, 5, 2},
        {8, 4, 1}, {9, 5, 1}, {10, 6, 1}, {11, 7, 3},
    };
    for (const auto& n : tune) {
        mixInto(lead, mallet(pentatonicHz(n.degree), 0.35 + n.len * step, 1.0), n.at * step, 0.5);
        mixInto(lead, bell(pentatonicHz(n.degree + 5), 0.3 + n.len * step, 0.3, 0.5), n.at * step, 0.1);
    }
    const double finalAt = 14 * step;
    for (int degree : {5, 7, 8, 10}) {
        mixInto(lead, mallet(pentatonicHz(degree), 1.2, 0.9), finalAt + (degree - 5) * 0.012, 0.32);
        mixInto(under, pad(pentatonicHz(degree - 5), 1.1, 0.05, 0.8), finalAt, 0.2);
    }
    mixInto(lead, bell(pentatonicHz(12), 1.2, 0.6, 1.5), finalAt, 0.18);
    // bass: A, D, E, A (semitones below A4)
    const struct {
        double at;
        int semis;
    } bass[] = {{0, -24}, {5, -19}, {8, -17}, {14, -24}};
    for (const auto& b : bass) {
        mixInto(under, softBass(noteHz(b.semis), b.at == 14 ? 1.2 : 0.7), b.at * step, 0.55);
        // A, D and E are all major here: root, major third, fifth
        if (b.at < 14)
            for (int k : {12, 16, 19})
                mixInto(under, pad(noteHz(b.semis + k), 0.7, 0.03, 0.3), b.at * step, 0.12);
    }
    mixInto(lead, under, 0, 1.0);
    return finish(std::move(lead));
}

} // namespace soundgen
