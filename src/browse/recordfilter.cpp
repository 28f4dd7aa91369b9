#include "browse/recordfilter.h"

#include "common/datetimetext.h"

#include <QStringList>

namespace kapstat::browse {

QString RecordFilter::whereClause(download::TableKind kind, QVariantList& binds) const
{
    if (kind == download::TableKind::Zanik)
        return {};
    QStringList conditions;
    if (kind == download::TableKind::Harm) {
        QStringList hidden;
        for (int phase = 0; phase < 3; ++phase)
            if (!phaseShown[phase]) {
                hidden << QStringLiteral("?");
                binds << QStringLiteral("L%1").arg(phase + 1);
            }
        // Records of any other phase text stay shown.
        if (!hidden.isEmpty())
            conditions << QStringLiteral("\"Faza\" NOT IN (%1)").arg(hidden.join(QLatin1Char(',')));
    }
    if (conditionOnly)
        conditions << QStringLiteral("\"War\" > 0");
    if (dayStart) {
        conditions << QStringLiteral("\"DiC\" >= ? AND \"DiC\" < ?");
        binds << common::DateTimeText::dateTime(*dayStart)
              << common::DateTimeText::dateTime(dayStart->addDays(1));
    }
    return conditions.join(QStringLiteral(" AND "));
}

} // namespace kapstat::browse
