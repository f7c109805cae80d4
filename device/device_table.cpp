#include "device/device_table.h"

#include <QSettings>

namespace {

uint16_t hexValue(const QSettings &ini, const QString &key)
{
    bool ok = false;
    const uint value = ini.value(key).toString().trimmed().toUInt(&ok, 16);
    return ok && value <= 0xffff ? static_cast<uint16_t>(value) : 0;
}

} // namespace

DeviceTable readDeviceTable(const QStringList &productNames, const QString &fileName)
{
    DeviceTable table;
    QSettings ini(fileName, QSettings::IniFormat);
    for (int i = 0; i < kMaxDeviceTableRows; ++i) {
        if (i >= ini.value(QStringLiteral("common/total"), 0).toInt())
            break;
        const QString group = QString::number(i) + QLatin1Char('/');
        DevInfo row;
        bool ok = false;
        const int type = ini.value(group + QStringLiteral("type")).toString().toInt(&ok, 16);
        row.type = ok ? type : -1;
        row.vid = hexValue(ini, group + QStringLiteral("vid"));
        row.pid = hexValue(ini, group + QStringLiteral("pid"));
        row.usagePage = hexValue(ini, group + QStringLiteral("usagePage"));
        row.usage = hexValue(ini, group + QStringLiteral("usage"));
        row.usagePage2 = hexValue(ini, group + QStringLiteral("usagePage2"));
        row.usage2 = hexValue(ini, group + QStringLiteral("usage2"));
        row.productName = productNames.value(i);
        row.reportLength = ini.value(group + QStringLiteral("reportLength"), 0).toUInt();
        table.rows.append(row);
    }
    table.isEncode = ini.value(QStringLiteral("common/isEncode"), false).toBool();
    return table;
}
