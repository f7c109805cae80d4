#pragma once

// The command sets of both devices as data. One row a command says which
// argument lands in which frame byte, how long its data block is and how
// the frame announces it, whether the set waits for the acknowledge and
// pauses after dispatch, and for a get how its reply template is laid out
// and where each output is read back. Hid_Thread runs a row
// (Hid_Thread::runCommand), its hid_ members name one row each, and the
// `--call` command line offers every row by name.
//
// Positions are byte indices of the 9-byte frame: 0 the report id, 1 the
// code, 2..7 the six parameters, 8 the checksum. Reply positions likewise.

#include "device/command_blocks.h"

#include <array>
#include <cstddef>
#include <initializer_list>

class QString;

using uchar = unsigned char;

namespace cmd {

enum class Arg : uchar
{
    In,      // a byte the caller passes (uchar)
    Out,     // a byte handed back from the reply (uchar&)
    Version, // the firmware version text, from reply bytes 2 and 3 (QString&)
    Block,   // the data block: sent, or loaded and read back (uchar*)
};

struct Param
{
    const char *name = nullptr;
    Arg kind = Arg::In;
    int at = 0;     // In: frame byte (0: not in the frame); Out: reply byte
    int echo = 0;   // In: reply byte the template repeats it at (0: none)
    int length = 0; // Block: its size (for colour blocks the larger one)
};

constexpr Param in(const char *name, int frameByte, int echoInReply = 0)
{
    return {name, Arg::In, frameByte, echoInReply, 0};
}
constexpr Param out(const char *name, int replyByte)
{
    return {name, Arg::Out, replyByte, 0, 0};
}
constexpr Param version(const char *name)
{
    return {name, Arg::Version, 2, 0, 0};
}
constexpr Param block(const char *name, int length)
{
    return {name, Arg::Block, 0, 0, length};
}

struct Command
{
    static constexpr int kMaxParams = 6;

    const char *name = nullptr; // the hid_ member
    int device = kMouseDevice;  // the device whose command set it belongs to
    uchar code = 0;
    std::array<Param, kMaxParams> params{};
    int paramCount = 0;
    std::array<uchar, 9> fixed{}; // constant parameter bytes
    int lengthAt = 0;             // frame byte announcing the block (0: none)
    int lengthUnit = 1;           // ... counted in units of this many bytes
    bool colourBlock = false;     // the block's length follows the type in byte 2
    bool waitAck = false;
    bool pauseAfter = false;       // 8 ms on the caller's thread after dispatch
    bool zeroTemplate = false;     // the reply is preset to zeros
    bool outputsOnSuccess = false; // outputs untouched when the exchange fails
    bool returnsResult = false;    // the member returns whether the exchange worked
    bool noChecksum = false;       // byte 8 is sent as 00H

    // Set codes lie below 80H, get codes have bit 7 set.
    constexpr bool isGet() const { return (code & 0x80) != 0; }

    // The position of the block among the parameters, or -1.
    constexpr int blockParam() const
    {
        for (int i = 0; i < paramCount; ++i) {
            if (params[std::size_t(i)].kind == Arg::Block)
                return i;
        }
        return -1;
    }

    // The length of the data phase for a frame with the arguments in place.
    constexpr int dataLength(const std::array<uchar, 9> &frame) const
    {
        if (colourBlock)
            return mouseblock::colourBytes(frame[2]);
        const int b = blockParam();
        return b < 0 ? 0 : params[std::size_t(b)].length;
    }

