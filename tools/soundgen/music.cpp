// The game's music: short loops written by a small composer rather than by
// hand. Each piece fixes its tempo, chords, form and band; the tune is drawn
// from the A-major pentatonic with a seeded hand, landing on chord tones on
// the strong beats, so every piece is singable and no two are alike.
//
// Every note is added with wrap-around and the echo is circular, so the
// buffer is exactly periodic and the loop point cannot click.
#include "Recipes.h"
#include "Voices.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace soundgen {

namespace {

enum class Lead { Mallet, Pluck, Bell };
enum class Comp { Arp8, Arp16, Pad, Strum, Waltz };
enum class Bass { Whole, Half, Walk, Pulse };
enum class Drums { None, Light, Lively };

struct Phrase {
    char name;                       // upper case; a lower-case letter in a form varies its last bar
    std::array<const char*, 4> bars; // chord names: A, Bm, C#m, D, E, F#m, ...
};

struct PieceSpec {
    double bpm;
    int beatsPerBar; // 3 or 4
    const char* form;
    std::vector<Phrase> phrases;
    std::uint32_t seed;
    Lead lead;
    bool leadSparkle; // a quiet bell an octave over the tune
    Comp comp;
    Bass bass;
    Drums drums;
    double liveliness; // 0 calm .. 1 busy: rhythms, rests
    int leadCenter;    // pentatonic degree the tune hovers around (5 = A5)
    double echoBeats;
    double echoFeedback;
    bool padUnder; // a soft chord bed under the band
};

struct Chord {
    int root; // semitones above A, 0..11
    bool minor;
    int third() const { return minor ? 3 : 4; }
};

Chord parseChord(const char* name)
{
    static const int letters[7] = {0, 2, 3, 5, 7, 8, 10}; // A B C D E F G
    int root = letters[name[0] - 'A'];
    size_t i = 1;
    if (name[i] == '#') {
        ++root;
        ++i;
    }
    return {root % 12, name[i] == 'm'};
}

constexpr int scaleSteps[5] = {0, 2, 4, 7, 9};

int degreeClass(int degree)
{
    return scaleSteps[((degree % 5) + 5) % 5];
}

int degreeSemis(int degree)
{
    const int octave = degree >= 0 ? degree / 5 : -((-degree + 4) / 5);
    return octave * 12 + scaleSteps[degree - octave * 5];
}

bool isChordTone(const Chord& c, int degree)
{
    const int pc = degreeClass(degree);
    return pc == c.root || pc == (c.root + c.third()) % 12 || pc == (c.root + 7) % 12;
}

struct Note {
    double beat; // from the start of the phrase
    int degree;
    double beats;
};

// Rhythms of one bar, in eighths.
using Rhythm = std::vector<int>;

const std::vector<Rhythm>& rhythms(int beatsPerBar, int kind)
{
    // kind 0 calm, 1 lively, 2 phrase endings
    static const std::vector<Rhythm> four[3] = {
        {{4, 4}, {2, 2, 4}, {6, 2}, {3, 1, 4}, {2, 6}, {2, 2, 2, 2}},
        {{2, 1, 1, 2, 2}, {1, 1, 2, 1, 1, 2}, {2, 2, 1, 1, 2}, {3, 1, 2, 2}, {1, 1, 1, 1, 2, 2}, {2, 1, 1, 4},
         {3, 3, 2}},
        {{2, 2, 4}, {4, 4}, {8}, {2, 6}, {1, 1, 6}},
    };
    static const std::vector<Rhythm> three[3] = {
        {{2, 2, 2}, {4, 2}, {3, 1, 2}, {2, 4}},
        {{2, 1, 1, 2}, {1, 1, 2, 2}, {2, 2, 1, 1}, {3, 1, 2}},
        {{2, 4}, {6}, {4, 2}},
    };
    return beatsPerBar == 3 ? three[kind] : four[kind];
}

class Composer {
public:
    Composer(const PieceSpec& spec, std::uint32_t seed) : spec_(spec), rnd_(seed) {}

    double chance() { return 0.5 + 0.5 * rnd_.next(); }
    int pick(int n) { return std::min(n - 1, static_cast<int>(chance() * n)); }

