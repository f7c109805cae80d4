#pragma once

#include "device/dev_info.h"
#include "storage/data_locations.h"
#include "storage/settings_file.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <array>
#include <memory>

// The settings files: the application settings apConfig.bin and the ten
// profiles p1.bin ... p10.bin in the user's setting folder, their factory
// copies apConfigD.bin and pD.bin in the shipped one (the same folder when
// the program keeps its settings beside itself). The stores stay open
// for the object's life; profile index i is the file p<i+1>.bin, and the live
// profile is the one at currentProfile().
//
// The QSettings objects are never replaced: an import or reset swaps the file
// underneath and makes the store re-read it, so a reference from apConfig()
// or liveProfile() stays valid. Still, fetch liveProfile() per use: it
// follows setCurrentProfile().
//
// It is also where the device link finds the product names and secrecy codes
// (DeviceConfigSource).
class ConfigStore : public DeviceConfigSource
{
public:
    static constexpr int ProfileCount = 10;
    // "common/total" of a corrupt file must not drive an endless loop.
    static constexpr int MaxApConfigEntries = 1024;
    // Profiles are a few kilobytes; anything far larger is not one. A store
    // file over this size is not read (see the constructor).
    static constexpr qint64 MaxSettingsFileBytes = settingsfile::MaxBytes;

    // A settings file over the size limit is moved aside to
    // "<file>.too-large" (logged) and its store starts empty.
    explicit ConfigStore(const DataLocations &locations);
    ~ConfigStore() override;

    ConfigStore(const ConfigStore &) = delete;
    ConfigStore &operator=(const ConfigStore &) = delete;

    QSettings &apConfig() { return *apConfigStore; }
    const QSettings &apConfig() const { return *apConfigStore; }
    QSettings &liveProfile() { return *profileStores[currentIndex]; }
    const QSettings &liveProfile() const { return *profileStores[currentIndex]; }

    int currentProfile() const { return currentIndex; }
    // Makes `index` the live profile; false (and no change) when out of 0...9.
    bool setCurrentProfile(int index);

    // Application settings list, stored as "common/total" and "common/<i>".
    // Entries beyond a shorter list saved later stay in the file.
    void saveApConfig(const QVariantList &apConfigs);
    QVariantList loadApConfig() const;
    // Replaces apConfig.bin by apConfigD.bin; false leaves it untouched.
    // Every operation that replaces or writes a file gives false when it did
    // not, with a one-line reason in `error` when given.
    bool resetApconfig(QString *error = nullptr);
    // [ "Z4/colorMaxStage" ], default 8, kept within 0...8.
    QVariantList loadDeviceApConfig() const;
    // "common/name": the host window's title.
    QString windowTitle() const;

    // Factory values of one page from pD.bin: 0 key definitions (64 codes),
    // 2 lighting (24 palette values, then 3 of the effect), 3 sensor (45
    // values); any other page gives an empty list. Every value has a fixed
    // position: what the file lacks is an empty text in its place, so a
    // damaged file cannot shift one list into another's place.
    QVariantList loadDefaultProfile(uchar uiPageId) const;

    // Import: replaces profile `profile` by a copy of `sourcePath`. An empty
    // path (dialog cancelled), a bad index or an unreadable source changes
    // nothing and gives false.
    bool loadProfile(int profile, const QString &sourcePath, QString *error = nullptr);
    // Export: copies profile `profile` (with its pending changes) to
    // `targetPath`, replacing an existing file there.
    bool saveProfile(int profile, const QString &targetPath, QString *error = nullptr);
    // Replaces profile `profile` by pD.bin. Both resets refuse a factory file
    // that does not read as one, or lacks a key the program relies on.
    bool resetProfile(int profile, QString *error = nullptr);

    // Writes every pending change to disk.
    void sync();
    // The same, then the paths of the files that could not be written.
    QStringList syncAndListUnsaved();

    QString settingDir() const { return dir; }
    QString factoryDir() const { return factory; }
    QString apConfigPath() const;
    QString apConfigDefaultPath() const;
    QString profilePath(int index) const;
    QString defaultProfilePath() const;

    // DeviceConfigSource
    QStringList productNames() const override;
    QString secrecyCode(int index) const override;

private:
    bool replaceStoreFile(QSettings &store, const QString &path, const QString &source,
                          QString *error);

    QString dir;     // the user's files, ending in '/'
    QString factory; // the shipped factory files, ending in '/'
    std::unique_ptr<QSettings> apConfigStore;
    std::array<std::unique_ptr<QSettings>, ProfileCount> profileStores;
    int currentIndex = 0;
};
