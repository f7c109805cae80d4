// The mouse command set against the virtual mouse's firmware: every frame
// byte for byte, the data phase in 33-byte reports, the waits, and what the
// gets hand back.
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
    const QList<uchar> none;
    return {
        {"01H", [](Hid_Thread &h) { h.hid_01H_SetReportRate(8); }, frameBytes(0x01, {8}), none,
         true, false},
        {"02H", [](Hid_Thread &h) { h.hid_02H_SetCurrentProfile(3); }, frameBytes(0x02, {3}), none,
         false, true},
        {"03H", [](Hid_Thread &h) { h.hid_03H_SetFunctionOption(2, 4, 0x40, 0x08); },
         frameBytes(0x03, {2, 4, 0x40, 0x08}), none, true, true},
        {"07H", [](Hid_Thread &h) { h.hid_07H_SetLEDInstructFunction(1, 2, 3, 4); },
         frameBytes(0x07, {1, 2, 3, 4}), none, false, false},
        {"0BH", [](Hid_Thread &h) { h.hid_0BH_SetCurrentDPIStage(3); },
         QByteArray::fromHex("000b030000000000f1"), none, true, false},
        {"0DH", [](Hid_Thread &h) { h.hid_0DH_SetRGBLedEffect(2, 5, 2); },
         frameBytes(0x0D, {2, 5, 2}), none, true, false},
        {"10H type 0",
         [b = p24](Hid_Thread &h) mutable { h.hid_10H_SetLED8StageColor(0, b.data()); },
         frameBytes(0x10, {0, 0x18}), p24, true, false},
        {"10H type 1",
         [b = p24](Hid_Thread &h) mutable { h.hid_10H_SetLED8StageColor(1, b.data()); },
         frameBytes(0x10, {1, 0x18}), p24, true, false},
        {"10H type 2",
         [b = p4 + pattern(20, 0x99)](Hid_Thread &h) mutable {
             h.hid_10H_SetLED8StageColor(2, b.data());
         },
         QByteArray::fromHex("0010020400000000e9"), p4, true, false},
        {"11H", [b = p8](Hid_Thread &h) mutable { h.hid_11H_SetDPISet(6, b.data()); },
         frameBytes(0x11, {6, 8}), p8, true, false},
        {"12H", [b = p64](Hid_Thread &h) mutable { h.hid_12H_SetKeyMatrix(b.data(), 2); },
         frameBytes(0x12, {2, 0x40, 0x08}), p64, true, false},
        {"13H", [b = p128](Hid_Thread &h) mutable { h.hid_13H_SetMacroKey(5, b.data()); },
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
         frameBytes(0x80), 0, codes(QStringLiteral("keep"))},
        {"81H", outputs<1>([](Hid_Thread &h, auto &v) { h.hid_81H_GetReportRate(v[0]); }),
         QByteArray::fromHex("00810000000000007e"), 0, QList<int>{0x11}},
        {"82H", outputs<1>([](Hid_Thread &h, auto &v) { h.hid_82H_GetCurrentProfile(v[0]); }),
         frameBytes(0x82), 0, QList<int>{0x11}},
        {"83H",
         outputs<3>([](Hid_Thread &h, auto &v) { h.hid_83H_GetFunctionOption(v[0], v[1], v[2]); }),
         frameBytes(0x83), 0, QList<int>{0x11, 0x22, 0x33}, QList<int>{0, 0, 0}},
        // The bool result in place of the caller's first byte.
        {"87H", outputs<4>([](Hid_Thread &h, auto &v) {
             v[0] = h.hid_87H_GetLEDInstructFunction(2, v[1], v[2], v[3]);
         }),
         frameBytes(0x87, {2}), 0, QList<int>{0, 0x22, 0x33, 0x44}},
        {"8BH", outputs<1>([](Hid_Thread &h, auto &v) { h.hid_8BH_GetCurrentDPIStage(v[0]); }),
         frameBytes(0x8B), 0, QList<int>{0x11}, QList<int>{0}},
        {"8DH",
         outputs<3>([](Hid_Thread &h, auto &v) { h.hid_8DH_GetRGBLedEffect(v[0], v[1], v[2]); }),
         frameBytes(0x8D), 0, QList<int>{0x11, 0x22, 0x33}, QList<int>{0, 0, 0}},
        {"90H type 1",
         block(c24, [](Hid_Thread &h, uchar *b) { h.hid_90H_GetLED8StageColor(1, b); }),
         frameBytes(0x90, {1}), 24, ints(c24)},
        // The length (4) is read, not announced: byte 3 stays 0.
        {"90H type 2",
         block(c24, [](Hid_Thread &h, uchar *b) { h.hid_90H_GetLED8StageColor(2, b); }),
         QByteArray::fromHex("00900200000000006d"), 4, ints(c24)},
        {"91H",
         [c8](Hid_Thread &h) {
             uchar stages = 0x55;
             QList<uchar> b = c8;
             const bool ok = h.hid_91H_GetDPISet(stages, b.data());
             return QList<int>{ok, stages} + ints(b);
         },
         frameBytes(0x91), 8, QList<int>{0, 0x55} + ints(c8)},
        {"92H", block(c64, [](Hid_Thread &h, uchar *b) { h.hid_92H_GetKeyMatrix(b); }),
         frameBytes(0x92, {1}), 64, ints(c64)},
        {"93H", block(c128, [](Hid_Thread &h, uchar *b) { h.hid_93H_GetMacroKey(7, b); }),
         frameBytes(0x93, {7}), 128, ints(c128)},
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
    void getsHandBackTheAnswer();
    void versionText_data();
    void versionText();
    void partialDataPhaseKeepsCallerBytes();
};

