#pragma once

#include <QLoggingCategory>

namespace kapstat::config {
Q_DECLARE_LOGGING_CATEGORY(configLog)
}
