#include "live/livevalues.h"

#include "live/quantitynumbers.h"
#include "live/valueformat.h"

#include <QCoreApplication>

namespace kapstat::live {

namespace {

using namespace quantity;
using config::MeasuringSystem;

enum class Format
{
    Prefix,
    Energy,
    Ratio,
    Percent,
};

// How a row of the totals page appears under "gwiazda", "trójkąt" and "1 faza".
enum class Presence
{
    Shown,
    Absent, // "-----"
    Hidden,
};
constexpr Presence S = Presence::Shown, A = Presence::Absent, H = Presence::Hidden;

struct TotalsRowLayout
{
    const char* caption;
    int number;
    Format format;
    const char* unit;
    std::array<Presence, 3> presence; // by systemIndex
};

const TotalsRowLayout TotalsRows[] = {
    {QT_TRANSLATE_NOOP("LiveValues", "U"), TotalVoltage, Format::Prefix, "V", {S, S, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "I"), TotalCurrent, Format::Prefix, "A", {S, S, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "P"), TotalActivePower, Format::Prefix, "W", {S, S, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "Q"), TotalReactivePower, Format::Prefix, "VAr", {S, S, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "S"), TotalApparentPower, Format::Prefix, "VA", {S, S, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "D"), TotalDistortionPower, Format::Prefix, "VAr", {S, S, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "PF"), TotalPowerFactor, Format::Ratio, "", {S, S, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "tg"), TotalTangent, Format::Percent, "", {S, A, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "DF"), TotalDistortionFactor, Format::Ratio, "", {S, S, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "UDC"), Mean, Format::Prefix, "V", {H, H, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "IDC"), Mean + 3, Format::Prefix, "A", {H, H, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "THDU"), Thd, Format::Percent, "%", {H, H, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "THDI"), Thd + 3, Format::Percent, "%", {H, H, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "CFU"), CrestFactor, Format::Percent, "%", {H, H, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "CFI"), CrestFactor + 3, Format::Percent, "%", {H, H, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "Uo"), ZeroSequenceVoltage, Format::Prefix, "V", {S, A, A}},
    {QT_TRANSLATE_NOOP("LiveValues", "U1"),
     PositiveSequenceVoltage,
     Format::Prefix,
     "V",
     {S, S, A}},
    {QT_TRANSLATE_NOOP("LiveValues", "U2"),
     NegativeSequenceVoltage,
     Format::Prefix,
     "V",
     {S, S, A}},
    {QT_TRANSLATE_NOOP("LiveValues", "U2/U1*"), Unbalance, Format::Percent, "%", {S, S, A}},
    {QT_TRANSLATE_NOOP("LiveValues", "Io"), ZeroSequenceCurrent, Format::Prefix, "A", {S, A, A}},
    {QT_TRANSLATE_NOOP("LiveValues", "f"), Frequency, Format::Prefix, "Hz", {S, S, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "Ep(+)"), EnergyActivePlus, Format::Energy, "Wh", {S, S, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "Ep(-)"),
     EnergyActivePlus + 1,
     Format::Energy,
     "Wh",
     {S, S, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "Eq(+)"),
     EnergyActivePlus + 2,
     Format::Energy,
     "VArh",
     {S, S, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "Eq(-)"),
     EnergyActivePlus + 3,
     Format::Energy,
     "VArh",
     {S, S, S}},
    {QT_TRANSLATE_NOOP("LiveValues", "Es"), EnergyActivePlus + 4, Format::Energy, "VAh", {S, S, S}},
};

// Which columns of a per-phase row show a value, per measuring system.
using ColumnPresence = std::array<std::array<bool, PhaseColumnCount>, 3>;
constexpr ColumnPresence StarOnly{{{true, true, true}, {false, false, false}, {}}};
constexpr ColumnPresence StarAndDelta{{{true, true, true}, {true, true, true}, {}}};
constexpr ColumnPresence TwoPhasesInDelta{{{true, true, true}, {true, true, false}, {}}};

struct PhaseRowLayout
{
    std::array<const char*, PhaseColumnCount> captions;
    std::array<int, PhaseColumnCount> numbers;
    Format format;
    const char* unit;
    ColumnPresence presence;
};

constexpr std::array<const char*, PhaseColumnCount> sameInEveryColumn(const char* caption)
{
    return {caption, caption, caption};
}

constexpr std::array<int, 3> phasesOf(int first)
{
    return {first, first + 1, first + 2};
}

const PhaseRowLayout PhaseRows[] = {
    {sameInEveryColumn(QT_TRANSLATE_NOOP("LiveValues", "U")), phasesOf(Rms), Format::Prefix, "V",
     StarOnly},
    {{QT_TRANSLATE_NOOP("LiveValues", "U31"), QT_TRANSLATE_NOOP("LiveValues", "U23"),
      QT_TRANSLATE_NOOP("LiveValues", "U12")},
     {LineVoltage12 + 2, LineVoltage12 + 1, LineVoltage12},
     Format::Prefix,
     "V",
     StarAndDelta},
    {sameInEveryColumn(QT_TRANSLATE_NOOP("LiveValues", "I")), phasesOf(Rms + 3), Format::Prefix,
     "A", TwoPhasesInDelta},
    {sameInEveryColumn(QT_TRANSLATE_NOOP("LiveValues", "P")), phasesOf(ActivePower), Format::Prefix,
     "W", TwoPhasesInDelta},
    {sameInEveryColumn(QT_TRANSLATE_NOOP("LiveValues", "Q")), phasesOf(ReactivePower),
     Format::Prefix, "VAr", TwoPhasesInDelta},
    {sameInEveryColumn(QT_TRANSLATE_NOOP("LiveValues", "S")), phasesOf(ApparentPower),
     Format::Prefix, "VA", TwoPhasesInDelta},
    {sameInEveryColumn(QT_TRANSLATE_NOOP("LiveValues", "D")), phasesOf(DistortionPower),
     Format::Prefix, "VAr", TwoPhasesInDelta},
    {sameInEveryColumn(QT_TRANSLATE_NOOP("LiveValues", "PF")), phasesOf(PowerFactor), Format::Ratio,
     "", TwoPhasesInDelta},
    {sameInEveryColumn(QT_TRANSLATE_NOOP("LiveValues", "tg")), phasesOf(Tangent), Format::Percent,
     "", StarOnly},
    {sameInEveryColumn(QT_TRANSLATE_NOOP("LiveValues", "DF")), phasesOf(DistortionFactor),
     Format::Ratio, "", TwoPhasesInDelta},
    {sameInEveryColumn(QT_TRANSLATE_NOOP("LiveValues", "UDC")), phasesOf(Mean), Format::Prefix, "V",
     TwoPhasesInDelta},
    {sameInEveryColumn(QT_TRANSLATE_NOOP("LiveValues", "IDC")), phasesOf(Mean + 3), Format::Prefix,
     "A", TwoPhasesInDelta},
    {sameInEveryColumn(QT_TRANSLATE_NOOP("LiveValues", "THDU")), phasesOf(Thd), Format::Percent,
     "%", TwoPhasesInDelta},
    {sameInEveryColumn(QT_TRANSLATE_NOOP("LiveValues", "THDI")), phasesOf(Thd + 3), Format::Percent,
     "%", TwoPhasesInDelta},
    {sameInEveryColumn(QT_TRANSLATE_NOOP("LiveValues", "CFU")), phasesOf(CrestFactor),
     Format::Percent, "%", TwoPhasesInDelta},
    {sameInEveryColumn(QT_TRANSLATE_NOOP("LiveValues", "CFI")), phasesOf(CrestFactor + 3),
     Format::Percent, "%", TwoPhasesInDelta},
};

QString translated(const char* text)
{
    return QCoreApplication::translate("LiveValues", text);
}

int systemIndex(MeasuringSystem system)
{
    switch (system) {
    case MeasuringSystem::Star:
        return 0;
    case MeasuringSystem::Delta:
        return 1;
    case MeasuringSystem::SinglePhase:
        break;
    }
    return 2;
}

LiveField formatted(double value, Format format, const char* unit)
{
    switch (format) {
    case Format::Prefix:
    case Format::Energy: {
        const PrefixedValue v = formatWithPrefix(value, format == Format::Energy ? 7 : 3);
        return {v.value, v.prefix + QLatin1String(unit)};
    }
    case Format::Ratio:
        return {formatRatio(value), QLatin1String(unit)};
    case Format::Percent:
        break;
    }
    return {formatPercent(value), QLatin1String(unit)};
}

LiveField field(const std::array<Real, RecorderValueCount>& values, int number, Format format,
                const char* unit, bool present)
{
    if (!present)
        return {absentValueText(), QLatin1String(unit)};
    return formatted(static_cast<double>(values[number]), format, unit);
}

QString caption(const QString& prefix, const LiveField& f)
{
    return prefix + f.value + f.unit;
}

std::array<QString, WaveformCaptionCount>
waveformCaptions(const std::array<Real, RecorderValueCount>& values, MeasuringSystem system)
{
    auto prefixed = [&](int number, const char* unit) {
        return formatted(static_cast<double>(values[number]), Format::Prefix, unit);
    };
    switch (system) {
    case MeasuringSystem::Star:
        return {caption(translated("UL1 = "), prefixed(Rms, "V")),
                caption(translated("IL1 = "), prefixed(Rms + 3, "A")),
                caption(translated("UL2 = "), prefixed(Rms + 1, "V")),
                caption(translated("IL2 = "), prefixed(Rms + 4, "A")),
                caption(translated("UL3 = "), prefixed(Rms + 2, "V")),
                caption(translated("IL3 = "), prefixed(Rms + 5, "A"))};
    case MeasuringSystem::Delta:
        return {caption(translated("UL31 = "), prefixed(LineVoltage12 + 2, "V")),
                caption(translated("IL1 = "), prefixed(Rms + 3, "A")),
                caption(translated("UL23 = "), prefixed(LineVoltage12 + 1, "V")),
                caption(translated("IL2 = "), prefixed(Rms + 4, "A")),
                QString(),
                QString()};
    case MeasuringSystem::SinglePhase:
        break;
    }
    return {caption(translated("U="), prefixed(TotalVoltage, "V")),
            caption(translated("I="), prefixed(TotalCurrent, "A")),
            QString(),
            QString(),
            QString(),
            QString()};
}

} // namespace

QString absentValueText()
{
    return QStringLiteral("-----");
}

LiveValuesView showLiveValues(const std::array<Real, RecorderValueCount>& values,
                              config::MeasuringSystem system)
{
    const int s = systemIndex(system);
    LiveValuesView view;
    for (const TotalsRowLayout& layout : TotalsRows) {
        const Presence presence = layout.presence[s];
        view.totals.append(
            {translated(layout.caption),
             field(values, layout.number, layout.format, layout.unit, presence == Presence::Shown),
             presence != Presence::Hidden});
    }
    for (const PhaseRowLayout& layout : PhaseRows) {
        PhaseRow row;
        for (int column = 0; column < PhaseColumnCount; ++column) {
            row.captions[column] = translated(layout.captions[column]);
            row.fields[column] = field(values, layout.numbers[column], layout.format, layout.unit,
                                       layout.presence[s][column]);
        }
        view.phases.append(row);
    }
    view.waveformCaptions = waveformCaptions(values, system);
    return view;
}

} // namespace kapstat::live
