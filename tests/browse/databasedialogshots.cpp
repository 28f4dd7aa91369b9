// Renders the dialog "Otwarcie zbioru pomiarów" to a PNG file: database_dialog_shots [folder].
#include "app/databasedirectorydialog.h"
#include "catalogfolder.h"
#include "link/scriptedprompter.h"

#include <QApplication>
#include <QListWidget>
#include <QTimer>
#include <cstdio>

using namespace kapstat;

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    if (!QDir().mkpath(folder.path()))
        return 1;

    // A few downloads from two recorders, with the places the stations were given.
    CatalogFolder db;
    const char* const downloads[][2] = {
        {"081208-153012_KAP0640", "081207-101500_1_Rozdzielnia główna"},
        {"081208-153012_KAP0640", "081207-101500_3_Hala 2"},
        {"090114-091544_KAP0640", "090110-120000_3_Hala 2"},
        {"090302-140210_KAP0712", "090215-000000_1_Hala 2"},
        {"090302-140210_KAP0712", "090215-000000_2_Łódź, stacja Widzew"},
        {"090302-140210_KAP0712", "090215-000000_5_Oczyszczalnia ścieków"},
    };
    for (const auto& [download, name] : downloads)
        db.addDatabase(QString::fromLatin1(download), QString::fromUtf8(name));

    link::ScriptedPrompter prompter;
    app::DatabaseDirectoryDialog dialog(prompter);
    const QString path = folder.filePath(QStringLiteral("otwarcie-zbioru-pomiarow.png"));
    bool saved = false;
    QTimer::singleShot(0, &dialog, [&] {
        QListWidget* places = dialog.placeList();
        places->setCurrentItem(
            places->findItems(QStringLiteral("Hala 2"), Qt::MatchExactly).first());
        QApplication::processEvents();
        saved = dialog.grab().save(path);
        dialog.reject();
    });
    dialog.run(db.path(), QString());
    std::printf("%s %s\n", saved ? "zapisano" : "nie zapisano", qPrintable(path));
    return saved ? 0 : 1;
}
