// Every settings and language file that ships beside the program, checked
// against what the program, the pages and the mouse accept.

#include "backend/config/config_store.h"
#include "backend/i18n/language_catalog.h"

#include <QDir>
#include <QFile>
#include <QJSEngine>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <set>

namespace {

// The sensor the shipped profiles are written for (that of the Z4 and z4sim).
constexpr int ShippedSensorType = 0;

// A table of the QML module's JS files (modules/qml/<file>).
QVariant moduleTable(const QString &file, const char *name)
{
    static QJSEngine engine;
    const QJSValue module =
        engine.importModule(qEnvironmentVariable("Z4_SOURCE_DIR") + "/modules/qml/" + file);
    return module.property(QLatin1String(name)).toVariant();
}

// Row `index` of a table of number lists in the sensor page's JS: the DPI
// menu of a sensor ("menus"), the colour of an indicator index ("logoColors").
QList<int> sensorRow(const char *table, int index)
{
    QList<int> out;
    for (const QVariant &v : moduleTable("Z4/sensors.mjs", table).toList().value(index).toList())
        out.append(v.toInt());
    return out;
}

QString sourceModules()
{
    return qEnvironmentVariable("Z4_SOURCE_DIR") + "/modules/";
}

QList<int> intsOf(const QVariant &value, bool *ok)
{
    QList<int> out;
    *ok = value.isValid();
    for (const QString &item : value.toStringList()) {
        bool good = false;
        out.append(item.trimmed().toInt(&good));
        *ok = *ok && good;
    }
    return out;
}

QStringList languageFiles()
{
    return QDir(sourceModules() + "i18n")
        .entryList({QString("lang_*.ini")}, QDir::Files, QDir::Name);
}

// Key numbers that carry a layout name, the same in every language.
std::set<int> labelledKeys()
{
    std::set<int> keys;
    const QStringList files = languageFiles();
    if (files.isEmpty())
        return keys;
    QSettings file(sourceModules() + "i18n/" + files.first(), QSettings::IniFormat);
    for (int i = 0; i < 16; ++i)
        if (!file.value(QString("Z4_133C6AA/%1").arg(i)).toString().isEmpty())
            keys.insert(i);
    return keys;
}

} // namespace

class TestShippedData : public QObject
{
    Q_OBJECT

