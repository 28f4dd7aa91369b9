#include "norm/mainreporttext.h"

#include "browse/normparameterset.h"
#include "norm/compliancestatistics.h"
#include "norm/reportdocument.h"
#include "norm/reportheader.h"
#include "norm/reportlayout.h"
#include "norm/reportnumbers.h"

#include <QCoreApplication>

namespace kapstat::norm {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("kapstat::norm::MainReportText", text);
}

QString g(double value)
{
    return ReportNumbers::general(value);
}

QString r(const QString& text, int width)
{
    return ReportNumbers::right(text, width);
}

QString systemName(int phaseCount)
{
    switch (phaseCount) {
    case 1:
        return tr("1 Faza");
    case 2:
        return tr("Trójkąt");
    default:
        return tr("Gwiazda");
    }
}

} // namespace

MainReportText::MainReportText(const ReportHeader& header, const browse::NormParameterSet& norm,
                               const ComplianceStatistics& statistics, ReportDocument& document)
    : m_header(header), m_norm(norm), m_stats(statistics), m_doc(document),
      m_phases(header.phaseCount)
{
}

void MainReportText::write()
{
    m_doc.setStyle(TextStyle::Regular);
    writeHeader();
    writeFrequency();
    writeVoltage();
    if (m_phases > 1)
        writeUnbalance();
    writeHarmonics();
    writeThd();
}

void MainReportText::writeHeader()
{
    const browse::StationRatios& ratios = m_header.ratios;
    m_doc.line(tr("  Układ pomiarowy:            ") + systemName(m_phases));
    m_doc.line(tr("  Nr seryjny rejestratora:    ") + m_header.serialNumber);
    m_doc.line(tr("  Miejsce wykonania pomiarów:"));
    m_doc.line(QStringLiteral("   ") + m_header.place);
    m_doc.line(tr("  Napięcie znamionowe:     Un=") + g(m_header.nominalVoltage) +
               QStringLiteral("V"));
    m_doc.append(tr("  Przekladniki napieciowe[V/V]:   ") +
                 r(ReportNumbers::pictured(ratios.vtPrimary, QStringLiteral("0.0")), 10) +
                 QStringLiteral(" / ") +
                 r(ReportNumbers::pictured(ratios.vtSecondary, QStringLiteral("0.0")), 5));
    m_doc.endLine();
    m_doc.append(tr("                  pradowe[A/V]:   ") +
                 r(ReportNumbers::pictured(ratios.ctPrimary, QStringLiteral("0.0")), 10) +
                 QStringLiteral(" / ") +
                 r(ReportNumbers::pictured(ratios.ctSecondary, QStringLiteral("0.00")), 5));
    m_doc.endLine();
    m_doc.line(tr("  Data odebrania danych:      ") + m_header.received);
    m_doc.line(tr("  Pomiary rozpoczęto:         ") + m_header.firstMeasurement);
    m_doc.line(tr("  Pomiary zakończono:         ") + m_header.lastMeasurement);
    m_doc.line(tr("  Czas uśredniania:           ") + g(m_header.averagingMinutes) + tr(" min"));
    m_doc.line(tr("  Pomiarów zebrano:         N=") + QString::number(m_header.recordCount));
    m_doc.line();
    m_doc.setStyle(TextStyle::Italic);
    m_doc.line(tr("  * oznacza niezgodnosć wyników z normą"));
    m_doc.setStyle(TextStyle::Regular);
    m_doc.line();
}

void MainReportText::writeFrequency()
{
    m_doc.setStyle(TextStyle::Bold);
    m_doc.line(tr("  CZĘSTOTLIWOŚĆ NAPIĘCIA ZASILAJACEGO"));
    m_doc.setStyle(TextStyle::Regular);
    m_doc.line(tr("  WYNIKI:"));
    writeFrequencyBand(m_norm.freqBand1Minus, m_norm.freqBand1Plus, m_stats.freqNarrowPct,
                       m_norm.freqBand1Share, "%N)   ");
    writeFrequencyBand(m_norm.freqBand2Minus, m_norm.freqBand2Plus, m_stats.freqWidePct,
                       m_norm.freqBand2Share, "%N)");
    m_doc.line();
}

void MainReportText::writeFrequencyBand(double minus, double plus, double pct, double share,
                                        const char* ending)
{
    m_doc.line(ReportLayout::lineMark(ReportLayout::compliant(pct, share)) +
               QStringLiteral("50Hz-") + g(minus) + QStringLiteral("%+") + g(plus) +
               QStringLiteral("% ") + g(pct) + tr("%N (min. ") + g(share) +
               QString::fromLatin1(ending));
}

void MainReportText::writeVoltage()
{
    m_doc.setStyle(TextStyle::Bold);
    m_doc.line(tr("  NAPIĘCIE ZASILAJĄCE"));
    m_doc.setStyle(TextStyle::Regular);
    m_doc.line(QStringLiteral("  Un -") + g(m_norm.voltageMinus) + QStringLiteral("%+") +
               g(m_norm.voltagePlus) + tr("% przez min. ") + g(m_norm.voltageShare) +
               QStringLiteral("%M"));
    m_doc.line(tr("  (M = N z pominięciem przerw U<=1.00%Un)"));
    m_doc.line(tr("  WYNIKI:"));
    m_doc.line(ReportLayout::separator());
    m_doc.line(ReportLayout::voltageHeader(m_phases));
    m_doc.line(ReportLayout::separator());
    writeVoltageResults();
    m_doc.line(ReportLayout::separator());
    m_doc.line();
}

