// The command sets of Hid_Thread: runCommand carries out one row of the
// table in command_set.h, and every hid_ member names its row. A set takes
// the link token, builds its frame and block and hands the exchange to the
// pool; a get runs its exchange here on the caller's thread and writes its
// outputs back.
#include "device/cipher.h"
#include "device/hid_thread.h"

#include <algorithm>

using commandset::Arg;
using commandset::Command;
using commandset::find;

namespace {

struct Frame
{
    std::array<uchar, 9> bytes{};
    int dataLength = 0;
};

// The frame with the arguments in place, its announced length and checksum.
Frame frameOf(const Command &c, std::span<const CommandArg> args)
{
    Frame f;
    f.bytes = c.fixed;
    f.bytes[1] = c.code;
    for (int i = 0; i < c.paramCount; ++i) {
        const commandset::Param &p = c.params[size_t(i)];
        if (p.kind == Arg::In && p.at > 0)
            f.bytes[size_t(p.at)] = *args[size_t(i)].bytes;
    }
    f.dataLength = c.dataLength(f.bytes);
    if (c.lengthAt > 0)
        f.bytes[size_t(c.lengthAt)] = uchar(f.dataLength / c.lengthUnit);
    f.bytes[8] = c.noChecksum ? 0 : frameChecksum(&f.bytes[1]);
    return f;
}

// What a get's reply holds before the exchange, and what a failed exchange
// hands back: the code with the caller's values at the positions read back,
// or zeros where the command says so.
std::array<uchar, 9> replyTemplate(const Command &c, std::span<const CommandArg> args)
{
    std::array<uchar, 9> reply{};
    if (c.zeroTemplate)
        return reply;
    reply[1] = c.code;
    if (c.outputsOnSuccess)
        return reply;
    for (int i = 0; i < c.paramCount; ++i) {
        const commandset::Param &p = c.params[size_t(i)];
        if (p.kind == Arg::Out)
            reply[size_t(p.at)] = *args[size_t(i)].bytes;
        else if (p.kind == Arg::In && p.echo > 0)
            reply[size_t(p.echo)] = *args[size_t(i)].bytes;
    }
    return reply;
}

// Major part lower-case without padding, minor part two upper-case digits:
// 01 0A reads "1.0A", 0A 0B reads "a.0B".
QString versionText(uchar major, uchar minor)
{
    return QString::number(major, 16) + u'.' +
           QStringLiteral("%1").arg(minor, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

bool Hid_Thread::runCommand(const Command &c, std::span<const CommandArg> args)
{
    Q_ASSERT(args.size() == size_t(c.paramCount));
    const Frame f = frameOf(c, args);
    const int b = c.blockParam();
    if (!c.isGet()) {
        SetRequest request;
        request.frame = f.bytes;
        if (b >= 0)
            request.data = blockOf(args[size_t(b)].bytes, f.dataLength);
        request.waitAck = c.waitAck;
        request.pauseAfter = c.pauseAfter;
        dispatchSet(request);
        return true;
    }

    if (!beginGet(c.code))
        return false;
    frame = f.bytes;
    reply = replyTemplate(c, args);
    if (b >= 0)
        std::copy_n(args[size_t(b)].bytes, f.dataLength, data.begin());
    const bool ok = readTransaction(f.dataLength);
    if (!ok && c.outputsOnSuccess)
        return false;
    for (int i = 0; i < c.paramCount; ++i) {
        const commandset::Param &p = c.params[size_t(i)];
        const CommandArg &arg = args[size_t(i)];
        if (p.kind == Arg::Out)
            *arg.bytes = reply[size_t(p.at)];
        else if (p.kind == Arg::Version)
            *arg.text = versionText(reply[size_t(p.at)], reply[size_t(p.at) + 1]);
        else if (p.kind == Arg::Block)
            std::copy_n(data.begin(), f.dataLength, arg.bytes);
    }
    return ok;
}

// ------------------------------------------------------------ the keyboard's

void Hid_Thread::hid_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    runCommand(find("hid_03H_SetKeyboardoption"), {byte1, byte2, byte3, byte4});
}

void Hid_Thread::hid_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                              uchar index)
{
    runCommand(find("hid_04H_SetButtonSensitivity"), {sens1, sens2, sens3, sens4, index});
}

void Hid_Thread::hid_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
{
    runCommand(find("hid_07H_SetControlIndicatorLight"), {effect, frequenty});
}

void Hid_Thread::hid_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light,
                                    uchar color, uchar direction)
{
    runCommand(find("hid_08H_SetLEDType"), {option, effect, speed, light, color, direction});
}

void Hid_Thread::hid_09H_SetKeyboardMode(uchar mode)
{
    runCommand(find("hid_09H_SetKeyboardMode"), {mode});
}

void Hid_Thread::hid_0DH_SetKeyMatrix(uchar *src512)
{
    runCommand(find("hid_0DH_SetKeyMatrix"), {src512});
}

void Hid_Thread::hid_0EH_SetKeyOnOff(uchar *src21)
{
    runCommand(find("hid_0EH_SetKeyOnOff"), {src21});
}

void Hid_Thread::hid_11H_SetMacroKey(uchar macroId, uchar *src192)
{
    runCommand(find("hid_11H_SetMacroKey"), {macroId, src192});
}

void Hid_Thread::hid_12H_SetUserPicture(uchar index, uchar option, uchar *src512)
{
    runCommand(find("hid_12H_SetUserPicture"), {index, option, src512});
}

void Hid_Thread::hid_13H_SetRecoveryData()
{
    runCommand(find("hid_13H_SetRecoveryData"), {});
}

void Hid_Thread::hid_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
{
    runCommand(find("hid_14H_SetColor"), {index, rValue, gValue, bValue});
}

