// Program time the link spends per downloaded record: framing the request, assembling the
// response from chunks, the checksum test and routing, with no line in between.
#include "link/commandtable.h"
#include "link/fakechannel.h"
#include "link/framecodec.h"
#include "link/manualclock.h"
#include "link/recorderlink.h"
#include "link/scriptedprompter.h"

#include <benchmark/benchmark.h>

using namespace kapstat::link;

namespace {

void RecordExchange(benchmark::State& state)
{
    const int recordLength = static_cast<int>(state.range(0));
    FakeChannel channel;
    ManualClock clock;
    ManualTimer timer(clock);
    ScriptedPrompter prompter;
    RecorderLink link(channel, timer, prompter);
    channel.open(QStringLiteral("bench"));
    link.setComputedResponseLength(Command::ReadRecord, recordLength);

    int n = 0;
    QByteArray data(recordLength - 5, '\0');
    link.router().onCode(Command::ReadRecord, [&](const ResponseBytes& r, const Operation&) {
        benchmark::DoNotOptimize(r.at(5));
        ++n;
        link.send({OperationName::Rekordy, 3},
                  framecodec::payload(Command::ReadRecord, QByteArray(3, static_cast<char>(n))));
    });
    link.send({OperationName::Rekordy, 3},
              framecodec::payload(Command::ReadRecord, QByteArray(3, '\0')));
    for (auto _ : state) {
        data[0] = static_cast<char>(n); // every record differs from the one before
        channel.feed(ResponseBytes::withData(Command::ReadRecord, data).frame());
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(RecordExchange)->Arg(20)->Arg(200)->Arg(1900);

BENCHMARK_MAIN();
