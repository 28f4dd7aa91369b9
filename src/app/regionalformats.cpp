#include "app/regionalformats.h"

#include <QLocale>

namespace kapstat::app {

void applyRegionalFormats()
{
    QLocale locale(QLocale::Polish, QLocale::Poland);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(locale);
}

} // namespace kapstat::app
