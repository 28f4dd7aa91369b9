#include "app/compliancereportaction.h"
#include "browse/tablewindow.h"
#include "browsingharness.h"
#include "link/servicemode.h"
#include "norm/compliancereport.h"
#include "norm/pccounterslots.h"
#include "normdatabase.h"
#include "print/printoptionswindow.h"

#include <QAction>

using namespace kapstat;
using download::TableKind;

namespace {

// The main window with its browsing actions and the report action over a star database.
class ComplianceReportActionTest : public fixtures::BrowsingHarness
{
protected:
    void open(int goodRecords)
    {
        database = std::make_unique<fixtures::NormDatabase>(config::MeasuringSystem::Star);
        database->addRms({}, goodRecords);
        database->addHarmonicsOfAllPhases(1);
        database->addEvent({{}, {12, 0, 0}, {}, {}});
        database->write();
        main.show();
        browsing.openSelectionFile(database->selectionFile());
        ASSERT_TRUE(state.isOpen()) << prompter.lastText().toStdString();
    }

    // Triggers the action; the title of the report dialog shown, or "" when none was.
    QString trigger()
    {
        QString shownTitle;
        const auto connection = QObject::connect(
            &action, &app::ComplianceReportAction::reportShown, &action, [&](QWidget* dialog) {
                shownTitle = qobject_cast<print::PrintOptionsWindow*>(dialog)->title();
                QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
            });
        main.action(QStringLiteral("acNorma"))->trigger();
        QObject::disconnect(connection);
        return shownTitle;
    }

    link::ServiceMode serviceMode;
    norm::PcCounterSlots counters;
    app::ComplianceReportAction action{main, state, browsing, serviceMode, prompter, counters};
    std::unique_ptr<fixtures::NormDatabase> database;
};

} // namespace

TEST_F(ComplianceReportActionTest, ShowsTheReportAndFillsTheCounters)
{
    open(100);
    EXPECT_TRUE(main.action(QStringLiteral("acNorma"))->isEnabled());
    EXPECT_EQ(trigger(), QString::fromUtf8("RAPORT ZGODNOŚCI Z NORMĄ: PN-EN 50160"));
    EXPECT_EQ(counters.value(35), 12); // micro-interruptions of L1 from the events table
}

TEST_F(ComplianceReportActionTest, LeavesTheEventsOutWhenTheirWindowIsClosed)
{
    open(100);
    browsing.tableWindow(TableKind::Zanik).hide();
    EXPECT_FALSE(trigger().isEmpty());
    EXPECT_EQ(counters.value(35), 0);
}

TEST_F(ComplianceReportActionTest, GateClosedShowsItsMessageForThreeSeconds)
{
    struct Case
    {
        const char* what;
        int records;
        bool service;
        bool rmsWindowShown;
        bool reported;
    };
    // The service mode cannot be switched off again: its case comes last.
    const Case cases[] = {{"99 records", 99, false, true, false},
                          {"RMS window closed", 100, false, false, false},
                          {"99 records in the service mode", 99, true, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        open(c.records);
        if (c.service)
            serviceMode.unlock(QStringLiteral("lirbek"));
        if (!c.rmsWindowShown)
            browsing.tableWindow(TableKind::Rms).hide();
        const qsizetype before = prompter.calls().size();
        EXPECT_EQ(!trigger().isEmpty(), c.reported);
        if (c.reported)
            continue;
        ASSERT_EQ(prompter.calls().size(), before + 1);
        const link::ScriptedPrompter::Call& shown = prompter.calls().last();
        EXPECT_EQ(shown.text, norm::ComplianceReport::gateMessage());
        EXPECT_EQ(shown.seconds, 3);
        EXPECT_EQ(shown.buttons, 0);
        EXPECT_FALSE(shown.modal);
    }
}
