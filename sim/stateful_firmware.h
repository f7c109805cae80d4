#pragma once

#include "sim/firmware.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QMap>
#include <QString>
#include <array>
#include <cstdint>
#include <initializer_list>

// What both virtual devices are built with.
struct StatefulFirmwareOptions
{
    uint8_t fwMajor = 0x01; // --fw 1.0A
    uint8_t fwMinor = 0x0A;
    QString stateFile; // --state: JSON kept across restarts
};

// The part both virtual devices share: frame checks, the pending data block
// of a set, the prepared data block of a get, the commands both answer alike
// (01/81 report rate, 02/82 profile, 80 firmware version), and keeping the
// state in a JSON file across restarts. A device only says what its other
// codes mean.
//
// Strictness: a frame is unknown (FrameOutcome::known == false, nothing
// changes) when its report id is not 0, its checksum is wrong, its code is
// not the device's, or a parameter byte the command does not use is not 0.
class StatefulFirmware : public Firmware
{
public:
    ~StatefulFirmware() override = default;

    FrameOutcome onCommandFrame(const std::array<uint8_t, 9> &frame) final;
    bool onOutputBlock(const QByteArray &block) final;
    QByteArray inputBlock() final;

    // The device state as stored in the state file.
    QJsonObject saveState() const;
    // Takes what it recognises from a stored state, keeps its own values for
    // anything missing or malformed; false when the object is for another
    // kind of device.
    bool loadState(const QJsonObject &state);
    // Back to the state of a new device.
    void resetState();

    QString stateFile() const { return statePath; }

protected:
    // A plain command frame: P1..P6 are bytes 2..7.
    struct Frame
    {
        const std::array<uint8_t, 9> &bytes;
        uint8_t code() const { return bytes[1]; }
        uint8_t p(int i) const { return bytes[size_t(i) + 1]; }
        // Whether every parameter outside `used` (1-based) is 0.
        bool usesOnly(std::initializer_list<int> used) const;
    };

    // `device` tags the state file ("device": "mouse").
    StatefulFirmware(const char *device, const StatefulFirmwareOptions &options);

    // Derived constructors call this last: resets the state, then loads the
    // state file if there is one.
    void restoreState();
    // Writes the state file (whole, or not at all) when there is one.
    void persist() const;

    // The device's own part of saveState, loadState and resetState; the
    // device tag, report rate and profile are done by then.
    virtual void saveDeviceState(QJsonObject &state) const = 0;
    virtual void loadDeviceState(const QJsonObject &state) = 0;
    virtual void resetDeviceState() = 0;

    // Frames whose byte 8 the device does not check.
    virtual bool ignoresChecksum(uint8_t code) const;
    // Every code but the shared ones.
    virtual FrameOutcome handleFrame(const Frame &frame) = 0;
    // The data block that follows a set frame handleFrame accepted with
    // set(frame, length). Returns whether the block was taken.
    virtual bool handleBlock(const std::array<uint8_t, 9> &setFrame, const QByteArray &block) = 0;

    static FrameOutcome unknown();
    // A set taken: acknowledged, with `outputBytes` of data to follow.
    static FrameOutcome set(const Frame &frame, int outputBytes = 0);
    // A get answered with R2..R7 and optionally a data block.
    FrameOutcome answer(const Frame &frame, std::initializer_list<uint8_t> values,
                        const QByteArray &block = {});
    // A get that takes no parameters: answered, or unknown when one is set.
    FrameOutcome answerPlain(const Frame &frame, std::initializer_list<uint8_t> values,
                             const QByteArray &block = {});

    uint8_t reportRate = 1;
    uint8_t profile = 0;

private:
    FrameOutcome handleSharedFrame(const Frame &frame);

    QLatin1String device;
    uint8_t fwMajor;
    uint8_t fwMinor;
    QString statePath;
    std::array<uint8_t, 9> pendingSet{};
    int pendingOutputBytes = 0;
    QByteArray pendingInput;
};

// Helpers of the state files. Readers leave their target alone when the
// stored value is missing or malformed, so a damaged file costs only the
// values it damaged.
namespace statejson {

// A byte block as hex text, and back (exactly `length` bytes, else empty).
QString blockToHex(const QByteArray &block);
QByteArray blockFromHex(const QJsonValue &value, int length);
// Replaces `block` by the stored block of the same length.
void readBlock(const QJsonValue &value, QByteArray &block);
// A number 0..255.
void readByte(const QJsonObject &state, const char *key, uint8_t &byte);

template <size_t N> QJsonArray bytesToJson(const std::array<uint8_t, N> &bytes)
{
    QJsonArray array;
    for (uint8_t b : bytes)
        array.append(b);
    return array;
}

// An array of exactly N numbers 0..255.
template <size_t N> bool readBytes(const QJsonValue &value, std::array<uint8_t, N> &bytes)
{
    const QJsonArray array = value.toArray();
    if (array.size() != qsizetype(N))
        return false;
    std::array<uint8_t, N> parsed{};
    for (size_t i = 0; i < N; ++i) {
        const int v = array[qsizetype(i)].toInt(-1);
        if (v < 0 || v > 255)
            return false;
        parsed[i] = uint8_t(v);
    }
    bytes = parsed;
    return true;
}

// {"<key 0..255>": value} into a map, written with writeMap.
template <typename T, typename Write> QJsonObject writeMap(const QMap<uint8_t, T> &map, Write write)
{
    QJsonObject object;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        object.insert(QString::number(it.key()), write(it.value()));
    return object;
}

template <typename T, typename Read>
void readMap(const QJsonValue &value, QMap<uint8_t, T> &map, Read read)
{
    const QJsonObject object = value.toObject();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        bool ok = false;
        const uint key = it.key().toUInt(&ok);
        T item{};
        if (ok && key <= 255 && read(it.value(), item))
            map[uint8_t(key)] = item;
    }
}

} // namespace statejson

// "1.0A" -> 01H, 0AH: two hexadecimal numbers of one or two digits.
bool parseFirmwareVersion(const QString &text, uint8_t &major, uint8_t &minor);
