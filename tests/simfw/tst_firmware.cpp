// The virtual devices' firmware on its own: refusal of malformed frames and
// blocks, the command-line options, recovery and the state file.
#include "sim/firmware_factory.h"
#include "sim/keyboard_firmware.h"
#include "sim/mouse_firmware.h"
#include "sim/sim_options.h"
#include "support/frames.h"
#include "support/test_files.h"

#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <array>

using Frame = std::array<uint8_t, 9>;
using Bytes = QList<int>;

namespace {

template <typename... P> Frame commandFrame(int code, P... params)
{
    const QByteArray bytes = frameBytes(code, {int(params)...});
    Frame frame{};
    std::copy(bytes.begin(), bytes.end(), frame.begin());
    return frame;
}

// A set frame and its data block; false when either is refused.
bool sendSet(Firmware &fw, const Frame &frame, const QByteArray &block = {})
{
    const Firmware::FrameOutcome outcome = fw.onCommandFrame(frame);
    if (!outcome.known || !outcome.acknowledge || outcome.outputBytes != block.size())
        return false;
    return block.isEmpty() || fw.onOutputBlock(block);
}

QByteArray patternBlock(int length, uint8_t seed)
{
    QByteArray block(length, '\0');
    for (int i = 0; i < length; ++i)
        block[i] = char(uint8_t(seed + 7 * i));
    return block;
}

Bytes replyValues(const Firmware::FrameOutcome &outcome)
{
    Bytes values;
    for (size_t i = 2; i <= 7; ++i)
        values << outcome.reply[i];
    return values;
}

std::optional<SimOptions> parse(const QStringList &extra, QString *error = nullptr)
{
    QString ignored;
    return parseSimOptions(QStringList{"z4sim", "--bus", "/tmp/z4-unused-bus"} + extra,
                           error ? error : &ignored);
}

QByteArray blockOf(Firmware &fw, const Frame &get)
{
    fw.onCommandFrame(get);
    return fw.inputBlock();
}

} // namespace

class TestFirmware : public QObject
{
    Q_OBJECT

private slots:
    void refusesFrames_data()
    {
        QTest::addColumn<bool>("keyboard");
        QTest::addColumn<Frame>("frame");
        Frame badChecksum = commandFrame(0x01, 1);
        badChecksum[8] ^= 0x01;
        Frame reportId = commandFrame(0x81);
        reportId[0] = 1;
        Frame zeroChecksum = commandFrame(0x8E);
        zeroChecksum[8] = 0;
        QTest::newRow("bad checksum") << false << badChecksum;
        QTest::newRow("report id 1") << false << reportId;
        QTest::newRow("unknown code 05") << false << commandFrame(0x05);
        QTest::newRow("keyboard 8E on mouse") << false << commandFrame(0x8E);
        QTest::newRow("01 stray P2") << false << commandFrame(0x01, 1, 1);
        QTest::newRow("10 type 2 announcing 24") << false << commandFrame(0x10, 2, 24);
        QTest::newRow("10 type 3") << false << commandFrame(0x10, 3, 24);
        QTest::newRow("12 index 5") << false << commandFrame(0x12, 5, 64, 8);
        QTest::newRow("12 without byte 4") << false << commandFrame(0x12, 1, 64, 0);
        QTest::newRow("13 macro 13") << false << commandFrame(0x13, 13, 128);
        QTest::newRow("90 length in byte 3") << false << commandFrame(0x90, 2, 4);
        QTest::newRow("mouse 0B on keyboard") << true << commandFrame(0x0B, 1);
        QTest::newRow("13 without FF") << true << commandFrame(0x13, 0);
        QTest::newRow("0D wrong count") << true << commandFrame(0x0D, 0, 0, 16);
        QTest::newRow("0E wrong length") << true << commandFrame(0x0E, 0, 0, 20);
        QTest::newRow("11 id in byte 2") << true << commandFrame(0x11, 5, 0, 3);
        QTest::newRow("94 index in byte 2") << true << commandFrame(0x94, 3);
        QTest::newRow("zero checksum is 8D's only") << true << zeroChecksum;
    }
    void refusesFrames()
    {
        QFETCH(bool, keyboard);
        QFETCH(Frame, frame);
        std::unique_ptr<StatefulFirmware> fw;
        if (keyboard)
            fw = std::make_unique<KeyboardFirmware>();
        else
            fw = std::make_unique<MouseFirmware>();
        const QJsonObject before = fw->saveState();
        const Firmware::FrameOutcome outcome = fw->onCommandFrame(frame);
        QVERIFY(!outcome.known);
        QVERIFY(!outcome.acknowledge);
        QCOMPARE(outcome.outputBytes + outcome.inputBytes, 0);
        QCOMPARE(fw->saveState(), before);
    }

