#include "live/comparisontable.h"
#include "live/counterstext.h"
#include "live/valueformat.h"
#include "norm/pccounterslots.h"

#include <QSet>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace kapstat;
using namespace kapstat::live;

namespace {

// A counters response whose bytes are zero but for the ones given by position.
CountersFrame frameWith(const QList<std::pair<int, QByteArray>>& bytes)
{
    QByteArray data(CountersFrame::Length - 5, '\0');
    for (const auto& [position, value] : bytes)
        data.replace(position - 5, value.size(), value);
    return CountersFrame(link::ResponseBytes::withData(0x18, data));
}

// What the text is built from: the program's slots, the range scale and the frame's ranges.
struct CountersInputs
{
    QStringList lines(const CountersFrame& frame = frameWith({})) const
    {
        return CountersText(slots, scale, ranges).lines(frame);
    }

    norm::PcCounterSlots slots;
    calib::RangeScale scale = oneCountPerVolt();
    std::array<int, ChannelCount> ranges{};

    static calib::RangeScale oneCountPerVolt()
    {
        calib::RangeScale s;
        for (auto& channel : s.values)
            channel.fill(1);
        return s;
    }
};

class CountersTextTest : public ::testing::Test, public CountersInputs
{
};

} // namespace

TEST_F(CountersTextTest, BeforeAnyReportEveryProgramCountIsZero)
{
    const QStringList text = lines(frameWith({{9, QByteArray::fromHex("0201")}}));
    ASSERT_EQ(text.size(), 45);
    EXPECT_EQ(text[0], QStringLiteral("Czestotliwosci                     F1NUM=        0 / 0"
                                      "   F2NUM=        0 / 0"));
    EXPECT_EQ(text[1], QStringLiteral("L. zapadow napiecia sr. Un-10%     L1SRZAP=    258 /      0"
                                      "   L2SRZAP=      0 /      0   L3SRZAP=      0 /      0"));
    EXPECT_EQ(text[11],
              QStringLiteral("Niesymetria                        SNUM=         0 /      0"));
    EXPECT_EQ(text[7], QStringLiteral("Glebokosc zapadu z kolumny min.    L1GLEBM= 000000 / 000000"
                                      "   L2GLEBM= 000000 / 000000   L3GLEBM= 000000 / 000000"));
    for (int i : {12, 37, 41})
        EXPECT_TRUE(text[i].isEmpty()) << i;
}

TEST_F(CountersTextTest, HarmonicLinesRunFromTwoToTwentyFourWithTheirPositionsAndSlots)
{
    // H02 of L1 at 83, H05 of L2 at 131 + 6, H24 of L3 at 179 + 44; THD of L3 at 225.
    slots.set(66, 1);
    slots.set(92, 2);
    slots.set(134, 3);
    slots.set(137, 4);
    const QStringList text = lines(frameWith({{83, QByteArray::fromHex("0700")},
                                              {137, QByteArray::fromHex("0800")},
                                              {223, QByteArray::fromHex("0900")},
                                              {225, QByteArray::fromHex("0A00")}}));
    EXPECT_TRUE(text[13].startsWith(QStringLiteral("H02L1=      7 /      1   H02L2= ")));
    EXPECT_EQ(text[16], QStringLiteral("H05L1=      0 /      0   H05L2=      8 /      2"
                                       "   H05L3=      0 /      0"));
    EXPECT_TRUE(text[35].startsWith(QStringLiteral("H24L1= ")));
    EXPECT_TRUE(text[35].endsWith(QStringLiteral("H24L3=      9 /      3")));
    EXPECT_TRUE(text[36].endsWith(QStringLiteral("   L3THD=     10 /      4")));
    for (int h = 2; h <= 24; ++h)
        EXPECT_TRUE(text[h + 11].startsWith(QStringLiteral("H%1L1= ").arg(h, 2, 10, QChar('0'))));
}

TEST_F(CountersTextTest, ProgramCountsAreGeneralDecimalsNeverCut)
{
    slots.set(50, 2.5);
    slots.set(51, 1234567);
    slots.set(0, 2.5);
    const QStringList text = lines();
    EXPECT_TRUE(text[0].contains(QStringLiteral("F1NUM=        0 / 2,5   F2NUM=")));
    EXPECT_TRUE(text[1].contains(QStringLiteral("L1SRZAP=      0 /    2,5")));
    EXPECT_TRUE(text[1].contains(QStringLiteral("L2SRZAP=      0 / 1234567   L3SRZAP")));
}

TEST_F(CountersTextTest, RawFieldsCompareByteForByte)
{
    slots.set(47, -15.3);
    const QStringList text = lines(frameWith({{45, QByteArray::fromHex("5381FF")}}));
    EXPECT_TRUE(text[7].startsWith(QStringLiteral(
        "Glebokosc zapadu z kolumny min.    L1GLEBM= 5381FF / 5381FF   L2GLEBM= 000000 / 000000")));
}

