#include "live/counterstext.h"

#include "common/decimaltext.h"
#include "link/devicenumbers.h"
#include "live/instantframe.h"
#include "norm/pccounterslots.h"

#include <cmath>

namespace kapstat::live {

namespace {

using common::DecimalText;
using Value = std::optional<QString>; // nullopt: the value cannot be shown

constexpr int FieldWidth = 6;
constexpr int PhaseCount = 3;

// What a line shows on each side of " / ".
enum class Recorder
{
    Count,   // 16-bit count, two bytes per phase
    Raw,     // three bytes per phase, as hexadecimal
    Missing, // the frame carries no value
};
enum class Program
{
    Count,
    Unpadded,
    Raw,    // the slot encoded as the recorder's three-byte decimal float
    Sample, // the slot in converter counts of the phase's voltage channel
};

} // namespace

// One line of items; the texts of phases L2 and L3 follow from the first one's label (the part
// from labelStart on) with L2, L3 in place of L1, after three blanks.
struct CountersText::LineLayout
{
    QString text;
    int labelStart = 0;
    Recorder recorder = Recorder::Count;
    int position = 0; // of phase L1
    Program program = Program::Count;
    int slot = 0; // of phase L1
    int phases = PhaseCount;
    int phaseStride = 0; // positions between phases; 0: the width of the field
    int slotStride = 1;
};

namespace {

using LineLayout = CountersText::LineLayout;

QList<LineLayout> lineLayouts()
{
    using F = CountersFrame;
    constexpr int L = 35; // where "L1..." starts in the first texts of lines 2 to 12
    constexpr int LongL = 36;
    const auto text = [](const char* t) { return QString::fromLatin1(t); };
    const LineLayout emptyLine{{}, 0, Recorder::Missing, 0, Program::Count, 0, 0};
    QList<LineLayout> layouts{
        {text("Czestotliwosci                     F1NUM=   "), 0, Recorder::Count, F::F1Num,
         Program::Unpadded, 0, 1},
        {text("   F2NUM=   "), 0, Recorder::Count, F::F2Num, Program::Unpadded, 1, 1},
        {text("L. zapadow napiecia sr. Un-10%     L1SRZAP= "), L, Recorder::Count, F::MeanDips,
         Program::Count, 50},
        {text("L. przpeiec napiecia sr. Un+10%    L1SRPRZ= "), L, Recorder::Count,
         F::MeanOvervoltages, Program::Count, 161},
        {text("L. przerw napiecia sr. U-<1%Un     L1SRPPP= "), L, Recorder::Count,
         F::MeanInterruptions, Program::Count, 32},
        {text("L. zapadow napiecia min. Un-10%    L1MIZAP= "), L, Recorder::Count, F::MinimumDips,
         Program::Count, 44},
        {text("L. przepiec napiecia maks. Un+10%  L1MAPRZ= "), L, Recorder::Count,
         F::MaximumOvervoltages, Program::Count, 149},
        {text("L. przerw napiecia min. U-<1%Un    L1MIPRZ= "), L, Recorder::Count,
         F::MinimumInterruptions, Program::Count, 29},
        {text("Glebokosc zapadu z kolumny min.    L1GLEBM= "), L, Recorder::Raw,
         F::MinimumDeepestDip, Program::Raw, 47},
        {text("Glebokosc zapadu z kolumny sr.     L1GLEBS= "), L, Recorder::Raw, F::MeanDeepestDip,
         Program::Raw, 53},
        {text("Wysokosc przep. z kolumny maks.    L1WYSOM= "), L, Recorder::Raw,
         F::MaximumHighestOvervoltage, Program::Raw, 164},
        {text("Wysokosc przep. z kolumny sr.      L1WYSOS= "), L, Recorder::Raw,
         F::MeanHighestOvervoltage, Program::Raw, 167},
        {text("Niesymetria                        SNUM=    "), 0, Recorder::Count, F::Unbalance,
         Program::Count, 65, 1},
        emptyLine,
    };
    for (int h = 2; h <= 24; ++h)
        layouts.append({QStringLiteral("H%1L1= ").arg(h, 2, 10, QLatin1Char('0')), 0,
                        Recorder::Count, F::harmonicPosition(h, 0), Program::Count, 64 + h,
                        PhaseCount, F::PhaseHarmonicsStride, 23});
    layouts.append({text("L1THD= "), 0, Recorder::Count, F::thdPosition(0), Program::Count, 135,
                    PhaseCount, F::PhaseHarmonicsStride});
    layouts.append(emptyLine);
    layouts.append({text("uPrzerwy     L1LP1S=  "), 13, Recorder::Missing, 0, Program::Count, 35});
    layouts.append({text("<3 minut     L1LP3MM= "), 13, Recorder::Missing, 0, Program::Count, 38});
    layouts.append({text(">3 minut     L1LP3MW= "), 13, Recorder::Missing, 0, Program::Count, 41});
    layouts.append(emptyLine);
    layouts.append({text("Ilosc sekund w ktorych byly przep.  L1SPRZEP= "), LongL,
                    Recorder::Missing, 0, Program::Count, 152});
    layouts.append({text("Najdluzsze przep. lacznie w sek.    L1NAJD=   "), LongL,
                    Recorder::Missing, 0, Program::Count, 155});
    layouts.append({text("Najwieksza probka przy przep.       L1NAJW=   "), LongL,
                    Recorder::Missing, 0, Program::Sample, 158});
    return layouts;
}

QString padded(const QString& text)
{
    return text.rightJustified(FieldWidth, QLatin1Char(' '));
}

QString phaseText(const LineLayout& layout, int phase)
{
    if (phase == 0)
        return layout.text;
    return QStringLiteral("   ") +
           layout.text.mid(layout.labelStart)
               .replace(QStringLiteral("L1"), QStringLiteral("L%1").arg(phase + 1));
}

} // namespace

QString CountersText::errorLine()
{
    return QStringLiteral("Wystapil blad!!!");
}

QString CountersText::missingRecorderValue()
{
    return padded(QStringLiteral("-"));
}

QStringList CountersText::lines(const CountersFrame& frame) const
{
    QStringList out;
    // Each line is appended whole, so that an error keeps the lines before it. The first two
    // layouts are the two items of line 1.
    const QList<LineLayout> layouts = lineLayouts();
    for (int i = 0; i < layouts.size(); ++i) {
        const auto text = line(frame, layouts[i]);
        const auto second = i == 0 ? line(frame, layouts[++i]) : std::optional<QString>(QString());
        if (!text || !second)
            return out << errorLine();
        out << *text + *second;
    }
    return out;
}

std::optional<QString> CountersText::line(const CountersFrame& frame,
                                          const LineLayout& layout) const
{
    QString text;
    for (int p = 0; p < layout.phases; ++p) {
        const Value recorder = recorderValue(frame, layout, p);
        const Value program = programValue(layout, p);
        if (!recorder || !program)
            return std::nullopt;
        text += phaseText(layout, p) + *recorder + QStringLiteral(" / ") + *program;
    }
    return text;
}

std::optional<QString> CountersText::recorderValue(const CountersFrame& frame,
                                                   const LineLayout& layout, int phase)
{
    switch (layout.recorder) {
    case Recorder::Count:
        return padded(QString::number(frame.count(
            layout.position + phase * (layout.phaseStride != 0 ? layout.phaseStride : 2))));
    case Recorder::Raw:
        return frame.rawField(layout.position + 3 * phase);
    case Recorder::Missing:
        break;
    }
    return missingRecorderValue();
}

std::optional<QString> CountersText::programValue(const LineLayout& layout, int phase) const
{
    const double value = m_pc.value(layout.slot + phase * layout.slotStride);
    if (!std::isfinite(value))
        return std::nullopt;
    switch (layout.program) {
    case Program::Count:
        return padded(DecimalText::general(value));
    case Program::Unpadded:
        return DecimalText::general(value);
    case Program::Raw:
        if (const auto bytes = link::numbers::encodeDecFloat(value, 3))
            return QString::fromLatin1(bytes->toHex().toUpper());
        return std::nullopt;
    case Program::Sample:
        break;
    }
    const double scale = frame::scaleOf(m_scale, phase, m_ranges[phase]);
    if (scale == 0)
        return std::nullopt;
    return padded(DecimalText::fixed(value / scale, 2));
}

} // namespace kapstat::live
