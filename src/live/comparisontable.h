#pragma once

#include "live/livestore.h"

#include <QList>
#include <QString>

namespace kapstat::live {

// Who computed a value of the "Wyniki" page, which sets its text colour: the recorder (red), the
// program directly (blue), its second THD method and third apparent power (green), or its
// components from the recorder's coefficients and fourth apparent power (fuchsia).
enum class ComparisonMethod
{
    Recorder,
    Direct,
    Second,
    Third,
};

enum class ComparisonFormat
{
    Fixed,       // "##0.00000"
    Scientific3, // "000E+00"
    Scientific7, // "0000000E+00"
};

struct ComparisonHead
{
    QString text;
    ComparisonMethod method = ComparisonMethod::Direct;
};

// A group of the page under its heading; its labels sit on a grid of rows and columns.
struct ComparisonGroup
{
    QString heading;
    // Over the columns of the grid (L1, L2, L3), or else a line naming the methods' colours.
    QList<ComparisonHead> heads;
    bool headsOverColumns = false;
};

// One value label: the recorder's stands above the program's twin, the program's other methods
// below them.
struct ComparisonLabel
{
    int group = 0;
    int row = 0;
    int column = 0;
    ComparisonMethod method = ComparisonMethod::Recorder;
    QString prefix;
    int number = 0; // quantity number of the recorder's or the program's values
    QString unit;
    ComparisonFormat format = ComparisonFormat::Fixed;
    QString caption; // static text before the label, if any
    QString hint;

    bool fromRecorder() const { return method == ComparisonMethod::Recorder; }
};

struct ComparisonText
{
    QString text;
    bool undecodable = false; // the recorder sent the value undecodable: its bytes are shown
};

// Every quantity of the latest frame as the recorder computed it beside the program's own
// computation from the samples.
class ComparisonTable
{
public:
    static const QList<ComparisonGroup>& groups();
    static const QList<ComparisonLabel>& labels();

    static ComparisonText text(const ComparisonLabel& label, const LiveStore& store);
    // What a label shows before the first frame.
    static QString placeholder(const ComparisonLabel& label);
    static QString formatNumber(double value, ComparisonFormat format);
};

} // namespace kapstat::live
