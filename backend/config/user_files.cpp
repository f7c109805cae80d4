#include "backend/config/user_files.h"

#include "backend/config/config_store.h"
#include "storage/file_copy.h"
#include "storage/data_locations.h"

#include <QDir>
#include <QFileInfo>

QStringList prepareUserFiles(const DataLocations &locations)
{
    QStringList problems;
    for (const QString &folder : locations.userFolders()) {
        if (!QDir().mkpath(folder))
            problems.append(QStringLiteral("cannot create the folder %1").arg(folder));
    }
    for (const DataLocations::SeedFile &file : locations.seedFiles()) {
        if (QFileInfo::exists(file.target))
            continue;
        if (!replaceFileWithCopy(file.source, file.target, ConfigStore::MaxSettingsFileBytes))
            problems.append(QStringLiteral("cannot copy %1 to %2").arg(file.source, file.target));
    }
    return problems;
}
