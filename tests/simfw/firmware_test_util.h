#pragma once

#include "device/cipher.h"
#include "sim/firmware.h"

#include <QByteArray>
#include <array>
#include <cstdint>

// A plain command frame as the host builds it: [0, code, p1..p6, checksum].
inline std::array<uint8_t, 9> commandFrame(uint8_t code, uint8_t p1 = 0, uint8_t p2 = 0,
                                           uint8_t p3 = 0, uint8_t p4 = 0, uint8_t p5 = 0,
                                           uint8_t p6 = 0)
{
    std::array<uint8_t, 9> frame{0, code, p1, p2, p3, p4, p5, p6, 0};
    frame[8] = frameChecksum(frame.data() + 1);
    return frame;
}

// Sends a set frame and, when the frame announces one, its data block.
// Returns false when the device refused the frame or the block.
inline bool sendSet(Firmware &fw, const std::array<uint8_t, 9> &frame, const QByteArray &block = {})
{
    const Firmware::FrameOutcome outcome = fw.onCommandFrame(frame);
    if (!outcome.known || !outcome.acknowledge || outcome.outputBytes != block.size())
        return false;
    return block.isEmpty() || fw.onOutputBlock(block);
}

// A block of `length` bytes that differs from every default the devices use.
inline QByteArray patternBlock(int length, uint8_t seed)
{
    QByteArray block(length, '\0');
    for (int i = 0; i < length; ++i)
        block[i] = char(uint8_t(seed + 7 * i));
    return block;
}