TEST_F(CountersTextTest, LinesWithoutRecorderValuesShowADash)
{
    slots.set(35, 4);
    slots.set(158, 100);
    slots.set(160, 7);
    scale.values[0][3] = 0.5;
    ranges[0] = 3;
    const QStringList text = lines();
    EXPECT_EQ(text[38], QStringLiteral("uPrzerwy     L1LP1S=       - /      4"
                                       "   L2LP1S=       - /      0   L3LP1S=       - /      0"));
    EXPECT_EQ(text[44],
              QStringLiteral("Najwieksza probka przy przep.       L1NAJW=        - / 200,00"
                             "   L2NAJW=        - /   0,00   L3NAJW=        - /   7,00"));
}

TEST_F(CountersTextTest, AnErrorEndsTheTextAfterTheLinesBuiltSoFar)
{
    struct Case
    {
        const char* what;
        std::function<void(CountersInputs&)> arrange;
        int linesBefore;
    };
    const Case cases[] = {
        {"zero scale of the voltage channel", [](CountersInputs& t) { t.scale.values[1][0] = 0; },
         44},
        {"range without a scale slot", [](CountersInputs& t) { t.ranges[2] = 12; }, 44},
        {"depth beyond three-digit encoding", [](CountersInputs& t) { t.slots.set(54, 1e200); }, 8},
        {"count that is no number",
         [](CountersInputs& t) { t.slots.set(1, std::numeric_limits<double>::quiet_NaN()); }, 0},
    };
    for (const Case& c : cases) {
        CountersInputs t;
        c.arrange(t);
        const QStringList text = t.lines();
        ASSERT_EQ(text.size(), c.linesBefore + 1) << c.what;
        EXPECT_EQ(text.last(), QStringLiteral("Wystapil blad!!!")) << c.what;
    }
}

TEST(ComparisonTable, NumbersInTheirFormats)
{
    struct Case
    {
        double x;
        ComparisonFormat format;
        const char* text;
    };
    const Case cases[] = {
        {230.12345, ComparisonFormat::Fixed, "230,12345"},
        {-0.5, ComparisonFormat::Fixed, "-0,50000"},
        {1234.5, ComparisonFormat::Scientific3, "123E+01"},
        {0.5, ComparisonFormat::Scientific3, "500E-03"},
        {-0.5, ComparisonFormat::Scientific3, "-500E-03"},
        {999.6, ComparisonFormat::Scientific3, "100E+01"},
        {0, ComparisonFormat::Scientific3, "000E+00"},
        {2.5e120, ComparisonFormat::Scientific3, "250E+118"},
        {1234.5, ComparisonFormat::Scientific7, "1234500E-03"},
        {12345678, ComparisonFormat::Scientific7, "1234568E+01"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComparisonTable::formatNumber(c.x, c.format), QLatin1String(c.text)) << c.x;
}

TEST(ComparisonTable, RecorderValueSentUndecodableShowsItsBytes)
{
    LiveStore store;
    store.recorderRaw[0] = QStringLiteral("2A01FF");
    store.recorderValues[1] = 230.12345L;
    store.computedValues[0] = 230.12345L;
    auto find = [](ComparisonMethod method, const QString& prefix) {
        for (const ComparisonLabel& label : ComparisonTable::labels())
            if (label.method == method && label.prefix == prefix)
                return label;
        ADD_FAILURE() << prefix.toStdString();
        return ComparisonLabel{};
    };
    const ComparisonText raw =
        ComparisonTable::text(find(ComparisonMethod::Recorder, QStringLiteral("UL1= ")), store);
    EXPECT_EQ(raw.text, QStringLiteral("UL1= 2A01FF"));
    EXPECT_TRUE(raw.undecodable);
    const ComparisonText decoded =
        ComparisonTable::text(find(ComparisonMethod::Recorder, QStringLiteral("UL2= ")), store);
    EXPECT_EQ(decoded.text, QStringLiteral("UL2= 230,12345V"));
    EXPECT_FALSE(decoded.undecodable);
    EXPECT_EQ(
        ComparisonTable::text(find(ComparisonMethod::Direct, QStringLiteral("UL1= ")), store).text,
        QStringLiteral("UL1= 230,12345V"));
}

TEST(ComparisonTable, EveryLabelHasItsOwnPlaceAndARecorderTwinAbovePcLabels)
{
    QSet<QString> places;
    for (const ComparisonLabel& label : ComparisonTable::labels()) {
        const QString place = QStringLiteral("%1/%2/%3/%4/%5")
                                  .arg(label.group)
                                  .arg(label.row)
                                  .arg(label.column)
                                  .arg(int(label.method))
                                  .arg(label.caption);
        EXPECT_FALSE(places.contains(place)) << place.toStdString();
        places.insert(place);
        EXPECT_LT(label.group, ComparisonTable::groups().size());
        EXPECT_LT(label.number, label.fromRecorder() ? RecorderValueCount : ComputedValueCount);
    }
}
