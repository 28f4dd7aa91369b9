// "Wyślij" and "Odbierz" of the configuration window against the emulated recorder.
#include "loopbackline.h"
#include "sim/simserver.h"
#include "windowfixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace kapstat::config {
namespace {

class ConfigurationWindowSimTest : public WindowFixture<LoopbackLine>
{
protected:
    ConfigurationWindowSimTest()
    {
        line.connectTo(*recorderLine);
        recorderLine->connectTo(line);
        EXPECT_TRUE(server.start());
    }

    // Runs the event loop until the message window shows the text.
    bool waitForMessage(const QString& text)
    {
        QDeadlineTimer deadline(10000);
        while (prompter.lastText() != text && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return prompter.lastText() == text && !link.isBusy();
    }

    LoopbackLine* recorderLine = new LoopbackLine;
    sim::SimServer server{sim::SimOptions{}, std::unique_ptr<link::ByteChannel>(recorderLine)};
};

TEST_F(ConfigurationWindowSimTest, WhatIsSentIsReadBack)
{
    window.tabs()->setCurrentIndex(6);
    window.stationTabs()->setCurrentIndex(2);
    auto* description = find<QLineEdit>(QStringLiteral("description3"));
    description->setFocus();
    description->selectAll();
    description->insert(QStringLiteral("Rozdzielnia Łódź")); // as typed; keyClicks knows no Ł
    QTest::mouseClick(indicator(41), Qt::LeftButton);
    QTest::mouseClick(indicator(214), Qt::LeftButton);
    const RecorderConfiguration sent = configuration();
    ASSERT_EQ(sent.stations[2].description, QStringLiteral("Rozdzielnia Łódź"));

    prompter.queueAnswers({link::PromptAnswer::Yes});
    window.button(QStringLiteral("send"))->click();
    ASSERT_TRUE(waitForMessage(QStringLiteral("Konfiguracja dotarła do rejestratora.")));

    model.setKeepLocalDescriptions(false);
    QTest::mouseClick(indicator(41), Qt::LeftButton);
    description->selectAll();
    QTest::keyClicks(description, QStringLiteral("inna"));
    ASSERT_NE(configuration(), sent);

    window.button(QStringLiteral("receive"))->click();
    ASSERT_TRUE(waitForMessage(QStringLiteral("Odczytano konfigurację rejestratora.")));
    EXPECT_EQ(description->text(), QStringLiteral("Rozdzielnia Łódź"));
    EXPECT_TRUE(indicator(41)->isLit());
    EXPECT_TRUE(indicator(214)->isLit());
    EXPECT_EQ(configuration().selection, sent.selection);
    EXPECT_EQ(configuration().stations, sent.stations);
    EXPECT_EQ(configuration().norm, sent.norm);
}

} // namespace
} // namespace kapstat::config
