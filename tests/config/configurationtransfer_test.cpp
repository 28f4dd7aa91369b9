#include "calib/calibrationblock.h"
#include "calib/calibrationreader.h"
#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "config/configurationtransfer.h"
#include "config/imageencoder.h"
#include "link/devicenumbers.h"
#include "link/fakechannel.h"
#include "link/framecodec.h"
#include "link/manualclock.h"
#include "link/recorderlink.h"
#include "link/scriptedprompter.h"
#include "randomconfiguration.h"

#include <gtest/gtest.h>

namespace kapstat::config {
namespace {

using link::PromptAnswer;
using Outcome = ConfigurationTransfer::Outcome;

constexpr int CalibrationResponseLength = 316;

QByteArray frame(quint8 code, const QByteArray& data = {})
{
    return link::framecodec::build(link::framecodec::payload(code, data));
}

// The recorder's answer to 0x13 carrying the given gain coefficients of the voltage channels.
QByteArray calibrationResponse(const calib::CalibrationSet& set)
{
    QByteArray data(CalibrationResponseLength - 5, '\0');
    for (int channel = 0; channel < 3; ++channel)
        for (int slot = 0; slot < calib::NormalSlotCount; ++slot) {
            const auto bytes = link::numbers::encodeDecMantissa4(set.gainMantissa[channel][slot],
                                                                 set.gainExponent[channel][slot]);
            data.replace(calib::calibrationblock::gainPosition(channel, slot) - 5, 4, *bytes);
        }
    return link::ResponseBytes::withData(0x13, data).frame();
}

QByteArray acknowledgement(quint8 code)
{
    return link::ResponseBytes::withData(code, {}).frame();
}

QByteArray configurationResponse(const QByteArray& image)
{
    return link::ResponseBytes::withData(0x0A, image).frame();
}

class ConfigurationTransferTest : public ::testing::Test
{
protected:
    ConfigurationTransferTest()
    {
        channel.open(QStringLiteral("fake"));
        QObject::connect(&transfer, &ConfigurationTransfer::finished,
                         [this](Outcome outcome, const QString& message) {
                             results.append({outcome, message});
                         });
        QObject::connect(&transfer, &ConfigurationTransfer::informationRequested,
                         [this](const QString& text) { information.append(text); });
    }

    void feed(const QByteArray& bytes) { channel.feed(bytes); }
    QByteArray lastFrame() const { return channel.lastWritten(); }
    link::ScriptedPrompter::Call lastMessage() const { return prompter.calls().last(); }

    // Answers "Tak", lets the recorder send its calibration block and returns what was sent then.
    QByteArray sendWith(const calib::CalibrationSet& coefficients)
    {
        prompter.queueAnswers({PromptAnswer::Yes});
        transfer.send();
        EXPECT_EQ(lastFrame(), frame(0x13));
        const int written = static_cast<int>(channel.written().size());
        feed(calibrationResponse(coefficients));
        return channel.written().size() > written ? lastFrame() : QByteArray();
    }

    void setStation(int s, double un, double vtPrimary)
    {
        StationSettings station = model.configuration().stations[s];
        station.un = un;
        station.vtPrimary = vtPrimary;
        model.setStation(s, station);
    }