    const Rhythm& barRhythm(bool ending)
    {
        const int kind = ending ? 2 : (chance() < spec_.liveliness ? 1 : 0);
        const auto& list = rhythms(spec_.beatsPerBar, kind);
        return list[pick(static_cast<int>(list.size()))];
    }

    int chordToneNear(const Chord& c, int from, bool preferRoot)
    {
        int best = from, bestScore = 1 << 20;
        const int lo = spec_.leadCenter - 4, hi = spec_.leadCenter + 5;
        for (int d = lo; d <= hi; ++d) {
            if (!isChordTone(c, d))
                continue;
            int score = std::abs(d - from) * 4 + pick(3);
            if (preferRoot && degreeClass(d) == c.root)
                score -= 5;
            if (score < bestScore) {
                bestScore = score;
                best = d;
            }
        }
        return best;
    }

    int stepFrom(int from)
    {
        static const int steps[] = {-1, 1, -1, 1, -2, 2, 0};
        int d = from + steps[pick(7)];
        const int lo = spec_.leadCenter - 4, hi = spec_.leadCenter + 5;
        if (d < lo)
            d = lo + 1;
        if (d > hi)
            d = hi - 1;
        return d;
    }

    // One bar of tune over `chord`, appended to `out`; returns the last degree.
    int bar(const Rhythm& rhythm, const Chord& chord, double barBeat, int prev, bool ending, std::vector<Note>& out)
    {
        int pos = 0; // in eighths
        for (size_t i = 0; i < rhythm.size(); ++i) {
            const bool last = i + 1 == rhythm.size();
            const bool strong = pos % 4 == 0 || (spec_.beatsPerBar == 3 && pos == 0);
            int d;
            if (ending && last)
                d = chordToneNear(chord, prev, true);
            else if (strong)
                d = chordToneNear(chord, prev + (pick(3) - 1), false);
            else
                d = stepFrom(prev);
            const bool rest = i > 0 && !(ending && last) && chance() < 0.08 + 0.12 * (1 - spec_.liveliness);
            if (!rest)
                out.push_back({barBeat + pos / 2.0, d, rhythm[i] / 2.0});
            prev = d;
            pos += rhythm[i];
        }
        return prev;
    }

private:
    const PieceSpec& spec_;
    Noise rnd_;
};

// Voices are cached per piece: loops repeat their notes many times over.
class Voicebox {
public:
    const Signal& get(int voice, int semis, double seconds)
    {
        const int ms = static_cast<int>(std::lround(seconds * 1000));
        const auto key = std::tuple{voice, semis, ms};
        auto it = cache_.find(key);
        if (it != cache_.end())
            return it->second;
        const double hz = noteHz(semis), len = ms / 1000.0;
        Signal s;
        switch (voice) {
        case 0: s = mallet(hz, len, 1.0); break;
        case 1: s = pluck(hz, len, 0x9100 + semis * 7, 1.4, 0.45); break;
        case 2: s = bell(hz, len, 0.45, 1.6); break;
        case 3: s = mallet(hz, len, 0.6); break;                 // soft accompaniment mallet
        case 4: s = pluck(hz, len, 0x5700 + semis * 5, 0.9, 0.6); break; // strummed chords
        case 5: s = pad(hz, len, 0.35, 0.6, -4); break;
        case 6: s = pad(hz, len, 0.35, 0.6, 4); break;
        case 7: s = softBass(hz, len); break;
        default: s = Signal(samplesFor(len)); break;
        }
        return cache_.emplace(key, std::move(s)).first->second;
    }

private:
    std::map<std::tuple<int, int, int>, Signal> cache_;
};

struct Drumkit {
    Signal kick, snare, shaker;
    Drumkit()
    {
        kick = sweep(130, 48, 0.035, 0.3, 0.002, 0.09, 0.2);
        snare = noise(0xD5, 0.16);
        filter(snare, Pass::Band, 1900, 1500, 0.9);
        attackDecay(snare, 0.001, 0.045);
        mixInto(snare, sweep(220, 185, 0.02, 0.12, 0.001, 0.03), 0, 0.5);
        fadeTail(snare, 0.01);
        shaker = noise(0x5A, 0.05);
        filter(shaker, Pass::High, 6000, 6000, 0.7);
        swell(shaker, 0.25);
    }
};

Buffer compose(const PieceSpec& spec)
{
    const double beatSec = 60.0 / spec.bpm;
    const double barSec = beatSec * spec.beatsPerBar;
    const int barCount = static_cast<int>(std::strlen(spec.form)) * 4;
    const double total = barCount * barSec;

    auto phraseOf = [&](char letter) -> const Phrase& {
        for (const Phrase& p : spec.phrases)
            if (p.name == letter)
                return p;
        return spec.phrases.front();
    };

    // --- the tune: one per phrase letter, and one varied ending per lower-case use
    std::map<char, std::vector<Note>> tunes;
    for (const char* f = spec.form; *f; ++f) {
        const char letter = *f;
        if (tunes.count(letter))
            continue;
        const char upper = static_cast<char>(std::toupper(letter));
        const Phrase& ph = phraseOf(upper);
        Composer comp(spec, spec.seed * 131 + static_cast<std::uint32_t>(upper));
        std::vector<Note> notes;
        int prev = spec.leadCenter;
        const Rhythm first = comp.barRhythm(false);
        const Rhythm second = comp.barRhythm(false);
        const Rhythm ending = comp.barRhythm(true);
        for (int b = 0; b < 3; ++b) {
            const Rhythm& r = b == 1 ? second : first; // call, answer, call again
            prev = comp.bar(r, parseChord(ph.bars[b]), b * spec.beatsPerBar, prev, false, notes);
        }
        if (letter != upper) {
            // same opening, a fresh last bar
            Composer variant(spec, spec.seed * 977 + static_cast<std::uint32_t>(letter));
            variant.bar(variant.barRhythm(true), parseChord(ph.bars[3]), 3 * spec.beatsPerBar, prev, true, notes);
        } else {
            comp.bar(ending, parseChord(ph.bars[3]), 3 * spec.beatsPerBar, prev, true, notes);
        }
        tunes.emplace(letter, std::move(notes));
    }

    Voicebox voices;
    Drumkit drums;
    Buffer wet(2, total), dry(2, total);
    const int leadVoice = spec.lead == Lead::Mallet ? 0 : spec.lead == Lead::Pluck ? 1 : 2;
    const double leadGain = spec.lead == Lead::Bell ? 0.26 : 0.32;

    for (int phraseIndex = 0; spec.form[phraseIndex]; ++phraseIndex) {
        const char letter = spec.form[phraseIndex];
        const Phrase& ph = phraseOf(static_cast<char>(std::toupper(letter)));
        const double phraseStart = phraseIndex * 4 * barSec;

        for (const Note& n : tunes[letter]) {
            const double at = phraseStart + n.beat * beatSec;
            const double ring = n.beats * beatSec + (spec.lead == Lead::Bell ? 0.9 : 0.5);
            const int semis = degreeSemis(n.degree);
            wet.add(voices.get(leadVoice, semis, ring), at, leadGain, 0.08, true);
            if (spec.leadSparkle)
                wet.add(voices.get(2, semis + 12, ring), at, 0.06, -0.2, true);
        }

        for (int b = 0; b < 4; ++b) {
            const Chord chord = parseChord(ph.bars[b]);
            const double barStart = phraseStart + b * barSec;
            const int r = chord.root - 12; // chords sit between A3 and A4
            const int tones[4] = {r, r + chord.third(), r + 7, r + 12};
            const int bassRoot = chord.root - 24 > -18 ? chord.root - 36 : chord.root - 24;

            switch (spec.comp) {
            case Comp::Arp8: {
                static const int pattern[8] = {0, 1, 2, 3, 2, 1, 2, 1};
                for (int e = 0; e < spec.beatsPerBar * 2; ++e)
                    wet.add(voices.get(3, tones[pattern[e]], 0.9), barStart + e * beatSec / 2, 0.13,
                            e % 2 ? 0.4 : -0.4, true);
                break;
            }
            case Comp::Arp16: {
                static const int pattern[8] = {0, 1, 2, 3, 2, 1, 3, 2};
                for (int s = 0; s < spec.beatsPerBar * 4; ++s)
                    wet.add(voices.get(3, tones[pattern[s % 8]], 0.45),
                            barStart + s * beatSec / 4, s % 4 == 0 ? 0.11 : 0.075, s % 2 ? 0.45 : -0.45, true);
                break;
            }
            case Comp::Pad:
                for (int k = 0; k < 3; ++k) {
                    wet.add(voices.get(5, tones[k] + 12 * (k == 0), barSec + 0.6), barStart, 0.09, -0.7, true);
                    wet.add(voices.get(6, tones[k] + 12 * (k == 0), barSec + 0.6), barStart, 0.09, 0.7, true);
                }
                break;
            case Comp::Strum: {
                const double hits[] = {0, 1.5, 2, 3};
                for (double h : hits)
                    for (int k = 0; k < 4; ++k)
                        wet.add(voices.get(4, tones[k], 0.8), barStart + h * beatSec + k * 0.012,
                                h == 0 ? 0.09 : 0.065, -0.3 + 0.2 * k, true);
                break;
            }
            case Comp::Waltz:
                for (int beat = 1; beat < spec.beatsPerBar; ++beat)
                    for (int k = 1; k < 4; ++k)
                        wet.add(voices.get(3, tones[k], 0.7), barStart + beat * beatSec + k * 0.008, 0.085,
                                beat == 1 ? -0.35 : 0.35, true);
                break;
            }

            if (spec.padUnder)
                for (int k = 0; k < 3; ++k) {
                    dry.add(voices.get(5, tones[k], barSec + 0.6), barStart, 0.05, -0.6, true);
                    dry.add(voices.get(6, tones[k], barSec + 0.6), barStart, 0.05, 0.6, true);
                }

            switch (spec.bass) {
            case Bass::Whole:
                dry.add(voices.get(7, bassRoot, barSec), barStart, 0.42, 0, true);
                break;
            case Bass::Half:
                for (int h = 0; h < spec.beatsPerBar; h += 2)
                    dry.add(voices.get(7, h == 0 ? bassRoot : bassRoot + 7, 2 * beatSec), barStart + h * beatSec,
                            0.4, 0, true);
                break;
            case Bass::Walk: {
                const int walk[4] = {0, 7, 12, 7};
                for (int q = 0; q < spec.beatsPerBar; ++q)
                    dry.add(voices.get(7, bassRoot + walk[q], beatSec), barStart + q * beatSec, 0.38, 0, true);
                break;
            }
            case Bass::Pulse:
                for (int e = 0; e < spec.beatsPerBar * 2; ++e)
                    dry.add(voices.get(7, bassRoot + (e % 4 == 3 ? 12 : 0), beatSec * 0.5), barStart + e * beatSec / 2,
                            e % 2 ? 0.2 : 0.28, 0, true);
                break;
            }

            if (spec.drums != Drums::None) {
                for (int e = 0; e < spec.beatsPerBar * 2; ++e)
                    dry.add(drums.shaker, barStart + e * beatSec / 2, e % 2 ? 0.05 : 0.035, 0.3, true);
                for (int q = 0; q < spec.beatsPerBar; ++q) {
                    const bool kick = q == 0 || (spec.drums == Drums::Lively && q == 2);
                    if (kick)
                        dry.add(drums.kick, barStart + q * beatSec, 0.45, 0, true);
                    if (spec.drums == Drums::Lively && q % 2 == 1)
                        dry.add(drums.snare, barStart + q * beatSec, 0.16, -0.1, true);
                }
                if (spec.drums == Drums::Lively && b % 2 == 1)
                    dry.add(drums.kick, barStart + 2.5 * beatSec, 0.3, 0, true);
            }
        }
    }

    circularEcho(wet, spec.echoBeats * beatSec, spec.echoFeedback, 3, 0.35);
    addBuffer(dry, wet, 1.0);
    dry.normalizePeak(-3.0);
    return dry;
}

} // namespace

