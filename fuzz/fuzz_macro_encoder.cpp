// Macro lines of any text, encoded for the mouse, the keyboard and any other
// device id. Most lines are built like the page builds them (a key name or a
// number, then a command) so that the fuzzer reaches every record kind;
// others are arbitrary text.
//
// Properties: the stream starts with the header 00 01 and ends with the end
// record 00 00; a block has exactly its device's size, starts with the
// stream (play count in the mouse header) and is cut exactly when the stream
// is longer.

#include "device/command_blocks.h"
#include "fuzz_support.h"
#include "macro/encoder/macro_encoder.h"
#include "macro/keys/key_names.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

const QString commands[] = {QStringLiteral("    [Down]"), QStringLiteral("      [Up]"),
                            QStringLiteral("   [Delay]")};

QString nextLine(FuzzedDataProvider &in)
{
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: { // a key or button name
        const auto keys = KeyNames::keyboardEntries();
        const auto buttons = KeyNames::mouseEntries();
        const size_t pick = in.ConsumeIntegralInRange<size_t>(0, keys.size() + buttons.size());
        const QString name = pick < keys.size() ? QString::fromUtf16(keys[pick].name)
                             : pick < keys.size() + buttons.size()
                                 ? QString::fromUtf16(buttons[pick - keys.size()].name)
                                 : QStringLiteral("NoSuchKey");
        return name + commands[in.ConsumeIntegralInRange(0, 2)];
    }
    case 1: // a delay, or a number with another command
        return QString::number(in.ConsumeIntegralInRange<qint64>(-100, 100000)) +
               commands[in.ConsumeIntegralInRange(0, 2)];
    default:
        return QString::fromUtf8(in.ConsumeRandomLengthString(40));
    }
}

void checkStream(const QList<uchar> &stream)
{
    FUZZ_CHECK(stream.size() >= 4);
    FUZZ_CHECK(stream[0] == 0x00 && stream[1] == 0x01);
    FUZZ_CHECK(stream[stream.size() - 2] == 0x00 && stream.last() == 0x00);
}

void checkBlock(const MacroBlock &block, QList<uchar> stream, int size, int repeat)
{
    FUZZ_CHECK(block.bytes.size() == size);
    FUZZ_CHECK(block.cut == (stream.size() > size));
    if (repeat >= 0) {
        stream[0] = uchar(repeat >> 8);
        stream[1] = uchar(repeat);
    }
    for (qsizetype i = 0; i < size; ++i)
        FUZZ_CHECK(uchar(block.bytes[i]) == (i < stream.size() ? stream[i] : 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool started = (fuzzsupport::startQt(), true);
    (void)started;
    FuzzedDataProvider in(data, size);
    const int device = in.ConsumeIntegralInRange(-1, 2);
    const int macroId = in.ConsumeIntegral<uint8_t>();
    const uint repeat = in.ConsumeIntegral<uint16_t>();
    QStringList lines;
    while (in.remaining_bytes() > 0 && lines.size() < 200)
        lines.append(nextLine(in));

    const QList<uchar> stream = MacroEncoder::encode(lines, device);
    checkStream(stream);
    checkBlock(MacroEncoder::mouseBlock(macroId, lines, repeat, device), stream,
               mouseblock::kMacroBytes, int(repeat));
    checkBlock(MacroEncoder::keyboardBlock(macroId, lines, device), stream,
               keyboardblock::kMacroBytes, -1);
    return 0;
}
