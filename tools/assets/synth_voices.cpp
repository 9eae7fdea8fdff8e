// Oscillators, noise, filters and the final conversion of the synthesiser.
#include "tools/assets/synth_voices.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/synth.h"

namespace gp::assets::synth {

namespace {

constexpr double kTwoPi = 2 * M_PI;

double EnvAt(const Env& e, double t, double dur) {
  double a = t < e.attack ? t / e.attack : std::exp(-(t - e.attack) / e.decay);
  const double tail = dur - t;
  if (tail < 0.005) a *= std::max(0.0, tail / 0.005);
  return a;
}

// One sample of a wave at `phase` (cycles) and frequency f, built from its
// harmonics below 10 kHz so that high notes do not fold back (alias).
double Osc(Wave w, double phase, double f) {
  const double p = phase - std::floor(phase);
  if (w == Wave::Sine) return std::sin(kTwoPi * p);
  const int top = std::max(1, static_cast<int>(10000 / std::max(f, 1.0)));
  double v = 0;
  switch (w) {
    case Wave::Triangle:
      for (int k = 1; k <= std::min(top, 15); k += 2) {
        v += ((k / 2) % 2 ? -1.0 : 1.0) * std::sin(kTwoPi * p * k) / (k * k);
      }
      return v * 0.81;
    case Wave::Square:  // odd harmonics, softened
      for (int k = 1; k <= std::min(top, 11); k += 2) v += std::sin(kTwoPi * p * k) / (k * 1.3);
      return v;
    case Wave::Saw:
      for (int k = 1; k <= std::min(top, 10); ++k) v += std::sin(kTwoPi * p * k) / k;
      return v * 0.6;
    case Wave::Sine:
      break;
  }
  return v;
}

// Indices of the samples covered by [start, start + dur) inside the buffer.
void Span(const Buf& b, double start, double dur, size_t& i0, size_t& i1) {
  i0 = static_cast<size_t>(std::max(0.0, start * kRate));
  i1 = std::min(b.size(), static_cast<size_t>((start + dur) * kRate));
}

}  // namespace

void Biquad::Set(Kind kind, double fc, double q) {
  const double w = kTwoPi * std::min(fc, kRate * 0.45) / kRate;
  const double alpha = std::sin(w) / (2 * q), a0 = 1 + alpha, c = std::cos(w);
  switch (kind) {
    case LowPass:
      b0 = b2 = (1 - c) / 2 / a0;
      b1 = (1 - c) / a0;
      break;
    case HighPass:
      b0 = b2 = (1 + c) / 2 / a0;
      b1 = -(1 + c) / a0;
      break;
    case BandPass:
      b0 = alpha / a0;
      b1 = 0;
      b2 = -alpha / a0;
      break;
  }
  a1 = -2 * c / a0;
  a2 = (1 - alpha) / a0;
}

Buf Silence(double seconds) {
  return Buf(static_cast<size_t>(seconds * kRate), 0.0f);
}

void Tone(Buf& b, double start, double dur, double f0, double f1, double amp, Env env, Wave wave,
          double vibrato, double vibratohz) {
  size_t i0, i1;
  Span(b, start, dur, i0, i1);
  double phase = 0;
  const double ratio = std::log(f1 / f0);
  for (size_t i = i0; i < i1; ++i) {
    const double t = static_cast<double>(i - i0) / kRate;
    double f = f0 * std::exp(ratio * std::min(1.0, t / dur));
    if (vibrato > 0) f *= 1 + vibrato * std::sin(kTwoPi * vibratohz * t);
    phase += f / kRate;
    b[i] += static_cast<float>(amp * EnvAt(env, t, dur) * Osc(wave, phase, f));
  }
}

void Bell(Buf& b, double start, double dur, double f, double amp, double decay, double ratio,
          double index) {
  size_t i0, i1;
  Span(b, start, dur, i0, i1);
  for (size_t i = i0; i < i1; ++i) {
    const double t = static_cast<double>(i - i0) / kRate;
    const double env = EnvAt(Env{0.002, decay}, t, dur);
    const double mod = index * std::exp(-t / (decay * 0.5)) * std::sin(kTwoPi * f * ratio * t);
    b[i] += static_cast<float>(amp * env * std::sin(kTwoPi * f * t + mod));
  }
}

void Noise(Buf& b, double start, double dur, double amp, Env env, double c0, double c1, double q,
           uint32_t seed) {
  size_t i0, i1;
  Span(b, start, dur, i0, i1);
  Rng rng(seed);
  Biquad bp;
  const double gain = c0 > 0 ? std::sqrt(q) * 1.5 : 1.0;
  for (size_t i = i0; i < i1; ++i) {
    const double t = static_cast<double>(i - i0) / kRate;
    double v = rng.Signed();
    if (c0 > 0) {
      if ((i - i0) % 16 == 0)
        bp.Set(Biquad::BandPass, c0 * std::pow(c1 / c0, std::min(1.0, t / dur)), q);
      v = bp.Step(v) * gain;
    }
    b[i] += static_cast<float>(amp * EnvAt(env, t, dur) * v);
  }
}

void LowNoise(Buf& b, double start, double dur, double amp, Env env, double c0, double c1,
              uint32_t seed) {
  size_t i0, i1;
  Span(b, start, dur, i0, i1);
  Rng rng(seed);
  double y1 = 0, y2 = 0;
  for (size_t i = i0; i < i1; ++i) {
    const double t = static_cast<double>(i - i0) / kRate;
    const double fc = c0 * std::pow(c1 / c0, std::min(1.0, t / dur));
    const double a = 1 - std::exp(-kTwoPi * fc / kRate);
    y1 += a * (rng.Signed() - y1);
    y2 += a * (y1 - y2);  // two poles: a softer slope
    const double makeup = std::sqrt(kRate / (4 * fc));
    b[i] += static_cast<float>(amp * EnvAt(env, t, dur) * y2 * std::min(makeup, 12.0));
  }
}

void LowPass(Buf& b, double cutoff) {
  const double a = 1 - std::exp(-kTwoPi * cutoff / kRate);
  double y = 0;
  for (float& s : b) {
    y += a * (s - y);
    s = static_cast<float>(y);
  }
}

void HighPass(Buf& b, double cutoff) {
  const double a = 1 - std::exp(-kTwoPi * cutoff / kRate);
  double y = 0;
  for (float& s : b) {
    y += a * (s - y);
    s = static_cast<float>(s - y);
  }
}

void Echo(Buf& b, double delay, double feedback, double mix) {
  const size_t d = static_cast<size_t>(delay * kRate);
  Buf wet(b.size(), 0.0f);
  for (size_t i = d; i < b.size(); ++i) {
    wet[i] = static_cast<float>(b[i - d] + feedback * wet[i - d]);
  }
  for (size_t i = 0; i < b.size(); ++i) b[i] += static_cast<float>(mix * wet[i]);
}

void Tremolo(Buf& b, double f, double depth) {
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] *= static_cast<float>(1 - depth / 2 + depth / 2 * std::sin(kTwoPi * f * t));
  }
}

