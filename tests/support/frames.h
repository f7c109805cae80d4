#pragma once

// Bytes as a test writes them out, independently of the code under test.

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <initializer_list>

// A plain command frame [0, code, p1..p6, checksum]: the checksum is the
// complement of the sum of bytes 1..7.
inline QByteArray frameBytes(int code, QList<int> params = {})
{
    QByteArray frame(9, '\0');
    frame[1] = char(code);
    for (int i = 0; i < params.size(); ++i)
        frame[2 + i] = char(params[i]);
    int sum = 0;
    for (int i = 1; i <= 7; ++i)
        sum += uint8_t(frame[i]);
    frame[8] = char(~sum & 0xFF);
    return frame;
}

inline QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}