    link::FakeChannel channel;
    link::ManualClock clock;
    link::ManualTimer timer{clock};
    link::ScriptedPrompter prompter;
    link::RecorderLink recorder{channel, timer, prompter};
    calib::CalibrationSet calibration;
    calib::RangeScale scale;
    calib::CalibrationReader calibrationReader{recorder, calibration, scale};
    ConfigurationModel model;
    ConfigurationReader reader{recorder, model};
    ConfigurationTransfer transfer{recorder, model, reader, calibration};
    QList<std::pair<Outcome, QString>> results;
    QStringList information;
};

TEST_F(ConfigurationTransferTest, SendReadsTheCalibrationThenWritesTheImage)
{
    const QByteArray written = sendWith(typicalCalibration());
    EXPECT_EQ(prompter.calls().first().text,
              QStringLiteral("Czy na pewno wysłać ustawienia do rejestratora?"));
    EXPECT_EQ(prompter.calls().first().seconds, 0);
    EXPECT_EQ(recorder.outstanding(), (link::Operation{link::OperationName::Konfiguracja, 2}));
    const ImageBuild expected = imageencoder::build(model.configuration(), typicalCalibration());
    EXPECT_EQ(written, frame(0x09, expected.image));
    EXPECT_EQ(written.mid(1, 3), QByteArray::fromHex("0903FF"));

    feed(acknowledgement(0x09));
    EXPECT_EQ(lastMessage().text, QStringLiteral("Konfiguracja dotarła do rejestratora."));
    EXPECT_EQ(lastMessage().seconds, 3);
    EXPECT_FALSE(lastMessage().modal);
    ASSERT_EQ(results.size(), 1);
    EXPECT_EQ(results[0].first, Outcome::Done);
    EXPECT_TRUE(information.isEmpty());
}

TEST_F(ConfigurationTransferTest, AnsweringNoSendsNothing)
{
    const link::Operation before = recorder.pending();
    transfer.send();
    EXPECT_TRUE(channel.written().isEmpty());
    EXPECT_EQ(recorder.pending(), before);
    ASSERT_EQ(results.size(), 1);
    EXPECT_EQ(results[0].first, Outcome::Cancelled);
}

TEST_F(ConfigurationTransferTest, TextThatIsNotANumberSendsNothing)
{
    StorageCondition condition = model.configuration().conditions[0];
    condition.lower = QStringLiteral("dużo");
    model.setCondition(0, condition);
    transfer.send();
    EXPECT_TRUE(channel.written().isEmpty());
    EXPECT_EQ(prompter.questionCount(), 1);
    EXPECT_TRUE(lastMessage().text.contains(QStringLiteral("„dużo”")));
    EXPECT_EQ(lastMessage().seconds, -1);
    EXPECT_EQ(results.value(0).first, Outcome::Failed);
}

TEST_F(ConfigurationTransferTest, ZeroCoefficientStopsTheSend)
{
    model.clickIndicator(153); // event recording off or on, a zero coefficient stops it
    EXPECT_TRUE(sendWith(calib::CalibrationSet{}).isEmpty());
    EXPECT_EQ(lastMessage().text,
              QStringLiteral("Nieprawidłowe wartości współczynników kalibracji! Konfiguracja "
                             "nie zostanie wysłana."));
    EXPECT_EQ(lastMessage().seconds, -1);
    EXPECT_TRUE(lastMessage().modal);
    EXPECT_EQ(recorder.pending(), (link::Operation{link::OperationName::Konfiguracja, 2}));
    EXPECT_EQ(results.value(0).first, Outcome::Failed);
}

struct CheckCase
{
    double station1VtPrimary;
    double station2VtPrimary;
    bool lowCoefficients; // thresholds above the range, admissible 172 and 168 % Un on L1 and L2
    int largestNamed;     // the largest admissible threshold the message names
    bool sent;
    const char* messageStart; // nullptr: no message before the send
};

class EventRecordingChecks : public ConfigurationTransferTest,
                             public ::testing::WithParamInterface<CheckCase>
{
};

TEST_P(EventRecordingChecks, FirstCheckThatFiresDecides)
{
    const CheckCase& k = GetParam();
    calib::CalibrationSet coefficients = typicalCalibration();
    if (k.lowCoefficients)
        for (int slot = 0; slot < 3; ++slot) {
            coefficients.gainMantissa[0][slot] = 27970;
            coefficients.gainMantissa[1][slot] = 27320;
        }
    model.clickIndicator(153);
    setStation(0, 230, k.station1VtPrimary);
    setStation(1, 230, k.station2VtPrimary);
    const QByteArray written = sendWith(coefficients);
    EXPECT_EQ(written.mid(1, 1), k.sent ? QByteArray("\x09") : QByteArray());
    const auto& calls = prompter.calls();
    if (!k.messageStart) {
        EXPECT_EQ(calls.size(), 1);
        return;
    }
    ASSERT_EQ(calls.size(), 2);
    EXPECT_TRUE(calls.last().text.startsWith(QString::fromUtf8(k.messageStart)))
        << calls.last().text.toStdString();
    EXPECT_EQ(calls.last().seconds, -1);
    EXPECT_TRUE(calls.last().modal);
    if (k.lowCoefficients) {
        EXPECT_TRUE(calls.last().text.endsWith(
            QStringLiteral("Najwiekszy dopuszczalny próg wynosi %1% Un. Patrz instrukcja programu.")
                .arg(k.largestNamed)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EventRecordingChecks,
    ::testing::Values(
        CheckCase{230, 230, false, 0, true, nullptr},
        CheckCase{200, 230, false, 0, false,
                  "Ponieważ została wybrana rejestracja przerw i przepięć"},
        CheckCase{260, 230, false, 0, false,
                  "Ponieważ została wybrana rejestracja przerw i przepięć"},
        CheckCase{220, 230, false, 0, true, "Dla conajmniej jednej stacji napięce Un jest różne"},
        CheckCase{240, 230, false, 0, true, "Dla conajmniej jednej stacji napięce Un jest różne"},
        CheckCase{230, 230, true, 167, false, "Wybrano zbyt wysoki próg przepięcia (190% Un)."},
        // A large difference at station 2 as well: only the threshold counts; station 2's 146 % is
        // lower.
        CheckCase{230, 200, true, 145, false, "Wybrano zbyt wysoki próg przepięcia (190% Un)."}));

TEST_F(ConfigurationTransferTest, EventRecordingOffSkipsTheChecks)
{
    setStation(0, 230, 100);
    calib::CalibrationSet low = typicalCalibration();
    low.gainMantissa[0][0] = 10000;
    EXPECT_FALSE(sendWith(low).isEmpty());
    EXPECT_EQ(prompter.calls().size(), 1);
}

TEST_F(ConfigurationTransferTest, ReceiveAppliesTheImage)
{
    ConfigurationModel recorderSide;
    std::mt19937 random(7);
    randomise(recorderSide, random);
    const QByteArray image =
        imageencoder::build(recorderSide.configuration(), typicalCalibration()).image;

    transfer.receive();
    EXPECT_EQ(lastFrame(), frame(0x0A));
    feed(configurationResponse(image));
    EXPECT_EQ(model.configuration(), recorderSide.configuration());
    EXPECT_EQ(lastMessage().text, QStringLiteral("Odczytano konfigurację rejestratora."));
    EXPECT_EQ(lastMessage().seconds, 3);
    EXPECT_EQ(results.value(0).first, Outcome::Done);
}

TEST_F(ConfigurationTransferTest, DamagedImageIsReportedAndEndsTheConversation)
{
    QList<link::Operation> damaged;
    QObject::connect(&reader, &ConfigurationReader::imageDamaged,
                     [&](const link::Operation& outstanding) { damaged.append(outstanding); });
    int laterRows = 0;
    recorder.router().on(0x0A, link::OperationName::Rekordy,
                         [&](const link::ResponseBytes&, const link::Operation&) { ++laterRows; });
    QByteArray image = imageencoder::build(RecorderConfiguration{}, typicalCalibration()).image;
    image[484] = char(0xAB);
    const RecorderConfiguration before = model.configuration();

    recorder.send({link::OperationName::Rekordy, 2}, link::framecodec::payload(0x0A));
    feed(configurationResponse(image));
    EXPECT_EQ(
        lastMessage().text,
        QStringLiteral("W rejestratorze jest uszkodzona konfiguracja! Odbiór danych niemożliwy."));
    EXPECT_EQ(lastMessage().seconds, -1);
    EXPECT_EQ(lastMessage().buttons, 0);
    EXPECT_FALSE(lastMessage().modal);
    EXPECT_EQ(laterRows, 0);
    EXPECT_EQ(damaged, (QList<link::Operation>{{link::OperationName::Rekordy, 2}}));
    EXPECT_EQ(model.configuration(), before);
    EXPECT_TRUE(results.isEmpty()); // not this conversation's

    transfer.receive();
    feed(configurationResponse(image));
    EXPECT_EQ(results.value(0).first, Outcome::Failed);
    EXPECT_FALSE(lastMessage().text.startsWith(QStringLiteral("Odczytano")));
}

TEST_F(ConfigurationTransferTest, DownloadKeepsLocalDescriptions)
{
    RecorderConfiguration recorderSide;
    recorderSide.stations[0].description = QStringLiteral("Rozdzielnia: nr 5/7?");
    const QByteArray image = imageencoder::build(recorderSide, typicalCalibration()).image;
    for (const bool keep : {true, false}) {
        model.setKeepLocalDescriptions(keep);
        recorder.send({link::OperationName::Rekordy, 2}, link::framecodec::payload(0x0A));
        feed(configurationResponse(image));
        EXPECT_EQ(model.configuration().stations[0].description == QStringLiteral("Stacja 1"),
                  keep);
    }
    EXPECT_EQ(prompter.calls().size(), 0); // only "konfiguracja" shows the read message
}

TEST_F(ConfigurationTransferTest, GivingUpReportsByStep)
{
    transfer.receive();
    for (int timeout = 0; timeout < 3; ++timeout)
        clock.fireNext(); // the third asks; the scripted answer is "Nie"
    EXPECT_EQ(lastMessage().text,
              QStringLiteral("Wystąpił błąd! Konfiguracja nie została odebrana!"));
    EXPECT_EQ(lastMessage().seconds, 3);
    EXPECT_EQ(results.value(0).first, Outcome::Failed);

    prompter.queueAnswers({PromptAnswer::Yes});
    transfer.send();
    for (int timeout = 0; timeout < 3; ++timeout)
        clock.fireNext();
    EXPECT_EQ(
        lastMessage().text,
        QStringLiteral(
            "Wystąpił błąd! Konfiguracja mogła nie zostać poprawnie przesłana do rejestratora!"));
    EXPECT_EQ(results.value(1).first, Outcome::Failed);
}

TEST_F(ConfigurationTransferTest, CloseGuard)
{
    EXPECT_TRUE(transfer.requestClose());
    int closeRequests = 0;
    QObject::connect(&transfer, &ConfigurationTransfer::closeEditorRequested,
                     [&] { ++closeRequests; });
    transfer.receive();
    EXPECT_FALSE(transfer.requestClose());
    EXPECT_EQ(lastMessage().text, QStringLiteral("Proszę czekać na zakończenie transmisji..."));
    EXPECT_EQ(lastMessage().seconds, 0);
    EXPECT_TRUE(prompter.isShown());
    const RecorderConfiguration before = model.configuration();
    feed(configurationResponse(
        imageencoder::build(RecorderConfiguration{}, typicalCalibration()).image));
    EXPECT_EQ(closeRequests, 1);
    EXPECT_FALSE(prompter.isShown());
    EXPECT_EQ(model.configuration(), before);
    EXPECT_EQ(channel.written().size(), 1);
}

} // namespace
} // namespace kapstat::config
