// Both command sets against their virtual device's firmware, a row per
// command: every frame byte for byte, the data phase (33-byte reports on the
// mouse, 65-byte on the keyboard), the waits, failed exchanges and a busy
// link; then what the mouse's gets hand back.
#include "command_rig.h"
#include "sim/keyboard_firmware.h"
#include "sim/mouse_firmware.h"

#include <QTest>
#include <array>

namespace {

// A command as a test row sees it: runs it with the row's own caller values
// and returns what came back (a bool result first, then the outputs in
// parameter order, buffers byte by byte).
using Command = std::function<QList<int>(Hid_Thread &)>;

QList<uchar> pattern(int length, int seed)
{
    QList<uchar> bytes(length);
    for (int i = 0; i < length; ++i)
        bytes[i] = uchar(seed + 5 * i);
    return bytes;
}

QList<int> ints(const QList<uchar> &bytes)
{
    return QList<int>(bytes.begin(), bytes.end());
}

QList<int> codes(const QString &text)
{
    QList<int> out;
    for (QChar c : text)
        out << c.unicode();
    return out;
}

// A get with N byte outputs, which the caller sets to 11H, 22H, 33H... first.
template <int N, typename Get> Command outputs(Get get)
{
    return [get](Hid_Thread &h) {
        std::array<uchar, N> v;
        for (int i = 0; i < N; ++i)
            v[size_t(i)] = uchar(0x11 * (i + 1));
        get(h, v);
        return QList<int>(v.begin(), v.end());
    };
}

// A get into a block the caller fills with `bytes` first.
template <typename Get> Command block(const QList<uchar> &bytes, Get get)
{
    return [bytes, get](Hid_Thread &h) {
        QList<uchar> b = bytes;
        get(h, b.data());
        return ints(b);
    };
}

struct SetCase
{
    const char *name;
    std::function<void(Hid_Thread &)> run;
    QByteArray frame;
    QList<uchar> data;
    bool ack;
    bool pause;
};

struct GetCase
{
    const char *name;
    Command run;
    QByteArray frame;
    int dataLength;
    QList<int> callerValues;   // what the caller passed in
    QList<int> onFailure = {}; // what a failed exchange hands back; empty: callerValues

    QList<int> failureValues() const { return onFailure.isEmpty() ? callerValues : onFailure; }
};

QList<SetCase> mouseSets()
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

QList<GetCase> mouseGets()
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

QList<SetCase> keyboardSets()
{
    const QList<uchar> p21 = pattern(21, 0x15);
    const QList<uchar> p192 = pattern(192, 0x25);
    const QList<uchar> p512 = pattern(512, 0x35);
    const QList<uchar> none;
    return {
        {"03H", [](Hid_Thread &h) { h.hid_03H_SetKeyboardoption(1, 2, 3, 4); },
         frameBytes(0x03, {1, 2, 3, 4}), none, false, true},
        {"04H", [](Hid_Thread &h) { h.hid_04H_SetButtonSensitivity(5, 6, 7, 8, 2); },
         frameBytes(0x04, {5, 6, 7, 8, 2}), none, true, false},
        {"07H", [](Hid_Thread &h) { h.hid_07H_SetControlIndicatorLight(1, 2); },
         frameBytes(0x07, {1, 2}), none, false, true},
        {"08H", [](Hid_Thread &h) { h.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6); },
         frameBytes(0x08, {1, 2, 3, 4, 5, 6}), none, true, false},
        {"09H", [](Hid_Thread &h) { h.hid_09H_SetKeyboardMode(2); }, frameBytes(0x09, {2}), none,
         true, false},
        {"0DH", [b = p512](Hid_Thread &h) mutable { h.hid_0DH_SetKeyMatrix(b.data()); },
         frameBytes(0x0D, {0, 0, 8}), p512, true, false},
        {"0EH", [b = p21](Hid_Thread &h) mutable { h.hid_0EH_SetKeyOnOff(b.data()); },
         frameBytes(0x0E, {0, 0, 0x15}), p21, true, false},
        // The macro id in byte 3, the report count 3 in byte 4.
        {"11H", [b = p192](Hid_Thread &h) mutable { h.hid_11H_SetMacroKey(5, b.data()); },
         frameBytes(0x11, {0, 5, 3}), p192, true, false},
        {"12H", [b = p512](Hid_Thread &h) mutable { h.hid_12H_SetUserPicture(2, 1, b.data()); },
         frameBytes(0x12, {0, 2, 8, 1}), p512, true, false},
        {"13H", [](Hid_Thread &h) { h.hid_13H_SetRecoveryData(); },
         QByteArray::fromHex("0013ff0000000000ed"), none, false, true},
        // The index in byte 3, not byte 2.
        {"14H", [](Hid_Thread &h) { h.hid_14H_SetColor(3, 255, 0, 0); },
         QByteArray::fromHex("00140003ff000000e9"), none, false, true},
    };
}

