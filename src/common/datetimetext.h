#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace kapstat::common {

// The program's fixed date and time formats: "yyyy-MM-dd", "hh:mm:ss".
class DateTimeText
{
public:
    static QString date(const QDate& date);
    static QString time(const QTime& time);
    static QString dateTime(const QDateTime& moment); // "yyyy-MM-dd hh:mm:ss"
    // Invalid results for texts not in these formats.
    static QDate parseDate(const QString& text);
    static QTime parseTime(const QString& text);
    static QDateTime parseDateTime(const QString& text);
};

} // namespace kapstat::common
