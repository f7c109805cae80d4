#pragma once

#include "storage/data_locations.h"

#include <QDir>
#include <QTemporaryDir>

// A private copy of the shipped settings, made the working directory for its lifetime.
class ModuleSandbox
{
public:
    ModuleSandbox() : previous(QDir::currentPath())
    {
        const QString shipped = qEnvironmentVariable("Z4_BIN_DIR") + QStringLiteral("/modules");
        for (const char *sub : {"setting", "i18n", "gun"})
            copyFolder(shipped + QLatin1Char('/') + QLatin1String(sub),
                       dir.path() + QStringLiteral("/modules/") + QLatin1String(sub));
        QDir(dir.path()).mkpath(QStringLiteral("modules/macro"));
        QDir::setCurrent(dir.path());
    }
    ~ModuleSandbox() { QDir::setCurrent(previous); }

    QString path() const { return dir.path(); }
    // The program's files, kept beside it as in the build's bin/ folder.
    DataLocations locations() const { return DataLocations::beside(dir.path()); }
    bool isValid() const { return dir.isValid(); }

private:
    static void copyFolder(const QString &from, const QString &to)
    {
        QDir().mkpath(to);
        const QDir source(from);
        for (const QString &name : source.entryList(QDir::Files))
            QFile::copy(source.filePath(name), to + QLatin1Char('/') + name);
    }

    QString previous;
    QTemporaryDir dir;
};
