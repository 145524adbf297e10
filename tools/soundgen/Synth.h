// Building blocks for the sound generator: a stereo buffer, a few gentle
// voices tuned to the game's A-major pentatonic, and the Ogg Vorbis writer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace soundgen {

inline constexpr int sampleRate = 44100;

struct Buffer {
    int channels = 1;
    std::vector<float> samples; // interleaved

    Buffer(int channels, double seconds);
    size_t frames() const { return samples.size() / channels; }

    // Adds a mono signal at `start` (seconds) with a constant-power pan
    // (-1 left .. 1 right). With `wrap` the tail that runs past the end comes
    // back in at the start, which is what makes a loop seamless.
    void add(const std::vector<float>& mono, double start, double gain, double pan = 0.0, bool wrap = false);

    float peak() const;
    void normalizePeak(double dbfs);
};

// Frequency of the note `semitones` away from A4 (440 Hz).
double noteHz(double semitones);

// Degrees of the A-major pentatonic (A B C# E F#) counted from A4;
// negative and large degrees step through octaves.
double pentatonicHz(int degree);

// Deterministic noise, so every build writes the same file.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 1) {}
    float next(); // in [-1, 1]
private:
    std::uint32_t state_;
};

// A marimba-like pluck: a sine fundamental with the bar's 4x and 10x
// partials, which die away quickly and give the soft knock at the start.
std::vector<float> mallet(double hz, double seconds, double brightness = 1.0);

// A warm bass: sine plus a little second harmonic, slow-ish decay.
std::vector<float> softBass(double hz, double seconds);

// Round-trip-free echo on a periodic buffer: the delayed copies wrap, so
// the result is still periodic.
void circularEcho(Buffer& b, double delaySeconds, double feedback, int taps, double crossfeed);

// Writes Ogg Vorbis. The stream serial number is fixed so that the same
// samples always give the same bytes.
void writeOgg(const Buffer& b, const std::filesystem::path& file, float quality, const char* title);

} // namespace soundgen
