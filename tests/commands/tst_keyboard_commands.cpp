// The keyboard command set against the virtual keyboard's firmware: frames
// byte for byte, blocks in 65-byte reports, pauses, failed exchanges.
#include "command_rig.h"
#include "sim/keyboard_firmware.h"

#include <QTest>

namespace {

QList<SetCase> setCases()
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

QList<GetCase> getCases()
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
};

QTEST_GUILESS_MAIN(TestKeyboardCommands)
#include "tst_keyboard_commands.moc"
