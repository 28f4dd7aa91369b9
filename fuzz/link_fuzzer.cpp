// Feeds arbitrary bytes to the link: receive assembly, the checksum test, routing, re-sends and
// questions, and to every decoder of recorder values on whatever the link hands on, the
// instantaneous frame and its analysis included.
#include "calib/calibrationblock.h"
#include "link/commandtable.h"
#include "link/devicenumbers.h"
#include "link/fakechannel.h"
#include "link/framecodec.h"
#include "link/manualclock.h"
#include "link/recorderlink.h"
#include "link/scriptedprompter.h"
#include "live/comparisontable.h"
#include "live/counterstext.h"
#include "live/instantframe.h"
#include "live/sampleanalysis.h"
#include "norm/pccounterslots.h"

#include <cstddef>
#include <cstdint>

using namespace kapstat;
using namespace kapstat::link;

namespace {

const quint8 Codes[] = {0x00, 0x01, 0x07, 0x09, 0x0A, 0x0B, 0x0C, 0x0D,
                        0x0E, 0x10, 0x11, 0x12, 0x13, 0x18, 0x19, 0x42};

// The counters page with the program's counts, scales and ranges taken from the bytes too,
// ranges without a scale slot included.
void showCounters(const ResponseBytes& r, const calib::RangeScale& scale)
{
    norm::PcCounterSlots slots;
    for (int slot = 0; slot < norm::PcCounterSlots::Count; ++slot)
        slots.set(slot, numbers::decodeDecFloat3(r, 5 + slot).value * (r.at(slot) - 128));
    std::array<int, live::ChannelCount> ranges{};
    for (int c = 0; c < live::ChannelCount; ++c)
        ranges[c] = r.at(c + 3) - 120;
    const QStringList lines =
        live::CountersText(slots, scale, ranges).lines(live::CountersFrame(r));
    volatile qsizetype sink = lines.size();
    (void)sink;
}

void compare(const live::LiveStore& store)
{
    for (const live::ComparisonLabel& label : live::ComparisonTable::labels()) {
        volatile qsizetype sink = live::ComparisonTable::text(label, store).text.size();
        (void)sink;
    }
}

void decodeEverything(const ResponseBytes& r)
{
    volatile double sink = 0;
    for (int p = 1; p <= r.size() + 2; ++p) {
        sink = sink + numbers::decodeDecFloat3(r, p).value + numbers::decodeDecFloat4(r, p).value +
               numbers::decodeDecFloat5(r, p).value + numbers::decodeDecMantissa4(r, p).mantissa +
               numbers::decodeSignMag16(r.at(p), r.at(p + 1)) + numbers::decodeUnsigned(r, p, 3);
        sink = sink + (numbers::decodeBcdDateTime(r, p).ok ? 1 : 0) +
               (numbers::decodeBcdDate3(r, p) ? 1 : 0);
    }
    calib::CalibrationSet set;
    calib::RangeScale scale;
    calib::calibrationblock::decode(r, set, scale);
    showCounters(r, scale);
    if (r.code() != Command::InstantFrame)
        return;
    // Whatever the period, sample count and range bytes, twice so that the scale is known.
    for (const auto system : {config::MeasuringSystem::Star, config::MeasuringSystem::Delta,
                              config::MeasuringSystem::SinglePhase}) {
        live::LiveStore store;
        for (int frame = 0; frame < 2; ++frame) {
            live::decodeInstantFrame(r, system, scale, store);
            live::analyseSamples(store, system, store.licznik, store.imax);
        }
        compare(store);
    }
}

class Input
{
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_pos >= m_size; }
    quint8 byte() { return atEnd() ? 0 : m_data[m_pos++]; }
    QByteArray bytes(size_t count)
    {
        count = std::min(count, m_size - m_pos);
        QByteArray chunk(reinterpret_cast<const char*>(m_data + m_pos),
                         static_cast<qsizetype>(count));
        m_pos += count;
        return chunk;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

QByteArray commandFor(Input& in)
{
    const quint8 code = Codes[in.byte() % std::size(Codes)];
    return framecodec::payload(code, in.bytes(in.byte() % 4));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    decodeEverything(ResponseBytes(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))));

    Input in(data, size);
    FakeChannel channel;
    ManualClock clock;
    ManualTimer timer(clock);
    ScriptedPrompter prompter;
    prompter.setDefaultAnswer(in.byte() & 1 ? PromptAnswer::Yes : PromptAnswer::No);
    RecorderLink link(channel, timer, prompter);
    channel.open(QStringLiteral("fuzz"));
    link.setComputedResponseLength(Command::ReadRecord, 5 + in.byte() * 4);
    link.setComputedResponseLength(Command::ReadEvent, 235);
    for (const quint8 code : Codes) {
        link.router().onCode(code, [&](const ResponseBytes& r, const Operation&) {
            decodeEverything(r);
            if (r.at(5) & 1)
                link.send({OperationName::Rekordy, 3}, commandFor(in));
        });
    }

    int steps = 0;
    while (!in.atEnd() && ++steps < 2000) {
        switch (in.byte() % 6) {
        case 0:
        case 1:
            channel.feed(in.bytes(in.byte() + 1));
            break;
        case 2:
            clock.fireNext();
            break;
        case 3:
            link.send({OperationName::Stan, in.byte() % 5}, commandFor(in));
            break;
        case 4:
            link.requestAbort();
            break;
        case 5:
            link.setHoldResults(in.byte() & 1);
            break;
        }
    }
    return 0;
}
