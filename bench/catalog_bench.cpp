// Times the catalogue of the dialog "Otwarcie zbioru pomiarów" over a large database folder:
// catalog_bench [downloads] (default 10 000), each with one database as a download leaves it.
#include "browse/databasecatalog.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using kapstat::browse::DatabaseCatalog;

namespace {

constexpr int Places = 100;
constexpr int Rounds = 5;

void touch(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("x");
}

// Download i: its folder, its selection file and its database folder with four files.
void makeDownload(const QDir& root, int i)
{
    const QString time = QStringLiteral("%1-%2")
                             .arg(80101 + i / 1000, 6, 10, QLatin1Char('0'))
                             .arg(i % 1000, 6, 10, QLatin1Char('0'));
    const QString download = time + QStringLiteral("_KAP0640");
    const QString name = time + QStringLiteral("_1_Miejsce %1").arg(i % Places);
    root.mkpath(download + QLatin1Char('/') + name + QStringLiteral("_SP"));
    const QDir folder(root.filePath(download));
    touch(folder.filePath(name + QStringLiteral(".POM")));
    for (const char* suffix : {".db", ".HARM.db", ".PRZE.db", ".CONF.ust"})
        touch(folder.filePath(name + QStringLiteral("_SP/") + name + QString::fromLatin1(suffix)));
}

// Milliseconds of the fastest and of the median of a few rounds.
void report(const char* what, const std::function<qsizetype()>& work)
{
    std::vector<double> times;
    qsizetype count = 0;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        count = work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-28s %6lld wierszy  najszybciej %8.1f ms  mediana %8.1f ms\n", what,
                static_cast<long long>(count), times.front(), times[times.size() / 2]);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int downloads = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    QTemporaryDir dir;
    const QDir root(dir.path());
    QElapsedTimer made;
    made.start();
    for (int i = 0; i < downloads; ++i)
        makeDownload(root, i);
    std::printf("%d odczytów (%d plików) utworzono w %.1f s\n", downloads, downloads * 5,
                static_cast<double>(made.elapsed()) / 1000);

    report("places()", [&] { return DatabaseCatalog::places(dir.path()).size(); });
    report("databases(jedno miejsce)", [&] {
        return DatabaseCatalog::databases(dir.path(), QStringLiteral("miejsce 7")).size();
    });
    return 0;
}
