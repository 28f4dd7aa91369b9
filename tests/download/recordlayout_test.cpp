#include "download/recordlayout.h"

#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::download;

namespace {

// A 0x0A response whose image has the given bytes set (image offsets, as the recorder keeps them).
link::ResponseBytes imageWith(std::initializer_list<std::pair<int, quint8>> bytes)
{
    QByteArray image(1023, '\0');
    for (const auto& [offset, value] : bytes)
        image[offset] = static_cast<char>(value);
    return link::ResponseBytes::withData(0x0A, image);
}

QStringList names(TableKind kind, const std::vector<bool>& selected)
{
    QStringList result;
    for (int i = 0; i < static_cast<int>(selected.size()); ++i)
        if (selected[i])
            result << MeasurementTables::nameList(kind)[i];
    return result;
}

} // namespace

TEST(RecordLayout, LengthsOfTypicalSelections)
{
    const struct
    {
        const char* name;
        link::ResponseBytes image;
        int phases;
        int length;
    } cases[] = {
        {"nothing", imageWith({}), 3, 14},
        {"Pav and Umin", imageWith({{742, 0x04}, {744, 0x80}}), 3, 20},
        {"voltage waveforms in Star", imageWith({{481, 0x08}}), 3, 14 + 34 + 1800},
        {"both waveforms single phase", imageWith({{481, 0x0C}}), 1, 14 + 34 + 1200},
        {"phasors in Delta", imageWith({{481, 0xC0}}), 2, 14 + 6 + 4 * 8},
        {"THDU min in Star", imageWith({{771, 0x80}}), 3, 14 + 6 + 9},
        {"UH2-24 max in Star", imageWith({{774, 0x04}}), 3, 14 + 6 + 69 * 3},
        {"U2 min, not per phase", imageWith({{772, 0x80}}), 3, 14 + 6 + 3},
        {"energies and powers", imageWith({{742, 0xFF}}), 3, 14 + 5 * 5 + 3 * 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RecordLayout::fromConfigurationResponse(c.image, c.phases).length, c.length)
            << c.name;
}

TEST(RecordLayout, SelectsTheTableFieldsInListOrder)
{
    const RecordLayout layout = RecordLayout::fromConfigurationResponse(
        imageWith({{481, 0xCC}, {742, 0x84}, {744, 0x80}, {774, 0x44}}), 2);
    const QStringList rms = names(TableKind::Rms, layout.selection.rms);
    EXPECT_EQ(rms.mid(0, 3), (QStringList{"Epplus", "Pav", "Umin"}));
    EXPECT_EQ(rms.mid(3, 4), (QStringList{"ProbkiUL1", "ProbkiUL2", "ProbkiIL1", "ProbkiIL2"}));
    EXPECT_EQ(rms.size(), 3 + 4 + 14) << "the 34-byte block's fields";
    EXPECT_EQ(layout.waveformChannels(), 4);

    const QStringList harm = names(TableKind::Harm, layout.selection.harm);
    EXPECT_EQ(harm.first(), QStringLiteral("UH1max"));
    EXPECT_TRUE(harm.contains(QStringLiteral("UH24max")));
    EXPECT_FALSE(harm.contains(QStringLiteral("UH2min")));
    EXPECT_EQ(harm.mid(harm.size() - 8),
              (QStringList{"BUL1", "CUL1", "BUL2", "CUL2", "BIL1", "CIL1", "BIL2", "CIL2"}));
    EXPECT_EQ(layout.harmonicsValueCount, 2 * (1 + 23));
}

TEST(RecordLayout, TheUnusedNibbleNeverSelectsSamples)
{
    const RecordLayout layout =
        RecordLayout::fromConfigurationResponse(imageWith({{770, 0xFF}}), 3);
    EXPECT_EQ(layout.length, 14 + 4 * 3) << "IH0 for L3 only";
    EXPECT_TRUE(layout.waveformFields.isEmpty());
}
