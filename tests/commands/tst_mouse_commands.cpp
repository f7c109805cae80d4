// The mouse command set against the virtual mouse's firmware behind a
// recording bus: every frame byte for byte, the data phase in 33-byte
// reports, the acknowledge waits and 8 ms pauses each command takes, what
// the gets hand back on success and on every kind of failure, and the busy
// link.
#include "command_rig.h"
#include "sim/mouse_firmware.h"

#include <QTest>

namespace {

QList<int> codes(const QString &text)
{
    QList<int> out;
    for (QChar c : text)
        out << c.unicode();
    return out;
}

QList<SetCase> setCases()
{
    const QList<uchar> p24 = pattern(24, 0x10);
    const QList<uchar> p4 = pattern(4, 0x20);
    const QList<uchar> p8 = pattern(8, 0x30);
    const QList<uchar> p64 = pattern(64, 0x40);
    const QList<uchar> p128 = pattern(128, 0x50);
    return {
        {"01H",
         [](Hid_Thread &h) {
             h.hid_01H_SetReportRate(8);
             return QList<int>{};
         },
         frameBytes(0x01, {8}),
         {},
         true,
         false},
        {"02H",
         [](Hid_Thread &h) {
             h.hid_02H_SetCurrentProfile(3);
             return QList<int>{};
         },
         frameBytes(0x02, {3}),
         {},
         false,
         true},
        {"03H",
         [](Hid_Thread &h) {
             h.hid_03H_SetFunctionOption(2, 4, 0x40, 0x08);
             return QList<int>{};
         },
         frameBytes(0x03, {2, 4, 0x40, 0x08}),
         {},
         true,
         true},
        {"07H",
         [](Hid_Thread &h) {
             h.hid_07H_SetLEDInstructFunction(1, 2, 3, 4);
             return QList<int>{};
         },
         frameBytes(0x07, {1, 2, 3, 4}),
         {},
         false,
         false},
        {"0BH",
         [](Hid_Thread &h) {
             h.hid_0BH_SetCurrentDPIStage(3);
             return QList<int>{};
         },
         QByteArray::fromHex("000b030000000000f1"),
         {},
         true,
         false},
        {"0DH",
         [](Hid_Thread &h) {
             h.hid_0DH_SetRGBLedEffect(2, 5, 2);
             return QList<int>{};
         },
         frameBytes(0x0D, {2, 5, 2}),
         {},
         true,
         false},
        {"10H type 0",
         [p24](Hid_Thread &h) {
             QList<uchar> b = p24;
             h.hid_10H_SetLED8StageColor(0, b.data());
             return QList<int>{};
         },
         frameBytes(0x10, {0, 0x18}), p24, true, false},
        {"10H type 1",
         [p24](Hid_Thread &h) {
             QList<uchar> b = p24;
             h.hid_10H_SetLED8StageColor(1, b.data());
             return QList<int>{};
         },
         frameBytes(0x10, {1, 0x18}), p24, true, false},
        {"10H type 2",
         [p4](Hid_Thread &h) {
             QList<uchar> b = p4 + pattern(20, 0x99); // only the first 4 go out
             h.hid_10H_SetLED8StageColor(2, b.data());
             return QList<int>{};
         },
         QByteArray::fromHex("0010020400000000e9"), p4, true, false},
        {"11H",
         [p8](Hid_Thread &h) {
             QList<uchar> b = p8;
             h.hid_11H_SetDPISet(6, b.data());
             return QList<int>{};
         },
         frameBytes(0x11, {6, 8}), p8, true, false},
        {"12H",
         [p64](Hid_Thread &h) {
             QList<uchar> b = p64;
             h.hid_12H_SetKeyMatrix(b.data(), 2);
             return QList<int>{};
         },
         frameBytes(0x12, {2, 0x40, 0x08}), p64, true, false},
        {"13H",
         [p128](Hid_Thread &h) {
             QList<uchar> b = p128;
             h.hid_13H_SetMacroKey(5, b.data());
             return QList<int>{};
         },
         frameBytes(0x13, {5, 0x80}), p128, true, false},
    };
}

QList<GetCase> getCases()
{
    const QList<uchar> c8 = pattern(8, 0x61);
    const QList<uchar> c24 = pattern(24, 0x71);
    const QList<uchar> c64 = pattern(64, 0x81);
    const QList<uchar> c128 = pattern(128, 0x91);
    return {
        {"80H",
         [](Hid_Thread &h) {
             QString v = QStringLiteral("keep");
             h.hid_80H_GetFWVersion(v);
             return codes(v);
         },
         frameBytes(0x80), 0, codes(QStringLiteral("keep")), codes(QStringLiteral("keep"))},
        {"81H",
         [](Hid_Thread &h) {
             uchar rate = 0x11;
             h.hid_81H_GetReportRate(rate);
             return QList<int>{rate};
         },
         QByteArray::fromHex("00810000000000007e"),
         0,
         {0x11},
         {0x11}},
        {"82H",
         [](Hid_Thread &h) {
             uchar profile = 0x22;
             h.hid_82H_GetCurrentProfile(profile);
             return QList<int>{profile};
         },
         frameBytes(0x82),
         0,
         {0x22},
         {0x22}},
        {"83H",
         [](Hid_Thread &h) {
             uchar t = 0x11, o1 = 0x22, o2 = 0x33;
             h.hid_83H_GetFunctionOption(t, o1, o2);
             return QList<int>{t, o1, o2};
         },
         frameBytes(0x83),
         0,
         {0x11, 0x22, 0x33},
         {0, 0, 0}},
        {"87H",
         [](Hid_Thread &h) {
             uchar o1 = 0x11, o2 = 0x22, o3 = 0x33;
             const bool ok = h.hid_87H_GetLEDInstructFunction(2, o1, o2, o3);
             return QList<int>{ok, o1, o2, o3};
         },
         frameBytes(0x87, {2}),
         0,
         {0, 0x11, 0x22, 0x33},
         {0, 0x11, 0x22, 0x33}},
        {"8BH",
         [](Hid_Thread &h) {
             uchar stage = 0x44;
             h.hid_8BH_GetCurrentDPIStage(stage);
             return QList<int>{stage};
         },
         frameBytes(0x8B),
         0,
         {0x44},
         {0}},
        {"8DH",
         [](Hid_Thread &h) {
             uchar e = 0x11, o1 = 0x22, o2 = 0x33;
             h.hid_8DH_GetRGBLedEffect(e, o1, o2);
             return QList<int>{e, o1, o2};
         },
         frameBytes(0x8D),
         0,
         {0x11, 0x22, 0x33},
         {0, 0, 0}},
        {"90H type 1",
         [c24](Hid_Thread &h) {
             QList<uchar> b = c24;
             h.hid_90H_GetLED8StageColor(1, b.data());
             return ints(b);
         },
         frameBytes(0x90, {1}), 24, ints(c24), ints(c24)},
        // The length (4) is read, not announced: byte 3 stays 0.
        {"90H type 2",
         [c24](Hid_Thread &h) {
             QList<uchar> b = c24;
             h.hid_90H_GetLED8StageColor(2, b.data());
             return ints(b);
         },
         QByteArray::fromHex("00900200000000006d"), 4, ints(c24), ints(c24)},
        {"91H",
         [c8](Hid_Thread &h) {
             uchar stages = 0x55;
             QList<uchar> b = c8;
             const bool ok = h.hid_91H_GetDPISet(stages, b.data());
             return QList<int>{ok, stages} + ints(b);
         },
         frameBytes(0x91), 8, QList<int>{0, 0x55} + ints(c8), QList<int>{0, 0x55} + ints(c8)},
        {"92H",
         [c64](Hid_Thread &h) {
             QList<uchar> b = c64;
             h.hid_92H_GetKeyMatrix(b.data());
             return ints(b);
         },
         frameBytes(0x92, {1}), 64, ints(c64), ints(c64)},
        {"93H",
         [c128](Hid_Thread &h) {
             QList<uchar> b = c128;
             h.hid_93H_GetMacroKey(7, b.data());
             return ints(b);
         },
         frameBytes(0x93, {7}), 128, ints(c128), ints(c128)},
    };
}

std::unique_ptr<MouseFirmware> mouse(MouseFirmwareOptions options = {})
{
    return std::make_unique<MouseFirmware>(options);
}

} // namespace