namespace {
std::vector<int16_t> Convert(const Buf& b, double peak, bool fades) {
  float top = 0;
  for (float s : b) top = std::max(top, std::fabs(s));
  const double k = top > 0 ? peak * 32767.0 / top : 0.0;
  const size_t fade = fades ? static_cast<size_t>(0.002 * kRate) : 0;
  std::vector<int16_t> out(b.size());
  for (size_t i = 0; i < b.size(); ++i) {
    double g = 1;
    if (i < fade) g = static_cast<double>(i) / fade;
    if (b.size() - 1 - i < fade) g = std::min(g, static_cast<double>(b.size() - 1 - i) / fade);
    const long v = std::lround(b[i] * k * g);
    out[i] = static_cast<int16_t>(std::clamp(v, -32000L, 32000L));
  }
  return out;
}
}  // namespace

std::vector<int16_t> Finish(const Buf& b, double peak) {
  return Convert(b, peak, true);
}
std::vector<int16_t> FinishLoop(const Buf& b, double peak) {
  return Convert(b, peak, false);
}

Buf LoopSeam(const Buf& b, double fade, bool equalpower) {
  const size_t x = static_cast<size_t>(fade * kRate);
  const size_t n = b.size() - x;
  Buf out(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n));
  for (size_t i = 0; i < x; ++i) {
    // Equal-power cross-fade: the tail fades out as the head fades in.
    const double f = static_cast<double>(i) / x;
    const double w = equalpower ? std::sin(M_PI / 2 * f) : f;
    const double v = equalpower ? std::sqrt(1 - w * w) : 1 - f;
    out[i] = static_cast<float>(b[i] * w + b[n + i] * v);
  }
  return out;
}

}  // namespace gp::assets::synth
