#pragma once

#include <QObject>
#include <QString>

namespace kapstat::link {

// The service mode, switched on from the about box by the service password and kept until the
// program ends: it reveals the counters and the calibration, and lets the compliance report be
// made without the usual minimum of records.
class ServiceMode : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    bool isOn() const { return m_on; }
    // Switches the mode on when the password is right; false, and nothing changed, otherwise.
    bool unlock(const QString& password);

Q_SIGNALS:
    void switchedOn();

private:
    bool m_on = false;
};

} // namespace kapstat::link
