#pragma once

#include "device/command_set.h"

#include <QString>
#include <QVariantList>
#include <vector>

class Hid_Thread;

// One command with storage of its own for every argument, for callers that
// hold their arguments as data rather than as variables: the `--call`
// command line and the device reads of the view. Bytes, block and text
// start at zero (empty), so a read that fails hands back zeros.
class CommandCall
{
public:
    explicit CommandCall(const cmd::Command &command);

    const cmd::Command &command() const { return *row; }
    uchar &byte(int param) { return bytes[size_t(param)]; }
    // Sized to the block's length.
    std::vector<uchar> &block() { return blockBytes; }
    QString &text() { return versionText; }

    // Runs the command on hid; see Hid_Thread::runCommand.
    bool run(Hid_Thread &hid);

    // A parameter as it is now: a byte as an integer, the block as a list
    // of integers, the text.
    QVariant value(int param) const;
    // The outputs in parameter order, the block byte by byte.
    QVariantList outputs() const;

    // Runs a get with the given inputs, in parameter order, and hands back
    // its outputs (zeros when the exchange failed).
    static QVariantList read(Hid_Thread &hid, const cmd::Command &command,
                             std::initializer_list<uchar> inputs = {});

private:
    const cmd::Command *row;
    std::vector<uchar> bytes;
    std::vector<uchar> blockBytes;
    QString versionText;
};
