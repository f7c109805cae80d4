#pragma once

#include "sim/firmware.h"

#include <QByteArray>
#include <QList>
#include <QSet>

// A firmware whose answers the test chooses, and which remembers what it got.
class ScriptedFirmware final : public Firmware
{
public:
    FrameOutcome onCommandFrame(const std::array<uint8_t, 9> &frame) override
    {
        frames.append(QByteArray(reinterpret_cast<const char *>(frame.data()), 9));
        FrameOutcome outcome;
        const uint8_t code = frame[1];
        if (unknown.contains(code)) {
            outcome.known = false;
            return outcome;
        }
        outcome.reply = {0, code, replyValue, 0xA5, 0x5A, 0, 0, 0, 0};
        if (code < 0x80) {
            outcome.acknowledge = true;
            outcome.outputBytes = code >= 0x10 && code <= 0x13 ? frame[3] : 0;
        } else if (code == 0x92) {
            outcome.inputBytes = 64;
        } else if (code == 0x91) {
            outcome.inputBytes = 8;
        }
        return outcome;
    }

    bool onOutputBlock(const QByteArray &block) override
    {
        outputs.append(block);
        return true;
    }

    QByteArray inputBlock() override { return input; }

    QSet<int> unknown;
    uint8_t replyValue = 0x08;
    QByteArray input;
    QList<QByteArray> frames;
    QList<QByteArray> outputs;
};
