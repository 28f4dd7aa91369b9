#pragma once

#include "link/responsebytes.h"

#include <QDateTime>
#include <QString>
#include <array>

namespace kapstat::download {

class TableStore;

// Stores interruption and over-voltage records as ZANIK rows, turning the start and end flags of
// consecutive records into an interruption marker and a duration per phase.
class EventRecordWriter
{
public:
    EventRecordWriter(int phases, TableStore& table);

    // Event record lengths for one, two and three phases.
    static int recordLength(int phases) { return 25 + 210 * phases; }

    bool write(const link::ResponseBytes& record, int number, QString* error);

    // Walks a station's table from its newest row to its oldest: an interruption still open at
    // the end gets duration 0 on its newest row, and one whose start lies before the first
    // record marks every earlier row of its phase as inside an interruption.
    static bool completeInterruptions(TableStore& table, int phases, QString* error);

private:
    struct PhaseState
    {
        bool inProgress = false;
        QDateTime start;
        QDateTime end;
    };
    void writePhase(const link::ResponseBytes& record, int phase, const QDateTime& time);

    int m_phases;
    TableStore& m_table;
    std::array<PhaseState, 3> m_state;
};

} // namespace kapstat::download
