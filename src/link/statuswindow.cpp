#include "link/statuswindow.h"

#include "link/recorderstatus.h"
#include "link/statusconversation.h"
#include "link/textgrid.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace kapstat::link {

namespace {

constexpr int ColumnWidth = 200;
constexpr int ValueColumn = 1;

QColor colourOf(BatteryReport::Colour colour)
{
    switch (colour) {
    case BatteryReport::Colour::Good:
        return QColor(0, 0x80, 0);
    case BatteryReport::Colour::Bad:
        return QColor(0xc0, 0, 0);
    case BatteryReport::Colour::Prompt:
        break;
    }
    return QColor(0, 0, 0xc0);
}

} // namespace

StatusWindow::StatusWindow(StatusConversation& conversation, QWidget* parent)
    : CloseGuardedDialog(parent), m_conversation(conversation)
{
    setWindowTitle(tr("Stan rejestratora"));
    setModal(true);
    m_status = new TextGrid(RecorderStatus::RowCount, {ColumnWidth, ColumnWidth}, this);
    for (int row = 0; row < RecorderStatus::RowCount; ++row)
        m_status->setCell(row, 0, RecorderStatus::caption(row));
    m_batteries = new TextGrid(BatteryReport::RowCount, {ColumnWidth, ColumnWidth}, this);
    for (int row = 0; row < BatteryReport::RowCount; ++row)
        m_batteries->setCell(row, 0, BatteryReport::caption(row));

    auto* test = new QPushButton(tr("Zbadaj stan akumulatorów"), this);
    auto* close = new QPushButton(tr("Zamknij"), this);
    for (QPushButton* button : {test, close})
        button->setAutoDefault(false);
    connect(test, &QPushButton::clicked, &m_conversation, &StatusConversation::testBatteries);
    connect(close, &QPushButton::clicked, this, &StatusWindow::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(test);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_status);
    layout->addWidget(m_batteries);
    layout->addLayout(buttons);

    connect(&m_conversation, &StatusConversation::statusChanged, this, &StatusWindow::showStatus);
    connect(&m_conversation, &StatusConversation::batteriesChanged, this,
            &StatusWindow::showBatteries);
    connect(&m_conversation, &StatusConversation::closeReady, this, &StatusWindow::closeNow);
    showStatus(m_conversation.status());
    showBatteries(m_conversation.batteries());
    fitColumns();
}

// The captions and the battery prompt are longer than the columns where the font is larger.
void StatusWindow::fitColumns()
{
    QList<int> widths;
    for (int column = 0; column < 2; ++column)
        widths << std::max(
            {ColumnWidth, m_status->contentWidth(column), m_batteries->contentWidth(column)});
    m_status->setColumnWidths(widths);
    m_batteries->setColumnWidths(widths);
}

void StatusWindow::showStatus(const RecorderStatus& status)
{
    for (int row = 0; row < RecorderStatus::RowCount; ++row)
        m_status->setCell(row, ValueColumn, status.values[row]);
}

void StatusWindow::showBatteries(const BatteryReport& report)
{
    for (int row = 0; row < BatteryReport::RowCount; ++row)
        m_batteries->setCell(row, ValueColumn, report.values[row], colourOf(report.colour));
}

bool StatusWindow::requestClose()
{
    return m_conversation.requestClose();
}

void StatusWindow::showEvent(QShowEvent* event)
{
    CloseGuardedDialog::showEvent(event);
    if (!event->spontaneous())
        m_conversation.start();
}

} // namespace kapstat::link
