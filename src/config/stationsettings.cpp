#include "config/stationsettings.h"

#include "common/decimaltext.h"

#include <QCoreApplication>

namespace kapstat::config {

namespace {
constexpr double VtSecondaryChoices[VtSecondaryChoiceCount] = {57.7, 63.5, 100, 110, 115, 120, 173,
                                                               190,  200,  220, 230, 381, 398};
}

double vtSecondaryVolts(int index)
{
    return index >= 0 && index < VtSecondaryChoiceCount ? VtSecondaryChoices[index] : 0;
}

int vtSecondaryIndexOf(const QString& text)
{
    for (int i = 0; i < VtSecondaryChoiceCount; ++i)
        if (common::DecimalText::general(VtSecondaryChoices[i]) == text)
            return i;
    return NoChoice;
}

QDateTime StationSettings::defaultMoment()
{
    return QDateTime(QDate(2001, 12, 13), QTime(12, 0));
}

std::optional<QString> ctSecondaryProblem(const QString& text)
{
    const auto value = common::DecimalText::parse(text);
    if (value && *value >= 0.2 && *value <= 1.0)
        return std::nullopt;
    return QCoreApplication::translate("StationSettings", "Proszę wpisać liczbę od 0,20 do 1,00");
}

} // namespace kapstat::config