void Hid_Thread::hid_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    runCommand(find("hid_83H_GetKeyboardoption"), {byte1, byte2, byte3, byte4});
}

void Hid_Thread::hid_84H_GetButtonSensitivity(uchar &sens1, uchar &sens2, uchar &sens3,
                                              uchar &sens4)
{
    runCommand(find("hid_84H_GetButtonSensitivity"), {sens1, sens2, sens3, sens4});
}

void Hid_Thread::hid_88H_GetLEDType(uchar &effect, uchar &speed, uchar &light, uchar &color,
                                    uchar &direction)
{
    runCommand(find("hid_88H_GetLEDType"), {effect, speed, light, color, direction});
}

void Hid_Thread::hid_89H_GetKeyboardMode(uchar &mode)
{
    runCommand(find("hid_89H_GetKeyboardMode"), {mode});
}

void Hid_Thread::hid_8DH_GetKeyMatrix(uchar *src512)
{
    runCommand(find("hid_8DH_GetKeyMatrix"), {src512});
}

void Hid_Thread::hid_8EH_GetKeyOnOff(uchar *src21)
{
    runCommand(find("hid_8EH_GetKeyOnOff"), {src21});
}

void Hid_Thread::hid_91H_GetMacroKey(uchar macroId, uchar *src192)
{
    runCommand(find("hid_91H_GetMacroKey"), {macroId, src192});
}

void Hid_Thread::hid_92H_GetUserPicture(uchar index, uchar *src512)
{
    runCommand(find("hid_92H_GetUserPicture"), {index, src512});
}

void Hid_Thread::hid_94H_GetColor(uchar index, uchar &rValue, uchar &gValue, uchar &bValue)
{
    runCommand(find("hid_94H_GetColor"), {index, rValue, gValue, bValue});
}

// ------------------------------------------------------------ the mouse's

void Hid_Thread::hid_01H_SetReportRate(uchar rate)
{
    runCommand(find("hid_01H_SetReportRate"), {rate});
}

void Hid_Thread::hid_02H_SetCurrentProfile(uchar profile)
{
    runCommand(find("hid_02H_SetCurrentProfile"), {profile});
}

void Hid_Thread::hid_03H_SetFunctionOption(uchar type, uchar rate, uchar option1, uchar option2)
{
    runCommand(find("hid_03H_SetFunctionOption"), {type, rate, option1, option2});
}

void Hid_Thread::hid_07H_SetLEDInstructFunction(uchar type, uchar option1, uchar option2,
                                                uchar option3)
{
    runCommand(find("hid_07H_SetLEDInstructFunction"), {type, option1, option2, option3});
}

void Hid_Thread::hid_0BH_SetCurrentDPIStage(uchar dpiStage)
{
    runCommand(find("hid_0BH_SetCurrentDPIStage"), {dpiStage});
}

void Hid_Thread::hid_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    runCommand(find("hid_0DH_SetRGBLedEffect"), {effect, option1, option2});
}

void Hid_Thread::hid_10H_SetLED8StageColor(uchar type, uchar *src24)
{
    runCommand(find("hid_10H_SetLED8StageColor"), {type, src24});
}

void Hid_Thread::hid_11H_SetDPISet(uchar dpiStage, uchar *src8)
{
    runCommand(find("hid_11H_SetDPISet"), {dpiStage, src8});
}

void Hid_Thread::hid_12H_SetKeyMatrix(uchar *src64, uchar index)
{
    runCommand(find("hid_12H_SetKeyMatrix"), {src64, index});
}

void Hid_Thread::hid_13H_SetMacroKey(uchar macroId, uchar *src128)
{
    runCommand(find("hid_13H_SetMacroKey"), {macroId, src128});
}

void Hid_Thread::hid_80H_GetFWVersion(QString &version)
{
    runCommand(find("hid_80H_GetFWVersion"), {version});
}

void Hid_Thread::hid_81H_GetReportRate(uchar &rate)
{
    runCommand(find("hid_81H_GetReportRate"), {rate});
}

void Hid_Thread::hid_82H_GetCurrentProfile(uchar &profile)
{
    runCommand(find("hid_82H_GetCurrentProfile"), {profile});
}

void Hid_Thread::hid_83H_GetFunctionOption(uchar &type, uchar &option1, uchar &option2)
{
    runCommand(find("hid_83H_GetFunctionOption"), {type, option1, option2});
}

bool Hid_Thread::hid_87H_GetLEDInstructFunction(uchar type, uchar &option1, uchar &option2,
                                                uchar &option3)
{
    return runCommand(find("hid_87H_GetLEDInstructFunction"), {type, option1, option2, option3});
}

void Hid_Thread::hid_8BH_GetCurrentDPIStage(uchar &dpiStage)
{
    runCommand(find("hid_8BH_GetCurrentDPIStage"), {dpiStage});
}

void Hid_Thread::hid_8DH_GetRGBLedEffect(uchar &effect, uchar &option1, uchar &option2)
{
    runCommand(find("hid_8DH_GetRGBLedEffect"), {effect, option1, option2});
}

void Hid_Thread::hid_90H_GetLED8StageColor(uchar type, uchar *src24)
{
    runCommand(find("hid_90H_GetLED8StageColor"), {type, src24});
}

bool Hid_Thread::hid_91H_GetDPISet(uchar &dpiMAXStage, uchar *src8)
{
    return runCommand(find("hid_91H_GetDPISet"), {dpiMAXStage, src8});
}

void Hid_Thread::hid_92H_GetKeyMatrix(uchar *src64)
{
    runCommand(find("hid_92H_GetKeyMatrix"), {src64});
}

void Hid_Thread::hid_93H_GetMacroKey(uchar macroId, uchar *src128)
{
    runCommand(find("hid_93H_GetMacroKey"), {macroId, src128});
}
