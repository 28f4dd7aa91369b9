#include "link/servicemode.h"

#include <QStringList>

namespace kapstat::link {

bool ServiceMode::unlock(const QString& password)
{
    static const QStringList passwords{QStringLiteral("lirbek"), QStringLiteral("LIRBEK"),
                                       QStringLiteral("Lirbek")};
    if (!passwords.contains(password))
        return false;
    if (!m_on) {
        m_on = true;
        Q_EMIT switchedOn();
    }
    return true;
}

} // namespace kapstat::link
