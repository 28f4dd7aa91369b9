#include "link/closeguardeddialog.h"

#include <QCloseEvent>

namespace kapstat::link {

void CloseGuardedDialog::reject()
{
    if (requestClose())
        closeNow();
}

void CloseGuardedDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    reject();
}

} // namespace kapstat::link
