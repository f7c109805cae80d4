#include "backend/gun/gun_data.h"

#include "storage/settings_file.h"

#include <QFile>
#include <QSettings>

namespace {

QString gunKey(int n)
{
    return QStringLiteral("gunData/") + QString::number(n);
}

bool toIndex(const QVariant &value, int *out)
{
    bool ok = false;
    const int n = value.toString().trimmed().toInt(&ok);
    if (!ok || n < 0) {
        return false;
    }
    *out = n;
    return true;
}

// The elements [from, from + count) of list; those past its end are 0.
QVariantList paddedSlice(const QVariantList &list, qsizetype from, qsizetype count)
{
    QVariantList out;
    out.reserve(count);
    for (qsizetype i = from; i < from + count; ++i) {
        out.append(i < list.size() ? list.at(i) : QVariant(0));
    }
    return out;
}

// At most `maxElements` (the length of a record) are taken.
QVariantList readList(const QSettings &settings, const QString &key, qsizetype maxElements)
{
    const QVariant value = settings.value(key);
    if (!value.isValid()) {
        return {};
    }
    // A single element comes back from an INI file as a plain string.
    QVariantList out;
    const QStringList items = value.toStringList();
    for (qsizetype i = 0; i < items.size() && i < maxElements; ++i) {
        out.append(items.at(i));
    }
    return out;
}

// Whether the file is there to be read or written: the files ship with the
// program, and one far larger than any of them is not read.
bool usable(const QString &path)
{
    return !path.isEmpty() && QFile::exists(path) && settingsfile::withinLimit(path);
}

} // namespace

GunData::GunData(QString folder) : m_folder(std::move(folder)) {}

QString GunData::tablePath(const QVariant &gameNo) const
{
    int game = 0;
    if (!toIndex(gameNo, &game)) {
        return {};
    }
    return m_folder + QStringLiteral("/gunData") + QString::number(game) + QStringLiteral(".bin");
}

QString GunData::slotRecordPath() const
{
    return m_folder + QStringLiteral("/selGunData.bin");
}

bool GunData::saveGundata(const QVariant &gameNo, const QVariantList &gunData) const
{
    const QString path = tablePath(gameNo);
    if (!usable(path)) {
        return false;
    }
    QSettings table(path, QSettings::IniFormat);
    for (int gun = 0; gun < kGuns; ++gun) {
        table.setValue(gunKey(gun), paddedSlice(gunData, qsizetype(gun) * kGunFields, kGunFields));
    }
    return settingsfile::sync(table);
}

QVariantList GunData::getGundata(const QVariant &gameNo) const
{
    const QString path = tablePath(gameNo);
    if (!usable(path)) {
        return {};
    }
    const QSettings table(path, QSettings::IniFormat);
    QVariantList out;
    for (int gun = 0; gun < kGuns; ++gun) {
        out.append(readList(table, gunKey(gun), kGunFields));
    }
    return out;
}

bool GunData::saveSelGundata(const QVariant &selGun, const QVariantList &gunData) const
{
    bool ok = false;
    const int slot = selGun.toInt(&ok);
    if (!ok || slot < 0 || slot >= kSlots || !usable(slotRecordPath())) {
        return false;
    }
    // A record always has its four fields: missing ones become 0, extra
    // ones are not kept.
    const QVariantList record = paddedSlice(gunData, 0, kSlotFields);
    QSettings records(slotRecordPath(), QSettings::IniFormat);
    records.setValue(gunKey(slot), record);
    return settingsfile::sync(records);
}

QVariantList GunData::getSelGundata(const QVariant &selGun) const
{
    bool ok = false;
    const int slot = selGun.toInt(&ok);
    if (!ok || !usable(slotRecordPath())) {
        return {};
    }
    const QSettings records(slotRecordPath(), QSettings::IniFormat);
    return readList(records, gunKey(slot), kSlotFields);
}

std::array<int, GunData::kSlotFields> GunData::slotRecord(int slot) const
{
    std::array<int, kSlotFields> out{};
    const QVariantList record = getSelGundata(slot);
    for (int i = 0; i < kSlotFields && i < record.size(); ++i) {
        out[i] = record.at(i).toString().trimmed().toInt();
    }
    return out;
}
