#pragma once

#include "browse/normparameterset.h"
#include "sim/mainsquantity.h"
#include "sim/measurementgenerator.h"

#include <QByteArray>
#include <array>
#include <optional>

namespace kapstat::norm {
struct NormLimits;
}

namespace kapstat::sim {

// The recorder's own counters of norm events (the 0x18 response) over the storage periods its
// memory holds, from the values it measured (as its records carry them, whether the
// configuration stores them or not), judged against the norm of its configuration as the PC
// judges a download of them: a period counts against a harmonic, THD or unbalance limit unless it
// brought a new harmonics measurement within it. So a downloaded database compares equal.
class RecorderCounters
{
public:
    RecorderCounters(const MeasurementGenerator& records, const QByteArray& configurationImage);

    // Positions 5 to 226 of the response.
    QByteArray responseData() const;
    // The same with every counter 0.
    static QByteArray emptyData();

private:
    // The voltage counts of one phase (one result column).
    struct Phase
    {
        int meanDips = 0;
        int meanOvervoltages = 0;
        int meanInterruptions = 0;
        int minimumDips = 0;
        int maximumOvervoltages = 0;
        int minimumInterruptions = 0;
        double minimumDeepestDip = 0; // % of Un below it, negative; 0 none
        double meanDeepestDip = 0;
        double maximumHighestOvervoltage = 0;
        double meanHighestOvervoltage = 0;
        std::array<int, 25> harmonicsWithin{}; // storage periods within the limit, orders 2..24
        int thdWithin = 0;
    };

    using Quantity = std::optional<MainsQuantity>;
    // What the counters judge, resolved once from the field names.
    struct Judged
    {
        Quantity frequency;
        std::array<std::array<Quantity, 3>, 3> voltages; // per column: mean, minimum, maximum
        Quantity thd;
        std::array<Quantity, 25> harmonics; // orders 2..24
        Quantity unbalance;
    };
    static Judged judged(int phaseCount);

    void countRecord(int n, const browse::NormParameterSet& norm);
    static void countVoltages(Phase& phase, const norm::NormLimits& limits, double mean,
                              double minimum, double maximum);
    void countHarmonics(const MainsMoment& moment, const browse::NormParameterSet& norm);
    // As measured, before a record rounds it; 0 for what the records have no field for.
    static double value(const MainsMoment& moment, const Quantity& quantity, int phase = 0);

    const MeasurementGenerator& m_records;
    int m_phaseCount = 3;
    Judged m_judged;
    int m_recordCount = 0;
    int m_frequencyOutside1 = 0;
    int m_frequencyOutside2 = 0;
    int m_unbalanceWithin = 0;
    std::array<Phase, 3> m_phases{};
};

} // namespace kapstat::sim
