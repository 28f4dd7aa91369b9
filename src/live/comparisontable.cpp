#include "live/comparisontable.h"

#include "common/decimaltext.h"
#include "live/quantitynumbers.h"
#include "live/valueformat.h"

#include <QCoreApplication>

namespace kapstat::live {

namespace {

using M = ComparisonMethod;
using F = ComparisonFormat;

QString tr(const char* text)
{
    return QCoreApplication::translate("kapstat::live::ComparisonTable", text);
}

enum Group
{
    Totals,
    Phases,
    Distortion,
    DistortionQ,
    Thd,
    Crest,
    Symmetrical,
    LineVoltages,
    Energies,
    PeakPowers,
    VoltageCoefficients,
    CurrentCoefficients,
};

QString phaseName(int phase)
{
    return QStringLiteral("L%1").arg(phase + 1);
}

class Builder
{
public:
    // A recorder label with its blue twin; either can be left out by giving its prefix empty.
    Builder& pair(int group, int row, int column, const QString& recorderPrefix,
                  const QString& pcPrefix, int number, const QString& unit,
                  F recorderFormat = F::Fixed, F pcFormat = F::Fixed)
    {
        if (!recorderPrefix.isEmpty())
            add(group, row, column, M::Recorder, recorderPrefix, number, unit, recorderFormat);
        if (!pcPrefix.isEmpty())
            add(group, row, column, M::Direct, pcPrefix, number, unit, pcFormat);
        return *this;
    }
    // The same quantity of the three phases side by side: prefix "UL" gives UL1, UL2, UL3.
    Builder& phases(int group, int row, const QString& prefix, int number, const QString& unit,
                    F recorderFormat = F::Fixed, F pcFormat = F::Fixed)
    {
        for (int p = 0; p < 3; ++p) {
            const QString text = prefix + QString::number(p + 1) + QStringLiteral("= ");
            pair(group, row, p, text, text, number + p, unit, recorderFormat, pcFormat);
        }
        return *this;
    }
    Builder& add(int group, int row, int column, M method, const QString& prefix, int number,
                 const QString& unit, F format = F::Fixed)
    {
        ComparisonLabel label;
        label.group = group;
        label.row = row;
        label.column = column;
        label.method = method;
        label.prefix = prefix;
        label.number = number;
        label.unit = unit;
        label.format = format;
        m_labels.append(label);
        return *this;
    }
    // Caption and hint of the last label added.
    Builder& described(const QString& caption, const QString& hint = {})
    {
        m_labels.last().caption = caption;
        m_labels.last().hint = hint;
        return *this;
    }
    QList<ComparisonLabel> labels() const { return m_labels; }

private:
    QList<ComparisonLabel> m_labels;
};

void addTotals(Builder& b)
{
    using namespace quantity;
    const QString wrongS = tr("liczone z kwadratow P,Q - NIEPRAWIDLOWO!!!");
    b.pair(Totals, 0, 0, QStringLiteral("U= "), QStringLiteral("U= "), TotalVoltage,
           QStringLiteral("V"))
        .pair(Totals, 1, 0, QStringLiteral("I="), QStringLiteral("I= "), TotalCurrent,
              QStringLiteral("A"))
        .pair(Totals, 2, 0, QStringLiteral("PF= "), QStringLiteral("PF= "), TotalPowerFactor, {})
        .pair(Totals, 3, 0, QStringLiteral("P= "), QStringLiteral("P3F= "), TotalActivePower,
              QStringLiteral("W"))
        .pair(Totals, 4, 0, QStringLiteral("Q= "), QStringLiteral("Q= "), TotalReactivePower,
              QStringLiteral("VAr"))
        .pair(Totals, 5, 0, QStringLiteral("S= "), {}, TotalApparentPower, QStringLiteral("VA"))
        .described(tr("S odebrana:"), wrongS)
        .pair(Totals, 5, 0, {}, QStringLiteral("S= "), TotalApparentPower, QStringLiteral("VA"))
        .described(tr("S z trójkąta P, Q:"), wrongS)
        .add(Totals, 5, 0, M::Second, QStringLiteral("S= "), TotalApparentWithD,
             QStringLiteral("VA"))
        .described(tr("S z szescianu P,Q,D:"), tr("liczone z szescianu P,Q,D"))
        .add(Totals, 5, 0, M::Third, QStringLiteral("S= "), TotalApparentNonActive,
             QStringLiteral("VA"))
        .described(tr("S z szescianu P,Q,QD:"),
                   tr("liczone z szescianu P,Q,QD - jak Wlosi - nieprawidlowo!!!!"))
        .pair(Totals, 6, 0, QStringLiteral("D= "), {}, TotalDistortionPower, QStringLiteral("Wd"))
        .described({}, wrongS)
        .pair(Totals, 6, 0, {}, QStringLiteral("D= "), TotalDistortionPower, QStringLiteral("Wd"))
        .described(tr("Moc odkształcenia 3F:"),
                   tr("suamryczna Moc Odksztalcenia 3F (DL1+DL2+DL3)"));
}

void addPhases(Builder& b)
{
    using namespace quantity;
    b.phases(Phases, 0, QStringLiteral("UL"), Rms, QStringLiteral("V"))
        .phases(Phases, 1, QStringLiteral("IL"), Rms + 3, QStringLiteral("A"))
        .phases(Phases, 2, QStringLiteral("PFL"), PowerFactor, {})
        .phases(Phases, 3, QStringLiteral("PL"), ActivePower, QStringLiteral("W"), F::Scientific3)
        .phases(Phases, 4, QStringLiteral("QL"), ReactivePower, QStringLiteral("VAr"),
                F::Scientific3, F::Scientific3)
        .phases(Phases, 5, QStringLiteral("SL"), ApparentPower, QStringLiteral("VA"))
        .pair(Phases, 0, 3, QStringLiteral("f= "), QStringLiteral("f= "), Frequency,
              QStringLiteral("Hz"))
        .phases(Distortion, 0, QStringLiteral("DL"), DistortionPower, QStringLiteral("Wd"));
    for (int p = 0; p < 3; ++p)
        b.add(DistortionQ, 0, p, M::Direct, QStringLiteral("QDL%1= ").arg(p + 1),
              NonActivePower + p, QStringLiteral("VAr"))
            .described({}, tr("moc dystorsji"));
}

void addThdAndCrest(Builder& b)
{
    using namespace quantity;
    b.phases(Thd, 0, QStringLiteral("THDVL"), quantity::Thd, QStringLiteral("%"))
        .phases(Thd, 1, QStringLiteral("THDIL"), quantity::Thd + 3, QStringLiteral("%"))
        .phases(Crest, 0, QStringLiteral("CrestUL"), CrestFactor, QStringLiteral("%"))
        .phases(Crest, 1, QStringLiteral("CrestIL"), CrestFactor + 3, QStringLiteral("%"));
    for (int p = 0; p < 3; ++p) {
        b.add(Thd, 0, p, M::Second, QStringLiteral("THDVL%1= ").arg(p + 1), ThdFromRms + p,
              QStringLiteral("%"));
        b.add(Thd, 1, p, M::Second, QStringLiteral("THDIL%1= ").arg(p + 1), ThdFromRms + 3 + p,
              QStringLiteral("%"));
    }
}

void addSymmetricalAndLines(Builder& b)
{
    using namespace quantity;
    const QString v = QStringLiteral("V");
    const struct
    {
        const char* prefix;
        int number;
        int fromCoefficients;
    } components[] = {{"U0= ", ZeroSequenceVoltage, RecorderZeroSequence},
                      {"U1= ", PositiveSequenceVoltage, RecorderPositiveSequence},
                      {"U2= ", NegativeSequenceVoltage, RecorderNegativeSequence}};
    for (int row = 0; row < 3; ++row) {
        const QString prefix = QString::fromLatin1(components[row].prefix);
        b.pair(Symmetrical, row, 0, prefix, prefix, components[row].number, v)
            .add(Symmetrical, row, 0, M::Third, prefix, components[row].fromCoefficients, v);
    }
    b.pair(Symmetrical, 3, 0, QStringLiteral("U1/U2= "), QStringLiteral("U1/U2= "), Unbalance, {})
        .pair(Symmetrical, 4, 0, QStringLiteral("I0= "), QStringLiteral("I0= "),
              ZeroSequenceCurrent, QStringLiteral("A"));
    const char* const lines[] = {"U12= ", "U23= ", "U31= "};
    for (int c = 0; c < 3; ++c)
        b.pair(LineVoltages, 0, c, QString::fromLatin1(lines[c]), QString::fromLatin1(lines[c]),
               LineVoltage12 + c, v);
}

void addRecorderOnly(Builder& b)
{
    using namespace quantity;
    const struct
    {
        const char* prefix;
        const char* unit;
        int group;
        int row;
        int column;
        F format;
    } values[] = {
        {"Ep+= ", "Wh", Energies, 0, 0, F::Scientific7},
        {"Ep-= ", "Wh", Energies, 0, 1, F::Scientific7},
        {"Eq+= ", "VArh", Energies, 1, 0, F::Scientific7},
        {"Eq-= ", "VArh", Energies, 1, 1, F::Scientific7},
        {"Es= ", "VAh", Energies, 2, 0, F::Scientific7},
        {"Pav= ", "W", PeakPowers, 0, 0, F::Scientific3},
        {"Qav= ", "VAr", PeakPowers, 0, 1, F::Scientific3},
        {"Sav= ", "VA", PeakPowers, 0, 2, F::Scientific3},
    };
    int number = EnergyActivePlus;
    for (const auto& value : values)
        b.add(value.group, value.row, value.column, M::Recorder, QString::fromLatin1(value.prefix),
              number++, QString::fromLatin1(value.unit), value.format);
}

// b above c, phase by phase.
void addCoefficients(Builder& b)
{
    using namespace quantity;
    for (const auto& [group, quantityLetter, sine, cosine] :
         {std::tuple{VoltageCoefficients, 'U', FundamentalSine, FundamentalCosine},
          std::tuple{CurrentCoefficients, 'I', CurrentFundamentalSine, CurrentFundamentalCosine}}) {
        for (int p = 0; p < 3; ++p) {
            const QString name =
                QStringLiteral("%1L%2= ").arg(QChar::fromLatin1(quantityLetter)).arg(p + 1);
            b.pair(group, 0, p, QLatin1Char('b') + name, QLatin1Char('b') + name, sine + p, {})
                .pair(group, 1, p, QLatin1Char('c') + name, QLatin1Char('c') + name, cosine + p,
                      {});
        }
    }
}

QList<ComparisonLabel> buildLabels()
{
    Builder b;
    addTotals(b);
    addPhases(b);
    addThdAndCrest(b);
    addSymmetricalAndLines(b);
    addRecorderOnly(b);
    addCoefficients(b);
    return b.labels();
}

QList<ComparisonHead> phaseHeads()
{
    return {{phaseName(0), M::Recorder}, {phaseName(1), M::Recorder}, {phaseName(2), M::Recorder}};
}

} // namespace

const QList<ComparisonGroup>& ComparisonTable::groups()
{
    static const QList<ComparisonGroup> groups{
        {tr("Sumaryczne za 3 fazy:"), {}},
        {tr("Skuteczne osobnych faz:"), phaseHeads(), true},
        {tr("Moc odkształcenia:"), {}},
        {tr("Moc dystorsji:"), {}},
        {tr("THD wzgl. H1 dla osobnych faz liczone dwiema metodami:"),
         {{tr("suma H1-24"), M::Direct}, {tr("różnica SK-H1"), M::Second}}},
        {tr("Wsp. szczytu dla osobnych faz"), {}},
        {tr("Składowe symetryczne:"),
         {{tr("z \"b\" i \"c\""), M::Direct}, {tr("z stalych cos"), M::Third}}},
        {tr("Napięcia międzyfazowe:"), {}},
        {tr("Energie:"), {}},
        {tr("Moce szczytowe srednie15-miutowe:"), {}},
        {tr("B i C napiecia"), {}},
        {tr("B i C prądu"), {}},
    };
    return groups;
}

const QList<ComparisonLabel>& ComparisonTable::labels()
{
    static const QList<ComparisonLabel> labels = buildLabels();
    return labels;
}

ComparisonText ComparisonTable::text(const ComparisonLabel& label, const LiveStore& store)
{
    if (label.fromRecorder()) {
        const QString& raw = store.recorderRaw[label.number];
        if (!raw.isEmpty())
            return {label.prefix + raw, true};
        return {
            label.prefix +
            formatNumber(static_cast<double>(store.recorderValues[label.number]), label.format) +
            label.unit};
    }
    return {label.prefix +
            formatNumber(static_cast<double>(store.computedValues[label.number]), label.format) +
            label.unit};
}

QString ComparisonTable::placeholder(const ComparisonLabel& label)
{
    return label.prefix + QStringLiteral("----") + label.unit;
}

QString ComparisonTable::formatNumber(double value, ComparisonFormat format)
{
    switch (format) {
    case ComparisonFormat::Fixed:
        return common::DecimalText::fixed(value, 5);
    case ComparisonFormat::Scientific3:
        return formatScientific(value, 3);
    case ComparisonFormat::Scientific7:
        break;
    }
    return formatScientific(value, 7);
}

} // namespace kapstat::live
