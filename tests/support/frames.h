#pragma once

// Bytes as a test writes them out, independently of the code under test, and
// what a virtual device's JSON log says it received.

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QStringList>
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

// One command as the device received it: the deciphered frame and the bytes
// of the output reports that followed it (report ids removed, padding kept).
struct SentCommand
{
    QByteArray frame;
    QByteArray data;

    int code() const { return frame.size() > 1 ? uchar(frame.at(1)) : -1; }
    uchar p(int i) const { return uchar(frame.at(i + 1)); }
    bool isSet() const { return code() >= 0 && code() < 0x80; }
};

inline QList<SentCommand> commandsInLog(const QStringList &lines)
{
    QList<SentCommand> commands;
    for (const QString &line : lines) {
        const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
        const QString note = o.value(QStringLiteral("note")).toString();
        // Frames the device refused still count: the host sent them.
        if (o.value(QStringLiteral("if")).toInt(-1) != 0 ||
            o.value(QStringLiteral("dir")).toString() != QLatin1String("out") ||
            (!note.isEmpty() && note != QLatin1String("unknown frame")))
            continue;
        const QString type = o.value(QStringLiteral("type")).toString();
        const QString hex = o.contains(QStringLiteral("plain"))
                                ? o.value(QStringLiteral("plain")).toString()
                                : o.value(QStringLiteral("hex")).toString();
        const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
        if (type == QLatin1String("feature"))
            commands.append({bytes, {}});
        else if (type == QLatin1String("output") && !commands.isEmpty())
            commands.last().data += bytes.mid(1);
    }
    return commands;
}
