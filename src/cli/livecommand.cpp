#include "cli/livecommand.h"

#include "cli/clioptions.h"
#include "cli/clisession.h"
#include "cli/clitext.h"
#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "live/instantframereader.h"
#include "live/liveloop.h"
#include "live/livevalues.h"

#include <cmath>
#include <optional>

namespace kapstat::cli {

namespace {

using config::MeasuringSystem;

struct LiveArguments
{
    int frames = 1;
    bool json = false;
};

std::optional<LiveArguments> parseArguments(const QStringList& arguments)
{
    LiveArguments parsed;
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--json")) {
            parsed.json = true;
        } else if (arguments[i] == QLatin1String("--frames") && i + 1 < arguments.size()) {
            bool ok = false;
            parsed.frames = arguments[++i].toInt(&ok);
            if (!ok || parsed.frames < 1)
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    return parsed;
}

void printField(QTextStream& out, const QString& caption, const live::LiveField& field)
{
    out << caption << '\t' << field.value << '\t' << field.unit << '\n';
}

// The two value pages as the window shows them: visible rows only, the per-phase page row by
// row with each caption followed by its column.
void printPages(QTextStream& out, const live::LiveValuesView& view)
{
    for (const live::TotalsRow& row : view.totals)
        if (row.visible)
            printField(out, row.caption, row.field);
    for (const live::PhaseRow& row : view.phases)
        for (int column = 0; column < live::PhaseColumnCount; ++column)
            printField(out, row.captions[column] + QStringLiteral(" L%1").arg(column + 1),
                       row.fields[column]);
    out.flush();
}

// Numbers as the shortest text that reads back to the same double.
QByteArray number(long double value)
{
    const double d = static_cast<double>(value);
    if (!std::isfinite(d))
        return "null";
    return QByteArray::number(d, 'g', QLocale::FloatingPointShortest);
}

QByteArray jsonString(const QString& text)
{
    QByteArray quoted = "\"";
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            quoted += '\\';
        quoted += QString(c).toUtf8();
    }
    return quoted + '"';
}

template <typename Range> QByteArray array(const Range& values)
{
    QByteArray text = "[";
    for (const auto& v : values) {
        if (text.size() > 1)
            text += ',';
        if constexpr (std::is_integral_v<std::decay_t<decltype(v)>>)
            text += QByteArray::number(v);
        else if constexpr (std::is_arithmetic_v<std::decay_t<decltype(v)>>)
            text += number(v);
        else
            text += array(v);
    }
    return text + ']';
}

QByteArray recorderRaw(const live::LiveStore& store)
{
    QByteArray text = "{";
    for (int n = 0; n < live::RecorderValueCount; ++n) {
        if (store.recorderRaw[n].isEmpty())
            continue;
        if (text.size() > 1)
            text += ',';
        text += '"' + QByteArray::number(n) + "\":" + jsonString(store.recorderRaw[n]);
    }
    return text + '}';
}

QByteArray computed(const live::LiveStore& store)
{
    QByteArray text = "{";
    for (int n = 0; n < live::ComputedValueCount; ++n) {
        if (!store.computedProduced.test(n))
            continue;
        if (text.size() > 1)
            text += ',';
        text += '"' + QByteArray::number(n) + "\":" + number(store.computedValues[n]);
    }
    return text + '}';
}

QByteArray frameJson(const live::LiveStore& store, MeasuringSystem system,
                     const calib::RangeScale& scale)
{
    QByteArray json = "{\"system\":" + jsonString(systemName(system));
    json += ",\"licznik\":" + QByteArray::number(store.licznik);
    json += ",\"imax\":" + QByteArray::number(store.imax);
    json += ",\"ranges\":" + array(store.ranges);
    json += ",\"peaks\":" + array(store.peaks);
    json += ",\"raw\":" + array(store.raw);
    json += ",\"scaled\":" + array(store.scaled);
    json += ",\"rangeScale\":" + array(scale.values);
    json += ",\"recorder\":" + array(store.recorderValues);
    json += ",\"recorderRaw\":" + recorderRaw(store);
    json += ",\"computed\":" + computed(store);
    json += ",\"recorderHarmonics\":" + array(store.recorderHarmonics);
    json += ",\"computedHarmonics\":" + array(store.computedHarmonics);
    return json + '}';
}

} // namespace

int runLiveCommand(CliSession& session, const QStringList& arguments)
{
    const auto parsed = parseArguments(arguments);
    if (!parsed) {
        session.err() << tr("Użycie: live [--frames N] [--json] (N: liczba ramek, co najmniej 1)")
                      << Qt::endl;
        return ExitStatus::Usage;
    }
    config::ConfigurationModel configuration;
    config::ConfigurationReader reader(session.link(), configuration);
    live::LiveStore store;
    live::InstantFrameReader frames(session.link(), configuration, session.rangeScale(), store);
    live::LiveLoop loop(session.link(), configuration, store);
    session.endWhenGivenUp(link::OperationName::Chwila);
    QObject::connect(&reader, &config::ConfigurationReader::imageDamaged,
                     [&session] { session.finish(ExitStatus::Failed); });
    int received = 0;
    QObject::connect(&loop, &live::LiveLoop::frameAnalysed, [&] {
        if (parsed->json) {
            session.out() << frameJson(store, loop.measuringSystem(), session.rangeScale())
                          << Qt::endl;
        } else {
            printPages(session.out(),
                       live::showLiveValues(store.recorderValues, loop.measuringSystem()));
        }
        if (++received == parsed->frames) {
            loop.stop();
            session.finish(ExitStatus::Done);
        }
    });
    session.prompter().startOperation();
    loop.start();
    return session.run();
}

} // namespace kapstat::cli
