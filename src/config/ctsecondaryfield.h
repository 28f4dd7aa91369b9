#pragma once

#include <QLineEdit>

namespace kapstat::link {
class Prompter;
}

namespace kapstat::config {

// The CT (clamp) secondary voltage: one digit, a fixed comma and two digits. Leaving it with a
// value outside 0,20..1,00 shows the message and brings the focus back; only a valid value is
// reported.
class CtSecondaryField : public QLineEdit
{
    Q_OBJECT

public:
    CtSecondaryField(link::Prompter& prompter, QWidget* parent = nullptr);

Q_SIGNALS:
    void accepted(const QString& text);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void check();

    link::Prompter& m_prompter;
    bool m_checking = false;
};

} // namespace kapstat::config
