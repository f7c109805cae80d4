#include "storage/file_copy.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

QString cannotWrite(const QString &target, const QString &why)
{
    return QStringLiteral("cannot write %1: %2").arg(target, why);
}

} // namespace

bool replaceFileWithCopy(const QString &source, const QString &target, qint64 maxBytes,
                         QString *error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("cannot read %1: %2").arg(source, in.errorString()));
    if (in.size() > maxBytes)
        return fail(error, QStringLiteral("%1 is larger than %2 bytes").arg(source).arg(maxBytes));

    const QFileInfo before(target);
    const bool existed = before.exists();
    const qint64 oldSize = before.size();
    const QDateTime oldTime = before.lastModified();

    // Unbuffered: QSaveFile's commit() does not notice a buffered write that
    // only fails when it is flushed (a full disk), and would rename the
    // short temporary over the target. Every write here reaches the file
    // system at once and its failure is seen.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(error, cannotWrite(target, out.errorString()));
    char buffer[16384];
    qint64 total = 0;
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0) {
            out.cancelWriting();
            return fail(error, QStringLiteral("cannot read %1: %2").arg(source, in.errorString()));
        }
        total += got;
        if (total > maxBytes) { // the source grew while we read it
            out.cancelWriting();
            return fail(error,
                        QStringLiteral("%1 is larger than %2 bytes").arg(source).arg(maxBytes));
        }
        if (out.write(buffer, got) != got) {
            const QString why = out.errorString();
            out.cancelWriting();
            return fail(error, cannotWrite(target, why));
        }
    }
    if (!out.flush()) {
        const QString why = out.errorString();
        out.cancelWriting();
        return fail(error, cannotWrite(target, why));
    }
    if (!out.commit())
        return fail(error, cannotWrite(target, out.errorString()));

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