void TestMouseCommands::getsHandBackTheAnswer()
{
    MouseFirmwareOptions options;
    options.stageCount = 6;
    CommandRig rig(mouse(options), mouseRow());
    rig.link.hid_07H_SetLEDInstructFunction(1, 9, 8, 7);
    rig.settle();
    QList<uchar> indices = pattern(4, 0x60);
    rig.link.hid_10H_SetLED8StageColor(2, indices.data());
    rig.settle();

    uchar o1 = 0, o2 = 0, o3 = 0;
    QVERIFY(rig.link.hid_87H_GetLEDInstructFunction(1, o1, o2, o3));
    QCOMPARE((QList<int>{o1, o2, o3}), (QList<int>{9, 8, 7}));
    uchar stages = 0;
    QList<uchar> stageBytes(8, 0);
    QVERIFY(rig.link.hid_91H_GetDPISet(stages, stageBytes.data()));
    QCOMPARE(stages, uchar(6));
    // Type 2 moves 4 bytes; the caller's other 20 stay as they were.
    QList<uchar> caller = pattern(24, 0xA0);
    rig.link.hid_90H_GetLED8StageColor(2, caller.data());
    QCOMPARE(caller.mid(0, 4), indices);
    QCOMPARE(caller.mid(4), pattern(24, 0xA0).mid(4));
}

void TestMouseCommands::versionText_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<QString>("text");
    QTest::newRow("12.05") << 0x12 << 0x05 << "12.05";
    QTest::newRow("a.0B") << 0x0A << 0x0B << "a.0B";
    QTest::newRow("ff.FF") << 0xFF << 0xFF << "ff.FF";
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
    // One of four input reports arrives: the rest stay the caller's.
    CommandRig rig(mouse(), mouseRow());
    QList<uchar> macro = pattern(128, 0x44);
    rig.link.hid_13H_SetMacroKey(2, macro.data());
    rig.settle();

    rig.bus.fault = FakeHidBus::Fault::SilentInput;
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

QTEST_GUILESS_MAIN(TestMouseCommands)
#include "tst_mouse_commands.moc"
