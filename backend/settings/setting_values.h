#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <vector>

using uchar = unsigned char;

// How the setting operations reach the profile files. The store itself
// (ten profiles, the live index) lives elsewhere; these are its three
// entry points, so the operations can be tested on a plain QSettings.
struct ProfileAccess
{
    // The settings store of the live profile.
    std::function<QSettings &()> live;
    // Index 0..9 of the live profile.
    std::function<int()> current;
    // Makes another index the live profile (only the index changes).
    std::function<void(int)> select;
};

// The three press-gun slot records as the gun files keep them:
// [game, gun, fire time, fire period], text or numbers; empty when absent.
using SlotRecordSource = std::function<QVariantList(int slot)>;

namespace settingvalues {

// Element i of a list from the page as a byte (low 8 bits of its integer
// value). Lists from the page may be shorter than a command needs: a missing
// element, or one that is not a number, reads as 0.
uchar byteAt(const QVariantList &list, qsizetype i);

// The first `count` elements of a list as bytes, padded with 0.
std::vector<uchar> bytesOf(const QVariantList &list, int count);

// Element i as recorded in the profile: the page's own value, or 0 where
// the list is too short.
QVariant elementAt(const QVariantList &list, qsizetype i);

// Bytes as the integer list the page receives.
QVariantList intList(const uchar *bytes, int count);

// A list stored in a profile, its elements as the file gives them (text),
// at most `maxElements` of them: the length its use allows (a damaged file
// may hold any number). The settings file writes a one-element list as a
// plain value; that comes back as a list of one element. Absent or empty: an
// empty list.
QVariantList storedList(QSettings &store, const QString &key, qsizetype maxElements);

// storedList with each element converted to an unsigned integer.
QVariantList storedUIntList(QSettings &store, const QString &key, qsizetype maxElements);

// A stored scalar as an integer 0..255 (the byte the command carried).
int storedByte(QSettings &store, const QString &key);

// Records keys 0..keys-1 of a key matrix page (four values a key) as
// "<prefix><key>", each the page's own four values.
void recordKeys(QSettings &store, const QString &prefix, const QVariantList &page, int keys);

} // namespace settingvalues
