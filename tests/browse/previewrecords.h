#pragma once

// Hand-made records for the preview tests and pictures.
#include "browse/recordpreview.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <functional>
#include <numbers>

namespace previewrecords {

using kapstat::browse::RecordValues;

inline constexpr int SampleCount = 300;

// 300 samples as the recorder stores them: sign and magnitude, low byte first.
inline QByteArray samplesBlob(const std::function<int(int)>& countsOfSample)
{
    QByteArray bytes;
    for (int i = 0; i < SampleCount; ++i) {
        const int counts = countsOfSample(i);
        const int magnitude = std::abs(counts);
        bytes.append(char(magnitude & 0xFF));
        bytes.append(char((magnitude >> 8) | (counts < 0 ? 0x80 : 0)));
    }
    return bytes;
}

inline QByteArray constantSamples(int counts)
{
    return samplesBlob([counts](int) { return counts; });
}

// A 50 Hz sine: one period is 50 samples of 0.4 ms.
inline QByteArray sineSamples(double amplitude, double phaseDegrees, double thirdHarmonic = 0)
{
    return samplesBlob([=](int i) {
        const double angle = 2 * std::numbers::pi * i / 50 + phaseDegrees * std::numbers::pi / 180;
        return int(
            std::lround(amplitude * (std::sin(angle) + thirdHarmonic * std::sin(3 * angle))));
    });
}

// Nr, DiC and the six gains Wzm0..Wzm5.
inline RecordValues rmsRecord(const std::array<double, 6>& gains)
{
    RecordValues values{{QStringLiteral("Nr"), 17},
                        {QStringLiteral("NrSt"), 1},
                        {QStringLiteral("DiC"), QStringLiteral("2024-03-05 10:20:30")},
                        {QStringLiteral("War"), 0}};
    for (int channel = 0; channel < 6; ++channel)
        values.insert(QStringLiteral("Wzm") + QString::number(channel), gains[channel]);
    return values;
}

inline RecordValues harmonicsRecord(const QString& phase)
{
    return {{QStringLiteral("NrRz"), 40},
            {QStringLiteral("Nr"), 14},
            {QStringLiteral("NrSt"), 1},
            {QStringLiteral("DiC"), QStringLiteral("2024-03-05 10:30:00")},
            {QStringLiteral("War"), 0},
            {QStringLiteral("Faza"), phase}};
}

// The statistic of orders 2 to 24 under prefix ("UH"): value(order).
inline void addSpectrum(RecordValues& values, const QString& prefix, const QString& statistic,
                        const std::function<double(int)>& valueOfOrder)
{
    for (int order = 2; order <= 24; ++order)
        values.insert(prefix + QString::number(order) + statistic, valueOfOrder(order));
}

// B + jC of a quantity ("UL1").
inline void addPhasor(RecordValues& values, const QString& quantity, std::complex<double> phasor)
{
    values.insert(QStringLiteral("B") + quantity, phasor.real());
    values.insert(QStringLiteral("C") + quantity, phasor.imag());
}

inline std::complex<double> polarDegrees(double magnitude, double degrees)
{
    return std::polar(magnitude, degrees * std::numbers::pi / 180);
}

} // namespace previewrecords
