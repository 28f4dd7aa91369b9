#include "link/messagewindow.h"

#include "common/remainingtime.h"
#include "link/timer.h"

#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kapstat::link {

MessageWindow::MessageWindow(Timer& autoCloseTimer, QObject* parent)
    : Prompter(parent), m_timer(autoCloseTimer), m_dialog(std::make_unique<QDialog>())
{
    build();
    connect(&m_timer, &Timer::timeout, this, [this] {
        m_timer.stop();
        if (!m_sticky)
            finish(PromptAnswer::Close);
    });
}

MessageWindow::~MessageWindow() = default;

void MessageWindow::build()
{
    QDialog& d = *m_dialog;
    d.setObjectName(QStringLiteral("TfrKomun"));
    d.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    d.setAutoFillBackground(true);
    QPalette white = d.palette();
    white.setColor(QPalette::Window, Qt::white);
    d.setPalette(white);
    d.installEventFilter(this);
    // A hairline, so that the white window stands out against white windows behind it.
    auto* outline = new QFrame(&d);
    outline->setFrameShape(QFrame::Box);
    outline->setObjectName(QStringLiteral("outline"));
    outline->setStyleSheet(QStringLiteral("QFrame#outline { border: 1px solid #a0a0a0; }"));

    m_text = new QLabel(&d);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    m_closeSoonerLink = new QLabel(tr("kliknij aby zamknąć szybciej..."), &d);
    m_closeSoonerLink->setCursor(Qt::PointingHandCursor);
    m_closeSoonerLink->setStyleSheet(
        QStringLiteral("color: #0000c0; text-decoration: underline; font-size: 8pt;"));
    m_closeSoonerLink->setAlignment(Qt::AlignRight);
    for (QWidget* clickable :
         {static_cast<QWidget*>(m_text), static_cast<QWidget*>(m_closeSoonerLink)})
        clickable->installEventFilter(this);

    m_yes = new QPushButton(tr("Tak"), &d);
    m_no = new QPushButton(tr("Nie"), &d);
    m_close = new QPushButton(tr("Zamknij"), &d);
    m_abort = new QPushButton(tr("Przerwij"), &d);
    connect(m_yes, &QPushButton::clicked, this, [this] { finish(PromptAnswer::Yes); });
    connect(m_no, &QPushButton::clicked, this, [this] { finish(PromptAnswer::No); });
    connect(m_close, &QPushButton::clicked, this, [this] { finish(PromptAnswer::Close); });
    connect(m_abort, &QPushButton::clicked, this, &Prompter::abortRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {m_yes, m_no, m_close, m_abort}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    m_progress = new QProgressBar(&d);
    m_progress->setMaximumHeight(16);
    m_progress->setAlignment(Qt::AlignCenter);
    m_progress->hide();

    auto* layout = new QVBoxLayout(outline);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_closeSoonerLink);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
    auto* frame = new QVBoxLayout(&d);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(outline);
}

PromptAnswer MessageWindow::ask(const QString& text, int seconds, int buttons)
{
    prepare(text, seconds, buttons);
    m_dialog->setWindowModality(Qt::ApplicationModal);
    present();
    const int result = m_dialog->exec();
    switch (result) {
    case static_cast<int>(PromptAnswer::Yes):
        return PromptAnswer::Yes;
    case static_cast<int>(PromptAnswer::No):
        return PromptAnswer::No;
    case static_cast<int>(PromptAnswer::Close):
        return PromptAnswer::Close;
    default:
        return PromptAnswer::None;
    }
}

void MessageWindow::show(const QString& text, int seconds, int buttons)
{
    prepare(text, seconds, buttons);
    m_dialog->setWindowModality(Qt::NonModal);
    present();
    m_dialog->show();
}

void MessageWindow::updateText(const QString& text)
{
    if (isShown())
        m_text->setText(text);
    else
        show(text, 0, PromptButton::Abort);
}

void MessageWindow::close()
{
    if (isShown())
        finish(PromptAnswer::None);
}

bool MessageWindow::isShown() const
{
    return m_dialog->isVisible();
}

QString MessageWindow::text() const
{
    return m_text->text();
}

void MessageWindow::showProgress(int done, int total)
{
    if (m_progress->isHidden() || total != m_progress->maximum() || done < m_progress->value())
        m_progressClock.start();
    m_progress->setRange(0, total);
    m_progress->setValue(done);
    const QString left = common::remainingTimeText(m_progressClock.elapsed(), done, total);
    m_progress->setFormat(left.isEmpty() ? QStringLiteral("%v / %m")
                                         : QStringLiteral("%v / %m, ") + left);
    m_progress->show();
}

void MessageWindow::prepare(const QString& text, int seconds, int buttons)
{
    m_progress->hide();
    m_text->setText(text);
    m_sticky = seconds == 0;
    m_closeButtonForced = seconds == -1;
    if (seconds > 0)
        m_autoCloseMs = seconds * 1000;
    close();
    m_closeSoonerLink->setVisible(seconds >= 1);
    m_close->setVisible(buttons & PromptButton::Close || m_closeButtonForced);
    m_abort->setVisible(buttons & PromptButton::Abort);
    m_no->setVisible(buttons & PromptButton::No);
    m_yes->setVisible(buttons & PromptButton::Yes);
    const bool tall = buttons > 0 || m_closeButtonForced;
    m_dialog->setFixedSize(Width, tall ? HeightWithButtons : Height);
}

void MessageWindow::present()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_dialog->move(screen->availableGeometry().center() - m_dialog->rect().center());
    if (!m_sticky && !m_closeButtonForced)
        m_timer.start(m_autoCloseMs);
    Q_EMIT shownChanged(true);
}

void MessageWindow::finish(PromptAnswer result)
{
    m_timer.stop();
    const bool wasShown = isShown();
    m_dialog->done(static_cast<int>(result));
    if (wasShown)
        Q_EMIT shownChanged(false);
}

void MessageWindow::closeByUser()
{
    if (!m_sticky)
        finish(PromptAnswer::Close);
}

bool MessageWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        if (watched == m_dialog.get() || watched == m_text || watched == m_closeSoonerLink) {
            closeByUser();
            return true;
        }
        break;
    case QEvent::Close:
        // The window system's close request counts as a click: a sticky message stays.
        if (watched == m_dialog.get()) {
            event->ignore();
            closeByUser();
            return true;
        }
        break;
    case QEvent::KeyPress:
        // Escape would end a question without its answer.
        if (watched == m_dialog.get() && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            return true;
        break;
    default:
        break;
    }
    return Prompter::eventFilter(watched, event);
}

} // namespace kapstat::link
