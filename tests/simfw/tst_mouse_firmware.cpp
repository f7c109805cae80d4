// The virtual mouse's firmware on its own, frames in and replies out, no
// sockets: state written by sets comes back from the matching gets, strict
// refusal of frames the mouse does not know, options, and the state file.
#include "firmware_test_util.h"
#include "sim/mouse_firmware.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

class TestMouseFirmware : public FirmwareTest
{
    Q_OBJECT

    std::unique_ptr<StatefulFirmware> newDevice() const override
    {
        return std::make_unique<MouseFirmware>();
    }

private slots:
    void setThenGet_data();
    void blockRoundTrip_data();
    void replyFrameShape();
    void refusesFrames_data();
    void refusesBadBlocks();
    void options();
    void logoLedOverridesStoredOption();
    void pressGunSlotsKeptApart();
    void stateFileSurvivesRestart();
    void damagedStateFileKeepsDefaults_data();
    void damagedStateFileKeepsDefaults();
    void versionText_data();
    void versionText();
};

void TestMouseFirmware::setThenGet_data()
{
    setThenGetColumns();

    QTest::newRow("01 report rate")
        << commandFrame(0x01, 8) << commandFrame(0x81) << Bytes{8, 0, 0, 0, 0, 0};
    QTest::newRow("02 profile") << commandFrame(0x02, 7) << commandFrame(0x82)
                                << Bytes{7, 0, 0, 0, 0, 0};
    // The sensor type is the hardware's; 03H's rate is the report rate.
    QTest::newRow("03 options") << commandFrame(0x03, 3, 4, 0x40, 0x08) << commandFrame(0x83)
                                << Bytes{0, 4, 0x40, 0x08, 0, 0};
    QTest::newRow("03 rate read by 81")
        << commandFrame(0x03, 0, 2, 0, 0) << commandFrame(0x81) << Bytes{2, 0, 0, 0, 0, 0};
    QTest::newRow("01 rate read by 83")
        << commandFrame(0x01, 4) << commandFrame(0x83) << Bytes{0, 4, 0, 0, 0, 0};
    QTest::newRow("07 type 2") << commandFrame(0x07, 2, 9, 8, 7) << commandFrame(0x87, 2)
                               << Bytes{2, 9, 8, 7, 0, 0};
    QTest::newRow("07 other type untouched")
        << commandFrame(0x07, 2, 9, 8, 7) << commandFrame(0x87, 3) << Bytes{3, 0, 0, 0, 0, 0};
    QTest::newRow("0B stage") << commandFrame(0x0B, 5) << commandFrame(0x8B)
                              << Bytes{5, 0, 0, 0, 0, 0};
    QTest::newRow("0D effect") << commandFrame(0x0D, 3, 30, 2) << commandFrame(0x8D)
                               << Bytes{3, 30, 2, 0, 0, 0};
}

void TestMouseFirmware::blockRoundTrip_data()
{
    blockRoundTripColumns();

    QTest::newRow("10 type 0") << commandFrame(0x10, 0, 24) << commandFrame(0x90, 0) << 24
                               << commandFrame(0x90, 1);
    QTest::newRow("10 type 1") << commandFrame(0x10, 1, 24) << commandFrame(0x90, 1) << 24
                               << commandFrame(0x90, 0);
    QTest::newRow("10 type 2") << commandFrame(0x10, 2, 4) << commandFrame(0x90, 2) << 4
                               << commandFrame(0x90, 1);
    QTest::newRow("11 stages") << commandFrame(0x11, 6, 8) << commandFrame(0x91) << 8
                               << commandFrame(0x92, 1);
    QTest::newRow("12 matrix 1") << commandFrame(0x12, 1, 64, 8) << commandFrame(0x92, 1) << 64
                                 << commandFrame(0x92, 2);
    QTest::newRow("12 matrix 4") << commandFrame(0x12, 4, 64, 8) << commandFrame(0x92, 4) << 64
                                 << commandFrame(0x92, 1);
    QTest::newRow("13 macro 1") << commandFrame(0x13, 1, 128) << commandFrame(0x93, 1) << 128
                                << commandFrame(0x93, 12);
    QTest::newRow("13 macro 12") << commandFrame(0x13, 12, 128) << commandFrame(0x93, 12) << 128
                                 << commandFrame(0x93, 11);
}

void TestMouseFirmware::replyFrameShape()
{
    MouseFirmware fw;
    const Firmware::FrameOutcome outcome = fw.onCommandFrame(commandFrame(0x81));
    QCOMPARE(outcome.reply[0], uint8_t(0));
    QCOMPARE(outcome.reply[1], uint8_t(0x81));
    int sum = 0;
    for (size_t i = 1; i <= 7; ++i)
        sum += outcome.reply[i];
    QCOMPARE(outcome.reply[8], uint8_t(~sum));
    // A new mouse polls at 1000 Hz.
    QCOMPARE(outcome.reply[2], uint8_t(1));
}

