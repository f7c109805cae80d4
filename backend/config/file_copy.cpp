#include "backend/config/file_copy.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool replaceFileWithCopy(const QString &source, const QString &target, qint64 maxBytes)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly) || in.size() > maxBytes)
        return false;

    const QFileInfo before(target);
    const bool existed = before.exists();
    const qint64 oldSize = before.size();
    const QDateTime oldTime = before.lastModified();

    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[16384];
    qint64 total = 0;
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0) {
            out.cancelWriting();
            break;
        }
        if (got == 0)
            break;
        total += got;
        if (total > maxBytes) { // the source grew while we read it
            out.cancelWriting();
            break;
        }
        if (out.write(buffer, got) != got)
            break; // QSaveFile remembers the error; commit() refuses
    }
    if (!out.commit())
        return false;

    if (existed) {
        const QFileInfo after(target);
        if (after.size() == oldSize && after.lastModified() <= oldTime) {
            QFile touch(target);
            if (touch.open(QIODevice::ReadWrite))
                touch.setFileTime(oldTime.addMSecs(1), QFileDevice::FileModificationTime);
        }
    }
    return true;
}
