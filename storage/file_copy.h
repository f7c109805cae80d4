#pragma once

#include <QString>

// Replaces `target` by a copy of `source` without ever leaving `target`
// half-written: the copy goes to a temporary beside the target and is renamed
// over it only once complete. A missing, unreadable or oversized source, or a
// failed write (a full disk included), leaves `target` exactly as it was and
// gives false; `error`, when given, then receives a one-line reason naming
// the file.
//
// After the rename the target's modification time is moved past the old
// one's when both would look alike to QSettings (same size, same
// millisecond), so that a store open on the target re-reads it on its next
// sync() instead of keeping the replaced contents.
bool replaceFileWithCopy(const QString &source, const QString &target, qint64 maxBytes,
                         QString *error = nullptr);
