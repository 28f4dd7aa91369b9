// Time the live window takes to draw one frame on each page, offscreen (a frame arrives every
// 2.4 s; the budget is 20 ms).
#include "config/configurationmodel.h"
#include "link/commandtable.h"
#include "link/fakechannel.h"
#include "link/manualclock.h"
#include "link/recorderlink.h"
#include "link/scriptedprompter.h"
#include "live/instantframe.h"
#include "live/liveloop.h"
#include "live/livewindow.h"
#include "live/sampleanalysis.h"
#include "sim/liveframe.h"
#include "sim/mainsmodel.h"
#include "sim/recorderstate.h"

#include <QApplication>
#include <QTabWidget>
#include <benchmark/benchmark.h>

using namespace kapstat;

namespace {

void RedrawFrame(benchmark::State& state)
{
    link::FakeChannel channel;
    link::ManualClock clock;
    link::ManualTimer timer(clock);
    link::ScriptedPrompter prompter;
    link::RecorderLink link(channel, timer, prompter);
    config::ConfigurationModel model;
    live::LiveStore store;
    calib::RangeScale scale;
    live::LiveLoop loop(link, model, store);
    live::LiveWindow window(loop, store, scale, model);

    const sim::RecorderState recorder;
    const sim::MainsModel mains(recorder.scenario, sim::ImageSettings());
    const auto frame = link::ResponseBytes::withData(
        link::Command::InstantFrame,
        sim::liveframe::frameData(
            sim::LiveSignal::of(mains.at(1, 0), config::MeasuringSystem::Star, 1000),
            recorder.calibration.coefficients(), 0));
    for (int i = 0; i < 2; ++i)
        live::decodeInstantFrame(frame, config::MeasuringSystem::Star, scale, store);
    live::analyseSamples(store, config::MeasuringSystem::Star, store.licznik, store.imax);

    Q_EMIT loop.systemRead(config::MeasuringSystem::Star);
    window.pages()->setCurrentIndex(static_cast<int>(state.range(0)));
    for (auto _ : state)
        Q_EMIT loop.frameAnalysed();
}

} // namespace

BENCHMARK(RedrawFrame)->ArgName("page")->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
