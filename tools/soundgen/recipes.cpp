#include "Recipes.h"

#include <cmath>

namespace soundgen {

Buffer renderClick()
{
    // A soft bubble pop: a sine that slides up a fourth into A5 and dies in
    // a few tens of milliseconds, with a breath of noise on the attack.
    Buffer b(1, 0.16);
    Noise noise(0xC11C);
    const double from = pentatonicHz(3), to = pentatonicHz(5); // E5 -> A5
    double phase = 0;
    std::vector<float> pop(b.frames());
    for (size_t i = 0; i < pop.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double glide = 1.0 - std::exp(-t / 0.012);
        const double hz = from + (to - from) * glide;
        phase += 2 * M_PI * hz / sampleRate;
        const double fadeOut = std::min(1.0, (pop.size() - i) / (0.01 * sampleRate));
        const double env = std::min(1.0, t / 0.0015) * std::exp(-t / 0.028) * fadeOut;
        const double body = std::sin(phase) + 0.15 * std::sin(2 * phase);
        const double breath = noise.next() * std::exp(-t / 0.003) * 0.25;
        pop[i] = static_cast<float>((body + breath) * env);
    }
    b.add(pop, 0, 1.0);
    b.normalizePeak(-3.0);
    return b;
}

Buffer renderTestLoop()
{
    // Eight seconds at 120 bpm: four bars of A, E, F#m, D with a mallet
    // arpeggio, a bass on beats one and three, and a small pentatonic tune.
    // Every note is added with wrap-around, so the buffer is periodic and
    // the loop point cannot click.
    constexpr double beat = 0.5;
    Buffer b(2, 8.0);
    struct Chord {
        int root;          // semitones from A4
        int third, fifth;  // semitones above the root
    };
    const Chord chords[4] = {{0, 4, 7}, {7, 4, 7}, {9, 3, 7}, {5, 4, 7}};
    const int arp[8] = {0, 1, 2, 3, 2, 1, 2, 1}; // root, third, fifth, octave...

    for (int bar = 0; bar < 4; ++bar) {
        const Chord& ch = chords[bar];
        const int root = ch.root > 6 ? ch.root - 12 : ch.root; // keep the arpeggio near A3..A4
        const int tones[4] = {root - 12, root - 12 + ch.third, root - 12 + ch.fifth, root};
        for (int step = 0; step < 8; ++step) {
            const double start = (bar * 4 + step * 0.5) * beat;
            const double pan = (step % 2 == 0) ? -0.35 : 0.35;
            b.add(mallet(noteHz(tones[arp[step]]), 1.2, 0.8), start, 0.22, pan, true);
        }
        for (int half = 0; half < 2; ++half)
            b.add(softBass(noteHz(root - 24), 1.1), (bar * 4 + half * 2) * beat, 0.38, 0.0, true);
    }

    struct Note {
        double beat;
        int semis; // from A4
        double length;
    };
    const Note tune[] = {
        {0, 7, 1.5},  {1.5, 4, 0.5}, {2, 7, 1},   {3, 9, 1},   // A
        {4, 7, 2},    {6, 2, 1},     {7, 4, 1},                // E
        {8, 9, 1},    {9, 7, 1},     {10, 4, 1},  {11, 0, 1},  // F#m
        {12, 9, 1.5}, {13.5, 7, 0.5}, {14, 4, 1}, {15, 2, 1},  // D
    };
    for (const Note& n : tune)
        b.add(mallet(noteHz(n.semis), 0.6 + n.length * beat * 1.5, 1.0), n.beat * beat, 0.30, 0.1, true);

    circularEcho(b, beat * 0.75, 0.28, 3, 0.35);
    b.normalizePeak(-3.0);
    return b;
}

} // namespace soundgen
