#include "sim/mainsquantity.h"

#include "download/measurementtables.h"

#include <QRegularExpression>
#include <QString>
#include <utility>

namespace kapstat::sim {

namespace {

using download::MeasurementTables;
using download::TableKind;
using Measure = MainsQuantity::Measure;

constexpr int FirstRmsStatistic = 8;
constexpr int FirstRmsSample = 220;
constexpr int FirstBcField = 312;

struct NamedMeasure
{
    const char* name;
    Measure measure;
};

// The RMS list's quantity names without their phase suffix.
constexpr NamedMeasure RmsMeasures[] = {
    {"U", Measure::Voltage},
    {"I", Measure::Current},
    {"P", Measure::ActivePower},
    {"PF", Measure::PowerFactor},
    {"S", Measure::ApparentPower},
    {"Q", Measure::ReactivePower},
    {"D", Measure::DistortionPower},
    {"DF", Measure::DistortionFactor},
    {"tg", Measure::Tangent},
    {"f", Measure::Frequency},
    {"I0", Measure::NeutralCurrent},
    {"CFU", Measure::CrestFactorU},
    {"CFI", Measure::CrestFactorI},
    {"UH0", Measure::DcVoltage},
    {"IH0", Measure::DcCurrent},
    {"Pav", Measure::PeakActivePower},
    {"Qav", Measure::PeakReactivePower},
    {"Sav", Measure::PeakApparentPower},
};

constexpr NamedMeasure HarmMeasures[] = {
    {"THDU", Measure::ThdU},
    {"THDI", Measure::ThdI},
    {"U2", Measure::NegativeSequence},
    {"U1", Measure::PositiveSequence},
    {"U1U2", Measure::Unbalance},
    {"U0", Measure::ZeroSequence},
    {"UH", Measure::HarmonicU},
    {"IH", Measure::HarmonicI},
    {"cosH", Measure::HarmonicCos},
    {"BUL", Measure::PhasorRealU},
    {"CUL", Measure::PhasorImaginaryU},
    {"BIL", Measure::PhasorRealI},
    {"CIL", Measure::PhasorImaginaryI},
};

template <std::size_t N>
std::optional<Measure> measureNamed(const NamedMeasure (&table)[N], const QString& name)
{
    for (const NamedMeasure& entry : table)
        if (name == QLatin1String(entry.name))
            return entry.measure;
    return std::nullopt;
}

// The name less its statistic suffix (min, max, sr, ch), which the list's order fixes.
QString withoutSuffix(const QString& name, MainsQuantity::Statistic statistic)
{
    const bool threeLetters =
        statistic == MainsQuantity::Minimum || statistic == MainsQuantity::Maximum;
    return name.chopped(threeLetters ? 3 : 2);
}

// "UL2" is U of phase 1, "U23" the line voltage from L2 to L3, "U" the summary.
std::optional<MainsQuantity> rmsQuantityNamed(const QString& base)
{
    static const QRegularExpression perPhase(QStringLiteral("^(.+)L([123])$"));
    static const QStringList lineVoltages{QStringLiteral("U12"), QStringLiteral("U23"),
                                          QStringLiteral("U31")};
    MainsQuantity q;
    if (lineVoltages.contains(base)) {
        q.measure = Measure::LineVoltage;
        q.phase = static_cast<int>(lineVoltages.indexOf(base));
        return q;
    }
    const auto match = perPhase.match(base);
    const QString name = match.hasMatch() ? match.captured(1) : base;
    const auto measure = measureNamed(RmsMeasures, name);
    if (!measure)
        return std::nullopt;
    q.measure = *measure;
    q.phase = match.hasMatch() ? match.captured(2).toInt() - 1 : MainsQuantity::Summary;
    return q;
}

// "UH7" is the 7th voltage harmonic; "CIL3" the imaginary part of IL3's phasor.
std::optional<MainsQuantity> harmQuantityNamed(const QString& base)
{
    static const QRegularExpression numbered(
        QStringLiteral("^(UH|IH|cosH|BUL|CUL|BIL|CIL)(\\d+)$"));
    MainsQuantity q;
    const auto match = numbered.match(base);
    const auto measure = measureNamed(HarmMeasures, match.hasMatch() ? match.captured(1) : base);
    if (!measure)
        return std::nullopt;
    q.measure = *measure;
    const bool phasor = *measure >= Measure::PhasorRealU;
    if (match.hasMatch() && phasor)
        q.phase = match.captured(2).toInt() - 1;
    else if (match.hasMatch())
        q.order = match.captured(2).toInt();
    return q;
}

} // namespace

std::optional<MainsQuantity> MainsQuantity::ofRmsField(int position)
{
    const QStringList& names = MeasurementTables::nameList(TableKind::Rms);
    if (position < 5 || position >= FirstRmsSample)
        return std::nullopt;
    const auto statistic = position < FirstRmsStatistic
                               ? Single
                               : static_cast<Statistic>((position - FirstRmsStatistic) % 4);
    const QString& name = names[position];
    auto q = rmsQuantityNamed(statistic == Single ? name : withoutSuffix(name, statistic));
    if (q)
        q->statistic = statistic;
    return q;
}

std::optional<MainsQuantity> MainsQuantity::ofHarmField(int position)
{
    const QStringList& names = MeasurementTables::nameList(TableKind::Harm);
    if (position < 0 || position >= names.size())
        return std::nullopt;
    const auto statistic = position < FirstBcField ? static_cast<Statistic>(position % 4) : Single;
    const QString& name = names[position];
    auto q = harmQuantityNamed(statistic == Single ? name : withoutSuffix(name, statistic));
    if (q)
        q->statistic = statistic;
    return q;
}

bool MainsQuantity::isPerPhaseHarmonics() const
{
    switch (measure) {
    case Measure::ThdU:
    case Measure::ThdI:
    case Measure::HarmonicU:
    case Measure::HarmonicI:
    case Measure::HarmonicCos:
        return true;
    default:
        return false;
    }
}

} // namespace kapstat::sim
