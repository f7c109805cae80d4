#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>

// What a virtual device does with the reports its host sends. The bus
// server owns sockets, the cipher, the log, the fault options and the
// acknowledge report; a Firmware sees only plain frames and whole data
// blocks, so the same code runs behind z4sim and in-process.
class Firmware
{
public:
    struct FrameOutcome
    {
        bool known = true;        // false: a frame this device does not know (logged, no reply)
        bool acknowledge = false; // send 04 04 00 00 on the second interface now
        int outputBytes = 0;      // length of the data block host -> device that follows
        int inputBytes = 0;       // length of the data block device -> host after the reply
        std::array<uint8_t, 9> reply{}; // plain reply frame for the next feature read
    };

    virtual ~Firmware() = default;

    // A command frame as sent (9 bytes, report id 0 first), deciphered.
    virtual FrameOutcome onCommandFrame(const std::array<uint8_t, 9> &frame) = 0;
    // The whole data block of the last set frame (outputBytes bytes).
    // Returns whether the device acknowledges it.
    virtual bool onOutputBlock(const QByteArray &block) = 0;
    // The data block of the last get frame (inputBytes bytes).
    virtual QByteArray inputBlock() = 0;
};
