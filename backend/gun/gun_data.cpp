#include "backend/gun/gun_data.h"

#include "backend/config/settings_file.h"

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

QVariantList readList(const QSettings &settings, const QString &key)
{
    const QVariant value = settings.value(key);
    if (!value.isValid()) {
        return {};
    }
    // A single element comes back from an INI file as a plain string.
    QVariantList out;
    const QStringList items = value.toStringList();
    for (const QString &item : items) {
        out.append(item);
    }
    return out;
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
    if (path.isEmpty() || !QFile::exists(path)) {
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
    if (path.isEmpty() || !QFile::exists(path)) {
        return {};
    }
    const QSettings table(path, QSettings::IniFormat);
    QVariantList out;
    for (int gun = 0; gun < kGuns; ++gun) {
        out.append(readList(table, gunKey(gun)));
    }
    return out;
}

bool GunData::saveSelGundata(const QVariant &selGun, const QVariantList &gunData) const
{
    bool ok = false;
    const int slot = selGun.toInt(&ok);
    if (!ok || !QFile::exists(slotRecordPath())) {
        return false;
    }
    // Extra elements are kept as the page gave them; missing ones become 0
    // so that a record always has its four fields.
    QVariantList record = paddedSlice(gunData, 0, kSlotFields);
    record.append(gunData.mid(kSlotFields));
    QSettings records(slotRecordPath(), QSettings::IniFormat);
    records.setValue(gunKey(slot), record);
    return settingsfile::sync(records);
}

QVariantList GunData::getSelGundata(const QVariant &selGun) const
{
    bool ok = false;
    const int slot = selGun.toInt(&ok);
    if (!ok || !QFile::exists(slotRecordPath())) {
        return {};
    }
    const QSettings records(slotRecordPath(), QSettings::IniFormat);
    return readList(records, gunKey(slot));
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
