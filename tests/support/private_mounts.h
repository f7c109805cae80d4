#pragma once

// Mounts only this test process sees (a private mount namespace, root only).
// Call enter() at the top of main(), before any thread starts.

#include <QFile>
#include <QString>
#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace privatemounts {

// Why no private mount can be made here; empty when they can.
inline QString &problem()
{
    static QString text = QStringLiteral("the private mount namespace was not entered");
    return text;
}

inline void enter()
{
    if (geteuid() != 0) {
        problem() = QStringLiteral("needs root for a private mount namespace");
        return;
    }
    if (unshare(CLONE_NEWNS) != 0 ||
        mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        problem() =
            QStringLiteral("mount namespace: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    problem().clear();
}

// Makes dir read-only (a read-only bind mount of itself).
inline bool makeReadOnly(const QString &dir)
{
    const QByteArray path = QFile::encodeName(dir);
    return mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0 &&
           mount(nullptr, path.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) ==
               0;
}

inline void unmount(const QString &dir)
{
    umount2(QFile::encodeName(dir).constData(), MNT_DETACH);
}

} // namespace privatemounts
