#include "Voices.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

namespace soundgen {

namespace {

constexpr int tableSize = 4096;

const std::array<float, tableSize + 1>& sineTable()
{
    static const std::array<float, tableSize + 1> table = [] {
        std::array<float, tableSize + 1> t{};
        for (int i = 0; i <= tableSize; ++i)
            t[i] = static_cast<float>(std::sin(2 * M_PI * i / tableSize));
        return t;
    }();
    return table;
}

// One cycle of a fixed mix of harmonics, read with linear interpolation.
class Wave {
public:
    Wave(std::initializer_list<double> amplitudes)
    {
        double sum = 0;
        for (double a : amplitudes)
            sum += std::abs(a);
        for (int i = 0; i <= tableSize; ++i) {
            double v = 0;
            int k = 1;
            for (double a : amplitudes)
                v += a * std::sin(2 * M_PI * k++ * i / tableSize);
            table_[i] = static_cast<float>(v / sum);
        }
    }
    double at(double phase) const
    {
        const double x = (phase - std::floor(phase)) * tableSize;
        const int i = static_cast<int>(x);
        const double f = x - i;
        return table_[i] + (table_[i + 1] - table_[i]) * f;
    }

private:
    std::array<float, tableSize + 1> table_{};
};

double centsToRatio(double cents)
{
    return std::pow(2.0, cents / 1200.0);
}

} // namespace

size_t samplesFor(double seconds)
{
    return static_cast<size_t>(std::max(0.0, seconds) * sampleRate);
}

double tableSin(double phase)
{
    const auto& t = sineTable();
    const double x = (phase - std::floor(phase)) * tableSize;
    const int i = static_cast<int>(x);
    const double f = x - i;
    return t[i] + (t[i + 1] - t[i]) * f;
}

Signal sweep(double hz0, double hz1, double glide, double seconds, double attack, double decay, double harmonics)
{
    Signal out(samplesFor(seconds));
    double phase = 0;
    const double glideStep = std::exp(-1.0 / (glide * sampleRate));
    const double decayStep = std::exp(-1.0 / (decay * sampleRate));
    double offset = hz0 - hz1, env = 1.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double hz = hz1 + offset;
        offset *= glideStep;
        phase += hz / sampleRate;
        const double rise = std::min(1.0, i / (attack * sampleRate + 1));
        double v = tableSin(phase);
        if (harmonics > 0)
            v += harmonics * (0.5 * tableSin(2 * phase) + 0.25 * tableSin(3 * phase));
        out[i] = static_cast<float>(v * rise * env);
        env *= decayStep;
    }
    fadeTail(out, std::min(0.01, seconds / 4));
    return out;
}

Signal bell(double hz, double seconds, double brightness, double ring)
{
    // The free bar's partials (1, 2.76, 5.40, 8.93) give the glassy shimmer;
    // the octave adds the warmth of a tuned chime.
    struct Partial {
        double ratio, amp, decay;
    };
    const Partial partials[] = {
        {1.0, 1.0, 0.45}, {2.0, 0.22, 0.30}, {2.76, 0.30 * brightness, 0.16},
        {5.40, 0.14 * brightness, 0.08}, {8.93, 0.06 * brightness, 0.04},
    };
    Signal out(samplesFor(seconds));
    for (const Partial& p : partials) {
        const double f = hz * p.ratio;
        if (f > 15000)
            continue;
        const double step = std::exp(-1.0 / (p.decay * ring * sampleRate));
        double env = p.amp;
        for (size_t i = 0; i < out.size(); ++i) {
            out[i] += static_cast<float>(env * tableSin(f * i / sampleRate));
            env *= step;
        }
    }
    attackDecay(out, 0.002, 1e9);
    fadeTail(out, std::min(0.02, seconds / 4));
    return out;
}

Signal pluck(double hz, double seconds, std::uint32_t seed, double ring, double softness)
{
    const size_t n = samplesFor(seconds);
    std::vector<double> y(n, 0.0);
    const double period = sampleRate / hz;
    const double delay = period - 0.5; // the two-point average adds half a sample
    const double gain = std::pow(0.001, 1.0 / (ring * hz));

    // A burst of smoothed noise one period long, mean removed so the string
    // does not carry a DC offset for its whole life.
    const size_t burst = std::min(n, static_cast<size_t>(std::ceil(period)));
    std::vector<double> excite(burst);
    Noise rnd(seed);
    double lp = 0, mean = 0;
    for (double& e : excite) {
        lp += (1.0 - softness) * (rnd.next() - lp);
        e = lp;
        mean += lp;
    }
    mean /= std::max<size_t>(1, burst);

    for (size_t i = 0; i < n; ++i) {
        double v = i < burst ? excite[i] - mean : 0.0;
        const double m = static_cast<double>(i) - delay;
        if (m >= 0) {
            const size_t i0 = static_cast<size_t>(m);
            const double f = m - i0;
            const double a = y[i0] * (1 - f) + (i0 + 1 < i ? y[i0 + 1] : 0.0) * f;
            const double b = i0 >= 1 ? y[i0 - 1] * (1 - f) + y[i0] * f : 0.0;
            v += gain * 0.5 * (a + b);
        }
        y[i] = v;
    }
    double peak = 0;
    for (double v : y)
        peak = std::max(peak, std::abs(v));
    Signal out(n);
    for (size_t i = 0; i < n; ++i)
        out[i] = static_cast<float>(peak > 0 ? y[i] / peak : 0.0);
    attackDecay(out, 0.0015, 1e9);
    fadeTail(out, std::min(0.03, seconds / 4));
    return out;
}