class TestMouseCommands : public CommandSetTest
{
    Q_OBJECT

public:
    TestMouseCommands() : CommandSetTest([] { return mouse(); }, mouseRow(), 32, setCases, getCases)
    {
    }

private slots:
    void setsThenGetsRoundTrip();
    void versionText_data();
    void versionText();
    void partialDataPhaseKeepsCallerBytes();
    void setsInCallOrder();
};

void TestMouseCommands::setsThenGetsRoundTrip()
{
    MouseFirmwareOptions options;
    options.sensorType = 2;
    options.stageCount = 6;
    CommandRig rig(mouse(options), mouseRow());
    Hid_Thread &h = rig.link;
    const auto settled = [&rig] { rig.settle(); };

    h.hid_01H_SetReportRate(4);
    settled();
    uchar rate = 0;
    h.hid_81H_GetReportRate(rate);
    QCOMPARE(rate, uchar(4));

    h.hid_02H_SetCurrentProfile(7);
    settled();
    uchar profile = 0;
    h.hid_82H_GetCurrentProfile(profile);
    QCOMPARE(profile, uchar(7));

    h.hid_03H_SetFunctionOption(0, 4, 0x40, 0x08);
    settled();
    uchar type = 9, option1 = 0, option2 = 0;
    h.hid_83H_GetFunctionOption(type, option1, option2);
    QCOMPARE(type, uchar(2));
    QCOMPARE(option1, uchar(0x40));
    QCOMPARE(option2, uchar(0x08));

    h.hid_07H_SetLEDInstructFunction(1, 9, 8, 7);
    settled();
    uchar o1 = 0, o2 = 0, o3 = 0;
    QVERIFY(h.hid_87H_GetLEDInstructFunction(1, o1, o2, o3));
    QCOMPARE((QList<int>{o1, o2, o3}), (QList<int>{9, 8, 7}));
    o1 = 0x77;
    QVERIFY(h.hid_87H_GetLEDInstructFunction(0, o1, o2, o3));
    QCOMPARE(o1, uchar(0)); // the logo LED works

    h.hid_0BH_SetCurrentDPIStage(5);
    settled();
    uchar stage = 0;
    h.hid_8BH_GetCurrentDPIStage(stage);
    QCOMPARE(stage, uchar(5));

    h.hid_0DH_SetRGBLedEffect(3, 30, 2);
    settled();
    uchar effect = 0, level = 0, extra = 0;
    h.hid_8DH_GetRGBLedEffect(effect, level, extra);
    QCOMPARE((QList<int>{effect, level, extra}), (QList<int>{3, 30, 2}));

    QList<uchar> colours = pattern(24, 0x10);
    h.hid_10H_SetLED8StageColor(1, colours.data());
    settled();
    QList<uchar> readBack(24, 0);
    h.hid_90H_GetLED8StageColor(1, readBack.data());
    QCOMPARE(readBack, colours);

    // Type 2 moves 4 bytes; the caller's other 20 stay as they were.
    QList<uchar> indices = pattern(4, 0x60);
    h.hid_10H_SetLED8StageColor(2, indices.data());
    settled();
    QList<uchar> caller = pattern(24, 0xA0);
    h.hid_90H_GetLED8StageColor(2, caller.data());
    QCOMPARE(caller.mid(0, 4), indices);
    QCOMPARE(caller.mid(4), pattern(24, 0xA0).mid(4));

    QList<uchar> stages = pattern(8, 0x02);
    h.hid_11H_SetDPISet(6, stages.data());
    settled();
    uchar maxStage = 0;
    QList<uchar> stagesBack(8, 0);
    QVERIFY(h.hid_91H_GetDPISet(maxStage, stagesBack.data()));
    QCOMPARE(maxStage, uchar(6));
    QCOMPARE(stagesBack, stages);

    // 92H reads matrix 1 whatever was sent to the others.
    QList<uchar> plain = pattern(64, 0x11);
    QList<uchar> gun = pattern(64, 0x33);
    h.hid_12H_SetKeyMatrix(plain.data(), 1);
    settled();
    h.hid_12H_SetKeyMatrix(gun.data(), 3);
    settled();
    QList<uchar> matrix(64, 0);
    h.hid_92H_GetKeyMatrix(matrix.data());
    QCOMPARE(matrix, plain);

    QList<uchar> macro = pattern(128, 0x44);
    h.hid_13H_SetMacroKey(4, macro.data());
    settled();
    QList<uchar> macroBack(128, 0);
    h.hid_93H_GetMacroKey(4, macroBack.data());
    QCOMPARE(macroBack, macro);
}

