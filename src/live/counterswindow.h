#pragma once

#include "link/closeguardeddialog.h"
#include "live/livestore.h"

class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace kapstat::live {

class ComparisonPage;
class CountersLoop;
class LiveLoop;

// The service window of the recorder's counters ("Liczniki") and of the comparison of the
// recorder's values with the program's own ("Wyniki").
class CountersWindow : public link::CloseGuardedDialog
{
    Q_OBJECT

public:
    enum Page
    {
        Counters,
        Comparison,
    };

    CountersWindow(CountersLoop& counters, LiveLoop& live, const LiveStore& store,
                   QWidget* parent = nullptr);
    ~CountersWindow() override;

    // Both show the window modally without waiting for it to close.
    // The main window's "Liczniki": polls the counters while the window is open.
    void openForCounters();
    // From the live window: the comparison of its frames, without a loop of its own.
    void openForComparison();

    QTabWidget* pages() const { return m_pages; }
    QPlainTextEdit* countersText() const { return m_text; }
    ComparisonPage* comparisonPage() const { return m_comparison; }
    QPushButton* freezeButton() const { return m_freeze; }

protected:
    bool requestClose() override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void createCountersText();
    void showCounters(const QStringList& lines);
    void showComparison();

    CountersLoop& m_counters;
    const LiveStore& m_store;
    bool m_openedForCounters = false;
    QTabWidget* m_pages = nullptr;
    QPlainTextEdit* m_text = nullptr;
    ComparisonPage* m_comparison = nullptr;
    QPushButton* m_freeze = nullptr;
};

} // namespace kapstat::live
