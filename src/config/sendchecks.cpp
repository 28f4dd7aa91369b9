#include "config/sendchecks.h"

#include "config/imageencoder.h"
#include "config/recordcapacity.h"
#include "config/recorderconfiguration.h"

#include <QCoreApplication>
#include <algorithm>

namespace kapstat::config::sendchecks {

namespace {

constexpr int RecordsForReport = 100;

QString tr(const char* text)
{
    return QCoreApplication::translate("ConfigurationTransfer", text);
}

bool anyDifference(const ImageBuild& build, VoltageDifference kind)
{
    return std::find(build.differences.cbegin(), build.differences.cend(), kind) !=
           build.differences.cend();
}

} // namespace

std::optional<QString> capacityWarning(const RecorderConfiguration& configuration)
{
    if (!configuration.normMode() || capacity::recordCapacity(configuration) >= RecordsForReport)
        return std::nullopt;
    return tr("Wybrano pomiary dla badania zgodności z normą ale ilość rekordów, które można "
              "zarejestrować jest <100 i nie wystarczy do wykonania raportu ze zgodności z normą.");
}

std::optional<Verdict> verdict(const RecorderConfiguration& configuration, const ImageBuild& build)
{
    if (!configuration.eventRecording())
        return std::nullopt;
    if (!build.tooHighThresholds.isEmpty()) {
        const auto lowest =
            std::min_element(build.tooHighThresholds.cbegin(), build.tooHighThresholds.cend(),
                             [](const ThresholdNote& a, const ThresholdNote& b) {
                                 return a.largestAdmissiblePercent < b.largestAdmissiblePercent;
                             });
        return Verdict{
            tr("Wybrano zbyt wysoki próg przepięcia (%1% Un). Próg ten jest powyżej zakresu "
               "pomiarowego rejestratora. Konfiguracja nie zostanie wysłana, proszę poprawić "
               "wskazaną wartość. Najwiekszy dopuszczalny próg wynosi %2% Un. Patrz instrukcja "
               "programu.")
                .arg(configuration.norm[NormField::OvervoltageThreshold])
                .arg(lowest->largestAdmissiblePercent - 1),
            true};
    }
    if (anyDifference(build, VoltageDifference::Large))
        return Verdict{
            tr("Ponieważ została wybrana rejestracja przerw i przepięć, różnica między Un a "
               "wartością strony pierwotnej przekładnika napięciowego nie może przekraczać 10% "
               "dla każdej stacji. Konfiguracja nie zostanie wysłana aż do wprowadzenia "
               "poprawnych wartości. Patrz instrukcja programu."),
            true};
    if (anyDifference(build, VoltageDifference::Small))
        return Verdict{
            tr("Dla conajmniej jednej stacji napięce Un jest różne od napięcia strony pierwotnej "
               "przekładnika napięciowego! Może to spowodować niedokładności w pomiarze "
               "przepięć. Ponieważ różnica nie przekracza 10% konfiguracja zostanie wysłana."),
            false};
    return std::nullopt;
}

} // namespace kapstat::config::sendchecks
