#include "common/programversion.h"

namespace kapstat::common {

QString ProgramVersion::line(const QString& program)
{
    const QString text = program + QLatin1Char(' ') + number();
    return commit().isEmpty() ? text : text + QStringLiteral(" (") + commit() + QLatin1Char(')');
}

} // namespace kapstat::common
