#pragma once

#include "device/hid_bus.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

// Wire format of the virtual bus (docs/virtual-bus.md). A virtual device
// listens on a SOCK_SEQPACKET Unix socket "<name>.sock" in the bus directory;
// every message is one packet: an op byte, then its payload. Integers are
// 32-bit little-endian.
namespace vbus {

inline constexpr char kSocketSuffix[] = ".sock";
inline constexpr int kMaxMessage = 4096;

enum class Op : char
{
    Query = 'Q',      // host: describe the device (no payload)
    Info = 'q',       // device: JSON description, then the device closes
    Open = 'O',       // host: u8 interface number; must be the first message
    Opened = 'o',     // device: u8 1 = open, 0 = refused (then it closes)
    SetFeature = 'F', // host: the feature report, report id first
    FeatureSet = 'f', // device: i32 bytes taken, or -1
    GetFeature = 'G', // host: u8 report id, i32 buffer length
    Feature = 'g',    // device: i32 result, then the report (report id first)
    Write = 'W',      // host: the output report, report id first
    Written = 'w',    // device: i32 bytes taken, or -1
    Poll = 'R',       // host: ready for one input report (no payload)
    Input = 'n',      // device: one input report, no report id; unsolicited
};

QByteArray message(Op op, const QByteArray &payload = {});
QByteArray int32Bytes(int32_t value);
std::optional<int32_t> int32At(const QByteArray &bytes, int offset);

// The interface paths that enumerate() reports: "<socket path>#<number>".
QString interfacePath(const QString &socketPath, int interfaceNumber);
bool splitInterfacePath(const QString &path, QString *socketPath, int *interfaceNumber);

struct DeviceDescription
{
    QString name;
    QList<HidInterfaceInfo> interfaces; // path left empty: the host fills it in
};

QByteArray encodeDescription(const DeviceDescription &description);
std::optional<DeviceDescription> decodeDescription(const QByteArray &json);

} // namespace vbus