void TestMouseFirmware::refusesFrames_data()
{
    refusedColumns();

    Frame badChecksum = commandFrame(0x01, 1);
    badChecksum[8] ^= 0x01;
    Frame reportId = commandFrame(0x81);
    reportId[0] = 1;
    QTest::newRow("bad checksum") << badChecksum;
    QTest::newRow("report id 1") << reportId;
    QTest::newRow("unknown code 05") << commandFrame(0x05);
    QTest::newRow("keyboard 84") << commandFrame(0x84);
    QTest::newRow("keyboard 8E") << commandFrame(0x8E);
    QTest::newRow("keyboard 14") << commandFrame(0x14, 0, 3, 255);
    QTest::newRow("01 stray P2") << commandFrame(0x01, 1, 1);
    QTest::newRow("81 stray P1") << commandFrame(0x81, 1);
    QTest::newRow("10 type 2 announcing 24") << commandFrame(0x10, 2, 24);
    QTest::newRow("10 type 0 announcing 4") << commandFrame(0x10, 0, 4);
    QTest::newRow("10 type 3") << commandFrame(0x10, 3, 24);
    QTest::newRow("11 without length") << commandFrame(0x11, 8, 0);
    QTest::newRow("12 index 0") << commandFrame(0x12, 0, 64, 8);
    QTest::newRow("12 index 5") << commandFrame(0x12, 5, 64, 8);
    QTest::newRow("12 without byte 4") << commandFrame(0x12, 1, 64, 0);
    QTest::newRow("13 macro 0") << commandFrame(0x13, 0, 128);
    QTest::newRow("13 macro 13") << commandFrame(0x13, 13, 128);
    QTest::newRow("90 type 3") << commandFrame(0x90, 3);
    QTest::newRow("90 length in byte 3") << commandFrame(0x90, 2, 4);
    QTest::newRow("92 index 0") << commandFrame(0x92, 0);
    QTest::newRow("93 macro 13") << commandFrame(0x93, 13);
}

void TestMouseFirmware::refusesBadBlocks()
{
    MouseFirmware fw;
    fw.onCommandFrame(commandFrame(0x92, 1));
    const QByteArray original = fw.inputBlock();

    // A block without a set frame before it, a short one, a long one.
    QVERIFY(!fw.onOutputBlock(patternBlock(64, 1)));
    QVERIFY(fw.onCommandFrame(commandFrame(0x12, 1, 64, 8)).known);
    QVERIFY(!fw.onOutputBlock(patternBlock(63, 1)));
    QVERIFY(fw.onCommandFrame(commandFrame(0x12, 1, 64, 8)).known);
    QVERIFY(!fw.onOutputBlock(patternBlock(65, 1)));
    // A get between a set frame and its block cancels the set.
    QVERIFY(fw.onCommandFrame(commandFrame(0x12, 1, 64, 8)).known);
    QVERIFY(fw.onCommandFrame(commandFrame(0x81)).known);
    QVERIFY(!fw.onOutputBlock(patternBlock(64, 1)));

    fw.onCommandFrame(commandFrame(0x92, 1));
    QCOMPARE(fw.inputBlock(), original);
}

void TestMouseFirmware::options()
{
    MouseFirmwareOptions options;
    options.sensorType = 3;
    options.stageCount = 5;
    MouseFirmware fw(options);

    QCOMPARE(fw.onCommandFrame(commandFrame(0x83)).reply[2], uint8_t(3));
    QVERIFY(sendSet(fw, commandFrame(0x03, 0, 1, 0, 0)));
    QCOMPARE(fw.onCommandFrame(commandFrame(0x83)).reply[2], uint8_t(3));

    const Firmware::FrameOutcome stages = fw.onCommandFrame(commandFrame(0x91));
    QCOMPARE(stages.reply[2], uint8_t(5));
    QCOMPARE(stages.inputBytes, 8);
    QVERIFY(sendSet(fw, commandFrame(0x11, 8, 8), patternBlock(8, 3)));
    QCOMPARE(fw.onCommandFrame(commandFrame(0x91)).reply[2], uint8_t(5));
}

void TestMouseFirmware::logoLedOverridesStoredOption()
{
    for (bool works : {true, false}) {
        MouseFirmwareOptions options;
        options.logoLedWorks = works;
        MouseFirmware fw(options);
        QVERIFY(sendSet(fw, commandFrame(0x07, 0, works ? 5 : 0, 6, 7)));
        const Firmware::FrameOutcome outcome = fw.onCommandFrame(commandFrame(0x87, 0));
        QVERIFY(outcome.known);
        QCOMPARE(outcome.reply[3] == 0, works);
        QCOMPARE(outcome.reply[4], uint8_t(6));
        QCOMPARE(outcome.reply[5], uint8_t(7));
    }
}

