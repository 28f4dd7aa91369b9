#include "common/datetimetext.h"

#include <algorithm>
#include <iterator>

namespace kapstat::common {

namespace {
const QString DateFormat = QStringLiteral("yyyy-MM-dd");
const QString TimeFormat = QStringLiteral("hh:mm:ss");
const QString DateTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
} // namespace

QString DateTimeText::date(const QDate& date)
{
    return date.toString(DateFormat);
}

QString DateTimeText::time(const QTime& time)
{
    return time.toString(TimeFormat);
}

QString DateTimeText::dateTime(const QDateTime& moment)
{
    return moment.toString(DateTimeFormat);
}

QDate DateTimeText::parseDate(const QString& text)
{
    return QDate::fromString(text.trimmed(), DateFormat);
}

QTime DateTimeText::parseTime(const QString& text)
{
    return QTime::fromString(text.trimmed(), TimeFormat);
}

QDateTime DateTimeText::parseDateTime(const QString& text)
{
    // The stored form is read digit by digit: QDateTime::fromString costs microseconds a call,
    // and tables are read a million rows at a time.
    const QString trimmed = text.trimmed();
    if (trimmed.size() != 19)
        return QDateTime::fromString(trimmed, DateTimeFormat);
    auto number = [&](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i) {
            const int digit = trimmed.at(i).unicode() - '0';
            if (digit < 0 || digit > 9)
                return -1;
            value = value * 10 + digit;
        }
        return value;
    };
    const bool separatorsRight =
        trimmed.at(4) == QLatin1Char('-') && trimmed.at(7) == QLatin1Char('-') &&
        trimmed.at(10) == QLatin1Char(' ') && trimmed.at(13) == QLatin1Char(':') &&
        trimmed.at(16) == QLatin1Char(':');
    const int parts[] = {number(0, 4),  number(5, 2),  number(8, 2),
                         number(11, 2), number(14, 2), number(17, 2)};
    if (!separatorsRight || std::find(std::begin(parts), std::end(parts), -1) != std::end(parts))
        return {};
    const QDate date(parts[0], parts[1], parts[2]);
    const QTime time(parts[3], parts[4], parts[5]);
    return date.isValid() && time.isValid() ? QDateTime(date, time) : QDateTime();
}

} // namespace kapstat::common
