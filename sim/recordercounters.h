#pragma once

#include "browse/normparameterset.h"
#include "sim/measurementgenerator.h"

#include <QByteArray>
#include <array>

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

    void countRecord(int n, const browse::NormParameterSet& norm);
    static void countVoltages(Phase& phase, const norm::NormLimits& limits, double mean,
                              double minimum, double maximum);
    void countHarmonics(const MainsMoment& moment, const browse::NormParameterSet& norm);
    static double value(const MainsMoment& moment, const QString& rmsField);
    static double harmonicsValue(const MainsMoment& moment, const QString& harmField, int phase);

    const MeasurementGenerator& m_records;
    int m_phaseCount = 3;
    int m_recordCount = 0;
    int m_frequencyOutside1 = 0;
    int m_frequencyOutside2 = 0;
    int m_unbalanceWithin = 0;
    std::array<Phase, 3> m_phases{};
};

} // namespace kapstat::sim
