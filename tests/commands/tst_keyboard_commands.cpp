// The keyboard command set against the virtual keyboard's firmware behind a
// recording bus (64-byte reports): frames byte for byte, blocks in 65-byte
// reports, pauses, round trips, failed exchanges and the busy link; and the
// keyboard-named option commands the press-gun operation sends to the mouse.
#include "command_rig.h"
#include "sim/keyboard_firmware.h"
#include "sim/mouse_firmware.h"

#include <QTest>

namespace {

QList<SetCase> setCases()
{
    const QList<uchar> p21 = pattern(21, 0x15);
    const QList<uchar> p192 = pattern(192, 0x25);
    const QList<uchar> p512 = pattern(512, 0x35);
    return {
        {"03H",
         [](Hid_Thread &h) {
             h.hid_03H_SetKeyboardoption(1, 2, 3, 4);
             return QList<int>{};
         },
         frameBytes(0x03, {1, 2, 3, 4}),
         {},
         false,
         true},
        {"04H",
         [](Hid_Thread &h) {
             h.hid_04H_SetButtonSensitivity(5, 6, 7, 8, 2);
             return QList<int>{};
         },
         frameBytes(0x04, {5, 6, 7, 8, 2}),
         {},
         true,
         false},
        {"07H",
         [](Hid_Thread &h) {
             h.hid_07H_SetControlIndicatorLight(1, 2);
             return QList<int>{};
         },
         frameBytes(0x07, {1, 2}),
         {},
         false,
         true},
        {"08H",
         [](Hid_Thread &h) {
             h.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6);
             return QList<int>{};
         },
         frameBytes(0x08, {1, 2, 3, 4, 5, 6}),
         {},
         true,
         false},
        {"09H",
         [](Hid_Thread &h) {
             h.hid_09H_SetKeyboardMode(2);
             return QList<int>{};
         },
         frameBytes(0x09, {2}),
         {},
         true,
         false},
        {"0DH",
         [p512](Hid_Thread &h) {
             QList<uchar> b = p512;
             h.hid_0DH_SetKeyMatrix(b.data());
             return QList<int>{};
         },
         frameBytes(0x0D, {0, 0, 8}), p512, true, false},
        {"0EH",
         [p21](Hid_Thread &h) {
             QList<uchar> b = p21;
             h.hid_0EH_SetKeyOnOff(b.data());
             return QList<int>{};
         },
         frameBytes(0x0E, {0, 0, 0x15}), p21, true, false},
        // The macro id in byte 3, the report count 3 in byte 4.
        {"11H",
         [p192](Hid_Thread &h) {
             QList<uchar> b = p192;
             h.hid_11H_SetMacroKey(5, b.data());
             return QList<int>{};
         },
         frameBytes(0x11, {0, 5, 3}), p192, true, false},
        {"12H",
         [p512](Hid_Thread &h) {
             QList<uchar> b = p512;
             h.hid_12H_SetUserPicture(2, 1, b.data());
             return QList<int>{};
         },
         frameBytes(0x12, {0, 2, 8, 1}), p512, true, false},
        {"13H",
         [](Hid_Thread &h) {
             h.hid_13H_SetRecoveryData();
             return QList<int>{};
         },
         QByteArray::fromHex("0013ff0000000000ed"),
         {},
         false,
         true},
        // The index in byte 3, not byte 2.
        {"14H",
         [](Hid_Thread &h) {
             h.hid_14H_SetColor(3, 255, 0, 0);
             return QList<int>{};
         },
         QByteArray::fromHex("00140003ff000000e9"),
         {},
         false,
         true},
    };
}

