#pragma once

// What InputHook hands its callbacks, recorded in order.

#include <QList>
#include <cstdint>

struct Report
{
    int code;
    int isDown;
    int x = 0;
    int y = 0;
    void *context = nullptr;
    bool operator==(const Report &) const = default;
};

inline QList<Report> keyReports;
inline QList<Report> mouseReports;

inline void onKey(std::uint8_t usage, std::uint8_t isDown, void *context)
{
    keyReports.append({usage, isDown, 0, 0, context});
}

inline void onMouse(std::uint8_t code, std::uint8_t isDown, int x, int y, void *context)
{
    mouseReports.append({code, isDown, x, y, context});
}

inline char *toString(const Report &r)
{
    const QByteArray text = QByteArray::number(r.code, 16) + (r.isDown ? " down" : " up") + " @" +
                            QByteArray::number(r.x) + "," + QByteArray::number(r.y);
    return qstrdup(text.constData());
}
