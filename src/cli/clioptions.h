#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kapstat::cli {

// kapstat-cli (--port PATH | --sim [emulator options]) [--retry-rounds N] [--yes] COMMAND [ARGS]
struct CliOptions
{
    QString port;
    bool sim = false;
    QStringList simArguments;
    int retryRounds = 2;
    bool yes = false;
    bool help = false;
    bool version = false;
    QString command;
    QStringList commandArguments;

    // The arguments without the program name; nullopt with a message on a usage error.
    static std::optional<CliOptions> parse(QStringList arguments, QString* error);
    static QString usage();
};

namespace ExitStatus {
inline constexpr int Done = 0;
inline constexpr int Failed = 1; // the recorder did not answer, or the operation failed
inline constexpr int Usage = 2;
inline constexpr int Stopped = 3; // aborted, or a question answered "Nie"
} // namespace ExitStatus

} // namespace kapstat::cli
