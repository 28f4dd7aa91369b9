// Program time per instantaneous frame: decoding the 4558 bytes and analysing the samples, on
// frames the emulated recorder sends (one arrives every 2.4 s at 19200 baud).
#include "link/commandtable.h"
#include "link/responsebytes.h"
#include "live/instantframe.h"
#include "live/sampleanalysis.h"
#include "sim/liveframe.h"
#include "sim/mainsmodel.h"
#include "sim/recorderstate.h"

#include <benchmark/benchmark.h>

using namespace kapstat;

namespace {

link::ResponseBytes emulatedFrame(config::MeasuringSystem system)
{
    const sim::RecorderState state;
    const sim::MainsModel mains(state.scenario, sim::ImageSettings());
    const sim::LiveSignal signal = sim::LiveSignal::of(mains.at(1, 0), system, 1000);
    return link::ResponseBytes::withData(
        link::Command::InstantFrame,
        sim::liveframe::frameData(signal, state.calibration.coefficients(), 0));
}

void DecodeFrame(benchmark::State& state)
{
    const auto frame = emulatedFrame(config::MeasuringSystem::Star);
    live::LiveStore store;
    calib::RangeScale scale;
    for (auto _ : state) {
        live::decodeInstantFrame(frame, config::MeasuringSystem::Star, scale, store);
        benchmark::DoNotOptimize(store.scaled[0][0]);
    }
}

void AnalyseSamples(benchmark::State& state)
{
    const auto frame = emulatedFrame(config::MeasuringSystem::Star);
    live::LiveStore store;
    calib::RangeScale scale;
    live::decodeInstantFrame(frame, config::MeasuringSystem::Star, scale, store);
    live::decodeInstantFrame(frame, config::MeasuringSystem::Star, scale, store);
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        live::analyseSamples(store, config::MeasuringSystem::Star, store.licznik, count);
        benchmark::DoNotOptimize(store.computedValues[0]);
    }
}

// What the live loop does with each frame before the window draws it.
void DecodeAndAnalyseFrame(benchmark::State& state)
{
    const auto system = static_cast<config::MeasuringSystem>(state.range(0));
    const auto frame = emulatedFrame(system);
    live::LiveStore store;
    calib::RangeScale scale;
    live::decodeInstantFrame(frame, system, scale, store);
    for (auto _ : state) {
        live::decodeInstantFrame(frame, system, scale, store);
        live::analyseSamples(store, system, store.licznik, store.imax);
        benchmark::DoNotOptimize(store.computedValues[0]);
    }
}

} // namespace

BENCHMARK(DecodeFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(AnalyseSamples)->Arg(250)->Arg(300)->Unit(benchmark::kMicrosecond);
BENCHMARK(DecodeAndAnalyseFrame)
    ->Arg(static_cast<int>(config::MeasuringSystem::Star))
    ->Arg(static_cast<int>(config::MeasuringSystem::Delta))
    ->Arg(static_cast<int>(config::MeasuringSystem::SinglePhase))
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
