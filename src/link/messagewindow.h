#pragma once

#include "link/prompter.h"

#include <QElapsedTimer>
#include <QPointer>
#include <memory>

class QDialog;
class QLabel;
class QProgressBar;
class QPushButton;

namespace kapstat::link {

class Timer;

// The program-wide message window: borderless, white, on top of every program window, centred,
// 405 pixels wide and 100 or 130 high. A new message replaces the one shown.
class MessageWindow : public Prompter
{
    Q_OBJECT

public:
    static constexpr int Width = 405;
    static constexpr int Height = 100;
    static constexpr int HeightWithButtons = 130;
    static constexpr int DefaultAutoCloseMs = 3000;

    // autoCloseTimer closes a message shown for a number of seconds.
    explicit MessageWindow(Timer& autoCloseTimer, QObject* parent = nullptr);
    ~MessageWindow() override;

    PromptAnswer ask(const QString& text, int seconds, int buttons) override;
    void show(const QString& text, int seconds, int buttons) override;
    void updateText(const QString& text) override;
    void close() override;
    bool isShown() const override;
    // A bar under the text with the count and the time left, until the next message.
    void showProgress(int done, int total) override;

    // The window itself, for its owner to parent and for tests to look at.
    QDialog* widget() const { return m_dialog.get(); }
    QString text() const;
    bool isSticky() const { return m_sticky; }
    bool isCloseButtonForced() const { return m_closeButtonForced; }
    int autoCloseInterval() const { return m_autoCloseMs; }

Q_SIGNALS:
    // While shown, the main window's tool bars and menus are disabled.
    void shownChanged(bool shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void prepare(const QString& text, int seconds, int buttons);
    void present();
    // Closes with the result a modal question returns.
    void finish(PromptAnswer result);
    void closeByUser();

    Timer& m_timer;
    std::unique_ptr<QDialog> m_dialog;
    QLabel* m_text = nullptr;
    QLabel* m_closeSoonerLink = nullptr;
    QPushButton* m_yes = nullptr;
    QPushButton* m_no = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_abort = nullptr;
    QProgressBar* m_progress = nullptr;
    QElapsedTimer m_progressClock;
    bool m_sticky = false;
    bool m_closeButtonForced = false;
    int m_autoCloseMs = DefaultAutoCloseMs;
};

} // namespace kapstat::link
