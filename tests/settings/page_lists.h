#pragma once

// Lists as the setting pages hand them over and get them back.

#include <QList>
#include <QStringList>
#include <QVariantList>
#include <array>

// The button page's 64 values: key i at 4i..4i+3, the keys not given 0
// (disabled).
inline QVariantList keyPage(const QList<std::array<int, 4>> &keys)
{
    QVariantList list;
    for (const auto &key : keys)
        for (int b : key)
            list.append(b);
    while (list.size() < 64)
        list.append(0);
    return list;
}

// A list read back from a profile, element by element as text.
inline QStringList texts(const QVariantList &list)
{
    QStringList out;
    for (const QVariant &v : list)
        out.append(v.toString());
    return out;
}
