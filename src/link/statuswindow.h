#pragma once

#include "link/closeguardeddialog.h"

namespace kapstat::link {

class StatusConversation;
class TextGrid;
struct BatteryReport;
struct RecorderStatus;

// "Stan rejestratora": the recorder's status, polled while shown, and the battery test.
class StatusWindow : public CloseGuardedDialog
{
    Q_OBJECT

public:
    explicit StatusWindow(StatusConversation& conversation, QWidget* parent = nullptr);

    TextGrid* statusGrid() const { return m_status; }
    TextGrid* batteryGrid() const { return m_batteries; }

protected:
    bool requestClose() override;
    void showEvent(QShowEvent* event) override;

private:
    void fitColumns();
    void showStatus(const RecorderStatus& status);
    void showBatteries(const BatteryReport& report);

    StatusConversation& m_conversation;
    TextGrid* m_status = nullptr;
    TextGrid* m_batteries = nullptr;
};

} // namespace kapstat::link
