// A picture of the first page of the compliance report as it is printed, for
// scripts/screenshots.sh: a star database with a few dips, over-voltages and interruptions.
#include "norm/compliancereport.h"
#include "norm/pccounterslots.h"
#include "norm/reporttextdocument.h"
#include "normdatabase.h"
#include "windowshot.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace kapstat;
using fixtures::RmsValues;

namespace {

void addRecords(fixtures::NormDatabase& database)
{
    database.addRms({}, 960);
    RmsValues dip;
    dip.mean = {198, 229, 231};
    dip.minimum = {150, 226, 228};
    database.addRms(dip, 25);
    RmsValues overvoltage;
    overvoltage.f = 50.7;
    overvoltage.mean = {231, 256, 232};
    overvoltage.maximum = {236, 262, 239};
    database.addRms(overvoltage, 15);
    database.addHarmonicsOfAllPhases(990);
    fixtures::HarmonicValues distorted;
    distorted.thd = 9;
    distorted.harmonic = 6;
    database.addHarmonics(distorted, 10);
    database.addEvent({{120, std::nullopt, 900}, {3, 0, 1}, {0.8, 0, 0}, {412, 0, 0}});
}

} // namespace

int main(int argc, char** argv)
{
    drawOffscreenUnlessTold();
    QApplication app(argc, argv);
    const auto folder = shotFolder(argc, argv);
    if (!folder)
        return 1;
    fixtures::NormDatabase database(config::MeasuringSystem::Star);
    addRecords(database);
    browse::BrowseState& state = database.finish();
    norm::PcCounterSlots slots;
    norm::ComplianceReport::Failure failure;
    const auto report = norm::ComplianceReport::make(state, {}, slots, &failure);
    if (!report) {
        std::fprintf(stderr, "%s\n", qPrintable(failure.message));
        return 1;
    }
    QTemporaryDir work;
    const QString pdf = work.filePath(QStringLiteral("raport.pdf"));
    if (!norm::ReportTextDocument::writePdf(state, *report, pdf))
        return 1;
    const QString prefix = folder->filePath(QStringLiteral("raport-zgodnosci"));
    const bool saved =
        QProcess::execute(QStringLiteral("pdftoppm"), {"-png", "-r", "100", "-f", "1", "-l", "1",
                                                       "-singlefile", pdf, prefix}) == 0;
    std::printf("%s %s.png\n", saved ? "zapisano" : "nie zapisano", qPrintable(prefix));
    return saved ? 0 : 1;
}
