// The virtual keyboard's firmware on its own: what the sets write comes
// back from the gets, the 8DH checksum quirk, recovery, strict refusal and
// the state file.
#include "firmware_test_util.h"
#include "sim/keyboard_firmware.h"

#include <QTemporaryDir>
#include <QTest>

class TestKeyboardFirmware : public FirmwareTest
{
    Q_OBJECT

    std::unique_ptr<StatefulFirmware> newDevice() const override
    {
        return std::make_unique<KeyboardFirmware>();
    }

private slots:
    void setThenGet_data();
    void blockRoundTrip_data();
    void keyMatrixReadTakesZeroChecksum();
    void recoveryRestoresNewKeyboard();
    void refusesFrames_data();
    void stateFileSurvivesRestart();
};

void TestKeyboardFirmware::setThenGet_data()
{
    setThenGetColumns();

    QTest::newRow("01 rate") << commandFrame(0x01, 4) << commandFrame(0x81)
                             << Bytes{4, 0, 0, 0, 0, 0};
    QTest::newRow("02 profile") << commandFrame(0x02, 3) << commandFrame(0x82)
                                << Bytes{3, 0, 0, 0, 0, 0};
    QTest::newRow("03 options") << commandFrame(0x03, 1, 2, 3, 4) << commandFrame(0x83)
                                << Bytes{1, 2, 3, 4, 0, 0};
    QTest::newRow("04 sensitivity")
        << commandFrame(0x04, 5, 6, 7, 8, 2) << commandFrame(0x84) << Bytes{5, 6, 7, 8, 0, 0};
    QTest::newRow("08 LED type") << commandFrame(0x08, 1, 2, 3, 4, 5, 6) << commandFrame(0x88)
                                 << Bytes{1, 2, 3, 4, 5, 6};
    QTest::newRow("09 mode") << commandFrame(0x09, 2) << commandFrame(0x89)
                             << Bytes{2, 0, 0, 0, 0, 0};
    QTest::newRow("14 colour 3") << commandFrame(0x14, 0, 3, 255, 10, 20)
                                 << commandFrame(0x94, 0, 3) << Bytes{0, 3, 255, 10, 20, 0};
    QTest::newRow("14 other index untouched")
        << commandFrame(0x14, 0, 3, 255, 10, 20) << commandFrame(0x94, 0, 4)
        << Bytes{0, 4, 0, 0, 0, 0};
    QTest::newRow("80 version") << commandFrame(0x09, 0) << commandFrame(0x80)
                                << Bytes{1, 0x0A, 0, 0, 0, 0};
}

void TestKeyboardFirmware::blockRoundTrip_data()
{
    blockRoundTripColumns();

    Frame matrixGet = commandFrame(0x8D);
    matrixGet[8] = 0;
    QTest::newRow("0D matrix") << commandFrame(0x0D, 0, 0, 8) << matrixGet << 512
                               << commandFrame(0x8E);
    QTest::newRow("0E on/off") << commandFrame(0x0E, 0, 0, 21) << commandFrame(0x8E) << 21
                               << commandFrame(0x91, 0, 1);
    QTest::newRow("11 macro 5") << commandFrame(0x11, 0, 5, 3) << commandFrame(0x91, 0, 5) << 192
                                << commandFrame(0x91, 0, 4);
    QTest::newRow("12 picture 2") << commandFrame(0x12, 0, 2, 8, 1) << commandFrame(0x92, 0, 2)
                                  << 512 << commandFrame(0x92, 0, 0);
}

void TestKeyboardFirmware::keyMatrixReadTakesZeroChecksum()
{
    KeyboardFirmware fw;
    Frame quirk = commandFrame(0x8D);
    QCOMPARE(quirk[8], uint8_t(0x72));
    QVERIFY(fw.onCommandFrame(quirk).known);
    quirk[8] = 0;
    const Firmware::FrameOutcome outcome = fw.onCommandFrame(quirk);
    QVERIFY(outcome.known);
    QCOMPARE(outcome.inputBytes, 512);
    // Only 8DH has that licence.
    Frame other = commandFrame(0x8E);
    other[8] = 0;
    QVERIFY(!fw.onCommandFrame(other).known);
}

void TestKeyboardFirmware::recoveryRestoresNewKeyboard()
{
    KeyboardFirmware fresh;
    const QJsonObject factory = fresh.saveState();

    KeyboardFirmware fw;
    QVERIFY(sendSet(fw, commandFrame(0x09, 3)));
    QVERIFY(sendSet(fw, commandFrame(0x0D, 0, 0, 8), patternBlock(512, 9)));
    QVERIFY(sendSet(fw, commandFrame(0x11, 0, 2, 3), patternBlock(192, 9)));
    QVERIFY(fw.saveState() != factory);

    QVERIFY(sendSet(fw, commandFrame(0x13, 0xFF)));
    QCOMPARE(fw.saveState(), factory);
}

void TestKeyboardFirmware::refusesFrames_data()
{
    refusedColumns();

    QTest::newRow("mouse 0B") << commandFrame(0x0B, 1);
    QTest::newRow("mouse 10") << commandFrame(0x10, 0, 24);
    QTest::newRow("mouse 93") << commandFrame(0x93, 1);
    QTest::newRow("13 without FF") << commandFrame(0x13, 0);
    QTest::newRow("0D wrong count") << commandFrame(0x0D, 0, 0, 16);
    QTest::newRow("0D count in byte 2") << commandFrame(0x0D, 8);
    QTest::newRow("0E wrong length") << commandFrame(0x0E, 0, 0, 20);
    QTest::newRow("11 id in byte 2") << commandFrame(0x11, 5, 0, 3);
    QTest::newRow("12 no count") << commandFrame(0x12, 0, 1, 0, 1);
    QTest::newRow("14 index in byte 2") << commandFrame(0x14, 3, 255, 0, 0);
    QTest::newRow("94 index in byte 2") << commandFrame(0x94, 3);
    QTest::newRow("07 stray P3") << commandFrame(0x07, 1, 2, 3);
}

void TestKeyboardFirmware::stateFileSurvivesRestart()
{
    QTemporaryDir dir;
    KeyboardFirmwareOptions options;
    options.stateFile = dir.filePath(QStringLiteral("kb.json"));
    const QByteArray picture = patternBlock(512, 0x44);
    {
        KeyboardFirmware fw(options);
        QVERIFY(sendSet(fw, commandFrame(0x08, 1, 2, 3, 4, 5, 6)));
        QVERIFY(sendSet(fw, commandFrame(0x14, 0, 7, 1, 2, 3)));
        QVERIFY(sendSet(fw, commandFrame(0x12, 0, 4, 8, 2), picture));
    }
    KeyboardFirmware restarted(options);
    QCOMPARE(replyValues(restarted.onCommandFrame(commandFrame(0x88))), (Bytes{1, 2, 3, 4, 5, 6}));
    QCOMPARE(replyValues(restarted.onCommandFrame(commandFrame(0x94, 0, 7))),
             (Bytes{0, 7, 1, 2, 3, 0}));
    restarted.onCommandFrame(commandFrame(0x92, 0, 4));
    QCOMPARE(restarted.inputBlock(), picture);

    // A mouse's state is not taken for the keyboard's.
    KeyboardFirmware fresh;
    QVERIFY(!fresh.loadState(QJsonObject{{QStringLiteral("device"), QStringLiteral("mouse")}}));
}

QTEST_GUILESS_MAIN(TestKeyboardFirmware)
#include "tst_keyboard_firmware.moc"
