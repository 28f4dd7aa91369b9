// Renders the quick preview window with hand-made records to PNG files:
// preview_window_shots [folder].
#include "browse/recordpreview.h"
#include "previewrecords.h"
#include "print/quickpreviewwindow.h"
#include "windowshot.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

using namespace kapstat;
using namespace kapstat::browse;
using namespace previewrecords;

namespace {

const QString SelectionFile = QStringLiteral("240305-102030_1_Hala produkcyjna.POM");

RecordValues waveformRecord()
{
    RecordValues record = rmsRecord({0.2, 0.2, 0.2, 0.005, 0.005, 0.005});
    record.insert(QStringLiteral("I0ch"), 2.1);
    for (int phase = 0; phase < 3; ++phase) {
        const QString suffix = QStringLiteral("L") + QString::number(phase + 1);
        record.insert(QStringLiteral("ProbkiU") + suffix, sineSamples(1600, -120 * phase));
        record.insert(QStringLiteral("ProbkiI") + suffix,
                      sineSamples(1200 + 300 * phase, -120 * phase - 25, 0.3));
    }
    return record;
}

RecordValues spectrumRecord()
{
    RecordValues record = harmonicsRecord(QStringLiteral("L2"));
    const auto level = [](int order) { return (order % 2 ? 4.0 : 0.8) / (1 + order / 6.0); };
    addSpectrum(record, QStringLiteral("UH"), QStringLiteral("min"),
                [&](int order) { return 0.5 * level(order); });
    addSpectrum(record, QStringLiteral("UH"), QStringLiteral("sr"), level);
    addSpectrum(record, QStringLiteral("UH"), QStringLiteral("max"),
                [&](int order) { return 1.6 * level(order); });
    return record;
}

RecordValues phasorRecord()
{
    RecordValues record = harmonicsRecord(QStringLiteral("L1"));
    for (int phase = 0; phase < 3; ++phase) {
        const QString suffix = QStringLiteral("L") + QString::number(phase + 1);
        addPhasor(record, QStringLiteral("U") + suffix,
                  polarDegrees(231 - 2 * phase, 35 - 120 * phase));
        addPhasor(record, QStringLiteral("I") + suffix,
                  polarDegrees(18 + 4 * phase, 5 - 120 * phase));
    }
    return record;
}

// A delta system stores the line voltages U13 and U23.
RecordValues deltaRecord()
{
    RecordValues record = harmonicsRecord(QStringLiteral("L1"));
    addPhasor(record, QStringLiteral("UL1"), polarDegrees(400, 10));
    addPhasor(record, QStringLiteral("UL2"), polarDegrees(398, 70));
    addPhasor(record, QStringLiteral("IL1"), polarDegrees(20, -5));
    addPhasor(record, QStringLiteral("IL2"), polarDegrees(22, 110));
    return record;
}

bool save(print::QuickPreviewWindow& window, const std::optional<PreviewContent>& content,
          const QDir& folder, const QString& name)
{
    if (!content) {
        std::printf("brak podglądu %s\n", qPrintable(name));
        return false;
    }
    window.showContent(*content);
    return saveWindowShot(window, folder, QStringLiteral("podglad-%1.png").arg(name));
}

} // namespace

int main(int argc, char** argv)
{
    drawOffscreenUnlessTold();
    QApplication app(argc, argv);
    const std::optional<QDir> folder = shotFolder(argc, argv);
    if (!folder)
        return 1;

    print::QuickPreviewWindow window;
    const RecordValues waveforms = waveformRecord();
    const struct
    {
        const char* name;
        std::optional<PreviewContent> content;
    } shots[] = {
        {"przebiegi", rmsColumnPreview(waveforms, QStringLiteral("ProbkiUL2"), SelectionFile)},
        {"prad-zerowy", rmsColumnPreview(waveforms, QStringLiteral("I0ch"), SelectionFile)},
        {"harmoniczne",
         harmonicsColumnPreview(spectrumRecord(), QStringLiteral("UH5sr"), 3, SelectionFile)},
        {"wskazy-gwiazda",
         harmonicsColumnPreview(phasorRecord(), QStringLiteral("BUL1"), 3, SelectionFile)},
        {"wskazy-trojkat",
         harmonicsColumnPreview(deltaRecord(), QStringLiteral("BUL1"), 2, SelectionFile)},
    };
    bool saved = true;
    for (const auto& shot : shots)
        saved = save(window, shot.content, *folder, QString::fromLatin1(shot.name)) && saved;
    return saved ? 0 : 1;
}
