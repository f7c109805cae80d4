#include "sim/stateful_firmware.h"

#include "device/cipher.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <QSaveFile>
#include <QtDebug>
#include <algorithm>
#include <utility>

bool StatefulFirmware::Frame::usesOnly(std::initializer_list<int> used) const
{
    for (int i = 1; i <= 6; ++i) {
        if (p(i) != 0 && std::find(used.begin(), used.end(), i) == used.end())
            return false;
    }
    return true;
}

StatefulFirmware::StatefulFirmware(const char *device, const StatefulFirmwareOptions &options)
    : device(device), fwMajor(options.fwMajor), fwMinor(options.fwMinor),
      statePath(options.stateFile)
{
}

QJsonObject StatefulFirmware::saveState() const
{
    QJsonObject state;
    state.insert(QLatin1String("device"), device);
    state.insert(QLatin1String("reportRate"), reportRate);
    state.insert(QLatin1String("profile"), profile);
    saveDeviceState(state);
    return state;
}

bool StatefulFirmware::loadState(const QJsonObject &state)
{
    if (state.value(QLatin1String("device")).toString() != device)
        return false;
    statejson::readByte(state, "reportRate", reportRate);
    statejson::readByte(state, "profile", profile);
    loadDeviceState(state);
    return true;
}

void StatefulFirmware::resetState()
{
    reportRate = 1;
    profile = 0;
    resetDeviceState();
}

Firmware::FrameOutcome StatefulFirmware::onCommandFrame(const std::array<uint8_t, 9> &frame)
{
    pendingOutputBytes = 0;
    pendingInput.clear();
    if (frame[0] != 0)
        return unknown();
    if (frame[8] != frameChecksum(frame.data() + 1) && !ignoresChecksum(frame[1]))
        return unknown();

    FrameOutcome outcome = handleSharedFrame(Frame{frame});
    if (outcome.known && outcome.outputBytes > 0) {
        pendingSet = frame;
        pendingOutputBytes = outcome.outputBytes;
    } else if (outcome.known && outcome.acknowledge) {
        persist();
    }
    return outcome;
}

Firmware::FrameOutcome StatefulFirmware::handleSharedFrame(const Frame &f)
{
    switch (f.code()) {
    case 0x01:
        if (!f.usesOnly({1}))
            return unknown();
        reportRate = f.p(1);
        return set(f);
    case 0x02:
        if (!f.usesOnly({1}))
            return unknown();
        profile = f.p(1);
        return set(f);
    case 0x80:
        return answerPlain(f, {fwMajor, fwMinor});
    case 0x81:
        return answerPlain(f, {reportRate});
    case 0x82:
        return answerPlain(f, {profile});
    default:
        return handleFrame(f);
    }
}

bool StatefulFirmware::onOutputBlock(const QByteArray &block)
{
    const int expected = std::exchange(pendingOutputBytes, 0);
    if (expected == 0 || block.size() != expected)
        return false;
    if (!handleBlock(pendingSet, block))
        return false;
    persist();
    return true;
}

QByteArray StatefulFirmware::inputBlock()
{
    return std::exchange(pendingInput, {});
}

bool StatefulFirmware::ignoresChecksum(uint8_t) const
{
    return false;
}

Firmware::FrameOutcome StatefulFirmware::unknown()
{
    FrameOutcome outcome;
    outcome.known = false;
    return outcome;
}

Firmware::FrameOutcome StatefulFirmware::set(const Frame &frame, int outputBytes)
{
    FrameOutcome outcome;
    outcome.acknowledge = true;
    outcome.outputBytes = outputBytes;
    outcome.reply = frame.bytes;
    return outcome;
}

Firmware::FrameOutcome StatefulFirmware::answer(const Frame &frame,
                                                std::initializer_list<uint8_t> values,
                                                const QByteArray &block)
{
    FrameOutcome outcome;
    outcome.reply[1] = frame.code();
    std::copy_n(values.begin(), std::min<size_t>(values.size(), 6), outcome.reply.begin() + 2);
    outcome.reply[8] = frameChecksum(outcome.reply.data() + 1);
    outcome.inputBytes = int(block.size());
    pendingInput = block;
    return outcome;
}

Firmware::FrameOutcome StatefulFirmware::answerPlain(const Frame &frame,
                                                     std::initializer_list<uint8_t> values,
                                                     const QByteArray &block)
{
    return frame.usesOnly({}) ? answer(frame, values, block) : unknown();
}

void StatefulFirmware::restoreState()
{
    resetState();
    if (statePath.isEmpty())
        return;
    QFile file(statePath);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "cannot read device state" << statePath;
        return;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject() || !loadState(doc.object()))
        qWarning().noquote() << "device state" << statePath << "not used: not this device's state";
}

void StatefulFirmware::persist() const
{
    if (statePath.isEmpty())
        return;
    const QByteArray state = QJsonDocument(saveState()).toJson(QJsonDocument::Indented);
    // Unbuffered: a write the disk refuses fails here; buffered, it would
    // fail in commit()'s flush unnoticed and an empty file would replace the
    // state.
    QSaveFile file(statePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(state) != state.size() || !file.commit())
        qWarning().noquote() << "cannot write device state" << statePath;
}

namespace statejson {

QString blockToHex(const QByteArray &block)
{
    return QString::fromLatin1(block.toHex());
}

QByteArray blockFromHex(const QJsonValue &value, int length)
{
    const QString text = value.toString();
    if (text.size() != 2 * qsizetype(length))
        return {};
    for (QChar c : text) {
        if (!c.isDigit() && !(c.toLower() >= u'a' && c.toLower() <= u'f'))
            return {};
    }
    return QByteArray::fromHex(text.toLatin1());
}

void readBlock(const QJsonValue &value, QByteArray &block)
{
    const QByteArray parsed = blockFromHex(value, int(block.size()));
    if (!parsed.isEmpty())
        block = parsed;
}

void readByte(const QJsonObject &state, const char *key, uint8_t &byte)
{
    const int v = state.value(QLatin1String(key)).toInt(-1);
    if (v >= 0 && v <= 255)
        byte = uint8_t(v);
}

} // namespace statejson

bool parseFirmwareVersion(const QString &text, uint8_t &major, uint8_t &minor)
{
    const QStringList parts = text.split(u'.');
    if (parts.size() != 2)
        return false;
    uint8_t values[2] = {};
    for (int i = 0; i < 2; ++i) {
        bool ok = false;
        const uint value = parts[i].toUInt(&ok, 16);
        if (!ok || parts[i].isEmpty() || parts[i].size() > 2 || parts[i].startsWith(u'+'))
            return false;
        values[i] = uint8_t(value);
    }
    major = values[0];
    minor = values[1];
    return true;
}