void TestMouseCommands::versionText_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<QString>("text");
    QTest::newRow("1.0A") << 0x01 << 0x0A << "1.0A";
    QTest::newRow("12.05") << 0x12 << 0x05 << "12.05";
    QTest::newRow("a.0B") << 0x0A << 0x0B << "a.0B";
    QTest::newRow("ff.FF") << 0xFF << 0xFF << "ff.FF";
    QTest::newRow("0.00") << 0x00 << 0x00 << "0.00";
}

void TestMouseCommands::versionText()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(QString, text);
    MouseFirmwareOptions options;
    options.fwMajor = uint8_t(major);
    options.fwMinor = uint8_t(minor);
    CommandRig rig(mouse(options), mouseRow());
    QString version = QStringLiteral("old");
    rig.link.hid_80H_GetFWVersion(version);
    QCOMPARE(version, text);
}

void TestMouseCommands::partialDataPhaseKeepsCallerBytes()
{
    // The first of four input reports arrives, then the mouse falls silent:
    // the first 32 bytes are the device's, the rest stay the caller's.
    CommandRig rig(mouse(), mouseRow());
    QList<uchar> macro = pattern(128, 0x44);
    rig.link.hid_13H_SetMacroKey(2, macro.data());
    rig.settle();

    rig.bus.fault = FirmwareBus::Fault::SilentInput;
    rig.bus.inputsBeforeSilence = 1;
    QList<uchar> caller = pattern(128, 0xC0);
    rig.link.hid_93H_GetMacroKey(2, caller.data());
    QCOMPARE(caller.mid(0, 32), macro.mid(0, 32));
    QCOMPARE(caller.mid(32), pattern(128, 0xC0).mid(32));
    QVERIFY(rig.link.isLinkIdle());

    // 91H keeps both outputs when its data phase fails.
    uchar stages = 0x55;
    QList<uchar> stageBytes = pattern(8, 0x70);
    rig.bus.inputsBeforeSilence = 0;
    QVERIFY(!rig.link.hid_91H_GetDPISet(stages, stageBytes.data()));
    QCOMPARE(stages, uchar(0x55));
    QCOMPARE(stageBytes, pattern(8, 0x70));
}

void TestMouseCommands::setsInCallOrder()
{
    // A second set waits for the first one's transaction (polling the token)
    // and both frames reach the mouse in call order.
    CommandRig rig(mouse(), mouseRow());
    rig.clock.callerSleepUs = 1000;
    QList<uchar> matrix = pattern(64, 0x12);
    rig.link.hid_12H_SetKeyMatrix(matrix.data(), 1);
    rig.link.hid_0BH_SetCurrentDPIStage(2);
    rig.settle();
    const QList<QByteArray> frames = rig.bus.of(Report::SendFeature);
    QCOMPARE(frames.size(), 2);
    QCOMPARE(frames[0], frameBytes(0x12, {1, 0x40, 0x08}));
    QCOMPARE(frames[1], frameBytes(0x0B, {2}));
    QCOMPARE(rig.bus.of(Report::Write).size(), 2);
}

QTEST_GUILESS_MAIN(TestMouseCommands)
#include "tst_mouse_commands.moc"
