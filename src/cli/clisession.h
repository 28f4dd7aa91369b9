#pragma once

#include "calib/calibrationreader.h"
#include "calib/calibrationset.h"
#include "cli/cliprompter.h"
#include "link/qttimer.h"
#include "link/recorderlink.h"
#include "link/serialchannel.h"

#include <QTextStream>
#include <functional>

namespace kapstat::cli {

// Everything a command talks to the recorder with: the port, the link, the message window and
// the program's single instances.
class CliSession
{
public:
    CliSession(int retryRounds, bool yes);

    // Opens the port; false with the message printed when it cannot be opened.
    bool open(const QString& port);
    // Runs the event loop until finish() is called; returns the status given to it.
    int run();
    void finish(int status);
    // Ends the run when the link gives the operation up (the retry question answered "Nie").
    void endWhenGivenUp(link::OperationName operation);
    // Ends the run of an operation the recorder did not answer: stopped when a question was
    // answered "Nie", else failed.
    void giveUp();

    link::RecorderLink& link() { return m_link; }
    CliPrompter& prompter() { return m_prompter; }
    calib::CalibrationSet& calibration() { return m_calibration; }
    calib::RangeScale& rangeScale() { return m_rangeScale; }
    QTextStream& out() { return m_out; }
    QTextStream& err() { return m_err; }

private:
    link::SerialChannel m_channel;
    link::QtTimer m_timer;
    CliPrompter m_prompter;
    link::RecorderLink m_link;
    calib::CalibrationSet m_calibration;
    calib::RangeScale m_rangeScale;
    calib::CalibrationReader m_calibrationReader;
    QTextStream m_out;
    QTextStream m_err;
    int m_status = 0;
    bool m_finished = false;
};

} // namespace kapstat::cli
