#include "backend/i18n/language_catalog.h"
#include "backend/i18n/qt4_locale.h"
#include "storage/settings_file.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestLanguageCatalog : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> tmp;
    QString folder() const { return tmp->path() + "/modules/i18n"; }
    QString langFile(const QString &code) const { return folder() + "/lang_" + code + ".ini"; }

private slots:
    void init()
    {
        tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(tmp->isValid());
    }

    void listsShippedCodesInDisplayOrder()
    {
        QVERIFY(LanguageCatalog(folder()).chkLanguages().isEmpty());
        // Created in an order that differs from both the file and display order.
        for (const char *code : {"031000", "025208", "025044"})
            writeFile(langFile(code), "[font]\nfamily=x\n");
        writeFile(folder() + "/readme.txt", "not a language");
        QCOMPARE(LanguageCatalog(folder()).chkLanguages(),
                 (QVariantMap{{"CHINESE (Simp)", "025044"},
                              {"CHINESE (Trad)", "025208"},
                              {"ENGLISH", "031000"}}));
    }

    void laterFileWithSameNameWins()
    {
        // "abc" reads as country 0, so both files are called ENGLISH; the one
        // listed later (by name, ignoring case) keeps the entry.
        writeFile(langFile("031ABC"), "");
        writeFile(langFile("031000"), "");
        QCOMPARE(LanguageCatalog(folder()).chkLanguages(), (QVariantMap{{"ENGLISH", "031ABC"}}));
    }

    void displayNames_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("simplified") << "025044"
                                    << "CHINESE (Simp)";
        QTest::newRow("traditional") << "025208"
                                     << "CHINESE (Trad)";
        QTest::newRow("english") << "031000"
                                 << "ENGLISH";
        // Numbers that Qt 6 gives to other languages and countries.
        QTest::newRow("german") << "042082"
                                << "GERMAN (GERMANY)";
        QTest::newRow("renamed country") << "132232"
                                         << "VIETNAMESE (VIETNAM)";
        QTest::newRow("renamed language") << "106198"
                                          << "SINHALA (SRI LANKA)";
        QTest::newRow("retired country") << "100238"
                                         << "SERBIAN (YUGOSLAVIA)";
        QTest::newRow("last of Qt 4") << "234246"
                                      << "YANGBEN (LATIN AMERICA)";
        QTest::newRow("beyond Qt 4") << "235247"
                                     << "UNKNOWN (UNKNOWN)";
        QTest::newRow("not numeric")
            << "xyz000" << QLocale::languageToString(QLocale::AnyLanguage).toUpper();
    }

    void displayNames()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(LanguageCatalog::displayName(code), name);
    }

    void everyQt4NumberHasAName()
    {
        for (int i = 1; i <= 246; ++i) {
            const QString language = Qt4Locale::languageName(qMin(i, 234));
            const QString country = Qt4Locale::countryName(i);
            QVERIFY2(!language.isEmpty() && language != "Unknown", qPrintable(QString::number(i)));
            QVERIFY2(!country.isEmpty() && country != "Unknown", qPrintable(QString::number(i)));
        }
        QCOMPARE(Qt4Locale::languageName(-1), QString("Unknown"));
        QCOMPARE(Qt4Locale::countryName(247), QString("Unknown"));
    }

    void checksum_data()
    {
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QString>("cs");
        QTest::newRow("abc") << qint64(3) << "771902100";
        QTest::newRow("nothing") << qint64(0) << "7418700";
        // (n - 69) wraps as a byte; 70 * n and n / 70 exceed a byte.
        QTest::newRow("1000") << qint64(1000) << "5016311214";
        QTest::newRow("69") << qint64(69) << "14302220";
    }

    void checksum()
    {
        QFETCH(qint64, n);
        QFETCH(QString, cs);
        QCOMPARE(LanguageCatalog::checksum(n), cs);
    }

    // A file's strings, the checksum logged over them, and the messages: a
    // message the language lacks keeps its English text.
    void readsStringsAndMessages_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("cs");
        QTest::addColumn<QStringList>("strings");
        QTest::addColumn<QStringList>("messages");
        const QStringList english = LanguageCatalog::builtInMessages();
        QStringList twoMessages = english;
        twoMessages[0] = "t0";
        twoMessages[5] = "t5";
        // Two UTF-16 units from the Chinese text, none from the missing
        // string 2, one from "A".
        QTest::newRow("strings and messages")
            << QByteArray("[font]\nfamily=Noto Sans CJK SC\ntotal=3\ncs=0\n[strings]\n"
                          "1=\xe9\x80\x89\xe9\xa1\xb9\n3=A\n[msg]\n0=t0\n5=t5\n")
            << "771902100" << QStringList{"Noto Sans CJK SC", "选项", QString(), "A"}
            << twoMessages;
        QTest::newRow("total 0") << QByteArray("[font]\nfamily=Arial\ntotal=0\n[strings]\n1=ON\n")
                                 << "7418700" << QStringList{"Arial"} << english;
        QTest::newRow("huge total is bounded")
            << QByteArray("[font]\nfamily=Arial\ntotal=2147483647\n") << "7418700"
            << QStringList{"Arial"} + QStringList(LanguageCatalog::MaxStrings, QString())
            << english;
        QStringList comma = english;
        comma[1] = "Sure, go";
        QTest::newRow("unquoted comma")
            << QByteArray("[font]\nfamily=Arial\ntotal=1\n[strings]\n1=LEFT, RIGHT\n"
                          "[msg]\n1=\"Sure, go\"\n")
            << "8519820" << QStringList{"Arial", "LEFT, RIGHT"} << comma;
        // Without a language the QML keeps its English strings, and the
        // warning boxes of the backend their English texts.
        QTest::newRow("no file") << QByteArray() << "7418700" << QStringList{QString()} << english;
    }

    void readsStringsAndMessages()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, cs);
        QFETCH(QStringList, strings);
        QFETCH(QStringList, messages);
        if (!text.isEmpty())
            writeFile(langFile("025044"), text);
        LanguageCatalog catalog(folder());
        QCOMPARE(catalog.msgStrings(), LanguageCatalog::builtInMessages());
        QTest::ignoreMessage(QtDebugMsg, qPrintable("cs: \"" + cs + '"'));
        QCOMPARE(catalog.getGlobalStrings("025044"), strings);
        QCOMPARE(catalog.msgStrings(), messages);
        QCOMPARE(catalog.msgString(6), QString());
    }

    void wrongChecksumChangesNothing()
    {
        const QByteArray body = "family=Arial\ntotal=2\n[strings]\n1=ON\n2=OFF\n[msg]\n4=W\n";
        writeFile(langFile("031000"), "[font]\ncs=79192940\n" + body);
        writeFile(langFile("031225"), "[font]\ncs=12345\n" + body);
        LanguageCatalog catalog(folder());
        QTest::ignoreMessage(QtDebugMsg, "cs: \"79192940\"");
        const QStringList right = catalog.getGlobalStrings("031000");
        const QStringList rightMessages = catalog.msgStrings();
        QTest::ignoreMessage(QtDebugMsg, "cs: \"79192940\"");
        const QStringList wrong = catalog.getGlobalStrings("031225");
        QCOMPARE(wrong, right);
        QCOMPARE(wrong.size(), 3);
        QCOMPARE(catalog.msgStrings(), rightMessages);
    }

    void messagesHoldSixEntriesOfLastLanguage()
    {
        writeFile(langFile("031000"), "[msg]\n0=a\n1=b\n2=c\n3=d\n4=e\n5=f\n6=never read\n");
        writeFile(langFile("025044"), "[msg]\n4=\xe8\xad\xa6\xe5\x91\x8a\n");
        LanguageCatalog catalog(folder());
        QTest::ignoreMessage(QtDebugMsg, "cs: \"7418700\"");
        catalog.getGlobalStrings("031000");
        QCOMPARE(catalog.msgStrings(), (QStringList{"a", "b", "c", "d", "e", "f"}));
        QTest::ignoreMessage(QtDebugMsg, "cs: \"7418700\"");
        catalog.getGlobalStrings("025044");
        // Nothing of the earlier language stays behind.
        QStringList expected = LanguageCatalog::builtInMessages();
        expected[4] = "警告";
        QCOMPARE(catalog.msgStrings(), expected);
    }

    void layoutAlwaysSixteen_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("head");
        QTest::newRow("no file") << QByteArray() << QStringList();
        QTest::newRow("no group") << QByteArray("[font]\nfamily=Arial\n") << QStringList();
        QTest::newRow("partial") << QByteArray("[Z4_133C6AA]\n0=LEFT\n2=MIDDLE\n16=EXTRA\n")
                                 << QStringList{"LEFT", QString(), "MIDDLE", QString()};
    }

    void layoutAlwaysSixteen()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, head);
        if (!text.isNull())
            writeFile(langFile("031000"), text);
        const QStringList names = LanguageCatalog(folder()).getProductLayoutStrings_Z4("031000");
        QCOMPARE(names.size(), 16);
        QCOMPARE(names.mid(0, head.size()), head);
        QVERIFY(!names.contains("EXTRA"));
    }

    void onlyALanguageFileIsRead_data()
    {
        // Each code names a file that is there (relative to the language
        // folder): the code, not the file system, must stop the read.
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("file");
        QTest::newRow("path out of the folder") << "x/../../../../outside/evil"
                                                << "../../../outside/evil.ini";
        QTest::newRow("five digits") << "03100"
                                     << "lang_03100.ini";
        QTest::newRow("seven digits") << "0310000"
                                      << "lang_0310000.ini";
        QTest::newRow("a letter") << "03100a"
                                  << "lang_03100a.ini";
        QTest::newRow("other digits") << "٠٣١٠٠٠"
                                      << "lang_٠٣١٠٠٠.ini";
        QTest::newRow("a blank") << "031000 "
                                 << "lang_031000 .ini";
        QTest::newRow("a file over 1 MiB") << "031000"
                                           << "lang_031000.ini";
    }

    void onlyALanguageFileIsRead()
    {
        QFETCH(QString, code);
        QFETCH(QString, file);
        const QString i18n = tmp->path() + "/program/modules/i18n";
        QByteArray text = "[font]\nfamily=Evil\n[msg]\n0=evil\n[Z4_133C6AA]\n0=EVIL\n";
        if (code == "031000")
            text += QByteArray(settingsfile::MaxBytes, ';');
        writeFile(QDir::cleanPath(i18n + '/' + file), text);
        QVERIFY(QDir().mkpath(i18n + "/lang_x"));

        LanguageCatalog catalog(i18n);
        QTest::ignoreMessage(QtDebugMsg, "cs: \"7418700\"");
        QCOMPARE(catalog.getGlobalStrings(code), QStringList{QString()});
        QCOMPARE(catalog.msgStrings(), LanguageCatalog::builtInMessages());
        QCOMPARE(catalog.getProductLayoutStrings_Z4(code), QStringList(16, QString()));
    }
};

QTEST_GUILESS_MAIN(TestLanguageCatalog)
#include "tst_language_catalog.moc"
