#include "common/programversion.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using kapstat::common::ProgramVersion;

// Built from the project's checkout: the number of the project and a short commit.
TEST(ProgramVersion, NamesTheProgramItsNumberAndTheCommit)
{
    const QString line = ProgramVersion::line(QStringLiteral("kapstat-cli"));
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^kapstat-cli \\d+\\.\\d+\\.\\d+ \\([0-9a-f]{7,}\\)$"))
            .match(line)
            .hasMatch())
        << line.toStdString();
}
