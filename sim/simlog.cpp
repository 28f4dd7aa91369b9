#include "sim/simlog.h"

Q_LOGGING_CATEGORY(simLog, "kapstat.sim", QtWarningMsg)
