#pragma once

// The screenshot programs' way of saving a window: as it shows now, to folder/fileName, saying
// on stdout what was saved.
#include <QApplication>
#include <QDir>
#include <QWidget>
#include <cstdio>
#include <optional>

// Before the application object: the pictures need no screen, unless one is asked for.
inline void drawOffscreenUnlessTold()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The folder named by the first argument (default "screenshots"), created; none if it cannot be.
inline std::optional<QDir> shotFolder(int argc, char** argv)
{
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    if (!QDir().mkpath(folder.path()))
        return std::nullopt;
    return folder;
}

inline bool saveWindowShot(QWidget& window, const QDir& folder, const QString& fileName)
{
    QApplication::processEvents();
    const QString path = folder.filePath(fileName);
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "zapisano" : "nie zapisano", qPrintable(path));
    return saved;
}
