#include "live/phasordiagram.h"

#include "live/instantframe.h"
#include "live/quantitynumbers.h"
#include "live/valueformat.h"

#include <QCoreApplication>
#include <cmath>
#include <numbers>

namespace kapstat::live {

namespace {

using config::MeasuringSystem;
using namespace quantity;

QString tr(const char* text)
{
    return QCoreApplication::translate("LivePhasors", text);
}

// b (sine) and c (cosine) of one fundamental.
struct Coefficients
{
    double b = 0;
    double c = 0;
};

Coefficients voltageOf(const PhasorCoefficients& k, int phase)
{
    return {k[phase], k[3 + phase]};
}

Coefficients currentOf(const PhasorCoefficients& k, int phase)
{
    return {k[6 + phase], k[9 + phase]};
}

// Turned so that the reference (UL1) points straight up; unturned without a reference.
QPointF turned(Coefficients p, Coefficients reference)
{
    const double w = std::hypot(reference.b, reference.c);
    if (w == 0)
        return {p.c, p.b};
    return {(p.c * reference.b - p.b * reference.c) / w,
            (p.b * reference.b + p.c * reference.c) / w};
}

QPointF rotated(QPointF p, double degrees)
{
    const double t = degrees * std::numbers::pi / 180;
    return {p.x() * std::cos(t) - p.y() * std::sin(t), p.x() * std::sin(t) + p.y() * std::cos(t)};
}

// The largest full scale among the present ranges of the channels, to whole units.
double axisLimit(const LiveStore& store, const calib::RangeScale& scale, int firstChannel)
{
    double largest = 0;
    for (int c = firstChannel; c < firstChannel + 3; ++c)
        largest = std::max(largest, frame::scaleOf(scale, c, store.ranges[c]));
    return std::round(frame::FullScaleCounts * largest);
}

void starArrows(PhasorDiagram& d, const PhasorCoefficients& k, int phases)
{
    const char* const voltages[] = {"UL1", "UL2", "UL3"};
    const char* const currents[] = {"IL1", "IL2", "IL3"};
    const PhasorColour colours[] = {PhasorColour::Red, PhasorColour::Green, PhasorColour::Blue};
    const Coefficients reference = voltageOf(k, 0);
    for (int p = 0; p < phases; ++p) {
        d.voltages.append({tr(voltages[p]), colours[p], {}, turned(voltageOf(k, p), reference)});
        d.currents.append({tr(currents[p]), colours[p], {}, turned(currentOf(k, p), reference)});
    }
}

// Two measured line voltages close a triangle with the third; the third current is what the
// other two leave.
void deltaArrows(PhasorDiagram& d, const PhasorCoefficients& k)
{
    const Coefficients reference = voltageOf(k, 0);
    const Coefficients i1 = currentOf(k, 0), i2 = currentOf(k, 1);
    QPointF v1 = turned(voltageOf(k, 0), reference);
    QPointF v2 = turned(voltageOf(k, 1), reference);
    std::array<QPointF, 3> currents = {turned(i1, reference), turned(i2, reference),
                                       turned({-(i1.b + i2.b), -(i1.c + i2.c)}, reference)};
    const double theta = v2.x() > 0 ? -30 : 30;
    v1 = rotated(v1, theta);
    v2 = rotated(v2, theta);
    for (QPointF& i : currents)
        i = rotated(i, theta);
    d.voltages = {{tr("U13"), PhasorColour::Red, {}, v1},
                  {tr("U21"), PhasorColour::Blue, v1, v2},
                  {tr("U32"), PhasorColour::Green, v2, {}}};
    d.currents = {{tr("IL1"), PhasorColour::Red, {}, currents[0]},
                  {tr("IL2"), PhasorColour::Green, {}, currents[1]},
                  {tr("IL3"), PhasorColour::Blue, {}, currents[2]}};
}

QString legendLine(const char* caption, const LiveStore& store, int number, const char* unit)
{
    const PrefixedValue v = formatWithPrefix(static_cast<double>(store.recorderValues[number]), 3);
    return tr(caption) + v.value + v.prefix + QLatin1String(unit);
}

} // namespace

PhasorCoefficients phasorCoefficients(const LiveStore& store)
{
    PhasorCoefficients k{};
    for (int i = 0; i < 12; ++i)
        k[i] = static_cast<double>(store.recorderValues[FundamentalSine + i]);
    return k;
}

PhasorDiagram phasorDiagram(const LiveStore& store, const calib::RangeScale& scale,
                            MeasuringSystem system)
{
    PhasorDiagram d;
    d.voltageLimit = axisLimit(store, scale, 0);
    d.currentLimit = axisLimit(store, scale, 3);
    const PhasorCoefficients k = phasorCoefficients(store);
    switch (system) {
    case MeasuringSystem::Star:
        starArrows(d, k, 3);
        break;
    case MeasuringSystem::Delta:
        deltaArrows(d, k);
        break;
    case MeasuringSystem::SinglePhase:
        starArrows(d, k, 1);
        break;
    }
    return d;
}

bool phasorLegendChanged(const PhasorCoefficients& last, const PhasorCoefficients& now,
                         MeasuringSystem system)
{
    if (system != MeasuringSystem::SinglePhase)
        return last != now;
    // b and c of UL1 and IL1.
    for (const int i : {0, 3, 6, 9})
        if (last[i] != now[i])
            return true;
    return false;
}

std::array<QString, 6> phasorLegend(const LiveStore& s, MeasuringSystem system)
{
    switch (system) {
    case MeasuringSystem::Star:
        return {legendLine("UL1 = ", s, Rms, "V"),     legendLine("UL2 = ", s, Rms + 1, "V"),
                legendLine("UL3 = ", s, Rms + 2, "V"), legendLine("IL1 = ", s, Rms + 3, "A"),
                legendLine("IL2 = ", s, Rms + 4, "A"), legendLine("IL3 = ", s, Rms + 5, "A")};
    case MeasuringSystem::Delta:
        return {legendLine("U31 = ", s, LineVoltage12 + 2, "V"),
                legendLine("U23 = ", s, LineVoltage12 + 1, "V"),
                legendLine("U12 = ", s, LineVoltage12, "V"),
                legendLine("IL1 = ", s, Rms + 3, "A"),
                legendLine("IL2 = ", s, Rms + 4, "A"),
                QString()};
    case MeasuringSystem::SinglePhase:
        break;
    }
    return {legendLine("UL1 = ", s, TotalVoltage, "V"), QString(), QString(),
            legendLine("IL1 = ", s, TotalCurrent, "A"), QString(), QString()};
}

} // namespace kapstat::live
