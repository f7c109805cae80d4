// The keyboard command set of Hid_Thread. Same shape as the mouse's: sets
// hand their exchange to the pool, gets run theirs on the caller's thread.
// The keyboard's data commands announce their block as a count of 64-byte
// reports (or bytes, for 0EH) in P3, whatever the report length of the
// device addressed.
#include "device/hid_thread.h"

#include <algorithm>

namespace {

constexpr int kKeyMatrixBytes = 512;
constexpr int kKeyOnOffBytes = 21;
constexpr int kMacroBytes = 192;
constexpr int kPictureBytes = 512;

} // namespace

// ---------------------------------------------------------------- sets

void Hid_Thread::hid_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    dispatchSet(setFrame(0x03, {byte1, byte2, byte3, byte4}, false, true));
}

void Hid_Thread::hid_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                              uchar index)
{
    dispatchSet(setFrame(0x04, {sens1, sens2, sens3, sens4, index}, true));
}

void Hid_Thread::hid_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
{
    dispatchSet(setFrame(0x07, {effect, frequenty}, false, true));
}

void Hid_Thread::hid_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light,
                                    uchar color, uchar direction)
{
    dispatchSet(setFrame(0x08, {option, effect, speed, light, color, direction}, true));
}

void Hid_Thread::hid_09H_SetKeyboardMode(uchar mode)
{
    dispatchSet(setFrame(0x09, {mode}, true));
}

void Hid_Thread::hid_0DH_SetKeyMatrix(uchar *src512)
{
    SetRequest request = setFrame(0x0D, {0, 0, 0x08}, true);
    request.data = blockOf(src512, kKeyMatrixBytes);
    dispatchSet(request);
}

void Hid_Thread::hid_0EH_SetKeyOnOff(uchar *src21)
{
    SetRequest request = setFrame(0x0E, {0, 0, kKeyOnOffBytes}, true);
    request.data = blockOf(src21, kKeyOnOffBytes);
    dispatchSet(request);
}

void Hid_Thread::hid_11H_SetMacroKey(uchar macroId, uchar *src192)
{
    SetRequest request = setFrame(0x11, {0, macroId, 0x03}, true);
    request.data = blockOf(src192, kMacroBytes);
    dispatchSet(request);
}

void Hid_Thread::hid_12H_SetUserPicture(uchar index, uchar option, uchar *src512)
{
    SetRequest request = setFrame(0x12, {0, index, 0x08, option}, true);
    request.data = blockOf(src512, kPictureBytes);
    dispatchSet(request);
}

void Hid_Thread::hid_13H_SetRecoveryData()
{
    dispatchSet(setFrame(0x13, {0xFF}, false, true));
}

void Hid_Thread::hid_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
{
    dispatchSet(setFrame(0x14, {0, index, rValue, gValue, bValue}, false, true));
}

// ---------------------------------------------------------------- gets
// The keyboard's reply templates carry the caller's current values at the
// positions read back, so a failed exchange hands those values back.

void Hid_Thread::hid_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    if (!beginGet(0x83))
        return;
    buildFrame(0x83);
    reply = {0, 0x83, byte1, byte2, byte3, byte4};
    readTransaction(0);
    byte1 = reply[2];
    byte2 = reply[3];
    byte3 = reply[4];
    byte4 = reply[5];
}

void Hid_Thread::hid_84H_GetButtonSensitivity(uchar &sens1, uchar &sens2, uchar &sens3,
                                              uchar &sens4)
{
    if (!beginGet(0x84))
        return;
    buildFrame(0x84);
    reply = {0, 0x84, sens1, sens2, sens3, sens4};
    readTransaction(0);
    sens1 = reply[2];
    sens2 = reply[3];
    sens3 = reply[4];
    sens4 = reply[5];
}

void Hid_Thread::hid_88H_GetLEDType(uchar &effect, uchar &speed, uchar &light, uchar &color,
                                    uchar &direction)
{
    if (!beginGet(0x88))
        return;
    buildFrame(0x88);
    reply = {0, 0x88, 0, effect, speed, light, color, direction};
    readTransaction(0);
    effect = reply[3];
    speed = reply[4];
    light = reply[5];
    color = reply[6];
    direction = reply[7];
}

void Hid_Thread::hid_89H_GetKeyboardMode(uchar &mode)
{
    if (!beginGet(0x89))
        return;
    buildFrame(0x89);
    reply = {0, 0x89, mode};
    readTransaction(0);
    mode = reply[2];
}

void Hid_Thread::hid_8DH_GetKeyMatrix(uchar *src512)
{
    if (!beginGet(0x8D))
        return;
    buildFrame(0x8D);
    // The keyboard's firmware takes this one frame with 00H where the
    // checksum (72H) would be.
    frame[8] = 0x00;
    reply = {0, 0x8D};
    std::copy_n(src512, kKeyMatrixBytes, data.begin());
    readTransaction(kKeyMatrixBytes);
    std::copy_n(data.begin(), kKeyMatrixBytes, src512);
}

void Hid_Thread::hid_8EH_GetKeyOnOff(uchar *src21)
{
    if (!beginGet(0x8E))
        return;
    buildFrame(0x8E);
    reply = {0, 0x8E};
    std::copy_n(src21, kKeyOnOffBytes, data.begin());
    readTransaction(kKeyOnOffBytes);
    std::copy_n(data.begin(), kKeyOnOffBytes, src21);
}

void Hid_Thread::hid_91H_GetMacroKey(uchar macroId, uchar *src192)
{
    if (!beginGet(0x91))
        return;
    buildFrame(0x91, 0, macroId);
    reply = {0, 0x91};
    std::copy_n(src192, kMacroBytes, data.begin());
    readTransaction(kMacroBytes);
    std::copy_n(data.begin(), kMacroBytes, src192);
}

void Hid_Thread::hid_92H_GetUserPicture(uchar index, uchar *src512)
{
    if (!beginGet(0x92))
        return;
    buildFrame(0x92, 0, index);
    reply = {0, 0x92};
    std::copy_n(src512, kPictureBytes, data.begin());
    readTransaction(kPictureBytes);
    std::copy_n(data.begin(), kPictureBytes, src512);
}

void Hid_Thread::hid_94H_GetColor(uchar index, uchar &rValue, uchar &gValue, uchar &bValue)
{
    if (!beginGet(0x94))
        return;
    buildFrame(0x94, 0, index);
    reply = {0, 0x94, 0, index, rValue, gValue, bValue};
    readTransaction(0);
    rValue = reply[4];
    gValue = reply[5];
    bValue = reply[6];
}
