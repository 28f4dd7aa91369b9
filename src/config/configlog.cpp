#include "config/configlog.h"

namespace kapstat::config {
Q_LOGGING_CATEGORY(configLog, "kapstat.config", QtWarningMsg)
}
