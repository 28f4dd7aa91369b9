#pragma once

#include "calib/calibrationset.h"

#include <QObject>

namespace kapstat::link {
class RecorderLink;
}

namespace kapstat::calib {

// Keeps the program's calibration set and range scale filled from every calibration block the
// recorder sends, whatever operation asked for it, before that operation's own rows run.
class CalibrationReader : public QObject
{
    Q_OBJECT

public:
    CalibrationReader(link::RecorderLink& link, CalibrationSet& set, RangeScale& scale,
                      QObject* parent = nullptr);

Q_SIGNALS:
    void calibrationRead();
};

} // namespace kapstat::calib
