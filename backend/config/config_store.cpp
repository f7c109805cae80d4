#include "backend/config/config_store.h"

#include "storage/file_copy.h"
#include "storage/settings_file.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>

namespace {

constexpr int DefaultColorMaxStage = 8;
constexpr int KeyCount = 16;
// Lengths of the factory profile's lists.
constexpr int KeyEntrySize = 4;
constexpr int StageListSize = 8;   // DPI values, colour indices
constexpr int RgbListSize = 8 * 3; // eight colours
constexpr int LedEffectSize = 3;

// Appends exactly `size` elements of the list `key`: a missing list or
// element is an empty text, extra elements are left out, so every value keeps
// its position whatever the file lacks. QSettings hands a one-element list
// back as a plain string and an absent key as an invalid variant; both read
// fine through toStringList().
void appendList(QVariantList &out, const QSettings &store, const QString &key, int size)
{
    const QStringList items = store.value(key).toStringList();
    for (int i = 0; i < size; ++i)
        out.append(i < items.size() ? items.at(i) : QString());
}

// The keys a factory file must hold to replace the user's file.
QStringList factoryProfileKeys()
{
    QStringList keys{QStringLiteral("sensor/reportRate_Z4"), QStringLiteral("sensor/dpi_Z4"),
                     QStringLiteral("sensor/stage_Z4"),      QStringLiteral("color_Z4/type0"),
                     QStringLiteral("color_Z4/type1"),       QStringLiteral("color_Z4/type2"),
                     QStringLiteral("color_Z4/ledEffect")};
    for (int i = 0; i < KeyCount; ++i)
        keys.append(QStringLiteral("keydefine_Z4/%1").arg(i));
    return keys;
}

QStringList factoryApConfigKeys()
{
    return {QStringLiteral("common/total"), QStringLiteral("common/product_name"),
            QStringLiteral("common/sCode0"), QStringLiteral("common/sCode1"),
            QStringLiteral("Z4/colorMaxStage")};
}

// A factory file replaces the user's only when it reads as one: parsed
// without error and holding every key the program relies on. A missing or
// oversized file is left to the copy, which refuses it.
bool checkFactoryFile(const QString &path, const QStringList &keys, QString *error)
{
    if (!QFileInfo(path).isFile() || !settingsfile::withinLimit(path))
        return true;
    const QSettings factory(path, QSettings::IniFormat);
    factory.allKeys(); // reads every section, so that status() covers them all
    QString problem;
    if (factory.status() != QSettings::NoError) {
        problem = QStringLiteral("%1 is damaged: it does not read as a settings file").arg(path);
    } else {
        for (const QString &key : keys) {
            if (!factory.contains(key)) {
                problem = QStringLiteral("%1 is damaged: \"%2\" is missing").arg(path, key);
                break;
            }
        }
    }
    if (problem.isEmpty())
        return true;
    if (error)
        *error = problem;
    return false;
}

// A store on the settings file at `path`. A file over the size limit is not
// read: it is set aside as "<path>.too-large" and the store starts empty (or,
// when it cannot be moved, runs on no file at all).
std::unique_ptr<QSettings> openStore(const QString &path)
{
    if (settingsfile::withinLimit(path))
        return std::make_unique<QSettings>(path, QSettings::IniFormat);
    const QString aside = path + QStringLiteral(".too-large");
    QFile::remove(aside);
    if (QFile::rename(path, aside)) {
        qWarning().noquote() << "settings file" << path << "is larger than"
                             << settingsfile::MaxBytes << "bytes: not read, moved to" << aside;
        return std::make_unique<QSettings>(path, QSettings::IniFormat);
    }
    qWarning().noquote() << "settings file" << path << "is larger than" << settingsfile::MaxBytes
                         << "bytes and cannot be moved aside: not read, nothing saved to it";
    return std::make_unique<QSettings>(QString(), QSettings::IniFormat);
}

// Keeps the file plain text: a url from the QML would otherwise be stored
// as a binary @Variant blob.
QVariant storable(const QVariant &value)
{
    if (value.typeId() == QMetaType::QUrl)
        return value.toUrl().toString();
    return value;
}

bool refuse(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

ConfigStore::ConfigStore(const DataLocations &locations)
    : dir(locations.settingDir() + QLatin1Char('/')),
      factory(locations.factorySettingDir() + QLatin1Char('/'))
{
    apConfigStore = openStore(apConfigPath());
    for (int i = 0; i < ProfileCount; ++i)
        profileStores[i] = openStore(profilePath(i));
}

ConfigStore::~ConfigStore()
{
    sync();
}

QString ConfigStore::apConfigPath() const
{
    return dir + QStringLiteral("apConfig.bin");
}

QString ConfigStore::apConfigDefaultPath() const
{
    return factory + QStringLiteral("apConfigD.bin");
}

QString ConfigStore::profilePath(int index) const
{
    return dir + QStringLiteral("p%1.bin").arg(index + 1);
}

QString ConfigStore::defaultProfilePath() const
{
    return factory + QStringLiteral("pD.bin");
}

bool ConfigStore::setCurrentProfile(int index)
{
    if (index < 0 || index >= ProfileCount)
        return false;
    currentIndex = index;
    return true;
}

void ConfigStore::saveApConfig(const QVariantList &apConfigs)
{
    apConfigStore->setValue(QStringLiteral("common/total"), apConfigs.size());
    for (int i = 0; i < apConfigs.size(); ++i)
        apConfigStore->setValue(QStringLiteral("common/%1").arg(i), storable(apConfigs.at(i)));
}

QVariantList ConfigStore::loadApConfig() const
{
    const int total = apConfigStore->value(QStringLiteral("common/total"), 0).toInt();
    const int n = std::clamp(total, 0, MaxApConfigEntries);
    QVariantList list;
    list.reserve(n);
    for (int i = 0; i < n; ++i)
        list.append(apConfigStore->value(QStringLiteral("common/%1").arg(i), 0));
    return list;
}

bool ConfigStore::resetApconfig(QString *error)
{
    if (!checkFactoryFile(apConfigDefaultPath(), factoryApConfigKeys(), error))
        return false;
    return replaceStoreFile(*apConfigStore, apConfigPath(), apConfigDefaultPath(), error);
}

QVariantList ConfigStore::loadDeviceApConfig() const
{
    const int stages =
        apConfigStore->value(QStringLiteral("Z4/colorMaxStage"), DefaultColorMaxStage).toInt();
    return {std::clamp(stages, 0, DefaultColorMaxStage)};
}

QString ConfigStore::windowTitle() const
{
    return apConfigStore->value(QStringLiteral("common/name")).toString();
}

QVariantList ConfigStore::loadDefaultProfile(uchar uiPageId) const
{
    QVariantList list;
    if (uiPageId != 0 && uiPageId != 2 && uiPageId != 3)
        return list;

    // An oversized factory file reads as a missing one.
    const QString path = defaultProfilePath();
    const QSettings factory(settingsfile::withinLimit(path) ? path : QString(),
                            QSettings::IniFormat);
    switch (uiPageId) {
    case 0:
        for (int i = 0; i < KeyCount; ++i)
            appendList(list, factory, QStringLiteral("keydefine_Z4/%1").arg(i), KeyEntrySize);
        break;
    case 2:
        appendList(list, factory, QStringLiteral("color_Z4/type0"), RgbListSize);
        appendList(list, factory, QStringLiteral("color_Z4/ledEffect"), LedEffectSize);
        break;
    case 3:
        list.append(factory.value(QStringLiteral("sensor/reportRate_Z4"), 2).toInt());
        list.append(factory.value(QStringLiteral("sensor/cursorSpeed_Z4"), 5));
        list.append(factory.value(QStringLiteral("sensor/verticalScrollLines_Z4"), 2));
        list.append(factory.value(QStringLiteral("sensor/doubleClickSpeed_Z4"), 5));
        appendList(list, factory, QStringLiteral("sensor/dpi_Z4"), StageListSize);
        list.append(factory.value(QStringLiteral("sensor/stage_Z4"), 2).toInt());
        appendList(list, factory, QStringLiteral("color_Z4/type1"), RgbListSize);
        appendList(list, factory, QStringLiteral("color_Z4/type2"), StageListSize);
        break;
    }
    return list;
}

bool ConfigStore::loadProfile(int profile, const QString &sourcePath, QString *error)
{
    if (sourcePath.isEmpty() || profile < 0 || profile >= ProfileCount)
        return refuse(error, QStringLiteral("no profile %1 or no file").arg(profile + 1));
    return replaceStoreFile(*profileStores[profile], profilePath(profile), sourcePath, error);
}

bool ConfigStore::saveProfile(int profile, const QString &targetPath, QString *error)
{
    if (targetPath.isEmpty() || profile < 0 || profile >= ProfileCount)
        return refuse(error, QStringLiteral("no profile %1 or no file").arg(profile + 1));
    // The file on disk may lag behind the store; export what the user sees.
    profileStores[profile]->sync();
    return replaceFileWithCopy(profilePath(profile), targetPath, MaxSettingsFileBytes, error);
}

bool ConfigStore::resetProfile(int profile, QString *error)
{
    if (profile < 0 || profile >= ProfileCount)
        return refuse(error, QStringLiteral("no profile %1").arg(profile + 1));
    if (!checkFactoryFile(defaultProfilePath(), factoryProfileKeys(), error))
        return false;
    return replaceStoreFile(*profileStores[profile], profilePath(profile), defaultProfilePath(),
                            error);
}

void ConfigStore::sync()
{
    apConfigStore->sync();
    for (auto &store : profileStores)
        store->sync();
}

QStringList ConfigStore::syncAndListUnsaved()
{
    sync();
    // A store that failed to write keeps reporting it; the files stay as
    // they were on disk.
    QStringList unsaved;
    if (apConfigStore->status() == QSettings::AccessError)
        unsaved.append(apConfigStore->fileName());
    for (auto &store : profileStores)
        if (store->status() == QSettings::AccessError)
            unsaved.append(store->fileName());
    return unsaved;
}

bool ConfigStore::replaceStoreFile(QSettings &store, const QString &path, const QString &source,
                                   QString *error)
{
    // Pending changes belong to the old file; written later they would land
    // in its replacement.
    store.sync();
    const bool replaced = replaceFileWithCopy(source, path, MaxSettingsFileBytes, error);
    if (replaced)
        store.sync(); // nothing pending, so this only re-reads the new file
    return replaced;
}

QStringList ConfigStore::productNames() const
{
    return apConfigStore->value(QStringLiteral("common/product_name")).toStringList();
}

QString ConfigStore::secrecyCode(int index) const
{
    if (index != 0 && index != 1)
        return QString();
    return apConfigStore
        ->value(QStringLiteral("common/sCode%1").arg(index), QStringLiteral("740352"))
        .toString();
}
