#include "device/virtual_bus_protocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vbus {

QByteArray message(Op op, const QByteArray &payload)
{
    QByteArray m;
    m.reserve(payload.size() + 1);
    m.append(static_cast<char>(op));
    m.append(payload);
    return m;
}

QByteArray int32Bytes(int32_t value)
{
    const auto u = static_cast<uint32_t>(value);
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<char>((u >> (8 * i)) & 0xff);
    return b;
}

std::optional<int32_t> int32At(const QByteArray &bytes, int offset)
{
    if (offset < 0 || bytes.size() < offset + 4)
        return std::nullopt;
    uint32_t u = 0;
    for (int i = 3; i >= 0; --i)
        u = (u << 8) | static_cast<uint8_t>(bytes[offset + i]);
    return static_cast<int32_t>(u);
}

QString interfacePath(const QString &socketPath, int interfaceNumber)
{
    return socketPath + QLatin1Char('#') + QString::number(interfaceNumber);
}

bool splitInterfacePath(const QString &path, QString *socketPath, int *interfaceNumber)
{
    const qsizetype hash = path.lastIndexOf(QLatin1Char('#'));
    if (hash <= 0)
        return false;
    bool ok = false;
    const int number = path.mid(hash + 1).toInt(&ok);
    if (!ok || number < 0 || number > 255)
        return false;
    *socketPath = path.left(hash);
    *interfaceNumber = number;
    return true;
}

QByteArray encodeDescription(const DeviceDescription &description)
{
    QJsonArray interfaces;
    for (const HidInterfaceInfo &itf : description.interfaces) {
        interfaces.append(QJsonObject{{QStringLiteral("number"), itf.interfaceNumber},
                                      {QStringLiteral("vid"), itf.vendorId},
                                      {QStringLiteral("pid"), itf.productId},
                                      {QStringLiteral("usagePage"), itf.usagePage},
                                      {QStringLiteral("usage"), itf.usage}});
    }
    const QJsonObject root{{QStringLiteral("name"), description.name},
                           {QStringLiteral("interfaces"), interfaces}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

std::optional<DeviceDescription> decodeDescription(const QByteArray &json)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject root = doc.object();
    DeviceDescription description;
    description.name = root.value(QStringLiteral("name")).toString();
    for (const QJsonValue &value : root.value(QStringLiteral("interfaces")).toArray()) {
        const QJsonObject o = value.toObject();
        const int number = o.value(QStringLiteral("number")).toInt(-1);
        if (number < 0 || number > 255)
            return std::nullopt;
        HidInterfaceInfo itf;
        itf.interfaceNumber = number;
        itf.vendorId = static_cast<uint16_t>(o.value(QStringLiteral("vid")).toInt());
        itf.productId = static_cast<uint16_t>(o.value(QStringLiteral("pid")).toInt());
        itf.usagePage = static_cast<uint16_t>(o.value(QStringLiteral("usagePage")).toInt());
        itf.usage = static_cast<uint16_t>(o.value(QStringLiteral("usage")).toInt());
        description.interfaces.append(itf);
    }
    return description;
}

} // namespace vbus