    void refusesBadBlocks()
    {
        MouseFirmware fw;
        const QByteArray original = blockOf(fw, commandFrame(0x92, 1));
        // No set frame before it, short, long, or a get between frame and block.
        QVERIFY(!fw.onOutputBlock(patternBlock(64, 1)));
        QVERIFY(fw.onCommandFrame(commandFrame(0x12, 1, 64, 8)).known);
        QVERIFY(!fw.onOutputBlock(patternBlock(63, 1)));
        QVERIFY(fw.onCommandFrame(commandFrame(0x12, 1, 64, 8)).known);
        QVERIFY(!fw.onOutputBlock(patternBlock(65, 1)));
        QVERIFY(fw.onCommandFrame(commandFrame(0x12, 1, 64, 8)).known);
        QVERIFY(fw.onCommandFrame(commandFrame(0x81)).known);
        QVERIFY(!fw.onOutputBlock(patternBlock(64, 1)));
        QCOMPARE(blockOf(fw, commandFrame(0x92, 1)), original);
    }

    void deviceOptionsReachTheDevice()
    {
        const auto options =
            parse({"--sensor-type", "3", "--stages", "5", "--logo-led", "0", "--fw", "a.0B"});
        QVERIFY(options);
        std::unique_ptr<Firmware> fw = createFirmware(*options);
        // The hardware's values (sensor, stages, broken logo LED) outlast the sets.
        QVERIFY(sendSet(*fw, commandFrame(0x03, 0, 1, 0, 0)));
        QVERIFY(sendSet(*fw, commandFrame(0x11, 8, 8), patternBlock(8, 3)));
        QVERIFY(sendSet(*fw, commandFrame(0x07, 0, 5, 6, 7)));
        QCOMPARE(fw->onCommandFrame(commandFrame(0x83)).reply[2], uint8_t(3));
        QCOMPARE(fw->onCommandFrame(commandFrame(0x91)).reply[2], uint8_t(5));
        QCOMPARE(replyValues(fw->onCommandFrame(commandFrame(0x87, 0))), (Bytes{0, 1, 6, 7, 0, 0}));
        QCOMPARE(replyValues(fw->onCommandFrame(commandFrame(0x80))),
                 (Bytes{0x0A, 0x0B, 0, 0, 0, 0}));

        // Options set in code are not parsed: out-of-range values are clamped.
        SimOptions direct;
        direct.stageCount = 40;
        direct.firmwareVersion = QStringLiteral("nonsense");
        std::unique_ptr<Firmware> clamped = createFirmware(direct);
        QCOMPARE(clamped->onCommandFrame(commandFrame(0x91)).reply[2], uint8_t(8));
        QCOMPARE(clamped->onCommandFrame(commandFrame(0x80)).reply[3], uint8_t(0x0A));
        QCOMPARE(clamped->onCommandFrame(commandFrame(0x87, 0)).reply[3], uint8_t(0));
    }

