#pragma once

#include <QString>

namespace kapstat::print {

// The three storage-condition marks of a record's War value, conditions 1, 2 and 3 in turn: an up
// arrow when the condition was broken upwards (bits 40h, 20h, 10h), else a down arrow when broken
// downwards (bits 04h, 02h, 01h), else "-".
QString conditionMarks(int war);

} // namespace kapstat::print
