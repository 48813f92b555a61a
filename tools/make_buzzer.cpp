// Writes the board's buzzer: a harsh two-tone horn of 1.5 s followed by 300 ms of silence, as a
// 16-bit PCM mono WAV file at 44100 Hz. The sound is computed, so the build makes it afresh and
// every byte of it is ours.
//
// Usage: make_buzzer <output.wav>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int SampleRate = 44100;
constexpr double ToneSeconds = 1.5;
// A short silence after the blast lets the sound server's output fall quiet before the stream ends.
constexpr double SilenceSeconds = 0.3;
constexpr double AttackSeconds = 0.008;
constexpr double ReleaseSeconds = 0.04;
// Two tones a little under a semitone apart beat about 27 times a second: the rasp of a horn.
constexpr double LowHz = 420.0;
constexpr double HighHz = 447.0;
// Partials stop well below the Nyquist frequency, so the edges of the waves do not alias.
constexpr double TopPartialHz = 10000.0;
constexpr double Drive = 1.8;
constexpr double PeakLevel = 0.85;

// A band-limited sawtooth: every harmonic at 1/k.
double sawtooth(double hz, double t)
{
    double sum = 0.0;
    for (int k = 1; k * hz < TopPartialHz; ++k)
        sum += std::sin(2.0 * std::numbers::pi * k * hz * t) / k;
    return sum * 2.0 / std::numbers::pi;
}

// A band-limited square: the odd harmonics at 1/k.
double square(double hz, double t)
{
    double sum = 0.0;
    for (int k = 1; k * hz < TopPartialHz; k += 2)
        sum += std::sin(2.0 * std::numbers::pi * k * hz * t) / k;
    return sum * 4.0 / std::numbers::pi;
}

// A fast attack, a slight fall over the blast, and a short release that avoids a click at the end.
double envelope(double t)
{
    const double attack = std::min(1.0, t / AttackSeconds);
    const double release = std::min(1.0, (ToneSeconds - t) / ReleaseSeconds);
    const double decay = 0.8 + 0.2 * std::exp(-t / 0.3);
    return attack * release * decay;
}

std::vector<double> horn()
{
    const int toneFrames = static_cast<int>(ToneSeconds * SampleRate);
    std::vector<double> samples(toneFrames);
    double peak = 0.0;
    for (int i = 0; i < toneFrames; ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        const double raw = 0.5 * sawtooth(LowHz, t) + 0.5 * square(HighHz, t);
        // Soft clipping flattens the peaks and adds the buzz of an overdriven horn.
        samples[i] = std::tanh(Drive * raw) * envelope(t);
        peak = std::max(peak, std::abs(samples[i]));
    }
    for (double &s : samples)
        s *= PeakLevel / peak;
    samples.resize(toneFrames + static_cast<int>(SilenceSeconds * SampleRate), 0.0);
    return samples;
}

void putLe(std::string &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string wavFile(const std::vector<double> &samples)
{
    constexpr int Channels = 1;
    constexpr int BitsPerSample = 16;
    constexpr int BlockAlign = Channels * BitsPerSample / 8;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size()) * BlockAlign;

    std::string out;
    out += "RIFF";
    putLe(out, 36 + dataBytes, 4);
    out += "WAVE";
    out += "fmt ";
    putLe(out, 16, 4);
    putLe(out, 1, 2); // uncompressed PCM
    putLe(out, Channels, 2);
    putLe(out, SampleRate, 4);
    putLe(out, SampleRate * BlockAlign, 4);
    putLe(out, BlockAlign, 2);
    putLe(out, BitsPerSample, 2);
    out += "data";
    putLe(out, dataBytes, 4);
    for (double s : samples) {
        const auto value = static_cast<std::int16_t>(std::lround(s * 32767.0));
        putLe(out, static_cast<std::uint16_t>(value), 2);
    }
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_buzzer <output.wav>\n";
        return 2;
    }
    const std::string bytes = wavFile(horn());
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::cerr << "make_buzzer: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
