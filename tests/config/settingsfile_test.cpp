#include "common/windows1250text.h"
#include "config/configurationmodel.h"
#include "config/settingsfile.h"
#include "randomconfiguration.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kapstat::config {
namespace {

class SettingsFileTest : public ::testing::Test
{
protected:
    QString path(const QString& name = QStringLiteral("a.ust")) const
    {
        return m_dir.filePath(name);
    }

    QStringList savedLines(const RecorderConfiguration& c)
    {
        EXPECT_FALSE(SettingsFile::save(c, path()).has_value());
        return *common::Windows1250Text::readLines(path());
    }
    void writeLines(const QStringList& lines)
    {
        ASSERT_TRUE(common::Windows1250Text::writeLines(path(), lines));
    }

    QTemporaryDir m_dir;
};

TEST_F(SettingsFileTest, DefaultConfigurationLines)
{
    const QStringList lines = savedLines(RecorderConfiguration{});
    ASSERT_EQ(lines.size(), 406);
    const auto line = [&](int n) { return lines[n - 1]; };
    for (int n = 1; n <= 246; ++n)
        EXPECT_EQ(line(n), QStringLiteral("0")) << n;
    const std::pair<int, const char*> expected[] = {
        {247, "1"},   {249, "95"},         {252, "100"},      {259, "6"},        {266, "5"},
        {270, "2"},   {272, "0,5"},        {278, "190"},      {279, "4"},        {280, "1"},
        {281, "230"}, {288, "230"},        {289, "5"},        {290, "0"},        {291, "0"},
        {293, "0"},   {294, "1"},          {296, "1"},        {297, "0"},        {299, "0"},
        {300, "20"},  {301, "20"},         {302, "Stacja 1"}, {309, "Stacja 8"}, {310, "230"},
        {318, "10"},  {325, "10"},         {326, "1000"},     {333, "1000"},     {334, "1,00"},
        {342, "0"},   {374, "2001-12-13"}, {375, "12:00:00"}, {405, "12:00:00"}, {406, "3"},
    };
    for (const auto& [n, text] : expected)
        EXPECT_EQ(line(n), QString::fromUtf8(text)) << n;

    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("\r\n3\r\n"));
}

TEST_F(SettingsFileTest, RoundTripOfRandomConfigurations)
{
    std::mt19937 random(406);
    for (int round = 0; round < 200; ++round) {
        ConfigurationModel source;
        randomise(source, random);
        StationSettings longer = source.configuration().stations[2];
        longer.description = QString(70, QChar(0x0141)); // "Ł", longer than the image carries
        longer.un = 230.5;
        source.setStation(2, longer);
        ASSERT_FALSE(SettingsFile::save(source.configuration(), path()).has_value());
        ConfigurationModel target;
        ASSERT_FALSE(SettingsFile::load(target, path()).has_value()) << round;
        ASSERT_EQ(target.configuration(), source.configuration()) << round;
        ASSERT_EQ(target.configuration().isDefaultNorm(), source.configuration().isDefaultNorm());
    }
}

// A file loads the same whatever the model held before.
TEST_F(SettingsFileTest, LoadIsIndependentOfTheFormerSystem)
{
    ConfigurationModel star;
    star.clickIndicator(entries::NormMode);
    star.clickIndicator(1); // a flag beyond the norm set
    ConfigurationModel delta;
    delta.applySystemChange(MeasuringSystem::Delta);
    delta.setNormText(NormField::OvervoltageThreshold, QStringLiteral("105"));
    delta.stepNormParameter(NormField::OvervoltageThreshold, +1);

    for (const ConfigurationModel* source : {&star, &delta}) {
        ASSERT_FALSE(SettingsFile::save(source->configuration(), path()).has_value());
        for (const MeasuringSystem before :
             {MeasuringSystem::Star, MeasuringSystem::Delta, MeasuringSystem::SinglePhase}) {
            ConfigurationModel target;
            target.applySystemChange(before);
            ASSERT_FALSE(SettingsFile::load(target, path()).has_value());
            EXPECT_EQ(target.configuration(), source->configuration());
        }
    }
}

TEST_F(SettingsFileTest, NormModeLineThenTheFileFlags)
{
    QStringList lines = savedLines(RecorderConfiguration{});
    lines[0] = QStringLiteral("1");
    lines[1] = QStringLiteral("1");    // U min, not in the Star norm set
    lines[53] = QStringLiteral("tak"); // UL1 min: anything but "1" is off
    writeLines(lines);
    ConfigurationModel model;
    ASSERT_FALSE(SettingsFile::load(model, path()).has_value());
    EXPECT_TRUE(model.configuration().normMode());
    EXPECT_TRUE(model.isLit(1));
    EXPECT_FALSE(model.isLit(53));
    EXPECT_FALSE(model.areNormLockedControlsEnabled());
}

TEST_F(SettingsFileTest, StoragePeriodRulesRunAtTheEnd)
{
    QStringList lines = savedLines(RecorderConfiguration{});
    lines[4] = QStringLiteral("1"); // U inst at a 5-minute period
    lines[5] = QStringLiteral("1"); // I min
    writeLines(lines);
    ConfigurationModel model;
    ASSERT_FALSE(SettingsFile::load(model, path()).has_value());
    EXPECT_FALSE(model.isLit(4));
    EXPECT_TRUE(model.isLit(5));
}

TEST_F(SettingsFileTest, BadFilesStopAtTheLineAndKeepWhatCameBefore)
{
    struct Case
    {
        int line;         // 1-based line replaced, or the number of lines kept when truncating
        const char* text; // nullptr: truncate the file there
        const char* message;
    };
    const Case cases[] = {
        {289, "pięć", "wierszu 289"},       {279, "8", "wierszu 279"},
        {318, "13", "wierszu 318"},         {334, "abc", "wierszu 334"},
        {380, "2001-02-30", "wierszu 380"}, {406, "2", "wierszu 406"},
        {300, nullptr, "brak wiersza 301"},
    };
    for (const Case& k : cases) {
        RecorderConfiguration file;
        file.stations[0].description = QStringLiteral("z pliku");
        file.stations[7].ctPrimary = 5;
        QStringList lines = savedLines(file);
        if (k.text)
            lines[k.line - 1] = QString::fromUtf8(k.text);
        else
            lines = lines.mid(0, k.line);
        writeLines(lines);
        ConfigurationModel model;
        const auto error = SettingsFile::load(model, path());
        ASSERT_TRUE(error.has_value()) << k.line;
        EXPECT_TRUE(error->contains(QString::fromUtf8(k.message))) << error->toStdString();
        EXPECT_EQ(model.configuration().stations[0].description == QStringLiteral("z pliku"),
                  k.line > 302);
        EXPECT_EQ(model.configuration().stations[7].ctPrimary == 5, k.line > 333);
    }
}

TEST_F(SettingsFileTest, MissingFileAndUnwritablePath)
{
    ConfigurationModel model;
    EXPECT_TRUE(SettingsFile::load(model, path(QStringLiteral("none.ust"))).has_value());
    EXPECT_EQ(model.configuration(), RecorderConfiguration{});
    EXPECT_TRUE(
        SettingsFile::save(RecorderConfiguration{}, path(QStringLiteral("no/such/dir/a.ust")))
            .has_value());
}

} // namespace
} // namespace kapstat::config
