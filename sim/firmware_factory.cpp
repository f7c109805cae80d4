#include "sim/firmware_factory.h"

namespace {

// A device that knows every frame: it answers with the command code and
// zeros, acknowledges every set, and takes or gives the data block that the
// command's frame announces. Enough for the transport; the real command sets
// keep device state.
class GenericFirmware final : public Firmware
{
public:
    explicit GenericFirmware(bool keyboard) : keyboard(keyboard) {}

    FrameOutcome onCommandFrame(const std::array<uint8_t, 9> &frame) override
    {
        FrameOutcome outcome;
        const uint8_t code = frame[1];
        outcome.reply[1] = code;
        if (code < 0x80) {
            outcome.acknowledge = true;
            outcome.outputBytes = keyboard ? keyboardOutput(frame) : mouseOutput(frame);
        } else {
            outcome.inputBytes = keyboard ? keyboardInput(code) : mouseInput(frame);
        }
        return outcome;
    }

    bool onOutputBlock(const QByteArray &) override { return true; }

    QByteArray inputBlock() override { return {}; }

private:
    // The mouse's data commands carry their length in P2.
    static int mouseOutput(const std::array<uint8_t, 9> &frame)
    {
        const uint8_t code = frame[1];
        return code >= 0x10 && code <= 0x13 ? frame[3] : 0;
    }

    static int mouseInput(const std::array<uint8_t, 9> &frame)
    {
        switch (frame[1]) {
        case 0x90:
            return frame[2] == 2 ? 4 : 24;
        case 0x91:
            return 8;
        case 0x92:
            return 64;
        case 0x93:
            return 128;
        default:
            return 0;
        }
    }

    // The keyboard's carry a count of 64-byte reports in P3, except 0EH,
    // whose P3 is its length in bytes.
    static int keyboardOutput(const std::array<uint8_t, 9> &frame)
    {
        switch (frame[1]) {
        case 0x0D:
        case 0x11:
        case 0x12:
            return frame[4] * 64;
        case 0x0E:
            return frame[4];
        default:
            return 0;
        }
    }

    static int keyboardInput(uint8_t code)
    {
        switch (code) {
        case 0x8D:
        case 0x92:
            return 512;
        case 0x8E:
            return 21;
        case 0x91:
            return 192;
        default:
            return 0;
        }
    }

    bool keyboard;
};

} // namespace

std::unique_ptr<Firmware> createFirmware(const SimOptions &options)
{
    return std::make_unique<GenericFirmware>(options.keyboard);
}
