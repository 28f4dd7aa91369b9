// Pictures of the print options window and of the first printed page over a database downloaded
// from kapstat-sim, for scripts/screenshots.sh.
#include "browse/browsestate.h"
#include "common/settingsstore.h"
#include "config/configurationmodel.h"
#include "downloadeddatabase.h"
#include "link/scriptedprompter.h"
#include "print/printoptionswindow.h"
#include "print/printsourcetimes.h"
#include "print/reportlayout.h"
#include "windowshot.h"

#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>

using namespace kapstat;
using download::TableKind;

namespace {

// The first page of the PDF as a PNG at 60 dpi.
bool savePage(const QString& pdf, const QDir& folder, const QString& name)
{
    const QString prefix = folder.filePath(name);
    const bool saved =
        QProcess::execute(QStringLiteral("pdftoppm"), {"-png", "-r", "60", "-f", "1", "-l", "1",
                                                       "-singlefile", pdf, prefix}) == 0;
    std::printf("%s %s.png\n", saved ? "zapisano" : "nie zapisano", qPrintable(prefix));
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    drawOffscreenUnlessTold();
    QApplication app(argc, argv);
    const auto folder = shotFolder(argc, argv);
    QTemporaryDir work;
    const QString pom = fixtures::downloadRichDatabase(work.path(), config::MeasuringSystem::Star);
    if (!folder || pom.isEmpty()) {
        std::fprintf(stderr, "nie udało się pobrać bazy z kapstat-sim\n");
        return 1;
    }
    config::ConfigurationModel configuration;
    link::ScriptedPrompter prompter;
    browse::BrowseState state(configuration, prompter);
    if (state.open(pom))
        return 1;
    const browse::BrowseTable& rms = *state.table(TableKind::Rms);
    for (const QString& prefix : {QStringLiteral("U"), QStringLiteral("I"), QStringLiteral("P")})
        for (const QString& column : fixtures::columnsStarting(rms, prefix, 2))
            state.togglePrint(TableKind::Rms, 0, column);

    common::SettingsStore settings(work.filePath(QStringLiteral("kap640.ini")));
    settings.setString(common::SettingsStore::Name::PrintTitle,
                       QStringLiteral("Pomiary napięć i prądów"));
    settings.setString(common::SettingsStore::Name::PrintCompany,
                       QStringLiteral("ONDRAL, Jan Kowalski"));
    settings.setBoolean(common::SettingsStore::Name::PrintGridLines, true);
    print::PrintOptionsWindow window(state, settings);
    if (const auto times = print::printSourceTimes(state))
        window.setRange(times->first, times->last.addSecs(-3600));
    window.prepare(browse::PrintKind::Measurements);
    window.findChild<QPlainTextEdit*>()->setPlainText(
        QStringLiteral("Pomiar kontrolny po wymianie transformatora."));
    window.show();
    bool saved = saveWindowShot(window, *folder, QStringLiteral("print-options-window.png"));

    const QString pdf = work.filePath(QStringLiteral("wydruk.pdf"));
    window.setFileDialog([&] { return pdf; });
    window.savePdf();
    saved &= savePage(pdf, *folder, QStringLiteral("printout-page-1"));
    return saved ? 0 : 1;
}
