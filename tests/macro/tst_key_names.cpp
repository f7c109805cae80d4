#include "macro/keys/key_names.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QTest>
#include <memory>
#include <set>

class TestKeyNames : public QObject
{
    Q_OBJECT

private:
    QQmlEngine engine;
    std::unique_ptr<QObject> qmlCopy;

    static QMap<int, QString> cppPairs(std::span<const KeyNames::Entry> entries)
    {
        QMap<int, QString> pairs;
        for (const auto &e : entries)
            pairs.insert(e.usage, QString::fromUtf16(e.name));
        return pairs;
    }

    QMap<int, QString> qmlPairs(const char *property) const
    {
        QMap<int, QString> pairs;
        const QVariantMap map = qmlCopy->property(property).toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            pairs.insert(it.key().toInt(), it.value().toString());
        return pairs;
    }

private slots:
    void initTestCase()
    {
        // The copy compiled into the program's resources, not the source file.
        QQmlComponent component(&engine, QUrl("qrc:/modules/qml/basic/KeyCodeString.qml"));
        qmlCopy.reset(component.create());
        QVERIFY2(qmlCopy, qPrintable(component.errorString()));
    }

    // Pairs at the ends and jumps of the table, and names with INI's special characters.
    void lookups_data()
    {
        QTest::addColumn<int>("usage");
        QTest::addColumn<QString>("name");
        const std::pair<int, const char *> pairs[] = {
            {0x04, "A"},       {0x1D, "Z"},     {0x27, "0"},    {0x35, "` ~"},
            {0x52, "▲"},       {0x31, "\\ |"},  {0x34, "' \""}, {0x4F, "►"},
            {0x5F, "KP 7 "},   {0x60, "KP 8"},  {0x73, "F24"},  {0x88, "Intl'2"},
            {0x89, "Int'l 2"}, {0xE7, "R Win"}, {0xF0, "MS-L"}, {0xF4, "MS-B5"}};
        for (const auto &[usage, name] : pairs)
            QTest::newRow(name) << usage << QString::fromUtf8(name);
    }

    void lookups()
    {
        QFETCH(int, usage);
        QFETCH(QString, name);
        QCOMPARE(int(KeyNames::usageForName(name)), usage);
        QCOMPARE(KeyNames::nameForUsage(uchar(usage)), name);
    }

    void noNameAndNearMisses()
    {
        for (int u :
             {0x00, 0x03, 0x32, 0x74, 0x84, 0x86, 0x8C, 0x8F, 0x92, 0xDF, 0xE8, 0xEF, 0xF5, 0xFF})
            QVERIFY2(KeyNames::nameForUsage(uchar(u)).isEmpty(), qPrintable(QString::number(u)));
        for (const char *n : {"KP 7", "a", "Int'l 3", "Intl'1", "MS-l", " A", "A ", "", "L CTRL"})
            QVERIFY2(KeyNames::usageForName(QString::fromUtf8(n)) == 0, n);
    }

    // The window keeps its own copy of the names: both must hold the same
    // pairs, and no usage or name may appear twice.
    void qmlCopyHoldsSamePairs()
    {
        QCOMPARE(qmlPairs("keycode2str"), cppPairs(KeyNames::keyboardEntries()));
        QCOMPARE(qmlPairs("mousecode2str"), cppPairs(KeyNames::mouseEntries()));
        std::set<int> usages;
        std::set<QString> names;
        for (auto entries : {KeyNames::keyboardEntries(), KeyNames::mouseEntries()})
            for (const auto &e : entries) {
                usages.insert(e.usage);
                names.insert(QString::fromUtf16(e.name));
            }
        QCOMPARE(usages.size(), size_t(132));
        QCOMPARE(names.size(), size_t(132));
    }
};

QTEST_MAIN(TestKeyNames)
#include "tst_key_names.moc"