Buffer renderMusicTitle()
{
    return compose({
        .bpm = 96, .beatsPerBar = 4, .form = "AaBA",
        .phrases = {{'A', {"A", "E", "F#m", "D"}}, {'B', {"F#m", "D", "A", "E"}}},
        .seed = 0x7171E, .lead = Lead::Mallet, .leadSparkle = true, .comp = Comp::Arp8, .bass = Bass::Half,
        .drums = Drums::Light, .liveliness = 0.45, .leadCenter = 4, .echoBeats = 0.75, .echoFeedback = 0.3,
        .padUnder = true,
    });
}

Buffer renderMusicMenu()
{
    return compose({
        .bpm = 100, .beatsPerBar = 3, .form = "AaBAbA",
        .phrases = {{'A', {"D", "A", "Bm", "E"}}, {'B', {"F#m", "C#m", "D", "E"}}},
        .seed = 0x3E7U, .lead = Lead::Pluck, .leadSparkle = false, .comp = Comp::Waltz, .bass = Bass::Whole,
        .drums = Drums::None, .liveliness = 0.35, .leadCenter = 4, .echoBeats = 1.5, .echoFeedback = 0.3,
        .padUnder = true,
    });
}

Buffer renderMusicStory()
{
    return compose({
        .bpm = 68, .beatsPerBar = 4, .form = "ABAb",
        .phrases = {{'A', {"A", "F#m", "D", "E"}}, {'B', {"D", "A", "Bm", "E"}}},
        .seed = 0x5702, .lead = Lead::Bell, .leadSparkle = false, .comp = Comp::Pad, .bass = Bass::Whole,
        .drums = Drums::None, .liveliness = 0.0, .leadCenter = 3, .echoBeats = 1.5, .echoFeedback = 0.38,
        .padUnder = false,
    });
}

