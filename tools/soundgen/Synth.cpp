#include "Synth.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace soundgen {

Buffer::Buffer(int ch, double seconds)
    : channels(ch), samples(static_cast<size_t>(std::lround(seconds * sampleRate)) * ch, 0.0f)
{
}

void Buffer::add(const std::vector<float>& mono, double start, double gain, double pan, bool wrap)
{
    const size_t n = frames();
    const long first = std::lround(start * sampleRate);
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * M_PI / 4;
    const double gains[2] = {std::cos(angle) * gain, std::sin(angle) * gain};
    for (size_t i = 0; i < mono.size(); ++i) {
        long f = first + static_cast<long>(i);
        if (wrap)
            f = ((f % static_cast<long>(n)) + static_cast<long>(n)) % static_cast<long>(n);
        else if (f < 0 || f >= static_cast<long>(n))
            continue;
        if (channels == 1) {
            samples[f] += static_cast<float>(mono[i] * gain);
        } else {
            for (int c = 0; c < 2; ++c)
                samples[f * channels + c] += static_cast<float>(mono[i] * gains[c] * M_SQRT2);
        }
    }
}

float Buffer::peak() const
{
    float p = 0;
    for (float s : samples)
        p = std::max(p, std::abs(s));
    return p;
}

void Buffer::normalizePeak(double dbfs)
{
    const float p = peak();
    if (p <= 0)
        return;
    const float scale = static_cast<float>(std::pow(10.0, dbfs / 20.0) / p);
    for (float& s : samples)
        s *= scale;
}

double noteHz(double semitones)
{
    return 440.0 * std::pow(2.0, semitones / 12.0);
}

double pentatonicHz(int degree)
{
    static constexpr int steps[5] = {0, 2, 4, 7, 9};
    const int octave = degree >= 0 ? degree / 5 : -((-degree + 4) / 5);
    const int idx = degree - octave * 5;
    return noteHz(octave * 12 + steps[idx]);
}

float Noise::next()
{
    // xorshift32: tiny and the same everywhere
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(state_ / 2147483647.5 - 1.0);
}

std::vector<float> mallet(double hz, double seconds, double brightness)
{
    const size_t n = static_cast<size_t>(seconds * sampleRate);
    std::vector<float> out(n);
    const double attack = 0.003 * sampleRate;
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double env = std::min(1.0, i / attack);
        double v = std::sin(2 * M_PI * hz * t) * std::exp(-t * 3.2);
        if (hz * 4 < 16000)
            v += brightness * 0.28 * std::sin(2 * M_PI * hz * 4 * t) * std::exp(-t * 18);
        if (hz * 10 < 16000)
            v += brightness * 0.08 * std::sin(2 * M_PI * hz * 10 * t) * std::exp(-t * 45);
        // fade the last 20 ms so the note never ends on a step
        const double tail = std::min(1.0, (n - i) / (0.02 * sampleRate));
        out[i] = static_cast<float>(v * env * tail);
    }
    return out;
}

std::vector<float> softBass(double hz, double seconds)
{
    const size_t n = static_cast<size_t>(seconds * sampleRate);
    std::vector<float> out(n);
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double env = std::min(1.0, t / 0.012) * std::exp(-t * 1.6);
        const double tail = std::min(1.0, (n - i) / (0.05 * sampleRate));
        const double v = std::sin(2 * M_PI * hz * t) + 0.18 * std::sin(4 * M_PI * hz * t);
        out[i] = static_cast<float>(v * env * tail);
    }
    return out;
}

void circularEcho(Buffer& b, double delaySeconds, double feedback, int taps, double crossfeed)
{
    const std::vector<float> dry = b.samples;
    const long n = static_cast<long>(b.frames());
    const long delay = std::lround(delaySeconds * sampleRate);
    double g = 1.0;
    for (int k = 1; k <= taps; ++k) {
        g *= feedback;
        const long shift = (delay * k) % n;
        for (long f = 0; f < n; ++f) {
            const long dst = (f + shift) % n;
            for (int c = 0; c < b.channels; ++c) {
                // alternate sides a little on each repeat, a ping-pong feel
                const int src = (b.channels == 2 && (k % 2 == 1)) ? 1 - c : c;
                const float s = dry[f * b.channels + src] * (1.0f - static_cast<float>(crossfeed)) +
                                dry[f * b.channels + c] * static_cast<float>(crossfeed);
                b.samples[dst * b.channels + c] += static_cast<float>(g) * s;
            }
        }
    }
}

void writeOgg(const Buffer& b, const std::filesystem::path& file, float quality, const char* title)
{
    if (b.peak() > 1.0f)
        throw std::runtime_error(file.string() + ": samples would clip");
    std::filesystem::create_directories(file.parent_path());
    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(file.c_str(), "wb"), &std::fclose);
    if (!out)
        throw std::runtime_error("cannot write " + file.string());

    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, b.channels, sampleRate, quality) != 0)
        throw std::runtime_error("vorbis encoder refused the settings");
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", title);
    vorbis_comment_add_tag(&vc, "ARTIST", "Woofmere");

    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 0x576F6F66); // fixed serial: same input, same bytes

    auto writePage = [&](const ogg_page& og) {
        std::fwrite(og.header, 1, og.header_len, out.get());
        std::fwrite(og.body, 1, og.body_len, out.get());
    };

    ogg_packet header, headerComm, headerCode;
    vorbis_analysis_headerout(&vd, &vc, &header, &headerComm, &headerCode);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &headerComm);
    ogg_stream_packetin(&os, &headerCode);
    ogg_page og;
    while (ogg_stream_flush(&os, &og) != 0)
        writePage(og);

    const size_t frames = b.frames();
    const size_t chunk = 4096;
    for (size_t pos = 0;; pos += chunk) {
        const size_t n = pos < frames ? std::min(chunk, frames - pos) : 0;
        if (n > 0) {
            float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (size_t i = 0; i < n; ++i)
                for (int c = 0; c < b.channels; ++c)
                    buf[c][i] = b.samples[(pos + i) * b.channels + c];
        }
        vorbis_analysis_wrote(&vd, static_cast<int>(n)); // 0 marks the end
        ogg_packet op;
        bool eos = false;
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            while (vorbis_bitrate_flushpacket(&vd, &op) == 1) {
                ogg_stream_packetin(&os, &op);
                while (ogg_stream_pageout(&os, &og) != 0) {
                    writePage(og);
                    if (ogg_page_eos(&og))
                        eos = true;
                }
            }
        }
        if (n == 0 || eos) {
            while (ogg_stream_flush(&os, &og) != 0)
                writePage(og);
            break;
        }
    }

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
}

} // namespace soundgen
