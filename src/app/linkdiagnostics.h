#pragma once

#include <QList>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;

namespace kapstat::link {
class RecorderLink;
}

namespace kapstat::app {

// The link's diagnostics, kept hidden from the user: error counters in the status bar and the
// transmission monitor with its two buttons.
class LinkDiagnostics : public QWidget
{
    Q_OBJECT

public:
    LinkDiagnostics(link::RecorderLink& link, QStatusBar& statusBar, QWidget* parent = nullptr);

    QString panelText(int panel) const;
    void toggleMonitor();

private:
    void addPanels(QStatusBar& statusBar);
    void showCounters();
    void refreshMonitor();

    link::RecorderLink& m_link;
    QList<QLabel*> m_panels;
    QPlainTextEdit* m_monitor = nullptr;
};

} // namespace kapstat::app
