#include "common/remainingtime.h"

#include <QCoreApplication>

namespace kapstat::common {

QString remainingTimeText(qint64 elapsedMs, int done, int total)
{
    if (done <= 0 || total <= done || elapsedMs <= 0)
        return {};
    const qint64 seconds = (elapsedMs * (total - done) / done + 999) / 1000;
    const QString left = seconds >= 60
                             ? QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60)
                             : QStringLiteral("%1 s").arg(seconds);
    return QCoreApplication::translate("remainingTime", "pozostało około %1").arg(left);
}

} // namespace kapstat::common
