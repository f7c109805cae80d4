#pragma once

#include "sim/firmware.h"
#include "sim/stateful_firmware.h"
#include "support/frames.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QTest>
#include <array>
#include <cstdint>
#include <memory>

using Frame = std::array<uint8_t, 9>;
using Bytes = QList<int>;
Q_DECLARE_METATYPE(Frame)

// A plain command frame as the host builds it: [0, code, p1..p6, checksum].
template <typename... P> Frame commandFrame(int code, P... params)
{
    const QByteArray bytes = frameBytes(code, {int(params)...});
    Frame frame{};
    std::copy(bytes.begin(), bytes.end(), frame.begin());
    return frame;
}

// Sends a set frame and, when the frame announces one, its data block.
// Returns false when the device refused the frame or the block.
inline bool sendSet(Firmware &fw, const std::array<uint8_t, 9> &frame, const QByteArray &block = {})
{
    const Firmware::FrameOutcome outcome = fw.onCommandFrame(frame);
    if (!outcome.known || !outcome.acknowledge || outcome.outputBytes != block.size())
        return false;
    return block.isEmpty() || fw.onOutputBlock(block);
}

// A block of `length` bytes that differs from every default the devices use.
inline QByteArray patternBlock(int length, uint8_t seed)
{
    QByteArray block(length, '\0');
    for (int i = 0; i < length; ++i)
        block[i] = char(uint8_t(seed + 7 * i));
    return block;
}

// R2..R7 of a reply.
inline Bytes replyValues(const Firmware::FrameOutcome &outcome)
{
    Bytes values;
    for (int i = 2; i <= 7; ++i)
        values << outcome.reply[size_t(i)];
    return values;
}

// The table tests both devices take. A device's test class derives from
// this one (QtTest runs the inherited slots too), gives the rows in
// setThenGet_data, blockRoundTrip_data and refusesFrames_data (use the
// column helpers), and adds its own tests.
class FirmwareTest : public QObject
{
    Q_OBJECT

protected:
    // A device as new.
    virtual std::unique_ptr<StatefulFirmware> newDevice() const = 0;

    static void setThenGetColumns()
    {
        QTest::addColumn<Frame>("set");
        QTest::addColumn<Frame>("get");
        QTest::addColumn<Bytes>("expected"); // R2..R7
    }

    static void blockRoundTripColumns()
    {
        QTest::addColumn<Frame>("set");
        QTest::addColumn<Frame>("get");
        QTest::addColumn<int>("length");
        QTest::addColumn<Frame>("otherGet"); // a block the set must not touch
    }

    // Column "frame": a frame the device must refuse without changing
    // anything.
    static void refusedColumns() { QTest::addColumn<Frame>("frame"); }

private slots:
    void setThenGet()
    {
        QFETCH(Frame, set);
        QFETCH(Frame, get);
        QFETCH(Bytes, expected);

        const std::unique_ptr<StatefulFirmware> fw = newDevice();
        QVERIFY(sendSet(*fw, set));
        const Firmware::FrameOutcome outcome = fw->onCommandFrame(get);
        QVERIFY(outcome.known);
        QVERIFY(!outcome.acknowledge);
        QCOMPARE(outcome.reply[1], get[1]);
        QCOMPARE(outcome.inputBytes, 0);
        QCOMPARE(replyValues(outcome), expected);
    }

    void blockRoundTrip()
    {
        QFETCH(Frame, set);
        QFETCH(Frame, get);
        QFETCH(int, length);
        QFETCH(Frame, otherGet);

        const std::unique_ptr<StatefulFirmware> fw = newDevice();
        QVERIFY(fw->onCommandFrame(otherGet).known);
        const QByteArray otherBefore = fw->inputBlock();

        const QByteArray block = patternBlock(length, 0x31);
        const Firmware::FrameOutcome setOutcome = fw->onCommandFrame(set);
        QVERIFY(setOutcome.known);
        QVERIFY(setOutcome.acknowledge);
        QCOMPARE(setOutcome.outputBytes, length);
        QVERIFY(fw->onOutputBlock(block));

        const Firmware::FrameOutcome getOutcome = fw->onCommandFrame(get);
        QVERIFY(getOutcome.known);
        QCOMPARE(getOutcome.inputBytes, length);
        QCOMPARE(fw->inputBlock(), block);

        QVERIFY(fw->onCommandFrame(otherGet).known);
        QCOMPARE(fw->inputBlock(), otherBefore);
    }

    void refusesFrames()
    {
        QFETCH(Frame, frame);
        const std::unique_ptr<StatefulFirmware> fw = newDevice();
        const QJsonObject before = fw->saveState();
        const Firmware::FrameOutcome outcome = fw->onCommandFrame(frame);
        QVERIFY(!outcome.known);
        QVERIFY(!outcome.acknowledge);
        QCOMPARE(outcome.outputBytes, 0);
        QCOMPARE(outcome.inputBytes, 0);
        QCOMPARE(fw->saveState(), before);
    }
};
