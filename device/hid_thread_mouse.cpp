// The mouse command set of Hid_Thread, and the commands both devices share
// (01H, 02H, 80H, 81H, 82H). Every set takes the link token, fills frame (and
// data), hands the exchange to the pool and returns; every get runs its
// exchange here on the caller's thread and unpacks reply and data.
#include "device/hid_thread.h"

#include <QDebug>
#include <algorithm>

namespace {

// A set that could not take the link is dropped with this line.
void logSetDropped(uchar code)
{
    qDebug("cmd Failed %02X", unsigned(code));
}

void logGetDropped()
{
    qDebug("cmd Failed");
}

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
    if (!acquireLink()) {
        logSetDropped(0x01);
        return;
    }
    buildFrame(0x01, rate);
    startWriteTask(0, true);
}

void Hid_Thread::hid_02H_SetCurrentProfile(uchar profile)
{
    if (!acquireLink()) {
        logSetDropped(0x02);
        return;
    }
    buildFrame(0x02, profile);
    startWriteTask(0, false);
    pauseAfterDispatch();
}

void Hid_Thread::hid_03H_SetFunctionOption(uchar type, uchar rate, uchar option1, uchar option2)
{
    if (!acquireLink()) {
        logSetDropped(0x03);
        return;
    }
    buildFrame(0x03, type, rate, option1, option2);
    startWriteTask(0, true);
    pauseAfterDispatch();
}

void Hid_Thread::hid_07H_SetLEDInstructFunction(uchar type, uchar option1, uchar option2,
                                                uchar option3)
{
    if (!acquireLink()) {
        logSetDropped(0x07);
        return;
    }
    buildFrame(0x07, type, option1, option2, option3);
    startWriteTask(0, false);
}

void Hid_Thread::hid_0BH_SetCurrentDPIStage(uchar dpiStage)
{
    if (!acquireLink()) {
        logSetDropped(0x0B);
        return;
    }
    buildFrame(0x0B, dpiStage);
    startWriteTask(0, true);
}

void Hid_Thread::hid_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    if (!acquireLink()) {
        logSetDropped(0x0D);
        return;
    }
    buildFrame(0x0D, effect, option1, option2);
    startWriteTask(0, true);
}

void Hid_Thread::hid_10H_SetLED8StageColor(uchar type, uchar *src24)
{
    if (!acquireLink()) {
        logSetDropped(0x10);
        return;
    }
    // The block is 8 colour indices of 4 bits for type 2, 8 RGB triples
    // otherwise; the frame announces that length as well.
    const int length = colourBlockLength(type);
    buildFrame(0x10, type, uchar(length));
    std::copy_n(src24, length, data.begin());
    startWriteTask(length, true);
}

void Hid_Thread::hid_11H_SetDPISet(uchar dpiStage, uchar *src8)
{
    if (!acquireLink()) {
        logSetDropped(0x11);
        return;
    }
    buildFrame(0x11, dpiStage, kStageBytes);
    std::copy_n(src8, kStageBytes, data.begin());
    startWriteTask(kStageBytes, true);
}

void Hid_Thread::hid_12H_SetKeyMatrix(uchar *src64, uchar index)
{
    if (!acquireLink()) {
        logSetDropped(0x12);
        return;
    }
    // Byte 4 (8) is what the firmware expects here; it is not a length.
    buildFrame(0x12, index, kKeyMatrixBytes, 0x08);
    std::copy_n(src64, kKeyMatrixBytes, data.begin());
    startWriteTask(kKeyMatrixBytes, true);
}

void Hid_Thread::hid_13H_SetMacroKey(uchar macroId, uchar *src128)
{
    if (!acquireLink()) {
        logSetDropped(0x13);
        return;
    }
    buildFrame(0x13, macroId, kMacroBytes);
    std::copy_n(src128, kMacroBytes, data.begin());
    startWriteTask(kMacroBytes, true);
}

// ---------------------------------------------------------------- gets

void Hid_Thread::hid_80H_GetFWVersion(QString &version)
{
    if (!acquireLink()) {
        logGetDropped();
        return;
    }
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
    if (!acquireLink()) {
        logGetDropped();
        return;
    }
    buildFrame(0x81);
    reply = {0, 0x81, rate};
    readTransaction(0);
    rate = reply[2];
}

void Hid_Thread::hid_82H_GetCurrentProfile(uchar &profile)
{
    if (!acquireLink()) {
        logGetDropped();
        return;
    }
    buildFrame(0x82);
    reply = {0, 0x82, profile};
    readTransaction(0);
    profile = reply[2];
}

void Hid_Thread::hid_83H_GetFunctionOption(uchar &type, uchar &option1, uchar &option2)
{
    if (!acquireLink()) {
        logGetDropped();
        return;
    }
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
    if (!acquireLink()) {
        logGetDropped();
        return false;
    }
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
    if (!acquireLink()) {
        logGetDropped();
        return;
    }
    buildFrame(0x8B);
    reply = {};
    readTransaction(0);
    dpiStage = reply[2];
}

void Hid_Thread::hid_8DH_GetRGBLedEffect(uchar &effect, uchar &option1, uchar &option2)
{
    if (!acquireLink()) {
        logGetDropped();
        return;
    }
    buildFrame(0x8D);
    reply = {};
    readTransaction(0);
    effect = reply[2];
    option1 = reply[3];
    option2 = reply[4];
}

void Hid_Thread::hid_90H_GetLED8StageColor(uchar type, uchar *src24)
{
    if (!acquireLink()) {
        logGetDropped();
        return;
    }
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
    if (!acquireLink()) {
        logGetDropped();
        return false;
    }
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
    if (!acquireLink()) {
        logGetDropped();
        return;
    }
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
    if (!acquireLink()) {
        logGetDropped();
        return;
    }
    buildFrame(0x93, macroId);
    reply = {0, 0x93};
    std::copy_n(src128, kMacroBytes, data.begin());
    readTransaction(kMacroBytes);
    std::copy_n(data.begin(), kMacroBytes, src128);
}
