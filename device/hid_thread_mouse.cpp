// The mouse command set of Hid_Thread, and the commands both devices share
// (01H, 02H, 80H, 81H, 82H). Every set takes the link token, fills frame (and
// data), hands the exchange to the pool and returns; every get runs its
// exchange here on the caller's thread and unpacks reply and data.
#include "device/hid_thread.h"

#include <algorithm>

namespace {

// Payload lengths of the mouse's data commands.
constexpr int kStageBytes = 8;
constexpr int kKeyMatrixBytes = 64;
constexpr int kMacroBytes = 128;

int colourBlockLength(uchar type)
{
    return type == 2 ? 4 : 24;
}

} // namespace

// ---------------------------------------------------------------- sets

void Hid_Thread::hid_01H_SetReportRate(uchar rate)
{
    dispatchSet(setFrame(0x01, {rate}, true));
}

void Hid_Thread::hid_02H_SetCurrentProfile(uchar profile)
{
    dispatchSet(setFrame(0x02, {profile}, false, true));
}

void Hid_Thread::hid_03H_SetFunctionOption(uchar type, uchar rate, uchar option1, uchar option2)
{
    dispatchSet(setFrame(0x03, {type, rate, option1, option2}, true, true));
}

void Hid_Thread::hid_07H_SetLEDInstructFunction(uchar type, uchar option1, uchar option2,
                                                uchar option3)
{
    dispatchSet(setFrame(0x07, {type, option1, option2, option3}, false));
}

void Hid_Thread::hid_0BH_SetCurrentDPIStage(uchar dpiStage)
{
    dispatchSet(setFrame(0x0B, {dpiStage}, true));
}

void Hid_Thread::hid_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    dispatchSet(setFrame(0x0D, {effect, option1, option2}, true));
}

void Hid_Thread::hid_10H_SetLED8StageColor(uchar type, uchar *src24)
{
    // The block is 8 colour indices of 4 bits for type 2, 8 RGB triples
    // otherwise; the frame announces that length as well.
    const int length = colourBlockLength(type);
    SetRequest request = setFrame(0x10, {type, uchar(length)}, true);
    request.data = blockOf(src24, length);
    dispatchSet(request);
}

void Hid_Thread::hid_11H_SetDPISet(uchar dpiStage, uchar *src8)
{
    SetRequest request = setFrame(0x11, {dpiStage, kStageBytes}, true);
    request.data = blockOf(src8, kStageBytes);
    dispatchSet(request);
}

void Hid_Thread::hid_12H_SetKeyMatrix(uchar *src64, uchar index)
{
    // Byte 4 (8) is what the firmware expects here; it is not a length.
    SetRequest request = setFrame(0x12, {index, kKeyMatrixBytes, 0x08}, true);
    request.data = blockOf(src64, kKeyMatrixBytes);
    dispatchSet(request);
}

void Hid_Thread::hid_13H_SetMacroKey(uchar macroId, uchar *src128)
{
    SetRequest request = setFrame(0x13, {macroId, kMacroBytes}, true);
    request.data = blockOf(src128, kMacroBytes);
    dispatchSet(request);
}

// ---------------------------------------------------------------- gets

void Hid_Thread::hid_80H_GetFWVersion(QString &version)
{
    if (!beginGet(0x80))
        return;
    buildFrame(0x80);
    reply = {0, 0x80};
    if (!readTransaction(0))
        return;
    // Major part lower-case without padding, minor part two upper-case
    // digits: 01 0A reads "1.0A", 0A 0B reads "a.0B".
    version = QString::number(reply[2], 16) + u'.' +
              QStringLiteral("%1").arg(reply[3], 2, 16, QLatin1Char('0')).toUpper();
}

void Hid_Thread::hid_81H_GetReportRate(uchar &rate)
{
    if (!beginGet(0x81))
        return;
    buildFrame(0x81);
    reply = {0, 0x81, rate};
    readTransaction(0);
    rate = reply[2];
}

void Hid_Thread::hid_82H_GetCurrentProfile(uchar &profile)
{
    if (!beginGet(0x82))
        return;
    buildFrame(0x82);
    reply = {0, 0x82, profile};
    readTransaction(0);
    profile = reply[2];
}

void Hid_Thread::hid_83H_GetFunctionOption(uchar &type, uchar &option1, uchar &option2)
{
    if (!beginGet(0x83))
        return;
    buildFrame(0x83);
    // The mouse's form presets zeros, so a failed exchange reads as sensor
    // type 0 with every option cleared.
    reply = {};
    readTransaction(0);
    type = reply[2];
    option1 = reply[4];
    option2 = reply[5];
}

bool Hid_Thread::hid_87H_GetLEDInstructFunction(uchar type, uchar &option1, uchar &option2,
                                                uchar &option3)
{
    if (!beginGet(0x87))
        return false;
    buildFrame(0x87, type);
    reply = {0, 0x87};
    if (!readTransaction(0))
        return false;
    option1 = reply[3];
    option2 = reply[4];
    option3 = reply[5];
    return true;
}

void Hid_Thread::hid_8BH_GetCurrentDPIStage(uchar &dpiStage)
{
    if (!beginGet(0x8B))
        return;
    buildFrame(0x8B);
    reply = {};
    readTransaction(0);
    dpiStage = reply[2];
}

void Hid_Thread::hid_8DH_GetRGBLedEffect(uchar &effect, uchar &option1, uchar &option2)
{
    if (!beginGet(0x8D))
        return;
    buildFrame(0x8D);
    reply = {};
    readTransaction(0);
    effect = reply[2];
    option1 = reply[3];
    option2 = reply[4];
}

void Hid_Thread::hid_90H_GetLED8StageColor(uchar type, uchar *src24)
{
    if (!beginGet(0x90))
        return;
    // Unlike 10H, the read does not announce its length in the frame.
    const int length = colourBlockLength(type);
    buildFrame(0x90, type);
    reply = {0, 0x90};
    std::copy_n(src24, length, data.begin());
    readTransaction(length);
    std::copy_n(data.begin(), length, src24);
}

bool Hid_Thread::hid_91H_GetDPISet(uchar &dpiMAXStage, uchar *src8)
{
    if (!beginGet(0x91))
        return false;
    buildFrame(0x91);
    reply = {0, 0x91};
    std::copy_n(src8, kStageBytes, data.begin());
    if (!readTransaction(kStageBytes))
        return false;
    dpiMAXStage = reply[2];
    std::copy_n(data.begin(), kStageBytes, src8);
    return true;
}

void Hid_Thread::hid_92H_GetKeyMatrix(uchar *src64)
{
    if (!beginGet(0x92))
        return;
    // Only the plain matrix (index 1) is read back; the press-gun matrices
    // are rebuilt from the profile whenever they are sent.
    buildFrame(0x92, 1);
    reply = {0, 0x92};
    std::copy_n(src64, kKeyMatrixBytes, data.begin());
    readTransaction(kKeyMatrixBytes);
    std::copy_n(data.begin(), kKeyMatrixBytes, src64);
}

void Hid_Thread::hid_93H_GetMacroKey(uchar macroId, uchar *src128)
{
    if (!beginGet(0x93))
        return;
    buildFrame(0x93, macroId);
    reply = {0, 0x93};
    std::copy_n(src128, kMacroBytes, data.begin());
    readTransaction(kMacroBytes);
    std::copy_n(data.begin(), kMacroBytes, src128);
}
