#pragma once

#include <QHash>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <array>
#include <optional>

namespace kapstat::browse {

// Every field of the current record by its stored name; a key present means the table has the
// column, a null value means the record holds NULL there.
using RecordValues = QHash<QString, QVariant>;

// The colours the previews draw in, 0xRRGGBB.
namespace rgb {
inline constexpr quint32 Red = 0xFF0000;
inline constexpr quint32 Green = 0x008000;
inline constexpr quint32 Blue = 0x0000FF;
inline constexpr quint32 Yellow = 0xFFFF00;
inline constexpr quint32 Olive = 0x808000;
} // namespace rgb

// The preview chart's eight series slots: what each slot draws is fixed.
enum PreviewSlotIndex : int
{
    VoltageLine = 0,   // line on the left axis
    MaximumBars = 1,   // bars
    MeanBars = 2,      // bars
    MinimumBars = 3,   // bars: minima, or instantaneous values where no minima are kept
    VoltageArrows = 4, // arrows on the left and bottom axes, narrow heads
    CurrentArrows = 5, // arrows on the right and top axes, wide heads
    CurrentLine = 6,   // line on the right axis
    SpareLine = 7,     // line on the left axis
    PreviewSlotCount = 8
};

struct PreviewArrow
{
    QPointF from, to;
    QString label;
    quint32 rgb = 0;
};

struct PreviewSlot
{
    bool active = false;
    QString title; // the slot's legend caption
    quint32 rgb = 0;
    QVector<QPointF> points;
    QVector<quint32> pointColours; // bars may colour each point; empty: all in rgb
    QVector<PreviewArrow> arrows;
};

struct PreviewAxis
{
    bool visible = false;
    bool automatic = true; // the range follows the data; min and max are used otherwise
    double min = 0, max = 0;
    QString title;
    bool grid = false;
};

struct PreviewContent
{
    std::array<PreviewSlot, PreviewSlotCount> slots;
    PreviewAxis left, right, bottom, top;
    QStringList titleLines;
};

// A legend entry of a phasor diagram: one per phase colour, pairing the voltage arrow with the
// current arrow drawn in the same colour ("UL1 IL1").
struct PreviewLegendEntry
{
    QString caption;
    quint32 rgb = 0;
};
QVector<PreviewLegendEntry> arrowLegend(const PreviewContent& content);

// The recorder's 16-bit sign-and-magnitude sample: bit 15 the sign, bits 0-14 the counts.
int decodeSignMagnitude(uchar low, uchar high);

// The preview of an RMS-table column: the waveforms stored with the record for a samples column,
// the neutral current summed from the three phase currents for "I0ch". Nothing (hide the
// preview) for any other column and for a record whose samples or gains cannot be read.
std::optional<PreviewContent> rmsColumnPreview(const RecordValues& values, const QString& column,
                                               const QString& selectionFileName);

// The preview of a harmonics-table column: the spectrum for a "UH"/"IH" column, the phasor
// diagram for a phasor column ("B…", "C…"); phaseCount is 1 single-phase, 2 delta, 3 star.
// Nothing for any other column and for a record that cannot be read.
std::optional<PreviewContent> harmonicsColumnPreview(const RecordValues& values,
                                                     const QString& column, int phaseCount,
                                                     const QString& selectionFileName);

} // namespace kapstat::browse
