#pragma once

#include <QString>
#include <QStringList>

// One run of kapstat-cli as a separate process.
struct CliRun
{
    int status = -1;
    QString out;
    QString err;
};

CliRun runCli(const QStringList& arguments);