QList<GetCase> keyboardGets()
{
    const QList<uchar> c21 = pattern(21, 0x61);
    const QList<uchar> c192 = pattern(192, 0x71);
    const QList<uchar> c512 = pattern(512, 0x81);
    return {
        {"83H", outputs<4>([](Hid_Thread &h, auto &v) {
             h.hid_83H_GetKeyboardoption(v[0], v[1], v[2], v[3]);
         }),
         frameBytes(0x83), 0, QList<int>{0x11, 0x22, 0x33, 0x44}},
        {"84H", outputs<4>([](Hid_Thread &h, auto &v) {
             h.hid_84H_GetButtonSensitivity(v[0], v[1], v[2], v[3]);
         }),
         frameBytes(0x84), 0, QList<int>{0x11, 0x22, 0x33, 0x44}},
        {"88H", outputs<5>([](Hid_Thread &h, auto &v) {
             h.hid_88H_GetLEDType(v[0], v[1], v[2], v[3], v[4]);
         }),
         frameBytes(0x88), 0, QList<int>{0x11, 0x22, 0x33, 0x44, 0x55}},
        {"89H", outputs<1>([](Hid_Thread &h, auto &v) { h.hid_89H_GetKeyboardMode(v[0]); }),
         frameBytes(0x89), 0, QList<int>{0x11}},
        // Byte 8 is 00H here, not the checksum 72H.
        {"8DH", block(c512, [](Hid_Thread &h, uchar *b) { h.hid_8DH_GetKeyMatrix(b); }),
         QByteArray::fromHex("008d00000000000000"), 512, ints(c512)},
        {"8EH", block(c21, [](Hid_Thread &h, uchar *b) { h.hid_8EH_GetKeyOnOff(b); }),
         QByteArray::fromHex("008e00000000000071"), 21, ints(c21)},
        {"91H", block(c192, [](Hid_Thread &h, uchar *b) { h.hid_91H_GetMacroKey(5, b); }),
         frameBytes(0x91, {0, 5}), 192, ints(c192)},
        {"92H", block(c512, [](Hid_Thread &h, uchar *b) { h.hid_92H_GetUserPicture(4, b); }),
         frameBytes(0x92, {0, 4}), 512, ints(c512)},
        {"94H", outputs<3>([](Hid_Thread &h, auto &v) { h.hid_94H_GetColor(3, v[0], v[1], v[2]); }),
         frameBytes(0x94, {0, 3}), 0, QList<int>{0x11, 0x22, 0x33}},
    };
}

struct CommandSet
{
    const char *device;
    std::function<std::unique_ptr<Firmware>()> firmware;
    DevInfo row;
    int blockBytes; // data bytes per report of the data phase (after the report id)
    QList<SetCase> sets;
    QList<GetCase> gets;

    int reportsFor(qsizetype dataLength) const
    {
        return int((dataLength + blockBytes - 1) / blockBytes);
    }
};

const QList<CommandSet> &commandSets()
{
    static const QList<CommandSet> all{
        {"mouse", [] { return std::unique_ptr<Firmware>(new MouseFirmware); }, mouseRow(), 32,
         mouseSets(), mouseGets()},
        {"keyboard", [] { return std::unique_ptr<Firmware>(new KeyboardFirmware); }, keyboardRow(),
         64, keyboardSets(), keyboardGets()},
    };
    return all;
}

