#include "Tune.h"

#include <algorithm>
#include <cmath>

#include "Check.h"

namespace art {
namespace {

constexpr int kSampleRate = 22050;
constexpr int kEighth = 8268;  // samples per eighth note (80 beats a minute)
constexpr int kStepsPerBar = 8;
constexpr int kBars = 8;
constexpr int kLoopSamples = kEighth * kStepsPerBar * kBars;
constexpr double kTargetPeakDb = -3.0;
constexpr double kMaxPeakDb = -1.0;
constexpr double kMinSeconds = 15.0, kMaxSeconds = 30.0;
constexpr double kTwoPi = 6.283185307179586;

constexpr int kRest = -1;

// One chord per bar (MIDI notes).
constexpr int kChords[kBars][4] = {
    {53, 57, 60, 64},  // F maj7
    {52, 55, 59, 62},  // E min7
    {50, 53, 57, 60},  // D min7
    {48, 52, 55, 59},  // C maj7
    {53, 57, 60, 64},  // F maj7
    {52, 55, 59, 62},  // E min7
    {50, 53, 57, 60},  // D min7
    {55, 57, 62, 67},  // G sus2
};
constexpr int kBass[kBars] = {41, 40, 38, 36, 41, 40, 38, 43};

constexpr int kMelody[kBars * kStepsPerBar] = {
    76, kRest, 74, 72, 69, kRest, 72, kRest,        //
    71, kRest, kRest, 74, 76, kRest, kRest, kRest,  //
    77, kRest, 76, 74, 72, kRest, 69, kRest,        //
    71, kRest, 72, kRest, 67, kRest, kRest, kRest,  //
    76, kRest, 79, kRest, 77, 76, 74, kRest,        //
    76, kRest, kRest, 71, 74, kRest, 72, kRest,     //
    69, kRest, 72, 74, 77, kRest, 76, kRest,        //
    74, kRest, kRest, kRest, 71, kRest, 74, kRest,  //
};

double frequency(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// Adds a voice into the loop, folding whatever runs past the end back onto the start.
template <class Voice>
void addVoice(std::vector<double>& loop, long start, long length, Voice voice) {
  for (long i = 0; i < length; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    loop[static_cast<size_t>((start + i) % kLoopSamples)] += voice(t);
  }
}

// A soft pad note: two slightly detuned sines and a quiet octave, slow attack and release.
void pad(std::vector<double>& loop, long start, long hold, int midi, double level) {
  constexpr double kAttack = 0.9, kRelease = 1.6;
  const double f = frequency(midi);
  const double holdSeconds = static_cast<double>(hold) / kSampleRate;
  const long length = hold + static_cast<long>(kRelease * kSampleRate);
  addVoice(loop, start, length, [=](double t) {
    double env = std::min(1.0, t / kAttack);
    env = env * env * (3 - 2 * env);
    if (t > holdSeconds) env *= std::max(0.0, 1.0 - (t - holdSeconds) / kRelease);
    env *= env > 0 ? 1.0 : 0.0;
    const double tremolo = 1.0 + 0.08 * std::sin(kTwoPi * 0.35 * t);
    const double v = std::sin(kTwoPi * f * 0.998 * t) + std::sin(kTwoPi * f * 1.002 * t) +
                     0.25 * std::sin(kTwoPi * f * 2.0 * t);
    return level * env * tremolo * v;
  });
}

// A bell: a few inharmonic partials, each dying away at its own rate.
void bell(std::vector<double>& loop, long start, int midi, double level) {
  constexpr double kSeconds = 3.2;
  const double f = frequency(midi);
  addVoice(loop, start, static_cast<long>(kSeconds * kSampleRate), [=](double t) {
    const double attack = std::min(1.0, t / 0.006);
    const double fade = std::min(1.0, (kSeconds - t) / 0.4);  // ends at exactly zero
    const double v = std::exp(-t / 0.9) * std::sin(kTwoPi * f * t) +
                     0.35 * std::exp(-t / 0.35) * std::sin(kTwoPi * f * 2.76 * t) +
                     0.12 * std::exp(-t / 0.15) * std::sin(kTwoPi * f * 5.40 * t);
    return level * attack * fade * v;
  });
}

// A round, plucked bass note.
void bass(std::vector<double>& loop, long start, int midi, double level) {
  constexpr double kSeconds = 2.6;
  const double f = frequency(midi);
  addVoice(loop, start, static_cast<long>(kSeconds * kSampleRate), [=](double t) {
    const double attack = std::min(1.0, t / 0.03);
    const double fade = std::min(1.0, (kSeconds - t) / 0.5);
    const double v = std::sin(kTwoPi * f * t) + 0.2 * std::sin(kTwoPi * f * 2.0 * t);
    return level * attack * fade * std::exp(-t / 1.1) * v;
  });
}

// A soft echo: the loop's own delayed copies, read round the loop so the echo crosses the seam.
std::vector<double> withEcho(const std::vector<double>& dry) {
  constexpr int kTaps = 5;
  constexpr long kDelay = kEighth * 3;  // a dotted quarter
  constexpr double kFeedback = 0.32;
  std::vector<double> wet(dry);
  for (size_t i = 0; i < dry.size(); ++i) {
    double gain = 1.0;
    for (int k = 1; k <= kTaps; ++k) {
      gain *= kFeedback;
      const long j = (static_cast<long>(i) - k * kDelay) % kLoopSamples;
      wet[i] += gain * dry[static_cast<size_t>(j < 0 ? j + kLoopSamples : j)];
    }
  }
  return wet;
}

}  // namespace

Tune synthesizeTune() {
  std::vector<double> bells(kLoopSamples, 0.0);
  std::vector<double> bed(kLoopSamples, 0.0);
  constexpr long kBar = static_cast<long>(kEighth) * kStepsPerBar;
  for (int bar = 0; bar < kBars; ++bar) {
    for (int note : kChords[bar]) pad(bed, bar * kBar, kBar, note, 0.06);
    bass(bed, bar * kBar, kBass[bar], 0.22);
    bass(bed, bar * kBar + 4 * kEighth, kBass[bar] + 12 * (bar % 2), 0.12);
  }
  for (int step = 0; step < kBars * kStepsPerBar; ++step)
    if (kMelody[step] != kRest) bell(bells, static_cast<long>(step) * kEighth, kMelody[step], 0.30);
  const std::vector<double> echoed = withEcho(bells);

  std::vector<double> mixdown(kLoopSamples);
  double peak = 0.0;
  for (int i = 0; i < kLoopSamples; ++i) {
    mixdown[i] = bed[i] + echoed[i];
    peak = std::max(peak, std::fabs(mixdown[i]));
  }
  require(peak > 0.0, "tune is silent");
  const double gain = std::pow(10.0, kTargetPeakDb / 20.0) / peak;
  Tune tune{std::vector<int16_t>(kLoopSamples), kSampleRate};
  for (int i = 0; i < kLoopSamples; ++i)
    tune.samples[i] = static_cast<int16_t>(std::lround(mixdown[i] * gain * 32767.0));
  return tune;
}

TuneReport checkTune(const Tune& tune) {
  const auto& s = tune.samples;
  require(!s.empty(), "tune has no samples");
  TuneReport r{};
  r.seconds = static_cast<double>(s.size()) / tune.sampleRate;
  require(r.seconds >= kMinSeconds && r.seconds <= kMaxSeconds, "tune length out of 15..30 s");
  int peak = 0;
  int largest = 0;
  std::vector<int> steps;
  steps.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    peak = std::max(peak, std::abs(static_cast<int>(s[i])));
    if (i > 0) {
      const int step = std::abs(s[i] - s[i - 1]);
      largest = std::max(largest, step);
      steps.push_back(step);
    }
  }
  r.peakDb = 20.0 * std::log10(peak / 32768.0);
  require(r.peakDb < kMaxPeakDb, "tune peak above -1 dBFS");
  require(peak < 32767, "tune clips");
  const int seam = std::abs(s.front() - s.back());
  r.seamStep = seam / 32768.0;
  r.largestStep = largest / 32768.0;
  // the step across the loop point must look like any ordinary step of the tune
  std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
  const int typical = steps[steps.size() * 99 / 100];
  require(seam <= typical, "tune jumps at its loop point");
  // and so must the sound just after the loop point: no gap where folded tails are missing
  double headEnergy = 0, tailEnergy = 0;
  const size_t window = static_cast<size_t>(tune.sampleRate / 10);
  for (size_t i = 0; i < window; ++i) {
    headEnergy += static_cast<double>(s[i]) * s[i];
    tailEnergy += static_cast<double>(s[s.size() - 1 - i]) * s[s.size() - 1 - i];
  }
  require(headEnergy > 0.1 * tailEnergy && tailEnergy > 0.1 * headEnergy,
          "tune loudness jumps at its loop point");
  return r;
}

}  // namespace art
