#include "live/counterswindow.h"

#include "live/comparisonpage.h"
#include "live/countersloop.h"
#include "live/liveloop.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kapstat::live {

namespace {
constexpr int Width = 1240;
constexpr int Height = 720;
} // namespace

CountersWindow::CountersWindow(CountersLoop& counters, LiveLoop& live, const LiveStore& store,
                               QWidget* parent)
    : CloseGuardedDialog(parent), m_counters(counters), m_store(store)
{
    setWindowTitle(tr("Liczniki"));
    setModal(true);
    resize(Width, Height);
    createCountersText();
    m_comparison = new ComparisonPage;
    auto* scroll = new QScrollArea;
    scroll->setWidget(m_comparison);
    scroll->setWidgetResizable(true);
    m_pages = new QTabWidget(this);
    m_pages->addTab(m_text, tr("Liczniki"));
    m_pages->addTab(scroll, tr("Wyniki"));
    m_freeze = new QPushButton(tr("STOP WYNIKI!"), this);
    m_freeze->setCheckable(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(m_freeze, 0, Qt::AlignLeft);

    connect(m_freeze, &QPushButton::toggled, this,
            [this](bool down) { m_counters.setFrozen(down); });
    connect(&m_counters, &CountersLoop::countersShown, this, &CountersWindow::showCounters);
    connect(&m_counters, &CountersLoop::finished, this, [this] {
        if (isVisible())
            closeNow();
    });
    connect(&live, &LiveLoop::frameAnalysed, this, &CountersWindow::showComparison);
}

void CountersWindow::createCountersText()
{
    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The columns of the text line up only in a fixed pitch.
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    m_text->setFont(font);
    m_text->setPlainText(tr("Czekaj..."));
}

// Nothing of a loop that outlives the window may still ask for counters.
CountersWindow::~CountersWindow()
{
    m_counters.stop();
}

void CountersWindow::openForCounters()
{
    m_openedForCounters = true;
    m_pages->setCurrentIndex(Counters);
    show();
}

void CountersWindow::openForComparison()
{
    m_openedForCounters = false;
    m_pages->setCurrentIndex(Comparison);
    show();
}

void CountersWindow::showEvent(QShowEvent* event)
{
    CloseGuardedDialog::showEvent(event);
    if (!event->spontaneous() && m_openedForCounters)
        m_counters.start();
}

bool CountersWindow::requestClose()
{
    if (!m_openedForCounters || m_counters.requestClose())
        return true;
    // The link closes the window once the exchange in flight has ended.
    m_openedForCounters = false;
    return false;
}

// The freeze would hold every other window's exchanges too once this one is gone.
void CountersWindow::hideEvent(QHideEvent* event)
{
    CloseGuardedDialog::hideEvent(event);
    if (!event->spontaneous())
        m_freeze->setChecked(false);
}

void CountersWindow::showCounters(const QStringList& lines)
{
    if (isVisible())
        m_text->setPlainText(lines.join(QLatin1Char('\n')));
}

void CountersWindow::showComparison()
{
    if (isVisible())
        m_comparison->show(m_store);
}

} // namespace kapstat::live
