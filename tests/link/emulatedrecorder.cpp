#include "emulatedrecorder.h"

EmulatedRecorder::EmulatedRecorder(kapstat::link::FakeChannel& line) : m_line(line) {}

bool EmulatedRecorder::answer()
{
    const QList<QByteArray> frames = m_line.written().mid(m_answered);
    m_answered = m_line.written().size();
    QByteArray answers;
    for (const QByteArray& frame : frames)
        for (const QByteArray& response : emulator.receive(frame))
            answers += response;
    if (!answers.isEmpty())
        m_line.feed(answers);
    return !frames.isEmpty();
}

void EmulatedRecorder::run(int exchanges)
{
    for (int i = 0; i < exchanges && answer(); ++i) {
    }
}

int EmulatedRecorder::written(quint8 code) const
{
    return static_cast<int>(std::count_if(
        m_line.written().cbegin(), m_line.written().cend(),
        [code](const QByteArray& frame) { return static_cast<quint8>(frame.at(1)) == code; }));
}
