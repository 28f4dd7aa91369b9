#include "app/linkdiagnostics.h"

#include "link/recorderlink.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace kapstat::app {

namespace {

enum Panel
{
    BadChecksumTotal = 3,
    ConsecutiveTimeouts = 5,
    TimeoutTotal = 6
};

constexpr int MonitorWidth = 500;
constexpr int MonitorHeight = 400;

} // namespace

LinkDiagnostics::LinkDiagnostics(link::RecorderLink& link, QStatusBar& statusBar, QWidget* parent)
    : QWidget(parent), m_link(link)
{
    addPanels(statusBar);
    auto* toggle = new QPushButton(tr("Wł/Wył. podgląd transmisji"), this);
    auto* clear = new QPushButton(tr("Czysc podglad"), this);
    toggle->hide();
    clear->hide();
    m_monitor = new QPlainTextEdit(this);
    m_monitor->setReadOnly(true);
    m_monitor->setFont(QFont(QStringLiteral("Courier New")));
    m_monitor->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_monitor->hide();
    connect(toggle, &QPushButton::clicked, this, &LinkDiagnostics::toggleMonitor);
    connect(clear, &QPushButton::clicked, this, [this] {
        m_link.monitor().clear();
        m_monitor->clear();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(toggle);
    buttons->addWidget(clear);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(m_monitor);

    connect(&link, &link::RecorderLink::countersChanged, this, &LinkDiagnostics::showCounters);
    connect(&link, &link::RecorderLink::frameWritten, this, &LinkDiagnostics::refreshMonitor);
    connect(&link, &link::RecorderLink::bytesReceived, this, &LinkDiagnostics::refreshMonitor);
}

void LinkDiagnostics::addPanels(QStatusBar& statusBar)
{
    const struct
    {
        const char* text;
        int width;
    } panels[] = {
        {QT_TR_NOOP("Blad licznika nr"), 90},
        {"0", 50},
        {QT_TR_NOOP("Błędna suma kontrolna nr"), 140},
        {"0", 50},
        {QT_TR_NOOP("Timeout nr"), 100},
        {"0", 50},
        {"0", 50},
        {QT_TR_NOOP("Odb [B]:"), 50},
        {"0", 50},
        {"0", 50},
    };
    for (const auto& panel : panels) {
        auto* label = new QLabel(tr(panel.text), &statusBar);
        label->setFixedWidth(panel.width);
        statusBar.addWidget(label);
        m_panels.append(label);
    }
}

QString LinkDiagnostics::panelText(int panel) const
{
    return m_panels.value(panel) ? m_panels[panel]->text() : QString();
}

void LinkDiagnostics::showCounters()
{
    const link::LinkCounters& counters = m_link.counters();
    m_panels[BadChecksumTotal]->setText(QString::number(counters.badChecksumTotal));
    m_panels[ConsecutiveTimeouts]->setText(QString::number(counters.consecutiveTimeouts));
    m_panels[TimeoutTotal]->setText(QString::number(counters.timeoutTotal));
}

void LinkDiagnostics::toggleMonitor()
{
    const bool shown = !m_link.monitor().isShown();
    m_link.monitor().setShown(shown);
    m_monitor->setVisible(shown);
    if (shown)
        m_monitor->setFixedSize(MonitorWidth, MonitorHeight);
    refreshMonitor();
}

void LinkDiagnostics::refreshMonitor()
{
    if (m_link.monitor().isShown())
        m_monitor->setPlainText(m_link.monitor().text());
}

} // namespace kapstat::app
