#include "artwork.h"

#include <QtEndian>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace artwork {

namespace {

constexpr double kTwoPi = 2.0 * M_PI;
constexpr double kPeak = 0.5;   // -6 dBFS leaves room for the mixer

double noteHz(int midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// A struck bar or bell: nearly harmonic partials, the higher ones dying sooner.
void addChime(QVector<float>& out, double start, double hz, double amp, double decay)
{
    struct Partial { double ratio, level; };
    const Partial partials[] = {{1.0, 1.0}, {2.0, 0.32}, {3.0, 0.10}, {4.2, 0.05}};
    const int first = int(start * kSampleRate);
    for (int i = std::max(first, 0); i < out.size(); ++i) {
        const double t = double(i - first) / kSampleRate;
        const double attack = t < 0.004 ? 0.5 - 0.5 * std::cos(M_PI * t / 0.004) : 1.0;
        double s = 0;
        for (const Partial& pt : partials) {
            if (hz * pt.ratio >= kSampleRate * 0.45)
                continue;
            s += pt.level * std::exp(-t * std::pow(pt.ratio, 0.8) / decay) * std::sin(kTwoPi * hz * pt.ratio * t);
        }
        out[i] += float(amp * attack * s);
    }
}

// A soft sustained tone, two slightly detuned voices for warmth.
void addPad(QVector<float>& out, double start, double end, double hz, double amp, double rise, double fall)
{
    const int first = int(start * kSampleRate);
    const int last = std::min<int>(out.size(), int(end * kSampleRate));
    for (int i = std::max(first, 0); i < last; ++i) {
        const double t = double(i - first) / kSampleRate;
        const double left = double(last - i) / kSampleRate;
        const double env = std::min({1.0, t / rise, left / fall});
        const double s = std::sin(kTwoPi * (hz - 0.7) * t) + std::sin(kTwoPi * (hz + 0.7) * t)
                         + 0.15 * std::sin(kTwoPi * 2 * hz * t);
        out[i] += float(amp * env * env * s * 0.5);
    }
}

// A bright brass-like note: a full harmonic series that opens up after the attack.
void addBrass(QVector<float>& out, double start, double length, double hz, double amp)
{
    const int first = int(start * kSampleRate);
    const int last = std::min<int>(out.size(), int((start + length) * kSampleRate));
    double phase = 0;
    for (int i = std::max(first, 0); i < last; ++i) {
        const double t = double(i - first) / kSampleRate;
        const double left = double(last - i) / kSampleRate;
        const double env = std::min({1.0, t / 0.012, left / 0.03}) * (0.85 + 0.15 * std::exp(-t / 0.05));
        const double vibrato = t > 0.12 ? 0.003 * std::sin(kTwoPi * 5.5 * t) : 0.0;
        phase += kTwoPi * hz * (1.0 + vibrato) / kSampleRate;
        double s = 0;
        for (int n = 1; n * hz < kSampleRate * 0.45; ++n)
            s += std::sin(n * phase) / std::pow(n, 1.25) * std::pow(env, 0.2 * (n - 1));
        out[i] += float(amp * env * s);
    }
}

// Fades both ends so nothing clicks, then brings the loudest sample to kPeak.
QVector<float> finished(QVector<float> s, double fadeIn, double fadeOut)
{
    const int in = std::max(1, int(fadeIn * kSampleRate));
    const int outLength = std::max(1, int(fadeOut * kSampleRate));
    for (int i = 0; i < s.size(); ++i) {
        double g = 1.0;
        if (i < in)
            g *= 0.5 - 0.5 * std::cos(M_PI * i / in);
        const int fromEnd = s.size() - 1 - i;
        if (fromEnd < outLength)
            g *= 0.5 - 0.5 * std::cos(M_PI * fromEnd / outLength);
        s[i] = float(s[i] * g);
    }
    float peak = 0;
    for (float v : s)
        peak = std::max(peak, std::abs(v));
    if (peak > 0)
        for (float& v : s)
            v = float(v * kPeak / peak);
    return s;
}

QVector<float> startUp(int samples)
{
    QVector<float> s(samples, 0.0f);
    // C major rising over two octaves, then a held chord that settles.
    const int notes[] = {72, 76, 79, 84, 88, 91};
    for (int k = 0; k < 6; ++k)
        addChime(s, 0.17 * k, noteHz(notes[k]), 0.5 - 0.04 * k, 0.9);
    for (int midi : {84, 88})
        addChime(s, 1.1, noteHz(midi), 0.22, 1.4);
    for (int midi : {48, 55, 60, 64})
        addPad(s, 0.35, samples / double(kSampleRate), noteHz(midi), 0.11, 0.6, 1.6);
    return finished(s, 0.003, 0.6);
}

QVector<float> drawFinished(int samples)
{
    QVector<float> s(samples, 0.0f);
    addChime(s, 0.0, noteHz(76), 0.6, 0.30);
    addChime(s, 0.17, noteHz(72), 0.6, 0.40);
    return finished(s, 0.002, 0.08);
}

QVector<float> winningRow(int samples)
{
    QVector<float> s(samples, 0.0f);
    addBrass(s, 0.00, 0.085, noteHz(67), 0.5);
    addBrass(s, 0.09, 0.085, noteHz(72), 0.5);
    addBrass(s, 0.18, 0.085, noteHz(76), 0.5);
    const double rest = samples / double(kSampleRate) - 0.27;
    addBrass(s, 0.27, rest, noteHz(79), 0.5);
    addBrass(s, 0.27, rest, noteHz(72), 0.25);
    addBrass(s, 0.27, rest, noteHz(76), 0.25);
    addChime(s, 0.27, noteHz(96), 0.15, 0.15);
    return finished(s, 0.002, 0.12);
}

QVector<float> bounce(int samples)
{
    QVector<float> s(samples, 0.0f);
    // Wood-like knock: a falling pitch that dies within a few milliseconds.
    double phase = 0;
    for (int i = 0; i < samples; ++i) {
        const double t = double(i) / kSampleRate;
        const double hz = 480.0 + 420.0 * std::exp(-t / 0.004);
        phase += kTwoPi * hz / kSampleRate;
        s[i] = float(std::sin(phase) * std::exp(-t / 0.006) + 0.25 * std::sin(2.7 * phase) * std::exp(-t / 0.0025));
    }
    return finished(s, 0.001, 0.004);
}

void putLe16(QByteArray& b, quint16 v)
{
    char raw[2];
    qToLittleEndian(v, raw);
    b.append(raw, 2);
}

void putLe32(QByteArray& b, quint32 v)
{
    char raw[4];
    qToLittleEndian(v, raw);
    b.append(raw, 4);
}

} // namespace

QVector<Sound> sounds()
{
    return {
        {QStringLiteral("11"), 174792, startUp},
        {QStringLiteral("12"), 21868, drawFinished},
        {QStringLiteral("13"), 27624, winningRow},
        {QStringLiteral("14"), 1144, bounce},
    };
}

QByteArray wavFile(const QVector<float>& samples)
{
    const quint32 dataBytes = quint32(samples.size()) * 2;
    QByteArray b;
    b.reserve(int(44 + dataBytes));
    b.append("RIFF", 4);
    putLe32(b, 36 + dataBytes);
    b.append("WAVE", 4);
    b.append("fmt ", 4);
    putLe32(b, 16);
    putLe16(b, 1);                 // PCM
    putLe16(b, 1);                 // mono
    putLe32(b, kSampleRate);
    putLe32(b, kSampleRate * 2);   // bytes per second
    putLe16(b, 2);                 // bytes per sample frame
    putLe16(b, 16);
    b.append("data", 4);
    putLe32(b, dataBytes);
    for (float v : samples)
        putLe16(b, quint16(qint16(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f))));
    return b;
}

} // namespace artwork