    void badOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("sensor type 4") << QStringList{"--sensor-type", "4"} << "--sensor-type";
        QTest::newRow("sensor type word") << QStringList{"--sensor-type", "x"} << "--sensor-type";
        QTest::newRow("no stages") << QStringList{"--stages", "0"} << "from 1 to 8";
        QTest::newRow("nine stages") << QStringList{"--stages", "9"} << "from 1 to 8";
        QTest::newRow("logo led 2") << QStringList{"--logo-led", "2"} << "--logo-led";
        QTest::newRow("fw without dot") << QStringList{"--fw", "10A"} << "--fw";
        QTest::newRow("fw too wide") << QStringList{"--fw", "100.0"} << "--fw";
        QTest::newRow("fw not hex") << QStringList{"--fw", "1.0G"} << "--fw";
        QTest::newRow("fw sign") << QStringList{"--fw", "+1.0"} << "--fw";
        QTest::newRow("fw empty minor") << QStringList{"--fw", "1."} << "--fw";
        QTest::newRow("short code") << QStringList{"--code", "12345"} << "six";
        QTest::newRow("negative delay") << QStringList{"--delay", "-5"} << "--delay";
        QTest::newRow("cipher maybe") << QStringList{"--cipher", "maybe"} << "on or off";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << "frobnicate";
    }
    void badOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QString message;
        QVERIFY(!parse(arguments, &message));
        QVERIFY2(message.contains(error), qPrintable(message));
    }

    void keyboardVersionAndRecovery()
    {
        const auto options = parse({"--keyboard", "--fw", "2.01"});
        QVERIFY(options);
        QCOMPARE(createFirmware(*options)->onCommandFrame(commandFrame(0x80)).reply[2], uint8_t(2));

        const QJsonObject factory = KeyboardFirmware().saveState();
        KeyboardFirmware kb;
        QVERIFY(sendSet(kb, commandFrame(0x09, 3)));
        QVERIFY(sendSet(kb, commandFrame(0x0D, 0, 0, 8), patternBlock(512, 9)));
        QVERIFY(sendSet(kb, commandFrame(0x11, 0, 2, 3), patternBlock(192, 9)));
        QVERIFY(kb.saveState() != factory);
        QVERIFY(sendSet(kb, commandFrame(0x13, 0xFF)));
        QCOMPARE(kb.saveState(), factory);
    }

    void stateFileSurvivesRestart()
    {
        QTemporaryDir dir;
        const auto options = parse({"--state", dir.filePath("mouse.json")});
        QVERIFY(options);
        const QByteArray matrix = patternBlock(64, 0x55);
        const QByteArray macro = patternBlock(128, 0x66);
        {
            std::unique_ptr<Firmware> fw = createFirmware(*options);
            QVERIFY(sendSet(*fw, commandFrame(0x01, 2)));
            QVERIFY(sendSet(*fw, commandFrame(0x0B, 4)));
            QVERIFY(sendSet(*fw, commandFrame(0x04, 1, 2, 3, 4, 1)));
            QVERIFY(sendSet(*fw, commandFrame(0x04, 0, 3, 0xFB, 0, 0)));
            QVERIFY(sendSet(*fw, commandFrame(0x12, 3, 64, 8), matrix));
            QVERIFY(sendSet(*fw, commandFrame(0x13, 7, 128), macro));
        }
        MouseFirmwareOptions mouseOptions;
        mouseOptions.stateFile = options->stateFile;
        MouseFirmware restarted(mouseOptions);
        QCOMPARE(restarted.onCommandFrame(commandFrame(0x81)).reply[2], uint8_t(2));
        QCOMPARE(restarted.onCommandFrame(commandFrame(0x8B)).reply[2], uint8_t(4));
        QCOMPARE(restarted.pressGunSlot(1), (std::array<uint8_t, 4>{1, 2, 3, 4}));
        QCOMPARE(restarted.pressGunSlot(0), (std::array<uint8_t, 4>{0, 3, 0xFB, 0}));
        QCOMPARE(restarted.pressGunSlot(2), (std::array<uint8_t, 4>{}));
        QCOMPARE(blockOf(restarted, commandFrame(0x92, 3)), matrix);
        QCOMPARE(blockOf(restarted, commandFrame(0x93, 7)), macro);

        KeyboardFirmwareOptions kbOptions;
        kbOptions.stateFile = dir.filePath("kb.json");
        const QByteArray picture = patternBlock(512, 0x44);
        {
            KeyboardFirmware kb(kbOptions);
            QVERIFY(sendSet(kb, commandFrame(0x14, 0, 7, 1, 2, 3)));
            QVERIFY(sendSet(kb, commandFrame(0x12, 0, 4, 8, 2), picture));
        }
        KeyboardFirmware kb(kbOptions);
        QCOMPARE(replyValues(kb.onCommandFrame(commandFrame(0x94, 0, 7))),
                 (Bytes{0, 7, 1, 2, 3, 0}));
        QCOMPARE(blockOf(kb, commandFrame(0x92, 0, 4)), picture);
        QVERIFY(!KeyboardFirmware().loadState(QJsonObject{{"device", "mouse"}}));
    }

    void damagedStateFileKeepsDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("expectedRate");
        QTest::newRow("not json") << QByteArray("{reportRate: 8") << 1;
        QTest::newRow("keyboard state")
            << QByteArray(R"({"device":"keyboard","reportRate":8})") << 1;
        QTest::newRow("rate out of range")
            << QByteArray(R"({"device":"mouse","reportRate":300})") << 1;
        QTest::newRow("short matrix, good rate")
            << QByteArray(R"({"device":"mouse","reportRate":8,"keyMatrices":["0102"]})") << 8;
    }
    void damagedStateFileKeepsDefaults()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, expectedRate);
        QTemporaryDir dir;
        MouseFirmwareOptions options;
        options.stateFile = dir.filePath(QStringLiteral("mouse.json"));
        writeFile(options.stateFile, content);

        MouseFirmware reference;
        MouseFirmware fw(options);
        QCOMPARE(fw.onCommandFrame(commandFrame(0x81)).reply[2], uint8_t(expectedRate));
        QCOMPARE(blockOf(fw, commandFrame(0x92, 1)), blockOf(reference, commandFrame(0x92, 1)));
    }
};

QTEST_GUILESS_MAIN(TestFirmware)
#include "tst_firmware.moc"