QList<GetCase> getCases()
{
    const QList<uchar> c21 = pattern(21, 0x61);
    const QList<uchar> c192 = pattern(192, 0x71);
    const QList<uchar> c512 = pattern(512, 0x81);
    return {
        {"83H",
         [](Hid_Thread &h) {
             uchar a = 0x11, b = 0x22, c = 0x33, d = 0x44;
             h.hid_83H_GetKeyboardoption(a, b, c, d);
             return QList<int>{a, b, c, d};
         },
         frameBytes(0x83),
         0,
         {0x11, 0x22, 0x33, 0x44}},
        {"84H",
         [](Hid_Thread &h) {
             uchar a = 0x11, b = 0x22, c = 0x33, d = 0x44;
             h.hid_84H_GetButtonSensitivity(a, b, c, d);
             return QList<int>{a, b, c, d};
         },
         frameBytes(0x84),
         0,
         {0x11, 0x22, 0x33, 0x44}},
        {"88H",
         [](Hid_Thread &h) {
             uchar e = 0x11, s = 0x22, l = 0x33, c = 0x44, d = 0x55;
             h.hid_88H_GetLEDType(e, s, l, c, d);
             return QList<int>{e, s, l, c, d};
         },
         frameBytes(0x88),
         0,
         {0x11, 0x22, 0x33, 0x44, 0x55}},
        {"89H",
         [](Hid_Thread &h) {
             uchar mode = 0x66;
             h.hid_89H_GetKeyboardMode(mode);
             return QList<int>{mode};
         },
         frameBytes(0x89),
         0,
         {0x66}},
        // Byte 8 is 00H here, not the checksum 72H.
        {"8DH",
         [c512](Hid_Thread &h) {
             QList<uchar> b = c512;
             h.hid_8DH_GetKeyMatrix(b.data());
             return ints(b);
         },
         QByteArray::fromHex("008d00000000000000"), 512, ints(c512)},
        {"8EH",
         [c21](Hid_Thread &h) {
             QList<uchar> b = c21;
             h.hid_8EH_GetKeyOnOff(b.data());
             return ints(b);
         },
         QByteArray::fromHex("008e00000000000071"), 21, ints(c21)},
        {"91H",
         [c192](Hid_Thread &h) {
             QList<uchar> b = c192;
             h.hid_91H_GetMacroKey(5, b.data());
             return ints(b);
         },
         frameBytes(0x91, {0, 5}), 192, ints(c192)},
        {"92H",
         [c512](Hid_Thread &h) {
             QList<uchar> b = c512;
             h.hid_92H_GetUserPicture(4, b.data());
             return ints(b);
         },
         frameBytes(0x92, {0, 4}), 512, ints(c512)},
        {"94H",
         [](Hid_Thread &h) {
             uchar r = 0x11, g = 0x22, b = 0x33;
             h.hid_94H_GetColor(3, r, g, b);
             return QList<int>{r, g, b};
         },
         frameBytes(0x94, {0, 3}),
         0,
         {0x11, 0x22, 0x33}},
    };
}

std::unique_ptr<KeyboardFirmware> keyboard()
{
    return std::make_unique<KeyboardFirmware>();
}

} // namespace

class TestKeyboardCommands : public CommandSetTest
{
    Q_OBJECT

public:
    TestKeyboardCommands() : CommandSetTest(keyboard, keyboardRow(), 64, setCases, getCases) {}

private slots:
    void setsThenGetsRoundTrip();
    void recoveryResetsKeyboard();
    void optionCommandsServeTheMouse();
};

