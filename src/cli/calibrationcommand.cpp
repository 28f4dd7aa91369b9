#include "cli/calibrationcommand.h"

#include "calib/calibrationconversation.h"
#include "calib/calibrationfile.h"
#include "cli/clioptions.h"
#include "cli/clisession.h"
#include "cli/clitext.h"
#include "common/decimaltext.h"
#include "config/configurationmodel.h"
#include "live/instantframereader.h"

#include <optional>

namespace kapstat::cli {

namespace {

using calib::CalibrationConversation;
using Step = CalibrationConversation::Step;

// A calibration that has not settled after this many frames will not: it is stopped.
constexpr int MostAutomaticFrames = 50;
const QStringList ChannelNames{QStringLiteral("UL1"), QStringLiteral("UL2"), QStringLiteral("UL3"),
                               QStringLiteral("IL1"), QStringLiteral("IL2"), QStringLiteral("IL3")};

QString usageText()
{
    return tr("Użycie: calibration read PLIK.kal | calibration send PLIK.kal [--eeprom]\n"
              "  | calibration auto-dc --range R [--loop] [--channels UL1,...,IL3]\n"
              "  | calibration auto-gain --range R [--loop] [--un 220] [--in 5] "
              "[--channels UL1,...,IL3]");
}

std::optional<double> positiveNumber(const QString& text)
{
    // A script may write the point of its own locale.
    const auto value =
        common::DecimalText::parse(QString(text).replace(QLatin1Char('.'), QLatin1Char(',')));
    if (!value || *value <= 0)
        return std::nullopt;
    return value;
}

// The channels named in a list; every channel of the transducers when none is given.
std::optional<std::array<bool, calib::ChannelCount>> channelsOf(const QString& list,
                                                                calib::Transducer transducer)
{
    const int first = transducer == calib::Transducer::Loop ? calib::FirstCurrentChannel : 0;
    std::array<bool, calib::ChannelCount> ticked{};
    if (list.isEmpty()) {
        for (int c = first; c < calib::ChannelCount; ++c)
            ticked[c] = true;
        return ticked;
    }
    for (const QString& name : list.split(QLatin1Char(','))) {
        const int c = static_cast<int>(ChannelNames.indexOf(name.trimmed().toUpper()));
        if (c < first)
            return std::nullopt;
        ticked[c] = true;
    }
    return ticked;
}

// The options of auto-dc and auto-gain; nullopt on any that is wrong or missing.
std::optional<calib::AutoCalibrationSettings> parseAutomatic(const QStringList& arguments,
                                                             calib::CalibrationMode mode)
{
    calib::AutoCalibrationSettings settings;
    settings.selection.mode = mode;
    std::optional<int> range;
    QString channels;
    const bool gain = mode == calib::CalibrationMode::Gain;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (option == QLatin1String("--loop")) {
            settings.selection.transducer = calib::Transducer::Loop;
            continue;
        }
        if (i + 1 >= arguments.size())
            return std::nullopt;
        const QString value = arguments[++i];
        if (option == QLatin1String("--range")) {
            bool ok = false;
            range = value.toInt(&ok);
            if (!ok)
                return std::nullopt;
        } else if (option == QLatin1String("--channels")) {
            channels = value;
        } else if (gain && (option == QLatin1String("--un") || option == QLatin1String("--in"))) {
            const auto number = positiveNumber(value);
            if (!number)
                return std::nullopt;
            (option == QLatin1String("--un") ? settings.un : settings.in) = *number;
        } else {
            return std::nullopt;
        }
    }
    if (!range || *range < 0 || *range >= calib::rangeEntryCount(settings.selection.transducer))
        return std::nullopt;
    settings.selection.rangeEntry = *range;
    const auto ticked = channelsOf(channels, settings.selection.transducer);
    if (!ticked)
        return std::nullopt;
    settings.ticked = *ticked;
    return settings;
}

// The conversation of one calibration command with what it needs around it.
class CalibrationRun
{
public:
    explicit CalibrationRun(CliSession& session) : m_session(session)
    {
        QObject::connect(&m_conversation, &CalibrationConversation::messageBoxRequested,
                         [this](const QString& text) { m_session.err() << text << Qt::endl; });
        QObject::connect(&m_conversation, &CalibrationConversation::givenUp,
                         [this] { m_session.giveUp(); });
        session.prompter().startOperation();
    }

