#include "browse/recordpreview.h"

#include "common/datetimetext.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace kapstat::browse {

namespace {

constexpr int SampleCount = 300;
constexpr int SampleBytes = 2 * SampleCount;
constexpr double SampleSpacingMs = 0.4;
// The waveform axes span ±2000 converter counts, scaled by the channel's gain.
constexpr double WaveformAxisCounts = 2000;
constexpr int FirstSpectrumOrder = 2;
constexpr int LastSpectrumOrder = 24;
constexpr double PhasorAxisMargin = 1.2;
// Phase count codes of the measuring system.
constexpr int SinglePhase = 1;
constexpr int Delta = 2;
constexpr int Star = 3;
constexpr std::array<quint32, 3> PhaseColours = {rgb::Red, rgb::Green, rgb::Blue};

// The spectrum's axis maximum for the largest whole value shown below `below`; automatic above.
struct AxisStep
{
    double below;
    double maximum;
};
constexpr AxisStep SpectrumAxisSteps[] = {{6, 6}, {51, 60}, {101, 110}, {201, 220}};

using Phasor = std::complex<double>;

QString tr(const char* text)
{
    return QCoreApplication::translate("kapstat::browse::RecordPreview", text);
}

// A stored number: NULL reads as 0, as the table store hands it out; anything that is not a
// finite number is damage.
std::optional<double> storedNumber(const QVariant& value)
{
    if (value.isNull())
        return 0.0;
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

// A gain scales every sample: without one (missing column, NULL) the curve cannot be drawn.
std::optional<double> storedGain(const RecordValues& values, int channel)
{
    const QVariant value = values.value(QStringLiteral("Wzm") + QString::number(channel));
    if (value.isNull())
        return std::nullopt;
    return storedNumber(value);
}

// The 300 samples of a channel times its gain; nothing for a missing, NULL or short value.
std::optional<QVector<double>> scaledChannel(const RecordValues& values, const QString& column,
                                             int gainChannel)
{
    const QVariant value = values.value(column);
    const std::optional<double> gain = storedGain(values, gainChannel);
    if (value.typeId() != QMetaType::QByteArray || !gain)
        return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    if (bytes.size() < SampleBytes)
        return std::nullopt;
    QVector<double> samples;
    samples.reserve(SampleCount);
    for (int i = 0; i < SampleBytes; i += 2)
        samples.append(decodeSignMagnitude(uchar(bytes[i]), uchar(bytes[i + 1])) * *gain);
    return samples;
}

// Sample i (counted from 1) lies i × 0.4 ms after the start.
QVector<QPointF> waveformPoints(const QVector<double>& samples)
{
    QVector<QPointF> points;
    points.reserve(samples.size());
    for (int i = 0; i < samples.size(); ++i)
        points.append({(i + 1) * SampleSpacingMs, samples[i]});
    return points;
}

PreviewSlot filledSlot(const QString& title, quint32 colour, const QVector<QPointF>& points)
{
    PreviewSlot slot;
    slot.active = true;
    slot.title = title;
    slot.rgb = colour;
    slot.points = points;
    return slot;
}

PreviewAxis automaticAxis(const QString& title)
{
    PreviewAxis axis;
    axis.visible = true;
    axis.title = title;
    return axis;
}

// From −halfRange to halfRange; automatic where that range would be empty.
PreviewAxis symmetricAxis(double halfRange, const QString& title)
{
    PreviewAxis axis = automaticAxis(title);
    if (halfRange > 0) {
        axis.automatic = false;
        axis.min = -halfRange;
        axis.max = halfRange;
    }
    return axis;
}

PreviewAxis waveformAxis(const RecordValues& values, int gainChannel, const QString& title)
{
    const double gain = storedGain(values, gainChannel).value_or(0);
    return symmetricAxis(WaveformAxisCounts * std::abs(gain), title);
}

QString recordTimeText(const QVariant& stored)
{
    if (stored.typeId() == QMetaType::QDateTime)
        return common::DateTimeText::dateTime(stored.toDateTime());
    return stored.toString().trimmed();
}

QString recordTitle(const QString& lead, const RecordValues& values)
{
    return lead + values.value(QStringLiteral("Nr")).toString() + tr(" z ") +
           recordTimeText(values.value(QStringLiteral("DiC")));
}

QString fileLine(const QString& selectionFileName)
{
    return tr("Pomiary z pliku: ") + QFileInfo(selectionFileName).fileName();
}

// A samples column "Probki" + U or I + "L" + phase: the record's voltage and current of that
// phase, whichever of them the table holds.
std::optional<PreviewContent> waveformPreview(const RecordValues& values, const QString& column,
                                              const QString& selectionFileName)
{
    const QString suffix = column.right(2);
    const int phase = suffix.at(1).digitValue();
    if (!suffix.startsWith(QLatin1Char('L')) || phase < 1 || phase > 3)
        return std::nullopt;
    const QString voltageColumn = QStringLiteral("ProbkiU") + suffix;
    const QString currentColumn = QStringLiteral("ProbkiI") + suffix;
    const int voltageGain = phase - 1;
    const int currentGain = phase + 2;

    PreviewContent content;
    if (values.contains(voltageColumn)) {
        const auto voltage = scaledChannel(values, voltageColumn, voltageGain);
        if (!voltage)
            return std::nullopt;
        content.slots[VoltageLine] = filledSlot(tr("U"), rgb::Blue, waveformPoints(*voltage));
    }
    if (values.contains(currentColumn)) {
        const auto current = scaledChannel(values, currentColumn, currentGain);
        if (!current)
            return std::nullopt;
        content.slots[CurrentLine] = filledSlot(tr("I"), rgb::Green, waveformPoints(*current));
    }
    if (!content.slots[VoltageLine].active && !content.slots[CurrentLine].active)
        return std::nullopt;

    content.left = waveformAxis(values, voltageGain, tr("napięcie [V]"));
    content.left.grid = true;
    content.right = waveformAxis(values, currentGain, tr("prąd [A]"));
    content.bottom = automaticAxis(tr("czas [ms]"));
    content.titleLines = {recordTitle(tr("Wykresy kształtów przebiegów z rekordu nr "), values),
                          fileLine(selectionFileName)};
    return content;
}

// The neutral current: the sum of the three phase currents, sample by sample.
std::optional<PreviewContent> neutralCurrentPreview(const RecordValues& values,
                                                    const QString& selectionFileName)
{
    QVector<double> sum(SampleCount, 0.0);
    for (int phase = 1; phase <= 3; ++phase) {
        const auto current =
            scaledChannel(values, QStringLiteral("ProbkiIL") + QString::number(phase), phase + 2);
        if (!current)
            return std::nullopt;
        std::transform(sum.cbegin(), sum.cend(), current->cbegin(), sum.begin(), std::plus<>());
    }

    PreviewContent content;
    content.slots[CurrentLine] = filledSlot(tr("I0ch"), rgb::Olive, waveformPoints(sum));
    content.right = automaticAxis(tr("prąd I0ch [A]"));
    content.bottom = automaticAxis(tr("czas [ms]"));
    content.titleLines = {
        recordTitle(tr("Wykres kształtu przebiegu prądu zerowego I0 z rekordu nr "), values),
        fileLine(selectionFileName)};
    return content;
}

// One bar series of the spectrum: the statistic of every order from 2 to 24.
struct SpectrumSeries
{
    PreviewSlotIndex slot;
    QString statistic;
    QString title;
    quint32 colour;
};

bool hasStatistic(const RecordValues& values, const QString& prefix, const QString& statistic)
{
    return values.contains(prefix + QString::number(FirstSpectrumOrder) + statistic);
}

std::optional<PreviewSlot> spectrumSlot(const RecordValues& values, const QString& prefix,
                                        const SpectrumSeries& series)
{
    PreviewSlot slot = filledSlot(series.title, series.colour, {});
    for (int order = FirstSpectrumOrder; order <= LastSpectrumOrder; ++order) {
        const QString column = prefix + QString::number(order) + series.statistic;
        const auto value =
            values.contains(column) ? storedNumber(values.value(column)) : std::nullopt;
        if (!value)
            return std::nullopt;
        slot.points.append({double(order), *value});
        slot.pointColours.append(series.colour);
    }
    return slot;
}

// The left axis grows in fixed steps with the largest whole percentage shown.
PreviewAxis spectrumAxis(const PreviewContent& content)
{
    double highest = 0;
    for (const PreviewSlot& slot : content.slots)
        for (const QPointF& point : slot.points)
            highest = std::max(highest, std::trunc(point.y()));
    PreviewAxis axis = automaticAxis(tr("wartość harmnicznej [%]"));
    axis.grid = true;
    const auto step = std::find_if(std::cbegin(SpectrumAxisSteps), std::cend(SpectrumAxisSteps),
                                   [&](const AxisStep& step) { return highest < step.below; });
    if (step != std::cend(SpectrumAxisSteps)) {
        axis.automatic = false;
        axis.max = step->maximum;
    }
    return axis;
}

std::optional<PreviewContent> spectrumPreview(const RecordValues& values, const QString& prefix,
                                              const QString& selectionFileName)
{
    // Slot 3 shows the minima, or the instantaneous values where no minima are kept: both at
    // once would put two bars on every order of one series.
    const bool minimaKept = hasStatistic(values, prefix, QStringLiteral("min"));
    const quint32 ownColour = prefix.startsWith(QLatin1Char('U')) ? rgb::Blue : rgb::Green;
    const SpectrumSeries allSeries[] = {
        {MaximumBars, QStringLiteral("max"), tr("max."), rgb::Red},
        {MeanBars, QStringLiteral("sr"), tr("śr."), rgb::Yellow},
        {MinimumBars, minimaKept ? QStringLiteral("min") : QStringLiteral("ch"),
         minimaKept ? tr("min.") : tr("chwil."), ownColour},
    };

    PreviewContent content;
    for (const SpectrumSeries& series : allSeries) {
        if (!hasStatistic(values, prefix, series.statistic))
            continue;
        const auto slot = spectrumSlot(values, prefix, series);
        if (!slot)
            return std::nullopt;
        content.slots[series.slot] = *slot;
    }
    content.left = spectrumAxis(content);
    content.left.min = 0;
    content.bottom = automaticAxis(tr("numer harmonicznej"));
    content.titleLines = {tr("Wykresy harmonicznych ") + prefix.left(1) +
                              values.value(QStringLiteral("Faza")).toString().trimmed() +
                              tr(" z ") + recordTimeText(values.value(QStringLiteral("DiC"))),
                          fileLine(selectionFileName)};
    return content;
}

bool hasSpectrum(const RecordValues& values, const QString& prefix)
{
    const QString statistics[] = {QStringLiteral("min"), QStringLiteral("max"),
                                  QStringLiteral("sr"), QStringLiteral("ch")};
    return std::any_of(
        std::cbegin(statistics), std::cend(statistics),
        [&](const QString& statistic) { return hasStatistic(values, prefix, statistic); });
}

// The fundamental phasors of the record, indexed by phase from 0.
struct Phasors
{
    std::array<Phasor, 3> voltages{};
    std::array<Phasor, 3> currents{};

    void rotate(Phasor factor)
    {
        for (Phasor& phasor : voltages)
            phasor *= factor;
        for (Phasor& phasor : currents)
            phasor *= factor;
    }
};

// B + jC of a quantity ("UL1"); a missing column reads as 0.
std::optional<Phasor> storedPhasor(const RecordValues& values, const QString& quantity)
{
    const auto real = storedNumber(values.value(QStringLiteral("B") + quantity));
    const auto imaginary = storedNumber(values.value(QStringLiteral("C") + quantity));
    if (!real || !imaginary)
        return std::nullopt;
    return Phasor(*real, *imaginary);
}

std::optional<Phasors> storedPhasors(const RecordValues& values, int phaseCount)
{
    Phasors phasors;
    for (int phase = 0; phase < phaseCount; ++phase) {
        const QString suffix = QStringLiteral("L") + QString::number(phase + 1);
        const auto voltage = storedPhasor(values, QStringLiteral("U") + suffix);
        const auto current = storedPhasor(values, QStringLiteral("I") + suffix);
        if (!voltage || !current)
            return std::nullopt;
        phasors.voltages[phase] = *voltage;
        phasors.currents[phase] = *current;
    }
    return phasors;
}

// Turns every phasor so that UL1 becomes real and positive; a zero UL1 gives no reference.
void rotateToReference(Phasors& phasors)
{
    const double reference = std::abs(phasors.voltages[0]);
    if (reference != 0)
        phasors.rotate(std::conj(phasors.voltages[0]) / reference);
}

// A delta system stores two line voltages and two currents: the third current closes the sum,
// and the picture is turned by 30° towards the second voltage.
void completeDelta(Phasors& phasors)
{
    phasors.voltages[2] = 0;
    phasors.currents[2] = -(phasors.currents[0] + phasors.currents[1]);
    rotateToReference(phasors);
    const double turn = (phasors.voltages[1].imag() > 0 ? 30.0 : -30.0) * std::numbers::pi / 180;
    phasors.rotate(std::polar(1.0, turn));
}

// Drawn with the real part upwards, so that the reference points straight up.
QPointF drawn(Phasor phasor)
{
    return {phasor.imag(), phasor.real()};
}

PreviewArrow arrow(Phasor from, Phasor to, const QString& label, quint32 colour)
{
    return {drawn(from), drawn(to), label, colour};
}

QVector<PreviewArrow> fromOrigin(const std::array<Phasor, 3>& phasors, int count,
                                 const QString& quantity)
{
    QVector<PreviewArrow> arrows;
    for (int phase = 0; phase < count; ++phase)
        arrows.append(
            arrow(0, phasors[phase], quantity + QString::number(phase + 1), PhaseColours[phase]));
    return arrows;
}

QVector<PreviewArrow> deltaVoltageArrows(const Phasors& phasors)
{
    const Phasor u1 = phasors.voltages[0];
    const Phasor u2 = phasors.voltages[1];
    return {arrow(0, u1, tr("U13"), rgb::Red), arrow(u2, 0, tr("U32"), rgb::Green),
            arrow(u1, u2, tr("U21"), rgb::Blue)};
}

double largestCoordinate(const QVector<PreviewArrow>& arrows)
{
    double largest = 0;
    for (const PreviewArrow& arrow : arrows)
        for (const QPointF& end : {arrow.from, arrow.to})
            largest = std::max({largest, std::abs(end.x()), std::abs(end.y())});
    return largest;
}

PreviewSlot arrowSlot(const QVector<PreviewArrow>& arrows)
{
    PreviewSlot slot;
    slot.active = true;
    slot.arrows = arrows;
    return slot;
}

std::optional<PreviewContent> phasorPreview(const RecordValues& values, int phaseCount,
                                            const QString& selectionFileName)
{
    if (phaseCount < SinglePhase || phaseCount > Star)
        return std::nullopt;
    auto phasors = storedPhasors(values, phaseCount);
    if (!phasors)
        return std::nullopt;
    if (phaseCount == Delta)
        completeDelta(*phasors);
    else
        rotateToReference(*phasors);

    const int arrowCount = phaseCount == SinglePhase ? 1 : 3;
    const QVector<PreviewArrow> voltages =
        phaseCount == Delta ? deltaVoltageArrows(*phasors)
                            : fromOrigin(phasors->voltages, arrowCount, tr("UL"));
    const QVector<PreviewArrow> currents = fromOrigin(phasors->currents, arrowCount, tr("IL"));

    PreviewContent content;
    content.slots[VoltageArrows] = arrowSlot(voltages);
    content.slots[CurrentArrows] = arrowSlot(currents);
    const double voltageRange = PhasorAxisMargin * largestCoordinate(voltages);
    const double currentRange = PhasorAxisMargin * largestCoordinate(currents);
    content.left = symmetricAxis(voltageRange, tr("napięcie [V]"));
    content.bottom = symmetricAxis(voltageRange, tr("napięcie [V]"));
    content.right = symmetricAxis(currentRange, tr("prąd [A]"));
    content.top = symmetricAxis(currentRange, tr("prąd [A]"));
    content.titleLines = {recordTitle(tr("Wykresy wskazowe napięć i prądów z rekordu nr "), values),
                          fileLine(selectionFileName),
                          tr("napięcia - groty wąskie; prądy - groty szerokie")};
    return content;
}

} // namespace

int decodeSignMagnitude(uchar low, uchar high)
{
    const int magnitude = (high & 0x7F) * 256 + low;
    return high & 0x80 ? -magnitude : magnitude;
}

QVector<PreviewLegendEntry> arrowLegend(const PreviewContent& content)
{
    const QVector<PreviewArrow>& voltages = content.slots[VoltageArrows].arrows;
    const QVector<PreviewArrow>& currents = content.slots[CurrentArrows].arrows;
    QVector<PreviewLegendEntry> entries;
    for (qsizetype i = 0; i < std::max(voltages.size(), currents.size()); ++i) {
        QStringList labels;
        if (i < voltages.size())
            labels.append(voltages[i].label);
        if (i < currents.size())
            labels.append(currents[i].label);
        entries.append({labels.join(QLatin1Char(' ')),
                        i < voltages.size() ? voltages[i].rgb : currents[i].rgb});
    }
    return entries;
}

std::optional<PreviewContent> rmsColumnPreview(const RecordValues& values, const QString& column,
                                               const QString& selectionFileName)
{
    if (!values.contains(column))
        return std::nullopt;
    if (column.startsWith(QStringLiteral("Probki")))
        return waveformPreview(values, column, selectionFileName);
    if (column == QStringLiteral("I0ch"))
        return neutralCurrentPreview(values, selectionFileName);
    return std::nullopt;
}

std::optional<PreviewContent> harmonicsColumnPreview(const RecordValues& values,
                                                     const QString& column, int phaseCount,
                                                     const QString& selectionFileName)
{
    if (!values.contains(column))
        return std::nullopt;
    const QString prefix = column.left(2);
    if ((prefix == QStringLiteral("UH") || prefix == QStringLiteral("IH")) &&
        hasSpectrum(values, prefix))
        return spectrumPreview(values, prefix, selectionFileName);
    if (column.startsWith(QLatin1Char('B')) || column.startsWith(QLatin1Char('C')))
        return phasorPreview(values, phaseCount, selectionFileName);
    return std::nullopt;
}

} // namespace kapstat::browse
