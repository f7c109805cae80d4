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

    QVariant callQml(const char *function, const QVariant &arg) const
    {
        QVariant result;
        const bool ok = QMetaObject::invokeMethod(
            qmlCopy.get(), function, Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, arg));
        if (!ok)
            qWarning("no QML function %s", function);
        return result;
    }

private slots:
    void initTestCase()
    {
        // The copy compiled into the program's resources, not the source file.
        QQmlComponent component(&engine, QUrl("qrc:/modules/qml/basic/KeyCodeString.qml"));
        qmlCopy.reset(component.create());
        QVERIFY2(qmlCopy, qPrintable(component.errorString()));
    }

    void tableShape()
    {
        QCOMPARE(KeyNames::keyboardEntries().size(), size_t(127));
        QCOMPARE(KeyNames::mouseEntries().size(), size_t(5));
        std::set<int> usages;
        std::set<QString> names;
        for (const auto &e : KeyNames::keyboardEntries()) {
            usages.insert(e.usage);
            names.insert(QString::fromUtf16(e.name));
        }
        for (const auto &e : KeyNames::mouseEntries()) {
            usages.insert(e.usage);
            names.insert(QString::fromUtf16(e.name));
        }
        QCOMPARE(usages.size(), size_t(132));
        QCOMPARE(names.size(), size_t(132));
    }

    void lookups_data()
    {
        QTest::addColumn<int>("usage");
        QTest::addColumn<QString>("name");
        QTest::newRow("A") << 0x04 << "A";
        QTest::newRow("Z") << 0x1D << "Z";
        QTest::newRow("0") << 0x27 << "0";
        QTest::newRow("backslash") << 0x31 << "\\ |";
        QTest::newRow("quote") << 0x34 << "' \"";
        QTest::newRow("grave") << 0x35 << "` ~";
        QTest::newRow("right arrow") << 0x4F << QString(QChar(0x25BA));
        QTest::newRow("up arrow") << 0x52 << QString(QChar(0x25B2));
        QTest::newRow("KP 7 blank") << 0x5F << "KP 7 ";
        QTest::newRow("KP 8") << 0x60 << "KP 8";
        QTest::newRow("F24") << 0x73 << "F24";
        QTest::newRow("Intl'2") << 0x88 << "Intl'2";
        QTest::newRow("Int'l 2") << 0x89 << "Int'l 2";
        QTest::newRow("R Win") << 0xE7 << "R Win";
        QTest::newRow("MS-L") << 0xF0 << "MS-L";
        QTest::newRow("MS-B5") << 0xF4 << "MS-B5";
    }

    void lookups()
    {
        QFETCH(int, usage);
        QFETCH(QString, name);
        QCOMPARE(int(KeyNames::usageForName(name)), usage);
        QCOMPARE(KeyNames::nameForUsage(uchar(usage)), name);
    }

    void noName_data()
    {
        QTest::addColumn<int>("usage");
        for (int u :
             {0x00, 0x03, 0x32, 0x74, 0x84, 0x86, 0x8C, 0x8F, 0x92, 0xDF, 0xE8, 0xEF, 0xF5, 0xFF})
            QTest::addRow("%02X", u) << u;
    }

    void noName()
    {
        QFETCH(int, usage);
        QVERIFY(KeyNames::nameForUsage(uchar(usage)).isEmpty());
        QVERIFY(callQml("keycodeTostr", usage).isNull());
    }

    void nearMissesAreNotNames_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *n : {"KP 7", "a", "Int'l 3", "Intl'1", "MS-l", " A", "A ", "", "L CTRL",
                              "constructor", "toString"})
            QTest::newRow(n) << QString::fromUtf8(n);
    }

    void nearMissesAreNotNames()
    {
        QFETCH(QString, name);
        QCOMPARE(int(KeyNames::usageForName(name)), 0);
        QVERIFY(callQml("strTokeycode", name).isNull());
        QVERIFY(callQml("strTomousecode", name).isNull());
    }

    void qmlCopyHoldsSamePairs()
    {
        QCOMPARE(qmlPairs("keycode2str"), cppPairs(KeyNames::keyboardEntries()));
        QCOMPARE(qmlPairs("mousecode2str"), cppPairs(KeyNames::mouseEntries()));
        // And in the other direction, name by name.
        for (const auto &e : KeyNames::keyboardEntries()) {
            const QString name = QString::fromUtf16(e.name);
            QCOMPARE(callQml("strTokeycode", name).toInt(), int(e.usage));
            QVERIFY(callQml("strTomousecode", name).isNull());
        }
        for (const auto &e : KeyNames::mouseEntries()) {
            const QString name = QString::fromUtf16(e.name);
            QCOMPARE(callQml("strTomousecode", name).toInt(), int(e.usage));
            QCOMPARE(callQml("mousecodeTostr", int(e.usage)).toString(), name);
            QVERIFY(callQml("keycodeTostr", int(e.usage)).isNull());
        }
    }
};

QTEST_MAIN(TestKeyNames)
#include "tst_key_names.moc"
