#pragma once

#include <QDateTime>
#include <QString>

namespace kapstat::print {

// What the print options window collects for one printout.
struct PrintOptions
{
    QString title;
    QString comment; // several lines
    QString author;
    QDateTime from; // the records printed when allRecords is off: from <= DiC <= to
    QDateTime to;
    bool allRecords = false;
    bool shading = false; // every other printed row on a light grey background
};

} // namespace kapstat::print
