#include "config/ctsecondaryfield.h"

#include "config/stationsettings.h"
#include "link/prompter.h"

#include <QTimer>

namespace kapstat::config {

namespace {
constexpr int UntilClosed = -1;
}

CtSecondaryField::CtSecondaryField(link::Prompter& prompter, QWidget* parent)
    : QLineEdit(parent), m_prompter(prompter)
{
    setInputMask(QStringLiteral("9,99"));
}

void CtSecondaryField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // The message box takes the focus too; that must not check again.
    if (!m_checking)
        check();
}

void CtSecondaryField::check()
{
    const auto problem = ctSecondaryProblem(text());
    if (!problem) {
        Q_EMIT accepted(text());
        return;
    }
    m_checking = true;
    m_prompter.ask(*problem, UntilClosed, 0);
    m_checking = false;
    // After the focus change that brought us here has finished.
    QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}

} // namespace kapstat::config
