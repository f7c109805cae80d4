#pragma once

#include "device/dev_info.h"

#include <QList>
#include <QString>
#include <QStringList>

// The device table: the rows of an INI file (the program's own is the
// resource ":/DevInfo.ini") and whether the report cipher is on.
struct DeviceTable
{
    QList<DevInfo> rows;
    bool isEncode = false; // common/isEncode
};

// Reads the table afresh. Row i takes productNames[i] as its product name
// (empty when the list is shorter). Hexadecimal keys accept an optional "0x";
// missing keys take their defaults (type -1, ids 0, report length 0). The
// row count common/total is read before every row and bounded by
// kMaxDeviceTableRows, so a corrupt table cannot make the scan run away.
DeviceTable readDeviceTable(const QStringList &productNames,
                            const QString &fileName = QStringLiteral(":/DevInfo.ini"));

constexpr int kMaxDeviceTableRows = 64;
// Rows of the shipped table.
constexpr int kKeyboardRow = 0;
constexpr int kMouseRow = 1;
