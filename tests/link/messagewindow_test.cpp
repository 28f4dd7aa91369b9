#include "link/manualclock.h"
#include "link/messagewindow.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kapstat::link;

class MessageWindowTest : public ::testing::Test
{
protected:
    QPushButton* button(const QString& caption) const
    {
        for (QPushButton* b : window.widget()->findChildren<QPushButton*>())
            if (b->text() == caption)
                return b;
        return nullptr;
    }
    QStringList visibleButtons() const
    {
        QStringList shown;
        for (const char* caption : {"Tak", "Nie", "Zamknij", "Przerwij"})
            if (button(QString::fromUtf8(caption))->isVisibleTo(window.widget()))
                shown << QString::fromUtf8(caption);
        return shown;
    }
    bool closeSoonerLinkShown() const
    {
        for (QLabel* label : window.widget()->findChildren<QLabel*>())
            if (label->text() == QStringLiteral("kliknij aby zamknąć szybciej..."))
                return label->isVisibleTo(window.widget());
        return false;
    }
    // Runs the action once the modal question is open, then answers are read.
    PromptAnswer askAndThen(int seconds, int buttons, std::function<void()> action)
    {
        QTimer::singleShot(0, window.widget(), std::move(action));
        return window.ask(QStringLiteral("Pytanie?"), seconds, buttons);
    }

    ManualClock clock;
    ManualTimer timer{clock};
    MessageWindow window{timer};
};

TEST_F(MessageWindowTest, SizeLinkAndButtonsFollowSecondsAndButtons)
{
    struct Case
    {
        int seconds;
        int buttons;
        int height;
        bool closeSoonerLink;
        QStringList shown;
    };
    const QList<Case> cases{
        {3, 0, 100, true, {}},
        {1, 0, 100, true, {}},
        {0, 0, 100, false, {}},
        {-1, 0, 130, false, {"Zamknij"}},
        {0, PromptButton::Yes | PromptButton::No, 130, false, {"Tak", "Nie"}},
        {0, PromptButton::Abort, 130, false, {"Przerwij"}},
        {5, PromptButton::Close, 130, true, {"Zamknij"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.seconds << " " << c.buttons);
        window.show(QStringLiteral("Tekst"), c.seconds, c.buttons);
        EXPECT_TRUE(window.isShown());
        EXPECT_EQ(window.widget()->size(), QSize(MessageWindow::Width, c.height));
        EXPECT_EQ(closeSoonerLinkShown(), c.closeSoonerLink);
        EXPECT_EQ(visibleButtons(), c.shown);
        EXPECT_EQ(window.isSticky(), c.seconds == 0);
        EXPECT_EQ(window.isCloseButtonForced(), c.seconds == -1);
    }
    const Qt::WindowFlags flags = window.widget()->windowFlags();
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
}

TEST_F(MessageWindowTest, AModalQuestionReturnsTheButtonsResult)
{
    struct Case
    {
        const char* caption;
        PromptAnswer answer;
    };
    for (const Case& c : {Case{"Tak", PromptAnswer::Yes}, Case{"Nie", PromptAnswer::No},
                          Case{"Zamknij", PromptAnswer::Close}}) {
        SCOPED_TRACE(c.caption);
        const PromptAnswer answer =
            askAndThen(0, PromptButton::Yes | PromptButton::No | PromptButton::Close,
                       [this, c] { button(QString::fromUtf8(c.caption))->click(); });
        EXPECT_EQ(answer, c.answer);
        EXPECT_FALSE(window.isShown());
    }
}

TEST_F(MessageWindowTest, AMessageWithSecondsClosesItselfOrOnAClick)
{
    window.show(QStringLiteral("Zapisano."), 3, 0);
    clock.advance(2999);
    EXPECT_TRUE(window.isShown());
    clock.advance(1);
    EXPECT_FALSE(window.isShown());

    window.show(QStringLiteral("Zapisano."), 3, 0);
    QTest::mouseClick(window.widget(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_FALSE(window.isShown());
    EXPECT_FALSE(timer.isActive());

    // A modal one closed by its timer answers as "Zamknij" did.
    EXPECT_EQ(askAndThen(2, PromptButton::Yes, [this] { clock.advance(2000); }),
              PromptAnswer::Close);
}

TEST_F(MessageWindowTest, StickyAndCloseButtonMessagesStayUntilClosed)
{
    for (const int seconds : {0, -1}) {
        SCOPED_TRACE(seconds);
        window.show(QStringLiteral("Proszę czekać..."), seconds, 0);
        EXPECT_FALSE(timer.isActive());
        clock.advance(60000);
        if (seconds == 0) {
            QTest::mouseClick(window.widget(), Qt::LeftButton, {}, QPoint(20, 20));
            EXPECT_TRUE(window.isShown());
            window.widget()->close();
            EXPECT_TRUE(window.isShown());
        }
        EXPECT_TRUE(window.isShown());
        window.close();
        EXPECT_FALSE(window.isShown());
    }
    // Only buttons end a sticky question.
    EXPECT_EQ(askAndThen(0, PromptButton::Yes | PromptButton::No,
                         [this] {
                             QTest::keyClick(window.widget(), Qt::Key_Escape);
                             QTest::mouseClick(window.widget(), Qt::LeftButton);
                             EXPECT_TRUE(window.isShown());
                             button(QStringLiteral("Nie"))->click();
                         }),
              PromptAnswer::No);
}

TEST_F(MessageWindowTest, ANewMessageReplacesTheOneShownAndKeepsTheLastInterval)
{
    window.show(QStringLiteral("Pierwszy"), 5, 0);
    window.show(QStringLiteral("Drugi"), 0, PromptButton::Abort);
    EXPECT_EQ(window.text(), QStringLiteral("Drugi"));
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(window.autoCloseInterval(), 5000);
    window.updateText(QStringLiteral("Rekord 2"));
    EXPECT_EQ(window.text(), QStringLiteral("Rekord 2"));
    window.close();
    window.updateText(QStringLiteral("Rekord 3"));
    EXPECT_TRUE(window.isShown());
    EXPECT_TRUE(window.isSticky());
    EXPECT_EQ(visibleButtons(), QStringList{QStringLiteral("Przerwij")});
}

TEST_F(MessageWindowTest, AbortAsksForTheStopAndLeavesTheWindowOpen)
{
    QSignalSpy abort(&window, &Prompter::abortRequested);
    window.show(QStringLiteral("Odbiór rekordu 5"), 0, PromptButton::Abort);
    button(QStringLiteral("Przerwij"))->click();
    EXPECT_EQ(abort.count(), 1);
    EXPECT_TRUE(window.isShown());
}

TEST_F(MessageWindowTest, TellsWhenItIsShownAndHidden)
{
    QSignalSpy shown(&window, &MessageWindow::shownChanged);
    window.show(QStringLiteral("A"), 3, 0);
    window.close();
    ASSERT_EQ(shown.count(), 2);
    EXPECT_TRUE(shown[0][0].toBool());
    EXPECT_FALSE(shown[1][0].toBool());
}
