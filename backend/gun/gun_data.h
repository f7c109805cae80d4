#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <array>

// The press-gun page's two data files under one folder (the user's gun
// folder): the gun tables gunData0.bin … gunData2.bin, one per game,
// 12 guns of 7 values each ([name, index, xOffset, yOffset, times, isEnable,
// cursorBack]), and selGunData.bin with the three slot records ([game, gun,
// fire time, fire period]). Both are INI files under "gunData/<n>".
//
// The files ship with the program: saving into a file that is not there
// writes nothing and creates nothing; a file over 1 MiB is neither read nor
// written. Reads take at most the values of a record. Lists from the page that are shorter
// than a record are padded with 0, never read past their end.
class GunData
{
public:
    static constexpr int kGuns = 12;
    static constexpr int kGunFields = 7;
    static constexpr int kTableValues = kGuns * kGunFields;
    static constexpr int kSlots = 3;
    static constexpr int kSlotFields = 4;

    explicit GunData(QString folder);

    QString folder() const { return m_folder; }
    // "<folder>/gunData<game>.bin"; empty for a game number that is not a
    // non-negative integer (so page input never becomes an arbitrary path).
    QString tablePath(const QVariant &gameNo) const;
    QString slotRecordPath() const;

    // Writes gunData[7i .. 7i+6] under "gunData/<i>" for the 12 guns when the
    // game's table exists. Returns false when nothing was written.
    bool saveGundata(const QVariant &gameNo, const QVariantList &gunData) const;
    // The 12 guns' values in order (as text); a missing gun adds nothing.
    // Empty when the table does not exist.
    QVariantList getGundata(const QVariant &gameNo) const;

    // Writes the slot record "gunData/<selGun>" (its first four values, padded
    // with 0) when the slot-record file exists and selGun is a slot 0..2.
    // Returns false when nothing was written.
    bool saveSelGundata(const QVariant &selGun, const QVariantList &gunData) const;
    // The slot record as stored (text elements, at most four); empty when
    // absent.
    QVariantList getSelGundata(const QVariant &selGun) const;

    // The slot record as numbers for building key matrices: missing records,
    // missing elements and elements that are not numbers read as 0.
    std::array<int, kSlotFields> slotRecord(int slot) const;

private:
    QString m_folder;
};
