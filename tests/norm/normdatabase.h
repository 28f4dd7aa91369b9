#pragma once

#include "browse/browsestate.h"
#include "config/configurationmodel.h"
#include "databasefixture.h"
#include "link/scriptedprompter.h"

#include <array>
#include <optional>

namespace kapstat::fixtures {

// One averaged record: frequency and the mean, minimum and maximum of the system's voltage
// columns (delta's third column keeps only its mean).
struct RmsValues
{
    double f = 50;
    std::array<double, 3> mean{230, 230, 230};
    std::array<double, 3> minimum{230, 230, 230};
    std::array<double, 3> maximum{230, 230, 230};
    int war = 0;
    int station = 1;
};

// One harmonics record: THD, every harmonic order 2..24 and the unbalance at the same value.
struct HarmonicValues
{
    QString phase = QStringLiteral("L1");
    double thd = 1;
    double harmonic = 0.1;
    double unbalance = 0.5;
    int war = 0;
};

// One event record per phase 1..3; a duration of nullopt is an empty field.
struct EventValues
{
    std::array<std::optional<int>, 3> duration{};
    std::array<int, 3> micro{};
    std::array<double, 3> transientTime{};
    std::array<double, 3> amplitude{};
};

// A measurement database in norm mode with every column the compliance report reads, opened in
// a BrowseState once it is finished.
class NormDatabase
{
public:
    explicit NormDatabase(config::MeasuringSystem system,
                          const QString& name = QStringLiteral("081208-153012_1_Hala 2"));

    config::RecorderConfiguration& configuration() { return m_configuration; }

    void addRms(const RmsValues& values, int count = 1);
    void addHarmonics(const HarmonicValues& values, int count = 1);
    // One harmonics record of every phase of the system, count times.
    void addHarmonicsOfAllPhases(int count);
    void addEvent(const EventValues& values);
    // Leaves out a table, before finish().
    void dropTable(download::TableKind kind);

    // Writes the selection and settings files and closes the tables.
    void write();
    // Writes and opens the database; the state stays valid with this object.
    browse::BrowseState& finish();
    QString selectionFile() const { return m_db.selectionFile(); }

private:
    config::MeasuringSystem m_system;
    config::RecorderConfiguration m_configuration;
    DatabaseFixture m_db;
    int m_rmsCount = 0;
    int m_harmonicsCount = 0;
    int m_eventCount = 0;
    config::ConfigurationModel m_model;
    link::ScriptedPrompter m_prompter;
    browse::BrowseState m_state{m_model, m_prompter};
};

} // namespace kapstat::fixtures