void TestKeyboardCommands::setsThenGetsRoundTrip()
{
    CommandRig rig(keyboard(), keyboardRow());
    Hid_Thread &h = rig.link;
    const auto settled = [] { CommandRig::settle(); };

    h.hid_03H_SetKeyboardoption(1, 2, 3, 4);
    settled();
    uchar a = 0, b = 0, c = 0, d = 0;
    h.hid_83H_GetKeyboardoption(a, b, c, d);
    QCOMPARE((QList<int>{a, b, c, d}), (QList<int>{1, 2, 3, 4}));

    h.hid_04H_SetButtonSensitivity(5, 6, 7, 8, 1);
    settled();
    h.hid_84H_GetButtonSensitivity(a, b, c, d);
    QCOMPARE((QList<int>{a, b, c, d}), (QList<int>{5, 6, 7, 8}));

    // 88H leaves the option (R2) out and returns R3..R7.
    h.hid_08H_SetLEDType(9, 1, 2, 3, 4, 5);
    settled();
    uchar e = 0, s = 0, l = 0, col = 0, dir = 0;
    h.hid_88H_GetLEDType(e, s, l, col, dir);
    QCOMPARE((QList<int>{e, s, l, col, dir}), (QList<int>{1, 2, 3, 4, 5}));

    h.hid_09H_SetKeyboardMode(2);
    settled();
    uchar mode = 0;
    h.hid_89H_GetKeyboardMode(mode);
    QCOMPARE(mode, uchar(2));

    QList<uchar> matrix = pattern(512, 0x21);
    h.hid_0DH_SetKeyMatrix(matrix.data());
    settled();
    QList<uchar> matrixBack(512, 0);
    h.hid_8DH_GetKeyMatrix(matrixBack.data());
    QCOMPARE(matrixBack, matrix);

    QList<uchar> onOff = pattern(21, 0x31);
    h.hid_0EH_SetKeyOnOff(onOff.data());
    settled();
    QList<uchar> onOffBack(21, 0);
    h.hid_8EH_GetKeyOnOff(onOffBack.data());
    QCOMPARE(onOffBack, onOff);

    QList<uchar> macro = pattern(192, 0x41);
    h.hid_11H_SetMacroKey(5, macro.data());
    settled();
    QList<uchar> macroBack(192, 0);
    h.hid_91H_GetMacroKey(5, macroBack.data());
    QCOMPARE(macroBack, macro);

    QList<uchar> picture = pattern(512, 0x51);
    h.hid_12H_SetUserPicture(3, 1, picture.data());
    settled();
    QList<uchar> pictureBack(512, 0);
    h.hid_92H_GetUserPicture(3, pictureBack.data());
    QCOMPARE(pictureBack, picture);

    h.hid_14H_SetColor(3, 255, 10, 20);
    settled();
    uchar r = 0, g = 0, bl = 0;
    h.hid_94H_GetColor(3, r, g, bl);
    QCOMPARE((QList<int>{r, g, bl}), (QList<int>{255, 10, 20}));
}

void TestKeyboardCommands::recoveryResetsKeyboard()
{
    CommandRig rig(keyboard(), keyboardRow());
    rig.link.hid_09H_SetKeyboardMode(3);
    rig.settle();
    rig.link.hid_13H_SetRecoveryData();
    rig.settle();
    uchar mode = 0x77;
    rig.link.hid_89H_GetKeyboardMode(mode);
    QCOMPARE(mode, uchar(0));
}

void TestKeyboardCommands::optionCommandsServeTheMouse()
{
    // The press-gun operation reads the mouse's option bytes with 83H and
    // writes them back with 03H, then sends the slot with 04H.
    MouseFirmwareOptions options;
    options.sensorType = 1;
    CommandRig rig(std::make_unique<MouseFirmware>(options), mouseRow());
    uchar type = 0, rate = 0, option1 = 0, option2 = 0;
    rig.link.hid_83H_GetKeyboardoption(type, rate, option1, option2);
    QCOMPARE((QList<int>{type, rate, option1, option2}), (QList<int>{1, 1, 0, 0}));

    rig.link.hid_03H_SetKeyboardoption(type, rate, 0x40, 0x08);
    rig.settle();
    rig.link.hid_04H_SetButtonSensitivity(1, 1, 0, 0xFB, 2);
    rig.settle();

    rig.link.hid_83H_GetKeyboardoption(type, rate, option1, option2);
    QCOMPARE((QList<int>{type, rate, option1, option2}), (QList<int>{1, 1, 0x40, 0x08}));
    QCOMPARE(rig.bus.device<MouseFirmware>().pressGunSlot(2),
             (std::array<uint8_t, 4>{1, 1, 0, 0xFB}));
}

QTEST_GUILESS_MAIN(TestKeyboardCommands)
#include "tst_keyboard_commands.moc"
