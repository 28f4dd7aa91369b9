#include "link/clockwindow.h"

#include "link/clockconversation.h"
#include "link/textgrid.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace kapstat::link {

namespace {

constexpr int TitleRow = 0;
constexpr int RecorderRow = 1;
constexpr int PcRow = 2;
constexpr int DateColumn = 1;
constexpr int TimeColumn = 2;
constexpr int ColumnWidth = 120;

const QColor Red(0xc0, 0, 0);
const QColor Blue(0, 0, 0xc0);

// The recorder keeps the year as two digits after 2000.
const QDate FirstSettableDate(2000, 1, 1);
const QDate LastSettableDate(2099, 12, 31);

} // namespace

ClockWindow::ClockWindow(ClockConversation& conversation, QWidget* parent)
    : CloseGuardedDialog(parent), m_conversation(conversation)
{
    setWindowTitle(tr("Ustawienie daty i czasu bieżącego w rejestratorze"));
    setModal(true);
    buildGrid();

    m_date = new QDateEdit(this);
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_date->setCalendarPopup(true);
    m_date->setDateRange(FirstSettableDate, LastSettableDate);
    m_date->setToolTip(tr("Data (kalentarz)"));
    m_time = new QTimeEdit(this);
    m_time->setDisplayFormat(QStringLiteral("hh:mm:ss"));
    m_time->setToolTip(tr("Godzina"));

    auto* send = new QPushButton(tr("Wyslij"), this);
    send->setToolTip(tr("Wyslij czas i datę ustawione ręcznie do rejestratora"));
    auto* synchronise = new QPushButton(tr("Synchronizuj"), this);
    synchronise->setToolTip(tr("Synchronizuj zegar rejestartora z czasem i datą PC"));
    auto* close = new QPushButton(tr("Zamknij"), this);
    for (QPushButton* button : {send, synchronise, close})
        button->setAutoDefault(false);
    connect(send, &QPushButton::clicked, this, &ClockWindow::sendManualSetting);
    connect(synchronise, &QPushButton::clicked, &m_conversation, &ClockConversation::synchronise);
    synchronise->setFocus();
    connect(close, &QPushButton::clicked, this, &ClockWindow::reject);

    auto* controls = new QGridLayout;
    controls->addWidget(m_date, 0, 0);
    controls->addWidget(m_time, 0, 1);
    controls->addWidget(send, 0, 2);
    controls->addWidget(synchronise, 1, 0, 1, 2);
    controls->addWidget(close, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_grid);
    layout->addLayout(controls);

    connect(&m_conversation, &ClockConversation::readingChanged, this, &ClockWindow::showReading);
    connect(&m_conversation, &ClockConversation::closeReady, this, &ClockWindow::closeNow);
}

void ClockWindow::buildGrid()
{
    m_grid = new TextGrid(3, {ColumnWidth, ColumnWidth, ColumnWidth}, this);
    m_grid->setCell(TitleRow, DateColumn, tr("Data"), Blue, true);
    m_grid->setCell(TitleRow, TimeColumn, tr("Czas"), Blue, true);
    m_grid->setCell(RecorderRow, 0, tr("Rejestrator:"), Red, true);
    m_grid->setCell(PcRow, 0, tr("Komputer:"), Red, true);
}

void ClockWindow::showReading(const ClockReading& reading)
{
    m_grid->setCell(RecorderRow, DateColumn, reading.recorderDate, Blue);
    m_grid->setCell(RecorderRow, TimeColumn, reading.recorderTime, Blue);
    m_grid->setCell(PcRow, DateColumn, reading.pcDate, Blue);
    m_grid->setCell(PcRow, TimeColumn, reading.pcTime, Blue);
}

void ClockWindow::sendManualSetting()
{
    m_conversation.setRecorderClock(QDateTime(m_date->date(), m_time->time()));
}

bool ClockWindow::requestClose()
{
    return m_conversation.requestClose();
}

void ClockWindow::showEvent(QShowEvent* event)
{
    CloseGuardedDialog::showEvent(event);
    if (event->spontaneous())
        return;
    const QDateTime now = m_conversation.pcNow();
    m_date->setDate(now.date());
    m_time->setTime(now.time());
    m_conversation.start();
}

} // namespace kapstat::link
