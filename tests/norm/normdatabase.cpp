#include "normdatabase.h"

#include "config/selectionentries.h"

#include <QFile>
#include <gtest/gtest.h>

namespace kapstat::fixtures {

using download::TableKind;

namespace {

QStringList voltageColumns(config::MeasuringSystem system)
{
    switch (system) {
    case config::MeasuringSystem::SinglePhase:
        return {"Usr", "Umin", "Umax"};
    case config::MeasuringSystem::Delta:
        return {"U31sr", "U31min", "U31max", "U23sr", "U23min", "U23max", "U12sr"};
    case config::MeasuringSystem::Star:
        break;
    }
    return {"UL1sr", "UL1min", "UL1max", "UL2sr", "UL2min", "UL2max", "UL3sr", "UL3min", "UL3max"};
}

QStringList harmonicColumns()
{
    QStringList columns{"THDUsr", "U1U2sr"};
    for (int order = 2; order <= 24; ++order)
        columns << QStringLiteral("UH%1sr").arg(order);
    return columns;
}

QStringList eventColumns()
{
    QStringList columns;
    for (int k = 1; k <= 3; ++k)
        columns << QStringLiteral("Czas_PL%1").arg(k) << QStringLiteral("Ilosc_uPL%1").arg(k)
                << QStringLiteral("Czas_PrzepL%1").arg(k) << QStringLiteral("Max_PrzepL%1").arg(k);
    return columns;
}

QDateTime momentOf(int index)
{
    return at(2026, 3, 1).addSecs(qint64(index) * 600);
}

QString suffixOf(TableKind kind)
{
    return kind == TableKind::Rms    ? QStringLiteral(".db")
           : kind == TableKind::Harm ? QStringLiteral(".HARM.db")
                                     : QStringLiteral(".PRZE.db");
}

} // namespace

NormDatabase::NormDatabase(config::MeasuringSystem system, const QString& name)
    : m_system(system), m_db(name)
{
    m_configuration.measuringSystem = system;
    m_configuration.resetNormDefaults();
    m_configuration.selection[config::entries::NormMode] = true;
    m_db.createTable(TableKind::Rms, QStringList{"fsr"} + voltageColumns(system));
    m_db.createTable(TableKind::Harm, harmonicColumns());
    m_db.createTable(TableKind::Zanik, eventColumns());
}

void NormDatabase::addRms(const RmsValues& values, int count)
{
    const QStringList columns = voltageColumns(m_system);
    for (int i = 0; i < count; ++i) {
        QVariantMap row{{"Nr", ++m_rmsCount},
                        {"NrSt", values.station},
                        {"DiC", momentOf(m_rmsCount)},
                        {"War", values.war},
                        {"fsr", values.f}};
        for (int c = 0; c * 3 < columns.size(); ++c) {
            row[columns[c * 3]] = values.mean[c];
            if (c * 3 + 2 < columns.size()) {
                row[columns[c * 3 + 1]] = values.minimum[c];
                row[columns[c * 3 + 2]] = values.maximum[c];
            }
        }
        m_db.append(TableKind::Rms, row);
    }
}

void NormDatabase::addHarmonics(const HarmonicValues& values, int count)
{
    for (int i = 0; i < count; ++i) {
        QVariantMap row{{"Nr", ++m_harmonicsCount},
                        {"NrSt", 1},
                        {"DiC", momentOf(m_harmonicsCount)},
                        {"War", values.war},
                        {"Faza", values.phase},
                        {"THDUsr", values.thd},
                        {"U1U2sr", values.unbalance}};
        for (int order = 2; order <= 24; ++order)
            row[QStringLiteral("UH%1sr").arg(order)] = values.harmonic;
        m_db.append(TableKind::Harm, row);
    }
}

void NormDatabase::addHarmonicsOfAllPhases(int count)
{
    for (int i = 0; i < count; ++i)
        for (int p = 1; p <= config::phaseCount(m_system); ++p)
            addHarmonics({QStringLiteral("L%1").arg(p)});
}

void NormDatabase::addEvent(const EventValues& values)
{
    QVariantMap row{{"Nr", ++m_eventCount}, {"NrSt", 1}, {"DiC", momentOf(m_eventCount)}};
    for (int k = 0; k < 3; ++k) {
        const QString phase = QString::number(k + 1);
        if (values.duration[k])
            row[QStringLiteral("Czas_PL") + phase] = *values.duration[k];
        row[QStringLiteral("Ilosc_uPL") + phase] = values.micro[k];
        row[QStringLiteral("Czas_PrzepL") + phase] = values.transientTime[k];
        row[QStringLiteral("Max_PrzepL") + phase] = values.amplitude[k];
    }
    m_db.append(TableKind::Zanik, row);
}

void NormDatabase::dropTable(TableKind kind)
{
    m_db.closeTables();
    QFile::remove(m_db.base() + suffixOf(kind));
}

void NormDatabase::write()
{
    m_db.writeHeader(m_configuration);
    m_db.closeTables();
}

browse::BrowseState& NormDatabase::finish()
{
    write();
    const auto problem = m_state.open(m_db.selectionFile());
    EXPECT_FALSE(problem) << problem.value_or(QString()).toStdString();
    return m_state;
}

} // namespace kapstat::fixtures