    CalibrationConversation& conversation() { return m_conversation; }
    const calib::CalibrationSet& set() const { return m_session.calibration(); }
    const live::LiveStore& store() const { return m_store; }
    // Runs what follows once the step's command is answered.
    void after(int step, std::function<void()> next)
    {
        QObject::connect(&m_conversation, &CalibrationConversation::stepDone,
                         [step, next = std::move(next)](int done) {
                             if (done == step)
                                 next();
                         });
    }

private:
    CliSession& m_session;
    config::ConfigurationModel m_model; // each input is calibrated on its own, as in a star
    live::LiveStore m_store;
    live::InstantFrameReader m_frames{m_session.link(), m_model, m_session.rangeScale(), m_store};
    CalibrationConversation m_conversation{m_session.link(), m_session.calibration(), m_model,
                                           m_store};
};

int readToFile(CliSession& session, const QString& path)
{
    CalibrationRun run(session);
    run.after(Step::Read, [&] {
        if (const auto error = calib::calibrationfile::save(run.set(), path)) {
            session.err() << *error << Qt::endl;
            session.finish(ExitStatus::Failed);
            return;
        }
        session.finish(ExitStatus::Done);
    });
    run.conversation().readCoefficients();
    return session.run();
}

int sendFile(CliSession& session, const QString& path, bool eeprom)
{
    if (const auto error = calib::calibrationfile::load(session.calibration(), path)) {
        session.err() << *error << Qt::endl;
        return ExitStatus::Failed;
    }
    CalibrationRun run(session);
    QObject::connect(&run.conversation(), &CalibrationConversation::messageBoxRequested,
                     [&session] { session.finish(ExitStatus::Failed); });
    run.after(Step::Send, [&] {
        if (eeprom)
            run.conversation().storeInEeprom();
        else
            session.finish(ExitStatus::Done);
    });
    run.after(Step::StoreInEeprom, [&] { session.finish(ExitStatus::Done); });
    run.conversation().sendCoefficients();
    return session.run();
}

void printProgress(CliSession& session, CalibrationRun& run,
                   const calib::AutoCalibrationSettings& settings, int frame)
{
    session.err() << tr("Ramka %1:").arg(frame);
    for (int c = 0; c < calib::ChannelCount; ++c) {
        if (!settings.ticked[c])
            continue;
        const double value = settings.selection.mode == calib::CalibrationMode::Dc
                                 ? run.conversation().means()[c]
                                 : static_cast<double>(run.store().computedValues[c]);
        session.err() << ' ' << ChannelNames[c] << ' ' << common::DecimalText::fixed(value, 4);
    }
    session.err() << Qt::endl;
}

// The coefficients the calibration left, one ticked channel a line.
void printCoefficients(CliSession& session, const calib::CalibrationSet& set,
                       const calib::AutoCalibrationSettings& settings)
{
    for (int c = 0; c < calib::ChannelCount; ++c) {
        if (!settings.ticked[c])
            continue;
        const int slot = settings.selection.slotOf(c);
        session.out() << ChannelNames[c] << ' ' << tr("zakres") << ' ' << slot << ": ";
        if (settings.selection.mode == calib::CalibrationMode::Dc)
            session.out() << "DC " << set.dcOffset[c][slot];
        else
            session.out() << set.gainMantissa[c][slot] << 'e' << set.gainExponent[c][slot];
        session.out() << Qt::endl;
    }
}

int calibrateAutomatically(CliSession& session, const calib::AutoCalibrationSettings& settings)
{
    CalibrationRun run(session);
    int frames = 0;
    bool stopped = false;
    QObject::connect(&run.conversation(), &CalibrationConversation::frameAnalysed, [&] {
        if (!run.conversation().isAutomaticRunning())
            return;
        printProgress(session, run, settings, ++frames);
        if (frames >= MostAutomaticFrames && !stopped) {
            stopped = true;
            session.err() << tr("Kalibracja nie zakończyła się po %1 ramkach.").arg(frames)
                          << Qt::endl;
            run.conversation().stopAutomatic();
        }
    });
    run.after(Step::Read, [&] { run.conversation().startAutomatic(settings); });
    run.after(Step::BackToAutoRange, [&] {
        printCoefficients(session, run.set(), settings);
        session.finish(stopped ? ExitStatus::Failed : ExitStatus::Done);
    });
    // The coefficients in force first: the calibration sends them all back.
    run.conversation().readCoefficients();
    return session.run();
}

std::optional<calib::CalibrationMode> modeOf(const QString& action)
{
    if (action == QLatin1String("auto-dc"))
        return calib::CalibrationMode::Dc;
    if (action == QLatin1String("auto-gain"))
        return calib::CalibrationMode::Gain;
    return std::nullopt;
}

} // namespace

int runCalibrationCommand(CliSession& session, const QStringList& arguments)
{
    const QString action = arguments.value(0);
    auto usage = [&session] {
        session.err() << usageText() << Qt::endl;
        return ExitStatus::Usage;
    };
    if (action == QLatin1String("read") && arguments.size() == 2)
        return readToFile(session, arguments[1]);
    if (action == QLatin1String("send") && (arguments.size() == 2 || arguments.size() == 3)) {
        const bool eeprom = arguments.size() == 3;
        if (eeprom && arguments[2] != QLatin1String("--eeprom"))
            return usage();
        return sendFile(session, arguments[1], eeprom);
    }
    const auto mode = modeOf(action);
    if (!mode)
        return usage();
    const auto settings = parseAutomatic(arguments, *mode);
    if (!settings)
        return usage();
    return calibrateAutomatically(session, *settings);
}

} // namespace kapstat::cli
