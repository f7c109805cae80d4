#include "storage/data_locations.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace {

const QString settingSub = QStringLiteral("/setting");
const QString macroSub = QStringLiteral("/macro");
const QString gunSub = QStringLiteral("/gun");
constexpr int ProfileCount = 10;

QString absoluteClean(const QString &path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}

} // namespace

DataLocations::DataLocations(Layout layout, QString shippedDir, QString userDir)
    : kind(layout), shipped(absoluteClean(shippedDir)), user(absoluteClean(userDir))
{
}

QString DataLocations::applicationId()
{
    return QStringLiteral(Z4_APP_ID);
}

DataLocations DataLocations::beside(const QString &programDir)
{
    const QString modules = programDir + QStringLiteral("/modules");
    return {Layout::BesideProgram, modules, modules};
}

DataLocations DataLocations::perUser(const QString &shippedDir, const QString &userDir)
{
    return {Layout::PerUser, shippedDir, userDir};
}

DataLocations DataLocations::forProgram(const QString &programDir, const QString &userDir)
{
    DataLocations local = beside(programDir);
    const QFileInfo localSettings(local.settingDir());
    if (localSettings.isDir()) {
        // A copy of the program's folder that this user may not change
        // still works, with the settings kept apart.
        if (localSettings.isWritable())
            return local;
        return perUser(local.shippedDir(), userDir);
    }
    const QString installed = programDir + QStringLiteral("/" Z4_DATA_FROM_BIN);
    if (QFileInfo(installed).isDir())
        return perUser(installed, userDir);
    // Nothing found: run as beside the program, whose missing files read as
    // empty settings.
    return local;
}

QString DataLocations::userConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

QString DataLocations::settingDir() const
{
    return user + settingSub;
}

QString DataLocations::macroDir() const
{
    return user + macroSub;
}

QString DataLocations::gunDir() const
{
    return user + gunSub;
}

QString DataLocations::factorySettingDir() const
{
    return shipped + settingSub;
}

QString DataLocations::languageDir() const
{
    return shipped + QStringLiteral("/i18n");
}

QString DataLocations::mediaDir() const
{
    return shipped + QStringLiteral("/media");
}

QString DataLocations::imageDir() const
{
    return shipped + QStringLiteral("/img");
}

QString DataLocations::imageFolderUrl() const
{
    return QUrl::fromLocalFile(imageDir() + QLatin1Char('/')).toString();
}

QStringList DataLocations::userFolders() const
{
    if (kind == Layout::BesideProgram)
        return {};
    return {settingDir(), macroDir(), gunDir()};
}

QList<DataLocations::SeedFile> DataLocations::seedFiles() const
{
    QList<SeedFile> files;
    if (kind == Layout::BesideProgram)
        return files;
    const auto add = [&files](const QString &fromDir, const QString &toDir, const QString &name) {
        files.append({fromDir + QLatin1Char('/') + name, toDir + QLatin1Char('/') + name});
    };
    add(factorySettingDir(), settingDir(), QStringLiteral("apConfig.bin"));
    for (int i = 1; i <= ProfileCount; ++i)
        add(factorySettingDir(), settingDir(), QStringLiteral("p%1.bin").arg(i));
    // The press-gun page writes into its tables, so the user gets copies.
    const QString shippedGuns = shipped + gunSub;
    for (const QString &name :
         QDir(shippedGuns).entryList({QStringLiteral("*.bin")}, QDir::Files, QDir::Name))
        add(shippedGuns, gunDir(), name);
    return files;
}