Signal pad(double hz, double seconds, double attack, double release, double detuneCents)
{
    static const Wave wave{1.0, 0.45, 0.22, 0.12, 0.06, 0.03};
    Signal out(samplesFor(seconds));
    const double f1 = hz * centsToRatio(detuneCents - 5), f2 = hz * centsToRatio(detuneCents + 5);
    const double n = static_cast<double>(out.size());
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = i / static_cast<double>(sampleRate);
        const double rise = std::min(1.0, t / attack);
        const double fall = std::min(1.0, (n - i) / (release * sampleRate));
        // ease both ends so the pad breathes in and out
        const double env = (0.5 - 0.5 * std::cos(M_PI * rise)) * (0.5 - 0.5 * std::cos(M_PI * fall));
        out[i] = static_cast<float>(env * 0.5 * (wave.at(f1 * t) + wave.at(f2 * t)));
    }
    return out;
}

Signal buzz(double hz, double seconds, double attack, double release)
{
    static const Wave wave{1.0, 0.12, 0.42, 0.06, 0.22, 0.03, 0.12};
    Signal out(samplesFor(seconds));
    const double n = static_cast<double>(out.size());
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = i / static_cast<double>(sampleRate);
        const double env = std::min(1.0, t / attack) * std::min(1.0, (n - i) / (release * sampleRate));
        out[i] = static_cast<float>(env * 0.5 * (wave.at(hz * t) + wave.at(hz * 1.006 * t)));
    }
    return out;
}

Signal noise(std::uint32_t seed, double seconds)
{
    Signal out(samplesFor(seconds));
    Noise rnd(seed);
    for (float& s : out)
        s = rnd.next();
    return out;
}

void attackDecay(Signal& s, double attack, double decay)
{
    const double step = std::exp(-1.0 / (decay * sampleRate));
    const double rise = attack * sampleRate + 1;
    double env = 1.0;
    for (size_t i = 0; i < s.size(); ++i) {
        s[i] *= static_cast<float>(std::min(1.0, i / rise) * env);
        env *= step;
    }
}

void swell(Signal& s, double peakAt)
{
    const double n = static_cast<double>(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = i / n;
        const double x = t < peakAt ? 0.5 * t / peakAt : 0.5 + 0.5 * (t - peakAt) / (1.0 - peakAt);
        const double e = std::sin(M_PI * x);
        s[i] *= static_cast<float>(e * e);
    }
}

void fadeTail(Signal& s, double seconds)
{
    const size_t n = std::min(s.size(), samplesFor(seconds));
    for (size_t k = 0; k < n; ++k)
        s[s.size() - 1 - k] *= static_cast<float>(static_cast<double>(k) / n);
}

void filter(Signal& s, Pass pass, double hz0, double hz1, double q)
{
    // Topology-preserving state-variable filter: stays stable while the
    // cutoff moves, which the whooshes rely on.
    double ic1 = 0, ic2 = 0;
    const double k = 1.0 / q;
    const double ratio = s.size() > 1 ? std::pow(hz1 / hz0, 1.0 / (s.size() - 1)) : 1.0;
    double hz = hz0;
    double a1 = 0, a2 = 0, a3 = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (i % 16 == 0) {
            const double g = std::tan(M_PI * std::min(hz, sampleRate * 0.45) / sampleRate);
            a1 = 1.0 / (1.0 + g * (g + k));
            a2 = g * a1;
            a3 = g * a2;
        }
        const double v0 = s[i];
        const double v3 = v0 - ic2;
        const double v1 = a1 * ic1 + a2 * v3;
        const double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2 * v1 - ic1;
        ic2 = 2 * v2 - ic2;
        double out = v2;
        if (pass == Pass::Band)
            out = v1;
        else if (pass == Pass::High)
            out = v0 - k * v1 - v2;
        s[i] = static_cast<float>(out);
        hz *= ratio;
    }
}

void mixInto(Signal& dst, const Signal& src, double start, double gain)
{
    const long first = std::lround(start * sampleRate);
    for (size_t i = 0; i < src.size(); ++i) {
        const long at = first + static_cast<long>(i);
        if (at >= 0 && at < static_cast<long>(dst.size()))
            dst[at] += static_cast<float>(src[i] * gain);
    }
}

void addBuffer(Buffer& dst, const Buffer& src, double gain)
{
    const size_t n = std::min(dst.samples.size(), src.samples.size());
    for (size_t i = 0; i < n; ++i)
        dst.samples[i] += static_cast<float>(src.samples[i] * gain);
}

} // namespace soundgen
