#pragma once

#include <QString>

class QSettings;

// Rules every INI file the program reads or writes follows: settings,
// profiles, macros, languages and the press-gun files.
namespace settingsfile {

// These files are a few kilobytes. One far larger is damaged or not one of
// ours, and parsing it whole would cost minutes and gigabytes.
constexpr qint64 MaxBytes = 1024 * 1024;

// True when the file at `path` is missing or no larger than MaxBytes, that
// is when a QSettings may be opened on it.
bool withinLimit(const QString &path);

// Writes the store's pending changes; true when they reached the file.
bool sync(QSettings &store);

} // namespace settingsfile