void MainReportText::writeVoltageResults()
{
    const auto& pct = m_stats.voltageInTolPct;
    auto ok = [&](int c) { return ReportLayout::compliant(pct[c], m_norm.voltageShare); };
    auto value = [&](int c) { return r(g(pct[c]) + QStringLiteral("%M"), 5); };
    if (m_phases == 1) {
        m_doc.append((ok(0) ? QStringLiteral("       ") : QStringLiteral("*    * ")) + g(pct[0]) +
                     QStringLiteral("%M"));
    } else {
        // Delta prints its third voltage, the band of U12, here too.
        const bool all = ok(0) && ok(1) && ok(2);
        m_doc.append((all ? QStringLiteral("     ") : QStringLiteral("*    ")) +
                     ReportLayout::lineMark(ok(0)) + value(0) + ReportLayout::columnMark(ok(1)) +
                     value(1) + ReportLayout::columnMark(ok(2)) + value(2));
    }
    m_doc.endLine();
}

void MainReportText::writeUnbalance()
{
    m_doc.setStyle(TextStyle::Bold);
    m_doc.line(tr("  NIESYMETRIA NAPIĘCIA ZASILAJĄCEGO"));
    m_doc.setStyle(TextStyle::Regular);
    m_doc.line(QStringLiteral("  U1/U2<=") + g(m_norm.unbalanceLimit) + tr("% przez ") +
               g(m_norm.unbalanceShare) + tr("% czasu N"));
    m_doc.line(tr("   gdzie: U1 - składowa symetryczna kolejności zgodnej"));
    m_doc.line(tr("          U2 - składowa symetryczna kolejności przeciwnej"));
    m_doc.line(ReportLayout::lineMark(
                   ReportLayout::compliant(m_stats.unbalancePct, m_norm.unbalanceShare)) +
               tr("WYNIK: ") + g(m_stats.unbalancePct) + QStringLiteral("%N"));
    m_doc.line();
}

void MainReportText::writeHarmonics()
{
    m_doc.setStyle(TextStyle::Bold);
    m_doc.line(tr("  HARMONICZNE NAPIĘCIA ZASILAJĄCEGO"));
    m_doc.setStyle(TextStyle::Regular);
    m_doc.line(tr("  Średnie wartości skuteczne poszczególnych harmonicznych"));
    m_doc.line(tr("  muszą być <= od podanych poniżej wartości progowych"));
    m_doc.line(tr("  przez ") + g(m_norm.harmonicShare) + tr("% czasu wszystkich pomiarów N:"));
    m_doc.line(tr("  WYNIKI:"));
    m_doc.line(ReportLayout::separator());
    m_doc.line(tr("    wartość          wzgędny czas pomiaru:"));
    m_doc.line(tr("    zadana    "));
    m_doc.line(ReportLayout::harmonicsHeader(m_phases));
    m_doc.line(ReportLayout::separator());
    for (int order = 2; order <= 24; ++order)
        writeHarmonicOrder(order);
    m_doc.line(ReportLayout::separator());
}

bool MainReportText::phasesCompliant(const ComplianceStatistics::Triple& pct) const
{
    for (int p = 0; p < m_phases; ++p)
        if (!ReportLayout::compliant(pct[p], m_norm.harmonicShare))
            return false;
    return true;
}

void MainReportText::writeHarmonicOrder(int order)
{
    m_doc.append(ReportLayout::lineMark(phasesCompliant(m_stats.harmonicPct[order])) +
                 r(QStringLiteral("H%1 <=").arg(order), 6) +
                 r(g(m_norm.harmonicLimit[order]) + QStringLiteral("%H1"), 7));
    for (int p = 0; p < m_phases; ++p) {
        const double pct = m_stats.harmonicPct[order][p];
        m_doc.append(ReportLayout::columnMark(ReportLayout::compliant(pct, m_norm.harmonicShare)) +
                     r(g(pct) + QStringLiteral("%N"), 5));
    }
    m_doc.endLine();
}

void MainReportText::writeThd()
{
    auto ok = [&](int p) {
        return ReportLayout::compliant(m_stats.thdPct[p], m_norm.harmonicShare);
    };
    auto value = [&](int p) { return r(g(m_stats.thdPct[p]) + QStringLiteral("%N"), 5); };
    m_doc.append((phasesCompliant(m_stats.thdPct) ? QStringLiteral("  THD <= ")
                                                  : QStringLiteral("* THD <= ")) +
                 r(g(m_norm.thdLimit) + QStringLiteral("%"), 4) +
                 (ok(0) ? QStringLiteral("       ") : QStringLiteral("     * ")) + value(0));
    for (int p = 1; p < m_phases; ++p)
        m_doc.append(ReportLayout::columnMark(ok(p)) + value(p));
    m_doc.endLine();
    m_doc.line(ReportLayout::separator());
    m_doc.line(tr("  gdzie: H1  - średnia wartość skuteczna podstawowej"));
    m_doc.line(tr("               harmonicznej"));
    m_doc.line(tr("         THD - liczony względem H1"));
}

} // namespace kapstat::norm