// For every set (or get) of both devices that `pick` takes, a row of its
// device's index, its own and the bus fault.
template <typename Case>
void commandRows(QList<Case> CommandSet::*cases, FakeHidBus::Fault fault = FakeHidBus::Fault::None,
                 const char *faultName = "", bool (*pick)(const Case &) = nullptr)
{
    for (int d = 0; d < commandSets().size(); ++d) {
        const CommandSet &set = commandSets()[d];
        for (int c = 0; c < (set.*cases).size(); ++c)
            if (!pick || pick((set.*cases)[c]))
                QTest::addRow("%s %s%s", set.device, (set.*cases)[c].name, faultName)
                    << d << c << fault;
    }
}

} // namespace

Q_DECLARE_METATYPE(FakeHidBus::Fault)

class TestCommandSets : public QObject
{
    Q_OBJECT

    static void columns()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("command");
        QTest::addColumn<FakeHidBus::Fault>("fault");
    }

    // A busy link drops a command after 255 polls of 8 ms, untouched (each
    // command is tried once more while the test holds the link).
    static bool droppedAfterPolls(const CommandRig &rig)
    {
        return rig.clock.pausesOn(true) == QList<int>(255, 8) &&
               rig.log.of(BusEvent::Open).isEmpty() && !rig.link.isLinkIdle();
    }

