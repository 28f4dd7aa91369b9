#include "common/windows1250text.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using kapstat::common::Windows1250Text;

TEST(Windows1250Text, PolishLettersTakeTheirSingleByteCodes)
{
    const QString letters = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
    const QByteArray bytes = Windows1250Text::encode(letters);
    EXPECT_EQ(bytes.toHex(), QByteArray("b9e6eab3f1f39c9fbfa5c6caa3d1d38c8faf"));
    EXPECT_EQ(Windows1250Text::decode(bytes), letters);
}

TEST(Windows1250Text, WritesCrLfLinesAndReadsThemBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ust"));
    const QStringList lines{QStringLiteral("Pomiar w Łodzi"), QString(), QStringLiteral("57,7")};
    ASSERT_TRUE(Windows1250Text::writeLines(path, lines));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Pomiar w \xa3odzi\r\n\r\n57,7\r\n"));
    EXPECT_EQ(Windows1250Text::readLines(path), lines);
}

TEST(Windows1250Text, ReadsBareLineFeedsAndReportsAMissingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("b.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("a\nb");
    file.close();
    EXPECT_EQ(Windows1250Text::readLines(path),
              (QStringList{QStringLiteral("a"), QStringLiteral("b")}));

    QString error;
    EXPECT_FALSE(Windows1250Text::readLines(dir.filePath(QStringLiteral("none")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("none")));
}