    QTemporaryDir copy; // ConfigStore reads a copy, never the source tree

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("Z4_SOURCE_DIR"), "Z4_SOURCE_DIR not set");
        QVERIFY(copy.isValid());
        const QString target = copy.path() + "/modules/setting/";
        QVERIFY(QDir().mkpath(target));
        const QDir settings(sourceModules() + "setting");
        for (const QString &name : settings.entryList(QDir::Files))
            QVERIFY(QFile::copy(settings.filePath(name), target + name));
    }

    // The factory settings, as a reset copies them into place.
    void applicationSettings()
    {
        ConfigStore store(DataLocations::beside(copy.path()));
        QVERIFY(store.resetApconfig());
        QVERIFY(store.resetProfile(0));
        QCOMPARE(store.loadApConfig().size(), 32);
        const int stages = store.loadDeviceApConfig().value(0).toInt();
        QVERIFY(stages >= 1 && stages <= 8);
        QSettings table(qEnvironmentVariable("Z4_SOURCE_DIR") + "/device/DevInfo.ini",
                        QSettings::IniFormat);
        QVERIFY(store.productNames().size() >= table.value("common/total").toInt());
        QVERIFY(!store.windowTitle().isEmpty());
        // The language at ENGLISH, and no placeholder address behind the logo.
        const QVariantList list = store.loadApConfig();
        const QVariantMap languages = LanguageCatalog(sourceModules() + "i18n").chkLanguages();
        QCOMPARE(languages.keys().value(list.value(4).toInt()), QString("ENGLISH"));
        const QString url = list.value(31).toString();
        QVERIFY2(url.isEmpty() ||
                     (url.startsWith("https://") && !QUrl(url).host().startsWith("example.")),
                 qPrintable(url));
    }

    void profiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("pD.bin") << "pD.bin";
        for (int i = 1; i <= 10; ++i) {
            const QString name = QString("p%1.bin").arg(i);
            QTest::newRow(qPrintable(name)) << name;
        }
    }

    void profiles()
    {
        QFETCH(QString, name);
        const QString path = sourceModules() + "setting/" + name;
        QVERIFY(QFile::exists(path));
        QSettings file(path, QSettings::IniFormat);
        QCOMPARE(file.status(), QSettings::NoError);
        bool ok = false;

        const QList<int> dpi = intsOf(file.value("sensor/dpi_Z4"), &ok);
        QVERIFY(ok);
        QCOMPARE(dpi.size(), 8);
        for (int value : dpi)
            QVERIFY2(sensorRow("menus", ShippedSensorType).contains(value),
                     qPrintable(QString::number(value)));
        const int stage = file.value("sensor/stage_Z4").toInt(&ok);
        QVERIFY(ok && stage >= 1 && stage <= 8);
        QVERIFY2(dpi[stage - 1] != 0, "the current stage is switched off");

        QVERIFY(intsOf(file.value("color_Z4/type0"), &ok).size() == 24 && ok);
        QVERIFY(intsOf(file.value("color_Z4/ledEffect"), &ok).size() == 3 && ok);
        // Both forms of the DPI indicator colours show the same colours.
        const QList<int> stageColours = intsOf(file.value("color_Z4/type1"), &ok);
        QVERIFY(ok && stageColours.size() == 24);
        const QList<int> indices = intsOf(file.value("color_Z4/type2"), &ok);
        QVERIFY(ok && indices.size() == 8);
        for (int k = 0; k < 8; ++k)
            QCOMPARE(stageColours.mid(3 * k, 3), sensorRow("logoColors", indices[k]));

        const std::set<int> labelled = labelledKeys();
        QVERIFY(!labelled.empty());
        bool hasLeft = false;
        for (int i = 0; i < 16; ++i) {
            const QList<int> entry = intsOf(file.value(QString("keydefine_Z4/%1").arg(i)), &ok);
            QVERIFY2(ok && entry.size() == 4, qPrintable(QString::number(i)));
            const bool disabled = entry == QList<int>{0, 0, 0, 0};
            QCOMPARE(!disabled, labelled.count(i) == 1);
            hasLeft = hasLeft || entry == QList<int>{1, 0, 0xF0, 0};
        }
        QVERIFY2(hasLeft, "no key has the left-button function");
    }

    void languages_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : languageFiles())
            QTest::newRow(qPrintable(name)) << name;
    }

    void languages()
    {
        QFETCH(QString, name);
        QSettings file(sourceModules() + "i18n/" + name, QSettings::IniFormat);
        QCOMPARE(file.status(), QSettings::NoError);

        const QString code = name.mid(5, 6);
        QCOMPARE(name, "lang_" + code + ".ini");
        for (QChar c : code)
            QVERIFY(c.isDigit());
        QVERIFY(!LanguageCatalog::displayName(code).contains("UNKNOWN"));

        QVERIFY(!file.value("font/family").toString().isEmpty());
        const int total = int(moduleTable("basic/texts.mjs", "english").toStringList().size()) - 1;
        QCOMPARE(file.value("font/total").toInt(), total);
        // Texts missing, empty, or read as a list (an unquoted comma).
        QStringList bad;
        const auto text = [&](const QString &key) {
            const QVariant v = file.value(key);
            if (v.typeId() != QMetaType::QString || v.toString().isEmpty())
                bad.append(key);
            return v.toString();
        };
        qint64 length = 0;
        for (int i = 1; i <= total; ++i)
            length += text(QString("strings/%1").arg(i)).size();
        QCOMPARE(file.value("font/cs").toString(), LanguageCatalog::checksum(length));
        for (int i = 0; i < 6; ++i)
            text(QString("msg/%1").arg(i));
        QCOMPARE(bad, QStringList());

        std::set<int> labelled;
        for (int i = 0; i < 16; ++i) {
            const QVariant v = file.value(QString("Z4_133C6AA/%1").arg(i));
            QVERIFY(!v.isValid() || v.typeId() == QMetaType::QString);
            if (!v.toString().isEmpty())
                labelled.insert(i);
        }
        QVERIFY(labelled == labelledKeys());
    }

    void englishMatchesBuiltInStrings()
    {
        LanguageCatalog catalog(qEnvironmentVariable("Z4_SOURCE_DIR") + "/modules/i18n");
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^cs: "));
        const QStringList english = moduleTable("basic/texts.mjs", "english").toStringList();
        QVERIFY(english.size() > 114);
        QCOMPARE(catalog.getGlobalStrings("031000"), english);
        // The messages the backend shows without a language are the English ones.
        QCOMPARE(catalog.msgStrings(), LanguageCatalog::builtInMessages());
    }
};

QTEST_GUILESS_MAIN(TestShippedData)
#include "tst_shipped_data.moc"
