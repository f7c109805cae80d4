#include "backend/settings/setting_values.h"

#include <QStringList>

namespace settingvalues {

uchar byteAt(const QVariantList &list, qsizetype i)
{
    if (i < 0 || i >= list.size())
        return 0;
    bool ok = false;
    const int value = list.at(i).toInt(&ok);
    return ok ? uchar(value & 0xFF) : 0;
}

std::vector<uchar> bytesOf(const QVariantList &list, int count)
{
    std::vector<uchar> bytes(size_t(qMax(count, 0)), 0);
    for (int i = 0; i < count; ++i)
        bytes[size_t(i)] = byteAt(list, i);
    return bytes;
}

QVariant elementAt(const QVariantList &list, qsizetype i)
{
    if (i < 0 || i >= list.size())
        return 0;
    return list.at(i);
}

QVariantList intList(const uchar *bytes, int count)
{
    QVariantList list;
    list.reserve(count);
    for (int i = 0; i < count; ++i)
        list.append(int(bytes[i]));
    return list;
}

QVariantList storedList(QSettings &store, const QString &key, qsizetype maxElements)
{
    const QVariant value = store.value(key);
    if (!value.isValid() || maxElements <= 0)
        return {};
    if (value.metaType().id() == QMetaType::QStringList) {
        const QStringList elements = value.toStringList();
        QVariantList list;
        list.reserve(qMin(elements.size(), maxElements));
        for (qsizetype i = 0; i < elements.size() && i < maxElements; ++i)
            list.append(elements.at(i));
        return list;
    }
    if (value.metaType().id() == QMetaType::QVariantList)
        return value.toList().mid(0, maxElements);
    const QString text = value.toString();
    if (text.isEmpty())
        return {};
    return {text};
}

QVariantList storedUIntList(QSettings &store, const QString &key, qsizetype maxElements)
{
    QVariantList list = storedList(store, key, maxElements);
    for (QVariant &element : list)
        element = element.toUInt();
    return list;
}

int storedByte(QSettings &store, const QString &key)
{
    return int(store.value(key, 0).toUInt() & 0xFF);
}

void recordKeys(QSettings &store, const QString &prefix, const QVariantList &page, int keys)
{
    for (qsizetype i = 0; i < keys; ++i) {
        const qsizetype first = 4 * i;
        store.setValue(prefix + QString::number(i),
                       QVariantList{elementAt(page, first), elementAt(page, first + 1),
                                    elementAt(page, first + 2), elementAt(page, first + 3)});
    }
}

} // namespace settingvalues
