#pragma once

#include <QString>

namespace kapstat::common {

// "pozostało około 3 min 20 s": the time a long operation still needs at the pace it has kept;
// empty until there is a pace to go by.
QString remainingTimeText(qint64 elapsedMs, int done, int total);

} // namespace kapstat::common
