#include "SoundVoices.h"

#include "Ink.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

double Smooth(double x) { // 0..1 -> 0..1 with flat ends
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3 - 2 * x);
}

// A sine by rotating a unit vector: no sin() per sample. Renormalised now and then.
struct Phasor {
    double c = 1, s = 0, rc, rs;
    Phasor(double hz, int rate, double phase = 0.0)
        : c(std::cos(phase)), s(std::sin(phase)), rc(std::cos(2 * Pi * hz / rate)),
          rs(std::sin(2 * Pi * hz / rate)) {}
    double Next() {
        double out = s;
        double nc = c * rc - s * rs;
        s = s * rc + c * rs;
        c = nc;
        return out;
    }
    void Renormalise() {
        double m = 1.0 / std::sqrt(c * c + s * s);
        c *= m;
        s *= m;
    }
};

} // namespace

void Biquad::SetBandPass(double hz, double q, int rate) {
    double w = 2 * Pi * std::clamp(hz, 10.0, rate * 0.45) / rate;
    double alpha = std::sin(w) / (2 * q), a0 = 1 + alpha;
    b0 = alpha / a0;
    b1 = 0;
    b2 = -alpha / a0;
    a1 = -2 * std::cos(w) / a0;
    a2 = (1 - alpha) / a0;
}

void Biquad::SetLowPass(double hz, double q, int rate) {
    double w = 2 * Pi * std::clamp(hz, 10.0, rate * 0.45) / rate;
    double alpha = std::sin(w) / (2 * q), cw = std::cos(w), a0 = 1 + alpha;
    b0 = (1 - cw) / 2 / a0;
    b1 = (1 - cw) / a0;
    b2 = b0;
    a1 = -2 * cw / a0;
    a2 = (1 - alpha) / a0;
}

void Biquad::SetHighPass(double hz, double q, int rate) {
    double w = 2 * Pi * std::clamp(hz, 10.0, rate * 0.45) / rate;
    double alpha = std::sin(w) / (2 * q), cw = std::cos(w), a0 = 1 + alpha;
    b0 = (1 + cw) / 2 / a0;
    b1 = -(1 + cw) / a0;
    b2 = b0;
    a1 = -2 * cw / a0;
    a2 = (1 - alpha) / a0;
}

double Biquad::Run(double x) {
    double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
}

void AddStruck(Pcm& pcm, double start, double hz, double amp, const std::vector<Partial>& partials,
               double attack, double pan) {
    double left, right;
    PanGains(pcm, pan, left, right);
    std::size_t first = static_cast<std::size_t>(std::max(0.0, start) * pcm.rate);
    std::size_t attackFrames = std::max<std::size_t>(1, attack * pcm.rate);
    for (const Partial& p : partials) {
        double f = hz * p.ratio, level = amp * p.amp;
        if (f > 18000 || level <= 0 || p.decay <= 0) continue;
        // Until it is below -80 dB full scale.
        std::size_t count =
            attackFrames +
            static_cast<std::size_t>(p.decay * std::max(0.0, std::log(level / 1e-4)) * pcm.rate);
        EnsureFrames(pcm, first + count);
        Phasor osc(f, pcm.rate);
        double fall = std::exp(-1.0 / (p.decay * pcm.rate)), g = level;
        for (std::size_t i = 0; i < count; ++i) {
            double env = g;
            if (i < attackFrames)
                env *= Smooth(static_cast<double>(i) / attackFrames);
            else
                g *= fall;
            AddFrame(pcm, first + i, env * osc.Next(), left, right);
            if ((i & 1023) == 0) osc.Renormalise();
        }
    }
}

