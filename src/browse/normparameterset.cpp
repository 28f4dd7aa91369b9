#include "browse/normparameterset.h"

#include "common/decimaltext.h"
#include "config/recorderconfiguration.h"

#include <QCoreApplication>
#include <cmath>

namespace kapstat::browse {

namespace {

using config::NormField;

class NormReader
{
public:
    NormReader(const config::NormParameters& norm, QString* error) : m_norm(norm), m_error(error) {}

    void decimal(NormField field, double& target) { read(field, target, false); }
    void whole(NormField field, double& target) { read(field, target, true); }
    bool ok() const { return m_ok; }

private:
    void read(NormField field, double& target, bool whole)
    {
        if (!m_ok)
            return;
        const QString& text = m_norm[field];
        const auto value = common::DecimalText::parse(text);
        if (value && (!whole || *value == std::trunc(*value))) {
            target = *value;
            return;
        }
        m_ok = false;
        if (m_error)
            *m_error =
                QCoreApplication::translate("NormParameterSet",
                                            "„%1” nie jest poprawną wartością parametru normy: %2.")
                    .arg(text, config::fieldName(field));
    }

    const config::NormParameters& m_norm;
    QString* m_error;
    bool m_ok = true;
};

StationRatios ratiosOf(const config::StationSettings& station)
{
    return {station.un, station.vtPrimary, config::vtSecondaryVolts(station.vtSecondary),
            static_cast<double>(station.ctPrimary),
            common::DecimalText::parse(station.ctSecondary).value_or(0)};
}

} // namespace

std::optional<NormParameterSet>
NormParameterSet::from(const config::RecorderConfiguration& configuration, QString* error)
{
    NormParameterSet set;
    // A one-second storage period is stored as 0 minutes.
    set.recordPeriodSeconds =
        configuration.storagePeriod > 0 ? configuration.storagePeriod * 60.0 : 1.0;
    set.averagingMinutes = std::max(configuration.storagePeriod, 0);
    NormReader read(configuration.norm, error);
    read.decimal(NormField::FreqNarrowMinus, set.freqBand1Minus);
    read.decimal(NormField::FreqNarrowPlus, set.freqBand1Plus);
    read.whole(NormField::FreqNarrowShare, set.freqBand1Share);
    read.decimal(NormField::FreqWideMinus, set.freqBand2Minus);
    read.decimal(NormField::FreqWidePlus, set.freqBand2Plus);
    read.whole(NormField::FreqWideShare, set.freqBand2Share);
    read.decimal(NormField::VoltageMinus, set.voltageMinus);
    read.decimal(NormField::VoltagePlus, set.voltagePlus);
    read.whole(NormField::VoltageShare, set.voltageShare);
    read.whole(NormField::UnbalanceLimit, set.unbalanceLimit);
    read.whole(NormField::UnbalanceShare, set.unbalanceShare);
    read.whole(NormField::HarmonicShare, set.harmonicShare);
    for (int order = 2; order <= 24; ++order)
        read.decimal(config::harmonicField(order), set.harmonicLimit[order]);
    read.decimal(NormField::ThdLimit, set.thdLimit);
    read.whole(NormField::InterruptionThreshold, set.interruptionThreshold);
    read.whole(NormField::LongInterruption, set.longInterruption);
    read.whole(NormField::OvervoltageThreshold, set.overvoltageThreshold);
    if (!read.ok())
        return std::nullopt;
    for (int s = 0; s < config::StationCount; ++s)
        set.stations[s] = ratiosOf(configuration.stations[s]);
    return set;
}

} // namespace kapstat::browse
