#include "live/harmonicsview.h"

#include "common/decimaltext.h"
#include "live/quantitynumbers.h"
#include "live/valueformat.h"

#include <QCoreApplication>

namespace kapstat::live {

namespace {

using common::DecimalText;
using config::MeasuringSystem;
using namespace quantity;

QString tr(const char* text)
{
    return QCoreApplication::translate("LiveHarmonics", text);
}

// "00.00": at least two integer digits.
QString twoDigitsTwoDecimals(double x)
{
    QString text = DecimalText::fixed(x, 2);
    const bool negative = text.startsWith(QLatin1Char('-'));
    const qsizetype integerDigits = text.indexOf(QLatin1Char(',')) - (negative ? 1 : 0);
    if (integerDigits < 2)
        text.insert(negative ? 1 : 0, QLatin1Char('0'));
    return text;
}

const char* const PhaseNames[] = {"L1", "L2", "L3"};

// The RMS value the fundamental is a percentage of under the RMS base.
double voltageRms(const LiveStore& store, MeasuringSystem system, int phase)
{
    switch (system) {
    case MeasuringSystem::Delta:
        return static_cast<double>(store.recorderValues[LineVoltage12 + 2 - phase]);
    case MeasuringSystem::SinglePhase:
        // The recorder sends the single phase's voltage only as the total.
        return static_cast<double>(store.recorderValues[TotalVoltage]);
    case MeasuringSystem::Star:
        break;
    }
    return static_cast<double>(store.recorderValues[Rms + phase]);
}

double currentRms(const LiveStore& store, MeasuringSystem system, int phase)
{
    if (system == MeasuringSystem::SinglePhase)
        return static_cast<double>(store.recorderValues[TotalCurrent]);
    return static_cast<double>(store.recorderValues[Rms + 3 + phase]);
}

QString fundamentalPercent(double fundamental, double rms, config::ThdBase base)
{
    if (base == config::ThdBase::H1)
        return DecimalText::fixed(100, 2);
    return rms > 0 ? twoDigitsTwoDecimals(fundamental / rms * 100) : DecimalText::fixed(0, 2);
}

QString withUnit(double value, const char* unit)
{
    const PrefixedValue v = formatWithPrefix(value, 3);
    return v.value + v.prefix + QLatin1String(unit);
}

QString fieldText(const LiveField& field)
{
    return field.value + field.unit;
}

// Rows of the value pages the small tables copy.
enum ValueRow
{
    PhaseVoltageRow = 0,
    LineVoltageRow = 1,
    PhaseCurrentRow = 2,
    PhaseDcVoltageRow = 10,
    PhaseDcCurrentRow = 11,
    TotalVoltageRow = 0,
    TotalCurrentRow = 1,
    TotalDcVoltageRow = 9,
    TotalDcCurrentRow = 10,
};

void fillSmallTables(HarmonicsView& view, const LiveStore& store, const LiveValuesView& values,
                     MeasuringSystem system, int phase)
{
    view.voltageTable[0] = frequencyText(static_cast<double>(store.recorderValues[Frequency]));
    if (system == MeasuringSystem::SinglePhase) {
        view.voltageTable[2] = fieldText(values.totals[TotalVoltageRow].field);
        view.voltageTable[3] = fieldText(values.totals[TotalDcVoltageRow].field);
        view.currentTable[2] = fieldText(values.totals[TotalCurrentRow].field);
        view.currentTable[3] = fieldText(values.totals[TotalDcCurrentRow].field);
        return;
    }
    const int voltageRow = system == MeasuringSystem::Delta ? LineVoltageRow : PhaseVoltageRow;
    view.voltageTable[2] = fieldText(values.phases[voltageRow].fields[phase]);
    view.voltageTable[3] = fieldText(values.phases[PhaseDcVoltageRow].fields[phase]);
    view.currentTable[2] = fieldText(values.phases[PhaseCurrentRow].fields[phase]);
    view.currentTable[3] = fieldText(values.phases[PhaseDcCurrentRow].fields[phase]);
}

void describeTab(HarmonicsView& view, int tab, MeasuringSystem system)
{
    const int phase = tab % 3;
    const QString name = QLatin1String(PhaseNames[phase]);
    view.kind = tab < 3   ? HarmonicsKind::Voltage
                : tab < 6 ? HarmonicsKind::Current
                          : HarmonicsKind::Both;
    switch (view.kind) {
    case HarmonicsKind::Voltage:
        view.title = tr("Harmoniczne U %1 [%]").arg(name);
        view.axisTitle = tr("U [% względem H01]");
        break;
    case HarmonicsKind::Current:
        view.title = tr("Harmoniczne I %1 [%]").arg(name);
        view.axisTitle = tr("I [% względem H01]");
        break;
    case HarmonicsKind::Both:
        view.title = tr("Harmoniczne U i I %1 [%]").arg(name);
        view.axisTitle = tr("U i I [% względem H01]");
        break;
    }
    view.normEnabled = view.kind == HarmonicsKind::Voltage;
    const char* const lineVoltages[] = {"U31[%]", "U23[%]", "U12[%]"};
    view.headings = {system == MeasuringSystem::Delta ? tr(lineVoltages[phase])
                                                      : tr("U%1[%]").arg(name),
                     tr("I%1[%]").arg(name), tr("cos%1").arg(name)};
}

} // namespace

std::array<double, HighestHarmonic> voltageHarmonicLimits(const config::NormParameters& norm)
{
    std::array<double, HighestHarmonic> limits{};
    for (int h = 2; h <= HighestHarmonic; ++h)
        limits[h - 1] = DecimalText::parse(norm[config::harmonicField(h)]).value_or(0);
    return limits;
}

bool isHarmonicsTabEnabled(int tab, MeasuringSystem system)
{
    const int phase = tab % 3;
    switch (system) {
    case MeasuringSystem::Star:
        return true;
    case MeasuringSystem::Delta:
        return phase < 2;
    case MeasuringSystem::SinglePhase:
        break;
    }
    return phase == 0;
}

QString harmonicsTabCaption(int tab, MeasuringSystem system)
{
    static const char* const captions[] = {"UL1", "UL2",     "UL3",     "IL1",    "IL2",
                                           "IL3", "UL1+IL1", "UL2+IL2", "UL3+IL3"};
    return isHarmonicsTabEnabled(tab, system) ? tr(captions[tab]) : QStringLiteral("---");
}

QString frequencyText(double hertz)
{
    return formatAtMostTwoDecimals(hertz) + QStringLiteral(" Hz");
}

HarmonicsView harmonicsView(const LiveStore& store, const LiveValuesView& values, int tab,
                            const HarmonicsSettings& settings)
{
    HarmonicsView view;
    const int phase = tab % 3;
    describeTab(view, tab, settings.system);
    const auto& harmonics = store.recorderHarmonics;
    for (int h = 1; h <= HighestHarmonic; ++h) {
        const double u = static_cast<double>(harmonics[phase][h]);
        const double i = static_cast<double>(harmonics[phase + 3][h]);
        auto& row = view.rows[h - 1];
        row[0] =
            h == 1 ? fundamentalPercent(u, voltageRms(store, settings.system, phase), settings.base)
                   : twoDigitsTwoDecimals(u);
        row[1] =
            h == 1 ? fundamentalPercent(i, currentRms(store, settings.system, phase), settings.base)
                   : DecimalText::fixed(i, 2);
        const QString& raw = store.recorderHarmonicsRaw[phase + 6][h];
        row[2] = raw.isEmpty() ? DecimalText::fixed(static_cast<double>(harmonics[phase + 6][h]), 2)
                               : raw;
        view.voltageBars[h - 1] = DecimalText::parse(row[0]).value_or(0);
        view.currentBars[h - 1] = DecimalText::parse(row[1]).value_or(0);
        view.voltageOverLimit[h - 1] = settings.normShown && view.normEnabled && h >= 2 &&
                                       view.voltageBars[h - 1] > settings.limits[h - 1];
    }
    fillSmallTables(view, store, values, settings.system, phase);
    view.voltageTable[4] = withUnit(static_cast<double>(harmonics[phase][1]), "V");
    view.currentTable[4] = withUnit(static_cast<double>(harmonics[phase + 3][1]), "A");
    return view;
}

} // namespace kapstat::live