void AddPad(Pcm& pcm, double start, double held, double hz, double amp, double attack,
            double release, double pan, double detune) {
    static const double harmonics[4] = {1.0, 0.35, 0.15, 0.06};
    std::size_t first = static_cast<std::size_t>(std::max(0.0, start) * pcm.rate);
    std::size_t count = static_cast<std::size_t>((held + release) * pcm.rate);
    EnsureFrames(pcm, first + count);
    std::vector<Phasor> oscs;
    std::vector<double> levels, lefts, rights;
    for (int voice = 0; voice < 2; ++voice) {
        double side = voice == 0 ? -1.0 : 1.0, left, right;
        PanGains(pcm, pan + 0.5 * side, left, right);
        double f = hz * (1 + side * detune);
        for (int h = 0; h < 4 && f * (h + 1) <= 16000; ++h) {
            oscs.emplace_back(f * (h + 1), pcm.rate, 0.7 * h + 1.3 * voice);
            levels.push_back(0.5 * amp * harmonics[h]);
            lefts.push_back(left);
            rights.push_back(right);
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / pcm.rate;
        double env = t < held ? Smooth(t / attack)
                              : Smooth(held / attack) * (1 - Smooth((t - held) / release));
        for (std::size_t k = 0; k < oscs.size(); ++k) {
            AddFrame(pcm, first + i, levels[k] * env * oscs[k].Next(), lefts[k], rights[k]);
            if ((i & 1023) == 0) oscs[k].Renormalise();
        }
    }
}

void AddNoiseKeys(Pcm& pcm, double start, const std::vector<NoiseKey>& keys, double amp, Rng& rng,
                  double roughness, double pan) {
    if (keys.size() < 2) return;
    double left, right;
    PanGains(pcm, pan, left, right);
    std::size_t first = static_cast<std::size_t>(std::max(0.0, start) * pcm.rate);
    std::size_t count = static_cast<std::size_t>(keys.back().t * pcm.rate);
    EnsureFrames(pcm, first + count);
    Biquad band;
    std::size_t k = 0;
    double flutter = 1.0, flutterTarget = 1.0;
    int flutterLeft = 0;
    for (std::size_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / pcm.rate;
        while (k + 2 < keys.size() && t >= keys[k + 1].t)
            ++k;
        const NoiseKey &a = keys[k], &b = keys[k + 1];
        double u = std::clamp((t - a.t) / std::max(b.t - a.t, 1e-9), 0.0, 1.0);
        if ((i & 15) == 0)
            band.SetBandPass(a.hz + (b.hz - a.hz) * u, a.q + (b.q - a.q) * u, pcm.rate);
        if (roughness > 0) {
            if (--flutterLeft <= 0) { // a new grain of friction every 1 to 5 ms
                flutterLeft = rng.Int(pcm.rate / 1000, pcm.rate / 200);
                double r = rng.Uniform();
                flutterTarget = 1 - roughness * (1 - r * r * 1.6);
            }
            flutter += 0.02 * (flutterTarget - flutter);
        }
        double gain = a.gain + (b.gain - a.gain) * u;
        AddFrame(pcm, first + i, amp * gain * flutter * band.Run(rng.Range(-1.0, 1.0)) * 2.0, left,
                 right);
    }
}

void AddCrackle(Pcm& pcm, double start, double length, double rateStart, double rateEnd, double amp,
                Rng& rng, double lowHz, double highHz, double clumping, double pan) {
    double left, right;
    PanGains(pcm, pan, left, right);
    std::size_t count = static_cast<std::size_t>(length * pcm.rate);
    std::vector<double> clicks(count + pcm.rate / 100, 0.0); // room for the last burst
    double slip = 1.0; // slowly wandering density: the tear sticks, then runs
    for (std::size_t i = 0; i < count; ++i) {
        double k = static_cast<double>(i) / count;
        if ((i & 255) == 0) slip = std::clamp(slip + rng.Normal() * 0.5 * clumping, 0.1, 2.5);
        double rate = (rateStart + (rateEnd - rateStart) * k) * (clumping > 0 ? slip : 1.0);
        if (!rng.Chance(rate / pcm.rate)) continue;
        double level = std::pow(rng.Uniform(), 2.5) * 0.8 + 0.2 * rng.Uniform();
        std::size_t burst = static_cast<std::size_t>(rng.Range(0.0002, 0.0012) * pcm.rate) + 2;
        double fall = std::exp(-4.0 / burst);
        for (std::size_t j = 0; j < burst; ++j, level *= fall)
            clicks[i + j] += level * rng.Range(-1.0, 1.0);
    }
    Biquad high, low;
    high.SetHighPass(lowHz, 0.7, pcm.rate);
    low.SetLowPass(highHz, 0.7, pcm.rate);
    std::size_t first = static_cast<std::size_t>(std::max(0.0, start) * pcm.rate);
    EnsureFrames(pcm, first + clicks.size());
    for (std::size_t i = 0; i < clicks.size(); ++i)
        AddFrame(pcm, first + i, amp * low.Run(high.Run(clicks[i])), left, right);
}

void SoftClip(Pcm& pcm, double drive) {
    double norm = 1.0 / std::tanh(drive);
    for (float& s : pcm.samples)
        s = static_cast<float>(std::tanh(s * drive) * norm);
}

void FoldLoop(Pcm& pcm, double seconds) {
    std::size_t loop = static_cast<std::size_t>(seconds * pcm.rate);
    if (loop == 0) return;
    EnsureFrames(pcm, loop);
    for (std::size_t i = loop; i < pcm.Frames(); ++i)
        for (int c = 0; c < pcm.channels; ++c)
            pcm.At(i % loop, c) += pcm.At(i, c);
    pcm.samples.resize(loop * pcm.channels);
}

void StartLoopQuietly(Pcm& pcm, double fromSeconds, double toSeconds) {
    std::size_t frames = pcm.Frames();
    if (frames < 2) return;
    std::size_t from = std::min(frames - 1, static_cast<std::size_t>(fromSeconds * pcm.rate));
    std::size_t to = std::min(frames - 1, static_cast<std::size_t>(toSeconds * pcm.rate));
    std::size_t best = from;
    double bestScore = 1e9;
    for (std::size_t i = from; i <= to; ++i) {
        double score = 0;
        for (int c = 0; c < pcm.channels; ++c)
            score +=
                std::abs(pcm.At(i, c)) + 0.5 * std::abs(pcm.At((i + 1) % frames, c) - pcm.At(i, c));
        if (score < bestScore) bestScore = score, best = i;
    }
    std::rotate(pcm.samples.begin(), pcm.samples.begin() + best * pcm.channels, pcm.samples.end());
}
