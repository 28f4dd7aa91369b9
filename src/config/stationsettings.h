#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace kapstat::config {

inline constexpr int StationCount = 8;
inline constexpr int VtSecondaryChoiceCount = 13;
inline constexpr int NoChoice = -1; // a list with no entry selected

// The VT secondary voltages the recorder accepts, in volts.
double vtSecondaryVolts(int index);
// The list entry shown as the text ("57,7", "230"), or NoChoice.
int vtSecondaryIndexOf(const QString& text);

// One measuring point.
struct StationSettings
{
    QString description;
    double un = 230;
    double vtPrimary = 230;
    int vtSecondary = 10; // index into the VT secondary list; NoChoice when none matches
    int ctPrimary = 1000;
    QString ctSecondary = QStringLiteral("1,00"); // as its masked field shows it
    bool startEnabled = false;
    QDateTime start = defaultMoment();
    bool endEnabled = false;
    QDateTime end = defaultMoment();
    bool changeStation = false;
    bool conditionValid = false;

    bool operator==(const StationSettings&) const = default;

    static QDateTime defaultMoment();
};

// The message for a CT secondary text that is not a number from 0,20 to 1,00; nullopt when it is.
std::optional<QString> ctSecondaryProblem(const QString& text);

} // namespace kapstat::config
