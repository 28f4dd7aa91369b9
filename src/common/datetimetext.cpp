#include "common/datetimetext.h"

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
    return QDateTime::fromString(text.trimmed(), DateTimeFormat);
}

} // namespace kapstat::common
