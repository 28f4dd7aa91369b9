#pragma once

// QCustomPlot's header spells Qt's "signals" and "foreach" keywords, which this project turns
// off (QT_NO_KEYWORDS); include it through here.
#define signals Q_SIGNALS
#define foreach Q_FOREACH
#include <qcustomplot.h>
#undef foreach
#undef signals
