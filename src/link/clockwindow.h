#pragma once

#include "link/closeguardeddialog.h"

class QDateEdit;
class QTimeEdit;

namespace kapstat::link {

class ClockConversation;
struct ClockReading;
class TextGrid;

// "Ustawienie daty i czasu bieżącego w rejestratorze": the recorder's clock beside the PC's,
// read continuously while shown, and set by hand or from the PC.
class ClockWindow : public CloseGuardedDialog
{
    Q_OBJECT

public:
    explicit ClockWindow(ClockConversation& conversation, QWidget* parent = nullptr);

    TextGrid* grid() const { return m_grid; }
    QDateEdit* datePicker() const { return m_date; }
    QTimeEdit* timePicker() const { return m_time; }

protected:
    bool requestClose() override;
    void showEvent(QShowEvent* event) override;

private:
    void buildGrid();
    void showReading(const ClockReading& reading);
    void sendManualSetting();

    ClockConversation& m_conversation;
    TextGrid* m_grid = nullptr;
    QDateEdit* m_date = nullptr;
    QTimeEdit* m_time = nullptr;
};

} // namespace kapstat::link
