#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <optional>

namespace kapstat::sim {

// One verified command frame as it came from the PC, ESC to checksum.
struct CommandFrame
{
    QByteArray bytes;

    quint8 code() const { return static_cast<quint8>(bytes.at(1)); }
    QByteArray data() const { return bytes.mid(HeaderLength, bytes.size() - HeaderLength - 1); }

    static constexpr int HeaderLength = 4; // ESC, code, data length high, low
};

// Finds command frames in the bytes the PC sends, however they are cut up. A frame whose code is
// unknown, whose data length is not the code's, or whose checksum is wrong is skipped and the
// search resumes at the next ESC after its start, so a real frame hidden behind noise is found.
class CommandFramer
{
public:
    // The frames completed by these bytes, in order; an unfinished frame waits for more bytes.
    QList<CommandFrame> feed(QByteArrayView bytes);

    // How many frame starts were skipped as unknown, mis-sized or with a bad checksum.
    int rejectedCount() const { return m_rejected; }

    // The data length the recorder expects with the code; nullopt for codes it does not know.
    static std::optional<int> expectedDataLength(quint8 code);

private:
    enum class Verdict
    {
        NeedMore,
        Rejected,
        Accepted
    };
    Verdict examine(QByteArrayView candidate, qsizetype& frameLength) const;

    QByteArray m_buffer;
    int m_rejected = 0;
};

} // namespace kapstat::sim
