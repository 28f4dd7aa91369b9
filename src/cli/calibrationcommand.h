#pragma once

#include <QStringList>

namespace kapstat::cli {

class CliSession;

// calibration read FILE.kal | send FILE.kal [--eeprom]
//   | auto-dc --range R [--loop] [--channels LIST]
//   | auto-gain --range R [--loop] [--un V] [--in A] [--channels LIST]
// The calibration window's transfers and automatic calibrations, without the frame loop.
int runCalibrationCommand(CliSession& session, const QStringList& arguments);

} // namespace kapstat::cli