Buffer renderMusicLevel1()
{
    return compose({
        .bpm = 124, .beatsPerBar = 4, .form = "AaBAaB",
        .phrases = {{'A', {"A", "D", "E", "A"}}, {'B', {"F#m", "D", "A", "E"}}},
        .seed = 0x1E1, .lead = Lead::Mallet, .leadSparkle = false, .comp = Comp::Arp16, .bass = Bass::Pulse,
        .drums = Drums::Lively, .liveliness = 0.85, .leadCenter = 5, .echoBeats = 0.75, .echoFeedback = 0.25,
        .padUnder = false,
    });
}

Buffer renderMusicLevel2()
{
    return compose({
        .bpm = 128, .beatsPerBar = 4, .form = "AABaCA",
        .phrases = {{'A', {"F#m", "D", "A", "E"}}, {'B', {"D", "E", "C#m", "F#m"}}, {'C', {"Bm", "E", "A", "A"}}},
        .seed = 0x1E2, .lead = Lead::Pluck, .leadSparkle = false, .comp = Comp::Strum, .bass = Bass::Walk,
        .drums = Drums::Lively, .liveliness = 0.75, .leadCenter = 5, .echoBeats = 0.75, .echoFeedback = 0.25,
        .padUnder = true,
    });
}

Buffer renderMusicLevel3()
{
    return compose({
        .bpm = 132, .beatsPerBar = 4, .form = "AaBbAa",
        .phrases = {{'A', {"A", "C#m", "D", "E"}}, {'B', {"F#m", "E", "D", "E"}}},
        .seed = 0x1E3, .lead = Lead::Mallet, .leadSparkle = true, .comp = Comp::Arp8, .bass = Bass::Pulse,
        .drums = Drums::Lively, .liveliness = 0.9, .leadCenter = 5, .echoBeats = 0.5, .echoFeedback = 0.22,
        .padUnder = false,
    });
}

Buffer renderMusicLevel4()
{
    return compose({
        .bpm = 118, .beatsPerBar = 4, .form = "AaBCAB",
        .phrases = {{'A', {"D", "A", "E", "F#m"}}, {'B', {"Bm", "D", "A", "E"}}, {'C', {"D", "E", "A", "A"}}},
        .seed = 0x1E4, .lead = Lead::Pluck, .leadSparkle = true, .comp = Comp::Arp8, .bass = Bass::Half,
        .drums = Drums::Light, .liveliness = 0.7, .leadCenter = 4, .echoBeats = 0.75, .echoFeedback = 0.28,
        .padUnder = true,
    });
}

} // namespace soundgen
