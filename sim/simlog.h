#pragma once

#include <QLoggingCategory>

// The emulator's diagnostics, quiet unless kapstat.sim is enabled.
Q_DECLARE_LOGGING_CATEGORY(simLog)
