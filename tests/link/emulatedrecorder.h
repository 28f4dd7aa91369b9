#pragma once

#include "link/fakechannel.h"
#include "sim/recorderemulator.h"

#include <QDateTime>

// The emulated recorder behind a link's in-memory line: every frame the link writes is answered
// when answer() is called, so a test decides how many exchanges run and no time passes.
class EmulatedRecorder
{
public:
    static inline const QDateTime HostTime{QDate(2024, 5, 1), QTime(12, 0, 0)};

    explicit EmulatedRecorder(kapstat::link::FakeChannel& line);

    kapstat::sim::RecorderState& state() { return emulator.state(); }
    // Answers the frames written since the last call; false when there were none.
    bool answer();
    // Answers up to the given number of exchanges, one after another.
    void run(int exchanges);
    // Frames of the code the link has written so far.
    int written(quint8 code) const;

    kapstat::sim::RecorderEmulator emulator{{}, [] { return HostTime; }};

private:
    kapstat::link::FakeChannel& m_line;
    qsizetype m_answered = 0;
};
