#pragma once

namespace kapstat::app {

// Numbers with a decimal comma and no thousands separator for every widget that formats
// through the default locale, whatever the system's own settings; dates and times are always
// written "yyyy-MM-dd" and "hh:mm:ss" by the program itself.
void applyRegionalFormats();

} // namespace kapstat::app
