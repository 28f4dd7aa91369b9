#include "norm/additionalreporttext.h"

#include "browse/normparameterset.h"
#include "norm/compliancestatistics.h"
#include "norm/reportdocument.h"
#include "norm/reportlayout.h"
#include "norm/reportnumbers.h"

#include <QCoreApplication>

namespace kapstat::norm {

namespace {

constexpr int SignatureDots = 43;

QString tr(const char* text)
{
    return QCoreApplication::translate("kapstat::norm::AdditionalReportText", text);
}

QString g(double value)
{
    return ReportNumbers::general(value);
}

QString r(const QString& text, int width)
{
    return ReportNumbers::right(text, width);
}

QString count(double value)
{
    return r(g(value), 5);
}

const QString FiveSpaces = QStringLiteral("     ");
const QString FourSpaces = QStringLiteral("    ");

} // namespace

AdditionalReportText::AdditionalReportText(int phaseCount, const browse::NormParameterSet& norm,
                                           const ComplianceStatistics& statistics,
                                           ReportDocument& document)
    : m_phases(phaseCount), m_norm(norm), m_stats(statistics), m_doc(document)
{
}

void AdditionalReportText::write()
{
    writeTitle();
    writeInterruptions();
    writeDips();
    writeOvervoltages();
    writeEventInterruptions();
    writeTransients();
}

void AdditionalReportText::writeTitle()
{
    m_doc.setStyle(TextStyle::Bold);
    m_doc.line(tr("  DODATKOWE WYNIKI STATYSTYCZNE"));
    m_doc.line(ReportLayout::separator());
    m_doc.line(tr("  ? - oznacza ilość większą niż 60000"));
    m_doc.line(ReportLayout::separator());
    m_doc.line(tr("  NA PODSTAWIE TABELI POMIARÓW RMS"));
    m_doc.line(tr("  TWORZONYCH CO OKRES UŚREDNIANIA:"));
    m_doc.setStyle(TextStyle::Regular);
    m_doc.line();
}

void AdditionalReportText::writeSection(const QString& title, const QString& caption)
{
    m_doc.setStyle(TextStyle::Bold);
    m_doc.line(title);
    m_doc.setStyle(TextStyle::Regular);
    m_doc.line(caption);
}

void AdditionalReportText::writeColumnHeader(const QString& header)
{
    m_doc.line(ReportLayout::separator());
    m_doc.line(header);
    m_doc.line(ReportLayout::separator());
}

void AdditionalReportText::writeInterruptions()
{
    writeSection(tr("  PRZERWY W ZASILANIU"), tr("  Ilość rekordów w których Umin lub Usr < ") +
                                                  r(g(m_norm.interruptionThreshold), 2) +
                                                  tr("% *Un"));
    writeColumnHeader(ReportLayout::countHeader(m_phases));
    writeCounts(QStringLiteral("      Umin          "), m_stats.uminInterruptions);
    writeCounts(QStringLiteral("       Usr          "), m_stats.usrInterruptions);
    m_doc.line(ReportLayout::separator());
    m_doc.line();
}

void AdditionalReportText::writeDips()
{
    writeSection(tr("  ZAPADY NAPIĘCIA"), tr("  Ilość rekordów w których Umin lub Usr < Un-") +
                                              g(m_norm.voltageMinus) + QStringLiteral("%"));
    writeColumnHeader(ReportLayout::countHeader(m_phases));
    writeCounts(QStringLiteral("      Umin          "), m_stats.uminDips);
    writeCounts(QStringLiteral("       Usr          "), m_stats.usrDips);
    m_doc.line(ReportLayout::separator());
    m_doc.line(tr("  Największa głębokość zapadu z wszystkich"));
    m_doc.line(tr("  wybranych uprzednio rekordów"));
    writeColumnHeader(ReportLayout::countHeader(m_phases));
    writeDeviations(QStringLiteral("      Umin          "), m_stats.uminDeepestDip);
    writeDeviations(QStringLiteral("       Usr          "), m_stats.usrDeepestDip);
    m_doc.line(ReportLayout::separator());
    m_doc.line();
}

void AdditionalReportText::writeOvervoltages()
{
    writeSection(tr("  PRZEPIĘCIA DORYWCZE"), tr("  Ilość rekordów w których Umax lub Usr > Un+") +
                                                  g(m_norm.voltagePlus) + QStringLiteral("%"));
    writeColumnHeader(ReportLayout::countHeader(m_phases));
    writeCounts(QStringLiteral("      Umax          "), m_stats.umaxOvervoltages);
    writeCounts(QStringLiteral("       Usr          "), m_stats.usrOvervoltages);
    m_doc.line(ReportLayout::separator());
    m_doc.line(tr("  Największe przepięcie z wszystkich"));
    m_doc.line(tr("  wybranych uprzednio rekordów"));
    writeColumnHeader(ReportLayout::countHeader(m_phases));
    writeDeviations(QStringLiteral("      Umax          "), m_stats.umaxHighestOvervoltage);
    writeDeviations(QStringLiteral("       Usr          "), m_stats.usrHighestOvervoltage);
    m_doc.line(ReportLayout::separator());
}

void AdditionalReportText::writeEventInterruptions()
{
    m_doc.setStyle(TextStyle::Bold);
    m_doc.line();
    m_doc.line(tr("  NA PODSTAWIE TABELI PRZERW I PRZEPIĘĆ"));
    m_doc.setStyle(TextStyle::Regular);
    m_doc.line();
    writeSection(tr("  PRZERWY W ZASILANIU"), tr("  Ilość przerw dla których U <ok. 1.0% *Un "));
    m_doc.line(ReportLayout::separator());
    m_doc.line(tr("  czas"));
    m_doc.line(ReportLayout::interruptionHeader(m_phases));
    m_doc.line(ReportLayout::separator());
    writeMicroInterruptions();
    const QString longLimit = r(g(m_norm.longInterruption), 3);
    writeCounts(QStringLiteral("  1s<= t <") + longLimit + QStringLiteral("s      "),
                m_stats.shortInterruptions);
    writeCounts(QStringLiteral("     t >= ") + longLimit + QStringLiteral("s      "),
                m_stats.longInterruptions);
    m_doc.line(ReportLayout::separator());
    m_doc.line();
}

void AdditionalReportText::writeMicroInterruptions()
{
    m_doc.append(QStringLiteral("     t < 1s         "));
    for (int k = 0; k < 3; ++k) {
        const double value = m_stats.microInterruptions[k];
        if (k >= m_phases)
            m_doc.append(FiveSpaces);
        else
            m_doc.append(count(value) + (value == ComplianceStatistics::MicroInterruptionCap
                                             ? QStringLiteral("?    ")
                                             : FiveSpaces));
    }
    m_doc.endLine();
}

void AdditionalReportText::writeTransients()
{
    writeSection(tr("  PRZEPIĘCIA PRZEJŚCIOWE"),
                 tr("  Ilość sekund, w których wystąpiły przepięcia"));
    m_doc.line(tr("  o amplitudzie U(t) > 1,41*(Un+") + g(m_norm.overvoltageThreshold - 100) +
               QStringLiteral("%)"));
    writeColumnHeader(ReportLayout::transientHeader(m_phases));
    writeCounts(tr("  ilość sekund      "), m_stats.transientSeconds);
    m_doc.line(ReportLayout::separator());
    m_doc.line(QStringLiteral("  "));
    m_doc.line(tr("  Parametry krytyczne przepięć"));
    writeColumnHeader(ReportLayout::transientHeader(m_phases));
    writeSpread(tr("  czas# [ms/s]     "), m_stats.transientLongestTime, FourSpaces,
                [](double value) {
                    return r(ReportNumbers::pictured(value, QStringLiteral("###0.0")), 6);
                });
    writeSpread(tr("  amplituda [V]    "), m_stats.transientMaxAmplitude, FourSpaces,
                [](double value) { return r(ReportNumbers::engineering(value), 6); });
    m_doc.line(ReportLayout::separator());
    m_doc.line(tr("  # - maksymalny, łączny czas przekroczenia"));
    m_doc.line(tr("      przebiegu chwilowego powyżej ustawionego"));
    m_doc.line(tr("      progu, wybrany z kaźdej sekundy"));
    m_doc.line();
    m_doc.line();
    m_doc.line(QStringLiteral("  ") + QString(SignatureDots, QLatin1Char('.')));
    m_doc.line(tr("                  sporządził"));
}

void AdditionalReportText::writeCounts(const QString& label, const Triple& values)
{
    writeSpread(label, values, FiveSpaces, count);
}

void AdditionalReportText::writeDeviations(const QString& label, const Triple& values)
{
    m_doc.append(label);
    for (int c = 0; c < m_phases; ++c)
        m_doc.append((c > 0 ? FourSpaces : QString()) + ReportNumbers::deviation(values[c]) +
                     QStringLiteral("%"));
    m_doc.endLine();
}

void AdditionalReportText::writeSpread(const QString& label, const Triple& values,
                                       const QString& separator,
                                       const std::function<QString(double)>& format)
{
    m_doc.append(label + format(values[0]));
    for (int c = 1; c < 3; ++c)
        m_doc.append(separator + (c < m_phases ? format(values[c]) : QString()));
    m_doc.endLine();
}

} // namespace kapstat::norm