private slots:
    void setFrames_data()
    {
        columns();
        commandRows(&CommandSet::sets);
    }

    void setFrames()
    {
        QFETCH(int, device);
        QFETCH(int, command);
        const CommandSet &set = commandSets()[device];
        const SetCase &c = set.sets[command];
        const QByteArray data(reinterpret_cast<const char *>(c.data.constData()), c.data.size());

        CommandRig rig(set.firmware(), set.row);
        const Qt::HANDLE caller = QThread::currentThreadId();
        c.run(rig.link);
        rig.settle();

        QCOMPARE(rig.bus.of(BusEvent::SendFeature), QList<QByteArray>{c.frame});
        QVERIFY(rig.bus.of(BusEvent::GetFeature).isEmpty());

        // The block in output reports, report id 0 first, the rest of the
        // last report zero.
        const QList<QByteArray> writes = rig.bus.of(BusEvent::Write);
        const int reports = set.reportsFor(data.size());
        QCOMPARE(writes.size(), reports);
        QByteArray payload;
        for (const QByteArray &w : writes) {
            QCOMPARE(w.size(), set.blockBytes + 1);
            QCOMPARE(w.at(0), '\0');
            payload += w.mid(1);
        }
        QCOMPARE(payload, data.leftJustified(reports * set.blockBytes, '\0'));
        // The interface is opened afresh before the frame and every report,
        // and closed after each.
        QCOMPARE(rig.log.count(BusEvent::Open), 2 + reports);
        QCOMPARE(rig.bus.openHandles.load(), 0);

        // On the pool: the acknowledge waits around the frame and the block,
        // 8 ms after every report (-1).
        QList<int> steps, expected;
        for (const BusEvent &e : rig.log.all())
            if (e.kind == BusEvent::Write || (e.kind == BusEvent::Sleep && e.thread != caller))
                steps.append(e.kind == BusEvent::Write ? -1 : e.value);
        for (int i = 0; i < reports; ++i)
            expected << -1 << 8;
        if (c.ack)
            expected = QList<int>{64, 64} + expected + QList<int>(reports ? 2 : 0, 64);
        QCOMPARE(steps, expected);
        QCOMPARE(rig.clock.pausesOn(true), c.pause ? QList<int>{8} : QList<int>{});
        QVERIFY(rig.link.isLinkIdle());

        QVERIFY(rig.link.acquireLink());
        rig.log.clear();
        QTest::ignoreMessage(QtDebugMsg,
                             qPrintable("cmd Failed " + QString::fromLatin1(c.name).left(2)));
        c.run(rig.link);
        rig.settle();
        QVERIFY(droppedAfterPolls(rig));
    }

    void getFrames_data()
    {
        columns();
        commandRows(&CommandSet::gets);
    }

    void getFrames()
    {
        QFETCH(int, device);
        QFETCH(int, command);
        const CommandSet &set = commandSets()[device];
        const GetCase &c = set.gets[command];

        CommandRig rig(set.firmware(), set.row);
        c.run(rig.link);

        QCOMPARE(rig.bus.of(BusEvent::SendFeature), QList<QByteArray>{c.frame});
        // The device answered (the keyboard takes 8DH's zero checksum).
        QCOMPARE(rig.bus.of(BusEvent::GetFeature).size(), 1);
        QVERIFY(!rig.bus.of(BusEvent::GetFeature).first().isEmpty());
        QCOMPARE(rig.bus.of(BusEvent::Read).size(), set.reportsFor(c.dataLength));
        QVERIFY(rig.bus.of(BusEvent::Write).isEmpty());
        // Gets neither wait for an acknowledge nor pause.
        QVERIFY(rig.log.of(BusEvent::Sleep).isEmpty());
        QVERIFY(rig.link.isLinkIdle());

        QVERIFY(rig.link.acquireLink());
        rig.log.clear();
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed");
        QCOMPARE(c.run(rig.link), c.callerValues);
        QVERIFY(droppedAfterPolls(rig));
    }

    void failedExchange_data()
    {
        columns();
        commandRows(&CommandSet::gets, FakeHidBus::Fault::Gone, ", gone");
        commandRows(&CommandSet::gets, FakeHidBus::Fault::RefuseFrame, ", refusing");
        commandRows(&CommandSet::gets, FakeHidBus::Fault::SilentReply, ", silent reply");
        // Without a data phase a silent input changes nothing.
        commandRows<GetCase>(&CommandSet::gets, FakeHidBus::Fault::SilentInput, ", silent input",
                             [](const GetCase &c) { return c.dataLength > 0; });
    }

    void failedExchange()
    {
        QFETCH(int, device);
        QFETCH(int, command);
        QFETCH(FakeHidBus::Fault, fault);
        const CommandSet &set = commandSets()[device];
        const GetCase &c = set.gets[command];

        CommandRig rig(set.firmware(), set.row);
        rig.bus.fault = fault;
        QCOMPARE(c.run(rig.link), c.failureValues());
        QVERIFY(rig.link.isLinkIdle());
        QCOMPARE(rig.bus.openHandles.load(), 0);
        if (fault == FakeHidBus::Fault::Gone)
            QVERIFY(rig.bus.reports().isEmpty());
    }

    // The outputs of a good exchange: bytes, a bool result, the version
    // text, and the 4 bytes of a type 2 colour block.
    void getsHandBackTheAnswer()
    {
        MouseFirmwareOptions options;
        options.stageCount = 6;
        options.fwMajor = 0x1A;
        options.fwMinor = 0x1F;
        CommandRig rig(std::make_unique<MouseFirmware>(options));
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
        // Major part lower-case, minor part two upper-case digits.
        QString version;
        rig.link.hid_80H_GetFWVersion(version);
        QCOMPARE(version, QStringLiteral("1a.1F"));
        // Type 2 moves 4 bytes; the caller's other 20 stay as they were.
        QList<uchar> caller = pattern(24, 0xA0);
        rig.link.hid_90H_GetLED8StageColor(2, caller.data());
        QCOMPARE(caller.mid(0, 4), indices);
        QCOMPARE(caller.mid(4), pattern(24, 0xA0).mid(4));
    }

    void partialDataPhaseKeepsCallerBytes()
    {
        // One of four input reports arrives: the rest stay the caller's.
        CommandRig rig(std::make_unique<MouseFirmware>());
        QList<uchar> macro = pattern(128, 0x44);
        rig.link.hid_13H_SetMacroKey(2, macro.data());
        rig.settle();

        rig.bus.fault = FakeHidBus::Fault::SilentInput;
        rig.bus.inputsBeforeSilence = 1;
        QList<uchar> caller = pattern(128, 0xC0);
        rig.link.hid_93H_GetMacroKey(2, caller.data());
        QCOMPARE(caller.mid(0, 32), macro.mid(0, 32));
        QCOMPARE(caller.mid(32), pattern(128, 0xC0).mid(32));
        QCOMPARE(rig.link.lastGetOutcome().code, uchar(0x93));
        QCOMPARE(rig.link.lastGetOutcome().result, LinkResult::ReadFailed);
    }
};

QTEST_GUILESS_MAIN(TestCommandSets)
#include "tst_command_sets.moc"