void TestMouseFirmware::pressGunSlotsKeptApart()
{
    MouseFirmware fw;
    QVERIFY(sendSet(fw, commandFrame(0x04, 1, 1, 0, 5, 2)));
    QVERIFY(sendSet(fw, commandFrame(0x04, 0, 3, 0xFB, 0, 0)));
    QCOMPARE(fw.pressGunSlot(2), (std::array<uint8_t, 4>{1, 1, 0, 5}));
    QCOMPARE(fw.pressGunSlot(0), (std::array<uint8_t, 4>{0, 3, 0xFB, 0}));
    QCOMPARE(fw.pressGunSlot(1), (std::array<uint8_t, 4>{}));
}

void TestMouseFirmware::stateFileSurvivesRestart()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    MouseFirmwareOptions options;
    options.stateFile = dir.filePath(QStringLiteral("mouse.json"));
    const QByteArray matrix = patternBlock(64, 0x55);
    const QByteArray macro = patternBlock(128, 0x66);
    {
        MouseFirmware fw(options);
        QVERIFY(sendSet(fw, commandFrame(0x01, 2)));
        QVERIFY(sendSet(fw, commandFrame(0x0B, 4)));
        QVERIFY(sendSet(fw, commandFrame(0x04, 1, 2, 3, 4, 1)));
        QVERIFY(sendSet(fw, commandFrame(0x12, 3, 64, 8), matrix));
        QVERIFY(sendSet(fw, commandFrame(0x13, 7, 128), macro));
    }
    QVERIFY(QFile::exists(options.stateFile));

    MouseFirmware restarted(options);
    QCOMPARE(restarted.onCommandFrame(commandFrame(0x81)).reply[2], uint8_t(2));
    QCOMPARE(restarted.onCommandFrame(commandFrame(0x8B)).reply[2], uint8_t(4));
    QCOMPARE(restarted.pressGunSlot(1), (std::array<uint8_t, 4>{1, 2, 3, 4}));
    restarted.onCommandFrame(commandFrame(0x92, 3));
    QCOMPARE(restarted.inputBlock(), matrix);
    restarted.onCommandFrame(commandFrame(0x93, 7));
    QCOMPARE(restarted.inputBlock(), macro);
}

void TestMouseFirmware::damagedStateFileKeepsDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("expectedRate");

    QTest::newRow("not json") << QByteArray("{reportRate: 8") << 1;
    QTest::newRow("keyboard state") << QByteArray(R"({"device":"keyboard","reportRate":8})") << 1;
    QTest::newRow("rate out of range") << QByteArray(R"({"device":"mouse","reportRate":300})") << 1;
    QTest::newRow("short matrix, good rate")
        << QByteArray(R"({"device":"mouse","reportRate":8,"keyMatrices":["0102"]})") << 8;
}

void TestMouseFirmware::damagedStateFileKeepsDefaults()
{
    QFETCH(QByteArray, content);
    QFETCH(int, expectedRate);

    QTemporaryDir dir;
    MouseFirmwareOptions options;
    options.stateFile = dir.filePath(QStringLiteral("mouse.json"));
    QFile file(options.stateFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    MouseFirmware reference;
    reference.onCommandFrame(commandFrame(0x92, 1));
    const QByteArray defaultMatrix = reference.inputBlock();

    MouseFirmware fw(options);
    QCOMPARE(fw.onCommandFrame(commandFrame(0x81)).reply[2], uint8_t(expectedRate));
    fw.onCommandFrame(commandFrame(0x92, 1));
    QCOMPARE(fw.inputBlock(), defaultMatrix);
}

void TestMouseFirmware::versionText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");

    QTest::newRow("1.0A") << "1.0A" << true << 1 << 0x0A;
    QTest::newRow("12.05") << "12.05" << true << 0x12 << 0x05;
    QTest::newRow("a.0b") << "a.0b" << true << 0x0A << 0x0B;
    QTest::newRow("no dot") << "10A" << false << 0 << 0;
    QTest::newRow("three parts") << "1.0.A" << false << 0 << 0;
    QTest::newRow("too wide") << "100.0" << false << 0 << 0;
    QTest::newRow("not hex") << "1.0G" << false << 0 << 0;
    QTest::newRow("empty minor") << "1." << false << 0 << 0;
    QTest::newRow("sign") << "+1.0" << false << 0 << 0;
}

void TestMouseFirmware::versionText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, major);
    QFETCH(int, minor);
    uint8_t parsedMajor = 0;
    uint8_t parsedMinor = 0;
    QCOMPARE(parseFirmwareVersion(text, parsedMajor, parsedMinor), valid);
    if (valid) {
        QCOMPARE(int(parsedMajor), major);
        QCOMPARE(int(parsedMinor), minor);
    }
}

QTEST_GUILESS_MAIN(TestMouseFirmware)
#include "tst_mouse_firmware.moc"
