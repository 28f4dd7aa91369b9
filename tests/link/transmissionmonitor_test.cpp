#include "link/transmissionmonitor.h"
#include "linkfixture.h"

using namespace kapstat::link;

TEST(TransmissionMonitor, DumpsTwentyBytesALineNumberedFromOne)
{
    EXPECT_EQ(TransmissionMonitor::hexDump(QByteArray::fromHex("1b0100001a")),
              QStringLiteral("0001:1B 01 00 00 1A \n"));
    const QString dump = TransmissionMonitor::hexDump(QByteArray(41, '\x0f'));
    const QStringList lines = dump.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("0021:0F ")));
    EXPECT_EQ(lines[2], QStringLiteral("0041:0F "));
}

using MonitorTest = LinkFixture;

TEST_F(MonitorTest, RecordsFramesOnlyWhileShown)
{
    link.send({OperationName::Zegarek, 1}, hex("010000"));
    EXPECT_TRUE(link.monitor().text().isEmpty());
    link.monitor().setShown(true);
    channel.feed(damaged(answer(0x01, QByteArray(6, 0))));
    EXPECT_EQ(link.monitor().text().split(QLatin1Char('\n')).first(),
              QStringLiteral("------ODBIERANIE------"));
    EXPECT_TRUE(link.monitor().text().contains(
        QStringLiteral("**** ZŁA SUMA ****\n------NADAWANIE------\n0001:1B 01 00 00 1A \n")));
}
