#include "randomconfiguration.h"

#include "common/decimaltext.h"
#include "config/conditionquantities.h"
#include "config/configurationmodel.h"

#include <cmath>

namespace kapstat::config {

namespace {

int uniform(std::mt19937& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

bool coin(std::mt19937& random, double probability = 0.5)
{
    return std::bernoulli_distribution(probability)(random);
}

// A number of at most three significant digits, as general text.
QString threeDigitText(std::mt19937& random)
{
    const double mantissa = uniform(random, -999, 999);
    return common::DecimalText::general(mantissa * std::pow(10.0, uniform(random, -3, 3)));
}

QString description(std::mt19937& random)
{
    static const QString letters =
        QStringLiteral("abcdefghijklmnoprstuwyzĄĆĘŁŃÓŚŹŻąćęłńóśźż 0123456789-");
    QString text;
    const int length = uniform(random, 1, 60);
    for (int i = 0; i < length; ++i)
        text += letters[uniform(random, 0, static_cast<int>(letters.size()) - 1)];
    return text.trimmed().isEmpty() ? QStringLiteral("x") : text.trimmed();
}

QDateTime moment(std::mt19937& random)
{
    return QDateTime(
        QDate(uniform(random, 2000, 2099), uniform(random, 1, 12), uniform(random, 1, 28)),
        QTime(uniform(random, 0, 23), uniform(random, 0, 59), uniform(random, 0, 59)));
}

StationSettings station(std::mt19937& random)
{
    StationSettings s;
    s.description = description(random);
    s.un = uniform(random, 1, 999) * std::pow(10.0, uniform(random, 0, 2));
    s.vtPrimary = uniform(random, 1, 9999999);
    s.vtSecondary = uniform(random, 0, VtSecondaryChoiceCount - 1);
    s.ctPrimary = uniform(random, 1, 9999999);
    s.ctSecondary = common::DecimalText::fixed(uniform(random, 20, 100) / 100.0, 2);
    s.startEnabled = coin(random);
    s.start = moment(random);
    s.endEnabled = coin(random);
    s.end = moment(random);
    s.changeStation = coin(random);
    s.conditionValid = coin(random);
    return s;
}

void randomiseNorm(ConfigurationModel& model, std::mt19937& random)
{
    for (int i = 0; i < NormFieldCount; ++i) {
        const auto field = static_cast<NormField>(i);
        const NormFieldTraits& t = traits(field);
        if (t.step == 0)
            continue;
        const int steps = static_cast<int>(std::round((t.maximum - t.minimum) / t.step));
        model.setNormText(
            field, common::DecimalText::general(t.minimum + uniform(random, 0, steps) * t.step));
    }
}

} // namespace

void randomise(ConfigurationModel& model, std::mt19937& random)
{
    const MeasuringSystem systems[] = {MeasuringSystem::Star, MeasuringSystem::Delta,
                                       MeasuringSystem::SinglePhase};
    model.applySystemChange(systems[uniform(random, 0, 2)]);
    model.setStoragePeriod(uniform(random, 0, MaxPeriodMinutes));
    model.setAlternatePeriod(uniform(random, 0, MaxPeriodMinutes));
    model.setPeakPowerPeriod(uniform(random, 0, PeakPowerPeriodCount - 1));
    model.setThdBase(coin(random) ? ThdBase::Rms : ThdBase::H1);
    for (int i = 0; i < ConditionCount; ++i)
        model.setCondition(i, {uniform(random, 0, conditions::Count - 1), threeDigitText(random),
                               threeDigitText(random)});
    randomiseNorm(model, random);
    if (coin(random, 0.3))
        model.clickIndicator(entries::NormMode);
    for (int click = 0; click < 120; ++click)
        model.clickIndicator(uniform(random, 1, entries::Count - 1));
    for (int s = 0; s < StationCount; ++s)
        model.setStation(s, station(random));
    model.setSignalLevels(uniform(random, 0, 100), uniform(random, 0, 100));
    model.alignVtSecondariesForEventRecording();
}

calib::CalibrationSet typicalCalibration()
{
    calib::CalibrationSet set;
    for (int channel = 0; channel < 3; ++channel)
        for (int slot = 0; slot < 3; ++slot) {
            set.gainMantissa[channel][slot] = 50000 + 1000 * channel + 100 * slot;
            set.gainExponent[channel][slot] = -5;
        }
    return set;
}

} // namespace kapstat::config
