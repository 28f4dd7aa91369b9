#include "link/operation.h"

namespace kapstat::link {

QString operationText(OperationName name)
{
    switch (name) {
    case OperationName::None:
        return {};
    case OperationName::Nawiazanie:
        return QStringLiteral("nawiazanie");
    case OperationName::Zegarek:
        return QStringLiteral("zegarek");
    case OperationName::Stan:
        return QStringLiteral("stan");
    case OperationName::Czysc:
        return QStringLiteral("czysc");
    case OperationName::Konfiguracja:
        return QStringLiteral("konfiguracja");
    case OperationName::Rekordy:
        return QStringLiteral("rekordy");
    case OperationName::Zaniki:
        return QStringLiteral("zaniki");
    case OperationName::Chwila:
        return QStringLiteral("chwila");
    case OperationName::Liczniki:
        return QStringLiteral("liczniki");
    case OperationName::Kalibracja:
        return QStringLiteral("kalibracja");
    }
    return {};
}

} // namespace kapstat::link