    // --- building the table (see kCommands)
    constexpr Command ack() const { return with(&Command::waitAck); }
    constexpr Command pause() const { return with(&Command::pauseAfter); }
    constexpr Command colour() const { return with(&Command::colourBlock); }
    constexpr Command zeros() const { return with(&Command::zeroTemplate); }
    constexpr Command unchecked() const { return with(&Command::noChecksum); }
    constexpr Command fix(int frameByte, uchar value) const
    {
        Command c = *this;
        c.fixed[std::size_t(frameByte)] = value;
        return c;
    }
    constexpr Command announce(int frameByte, int unit = 1) const
    {
        Command c = *this;
        c.lengthAt = frameByte;
        c.lengthUnit = unit;
        return c;
    }
    // Outputs are read only after a successful exchange, so the template
    // carries the code alone; the member returns the result when asked to.
    constexpr Command onSuccess(bool returns = false) const
    {
        Command c = with(&Command::outputsOnSuccess);
        c.returnsResult = returns;
        return c;
    }

private:
    constexpr Command with(bool Command::*flag) const
    {
        Command c = *this;
        c.*flag = true;
        return c;
    }
};

constexpr Command row(int device, const char *name, uchar code, std::initializer_list<Param> params)
{
    Command c;
    c.name = name;
    c.device = device;
    c.code = code;
    for (const Param &p : params)
        c.params[std::size_t(c.paramCount++)] = p;
    return c;
}
constexpr Command keyboardRow(const char *name, uchar code, std::initializer_list<Param> params)
{
    return row(kKeyboardDevice, name, code, params);
}
constexpr Command mouseRow(const char *name, uchar code, std::initializer_list<Param> params)
{
    return row(kMouseDevice, name, code, params);
}

namespace kb = keyboardblock;
namespace ms = mouseblock;

// A row: keyboardRow or mouseRow(member, code, parameters), then what the
// row adds:
//   ack()          the set waits for the acknowledge (after frame and block)
//   pause()        8 ms on the caller's thread after dispatch
//   fix(i, v)      frame byte i is always v
//   announce(i, u) frame byte i carries the block's length in units of u bytes
//   colour()       the block's length follows the colour type in byte 2
//   zeros()        the reply template is all zeros (else: the code, and the
//                  caller's values where outputs are read back)
//   onSuccess(r)   outputs only after a successful exchange; r: the member
//                  returns whether it was
//   unchecked()    byte 8 is 00H instead of the checksum
// clang-format off
inline constexpr std::array kCommands = {
    // The keyboard's commands.
    keyboardRow("hid_03H_SetKeyboardoption", 0x03,
        {in("byte1", 2), in("byte2", 3), in("byte3", 4), in("byte4", 5)}).pause(),
    keyboardRow("hid_04H_SetButtonSensitivity", 0x04,
        {in("sens1", 2), in("sens2", 3), in("sens3", 4), in("sens4", 5), in("index", 6)}).ack(),
    keyboardRow("hid_07H_SetControlIndicatorLight", 0x07, {in("effect", 2), in("frequenty", 3)})
        .pause(),
    keyboardRow("hid_08H_SetLEDType", 0x08,
        {in("option", 2), in("effect", 3), in("speed", 4), in("light", 5), in("color", 6),
         in("direction", 7)}).ack(),
    keyboardRow("hid_09H_SetKeyboardMode", 0x09, {in("mode", 2)}).ack(),
    keyboardRow("hid_0DH_SetKeyMatrix", 0x0D, {block("src512", kb::kKeyMatrixBytes)})
        .announce(4, kb::kAnnouncedReportBytes).ack(),
    // The only keyboard block announced in bytes.
    keyboardRow("hid_0EH_SetKeyOnOff", 0x0E, {block("src21", kb::kKeyOnOffBytes)})
        .announce(4).ack(),
    keyboardRow("hid_11H_SetMacroKey", 0x11, {in("macroId", 3), block("src192", kb::kMacroBytes)})
        .announce(4, kb::kAnnouncedReportBytes).ack(),
    keyboardRow("hid_12H_SetUserPicture", 0x12,
        {in("index", 3), in("option", 5), block("src512", kb::kPictureBytes)})
        .announce(4, kb::kAnnouncedReportBytes).ack(),
    keyboardRow("hid_13H_SetRecoveryData", 0x13, {}).fix(2, 0xFF).pause(),
    keyboardRow("hid_14H_SetColor", 0x14,
        {in("index", 3), in("rValue", 4), in("gValue", 5), in("bValue", 6)}).pause(),
    keyboardRow("hid_83H_GetKeyboardoption", 0x83,
        {out("byte1", 2), out("byte2", 3), out("byte3", 4), out("byte4", 5)}),
    keyboardRow("hid_84H_GetButtonSensitivity", 0x84,
        {out("sens1", 2), out("sens2", 3), out("sens3", 4), out("sens4", 5)}),
    keyboardRow("hid_88H_GetLEDType", 0x88,
        {out("effect", 3), out("speed", 4), out("light", 5), out("color", 6),
         out("direction", 7)}),
    keyboardRow("hid_89H_GetKeyboardMode", 0x89, {out("mode", 2)}),
    // The keyboard's firmware takes this one frame with 00H where the
    // checksum (72H) would be.
    keyboardRow("hid_8DH_GetKeyMatrix", 0x8D, {block("src512", kb::kKeyMatrixBytes)}).unchecked(),
    keyboardRow("hid_8EH_GetKeyOnOff", 0x8E, {block("src21", kb::kKeyOnOffBytes)}),
    keyboardRow("hid_91H_GetMacroKey", 0x91, {in("macroId", 3), block("src192", kb::kMacroBytes)}),
    keyboardRow("hid_92H_GetUserPicture", 0x92,
        {in("index", 3), block("src512", kb::kPictureBytes)}),
    keyboardRow("hid_94H_GetColor", 0x94,
        {in("index", 3, 3), out("rValue", 4), out("gValue", 5), out("bValue", 6)}),

    // The mouse's commands; 01H, 02H, 80H, 81H and 82H serve both devices.
    // The mouse's data commands announce their block's length in byte 3.
    mouseRow("hid_01H_SetReportRate", 0x01, {in("rate", 2)}).ack(),
    mouseRow("hid_02H_SetCurrentProfile", 0x02, {in("profile", 2)}).pause(),
    mouseRow("hid_03H_SetFunctionOption", 0x03,
        {in("type", 2), in("rate", 3), in("option1", 4), in("option2", 5)}).ack().pause(),
    mouseRow("hid_07H_SetLEDInstructFunction", 0x07,
        {in("type", 2), in("option1", 3), in("option2", 4), in("option3", 5)}),
    mouseRow("hid_0BH_SetCurrentDPIStage", 0x0B, {in("dpiStage", 2)}).ack(),
    mouseRow("hid_0DH_SetRGBLedEffect", 0x0D, {in("effect", 2), in("option1", 3), in("option2", 4)})
        .ack(),
    mouseRow("hid_10H_SetLED8StageColor", 0x10, {in("type", 2), block("src24", ms::kColourBytes)})
        .colour().announce(3).ack(),
    mouseRow("hid_11H_SetDPISet", 0x11, {in("dpiStage", 2), block("src8", ms::kStageBytes)})
        .announce(3).ack(),
    // Byte 4 (8) is what the firmware expects here; it is not a length.
    mouseRow("hid_12H_SetKeyMatrix", 0x12, {block("src64", ms::kKeyMatrixBytes), in("index", 2)})
        .fix(4, 0x08).announce(3).ack(),
    mouseRow("hid_13H_SetMacroKey", 0x13, {in("macroId", 2), block("src128", ms::kMacroBytes)})
        .announce(3).ack(),
    mouseRow("hid_80H_GetFWVersion", 0x80, {version("version")}).onSuccess(),
    mouseRow("hid_81H_GetReportRate", 0x81, {out("rate", 2)}),
    mouseRow("hid_82H_GetCurrentProfile", 0x82, {out("profile", 2)}),
    // The mouse's 83H, 8BH and 8DH preset zeros: a failed exchange reads as
    // sensor type 0 with every option cleared.
    mouseRow("hid_83H_GetFunctionOption", 0x83,
        {out("type", 2), out("option1", 4), out("option2", 5)}).zeros(),
    mouseRow("hid_87H_GetLEDInstructFunction", 0x87,
        {in("type", 2), out("option1", 3), out("option2", 4), out("option3", 5)})
        .onSuccess(true),
    mouseRow("hid_8BH_GetCurrentDPIStage", 0x8B, {out("dpiStage", 2)}).zeros(),
    mouseRow("hid_8DH_GetRGBLedEffect", 0x8D,
        {out("effect", 2), out("option1", 3), out("option2", 4)}).zeros(),
    // Unlike 10H, the read does not announce its length.
    mouseRow("hid_90H_GetLED8StageColor", 0x90, {in("type", 2), block("src24", ms::kColourBytes)})
        .colour(),
    mouseRow("hid_91H_GetDPISet", 0x91, {out("dpiMAXStage", 2), block("src8", ms::kStageBytes)})
        .onSuccess(true),
    // Only the plain matrix (index 1) is read back; the press-gun matrices
    // are rebuilt from the profile whenever they are sent.
    mouseRow("hid_92H_GetKeyMatrix", 0x92, {block("src64", ms::kKeyMatrixBytes)}).fix(2, 1),
    mouseRow("hid_93H_GetMacroKey", 0x93, {in("macroId", 2), block("src128", ms::kMacroBytes)}),
};
// clang-format on

// The row of a device's command, found while compiling: a code the device
// lacks does not build.
consteval const Command &rowOf(int device, uchar code)
{
    for (const Command &c : kCommands) {
        if (c.device == device && c.code == code)
            return c;
    }
    throw "no such command";
}
consteval const Command &keyboard(uchar code)
{
    return rowOf(kKeyboardDevice, code);
}
consteval const Command &mouse(uchar code)
{
    return rowOf(kMouseDevice, code);
}

// The row of a name given at run time, or null.
const Command *lookup(const QString &name);

} // namespace cmd

// One argument of a command as its caller holds it: a byte (read from, or
// written back for an output), a block, or the version text.
struct CommandArg
{
    // Implicit on purpose: the hid_ members pass their parameters as they
    // are.
    CommandArg(uchar &byte) : bytes(&byte) {}
    CommandArg(uchar *block) : bytes(block) {}
    CommandArg(QString &text) : text(&text) {}
    // A literal 0 would otherwise pass as a null block.
    CommandArg(int) = delete;

    uchar *bytes = nullptr;
    QString *text = nullptr;
};
