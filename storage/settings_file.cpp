#include "storage/settings_file.h"

#include <QFileInfo>
#include <QSettings>

namespace settingsfile {

bool withinLimit(const QString &path)
{
    const QFileInfo info(path);
    return !info.exists() || info.size() <= MaxBytes;
}

bool sync(QSettings &store)
{
    store.sync();
    if (store.status() == QSettings::NoError)
        return true;
    if (store.status() != QSettings::FormatError)
        return false;
    // QSettings keeps the first error it met, so a line it could not read
    // before the write still shows after a good one (and hides a failed
    // write). A write rewrites the whole file from what was read: a file
    // that now reads cleanly has taken it.
    QSettings written(store.fileName(), store.format());
    written.allKeys();
    return written.status() == QSettings::NoError;
}

} // namespace settingsfile
