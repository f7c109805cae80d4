#include "macro/encoder/macro_encoder.h"

#include "device/command_blocks.h"
#include "macro/keys/key_names.h"
#include "macro/library/macro_line.h"

#include <algorithm>

namespace {

constexpr qint64 longestFoldedMs = 1270;
constexpr qint64 longestShortMs = 5100;

void appendWord(QList<uchar> &stream, qint64 value)
{
    // Delays beyond 16 bits saturate rather than wrap into a short pause.
    const qint64 t = std::clamp<qint64>(value, 0, 0xFFFF);
    stream.append(uchar(t >> 8));
    stream.append(uchar(t & 0xFF));
}

qint64 mouseTicks(qint64 ms)
{
    return (std::max<qint64>(ms, 20) + 10) / 20;
}

MacroBlock makeBlock(QList<uchar> stream, int blockSize, int macroId)
{
    MacroBlock block;
    block.macroId = std::uint8_t(macroId & 0xFF);
    block.cut = stream.size() > blockSize;
    block.bytes = QByteArray(blockSize, '\0');
    const qsizetype n = std::min<qsizetype>(stream.size(), blockSize);
    std::copy_n(stream.cbegin(), n, block.bytes.begin());
    return block;
}

} // namespace

QList<uchar> MacroEncoder::encode(const QStringList &lines, int currentDeviceId)
{
    QList<uchar> stream{0x00, 0x01};
    bool previousWasKeyRecord = false;
    for (const QString &text : lines) {
        const MacroLine line = MacroLine::split(text);
        bool keyRecord = false;
        switch (line.kind) {
        case MacroLine::Kind::Down:
        case MacroLine::Kind::Up: {
            const uchar usage = KeyNames::usageForName(line.value);
            if (usage != 0) {
                stream.append(line.kind == MacroLine::Kind::Up ? 0x81 : 0x01);
                stream.append(usage);
                keyRecord = true;
            }
            break;
        }
        case MacroLine::Kind::Delay: {
            bool ok = false;
            const qint64 ms = line.value.toLongLong(&ok, 10);
            // A negative pause has no meaning for the device; treat it like
            // a value that is not a number.
            if (!ok || ms <= 0)
                break;
            if (currentDeviceId == kMouseDevice) {
                if (ms <= longestFoldedMs && previousWasKeyRecord) {
                    uchar &event = stream[stream.size() - 2];
                    event = uchar((event & 0x80) | ((std::max<qint64>(ms, 10) + 5) / 10));
                } else if (ms > longestFoldedMs && ms <= longestShortMs) {
                    stream.append(uchar(mouseTicks(ms)));
                    stream.append(0x01);
                } else {
                    stream.append(0x00);
                    stream.append(0x01);
                    appendWord(stream, mouseTicks(ms));
                }
            } else if (currentDeviceId == kKeyboardDevice) {
                stream.append(0x7F);
                stream.append(0x00);
                appendWord(stream, ms / 10);
            }
            break;
        }
        case MacroLine::Kind::Invalid:
            break;
        }
        previousWasKeyRecord = keyRecord;
    }
    stream.append(0x00);
    stream.append(0x00);
    return stream;
}

MacroBlock MacroEncoder::mouseBlock(int macroId, const QStringList &lines, uint repeat,
                                    int currentDeviceId)
{
    QList<uchar> stream = encode(lines, currentDeviceId);
    stream[0] = uchar((repeat >> 8) & 0xFF);
    stream[1] = uchar(repeat & 0xFF);
    return makeBlock(std::move(stream), mouseblock::kMacroBytes, macroId);
}

MacroBlock MacroEncoder::keyboardBlock(int macroId, const QStringList &lines, int currentDeviceId)
{
    return makeBlock(encode(lines, currentDeviceId), keyboardblock::kMacroBytes, macroId);
}
