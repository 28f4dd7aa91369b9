#pragma once

#include <QDialog>

namespace kapstat::link {

// A window that polls the recorder: it closes only when its conversation lets it, else once
// the link has given up the exchange in flight (closeNow).
class CloseGuardedDialog : public QDialog
{
    Q_OBJECT

public:
    using QDialog::QDialog;

    // Closes without asking: the conversation is over.
    void closeNow() { QDialog::reject(); }
    void reject() override;

protected:
    // True when the window may close at once.
    virtual bool requestClose() = 0;
    void closeEvent(QCloseEvent* event) override;
};

} // namespace kapstat::link
