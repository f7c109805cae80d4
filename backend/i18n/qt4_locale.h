#pragma once

#include <QString>

// Language file names carry Qt 4 QLocale::Language and QLocale::Country
// numbers. Qt 5 and 6 renumbered both enumerations (alphabetically, with
// many additions), so a stored number has to be read through Qt 4's table to
// keep its meaning. These give the name Qt uses today for what Qt 4 meant;
// "Unknown" for a number outside Qt 4's range.
namespace Qt4Locale {

QString languageName(int qt4Language);
QString countryName(int qt4Country);

} // namespace Qt4Locale
