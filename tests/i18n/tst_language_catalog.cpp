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

private slots:
    void init();

    void listsShippedCodesInDisplayOrder();
    void laterFileWithSameNameWins();
    void displayNames_data();
    void displayNames();
    void everyQt4NumberHasAName();

    void checksum_data();
    void checksum();
    void readsStringsAndLogsChecksum();
    void zeroTotalGivesOnlyFont();
    void wrongChecksumChangesNothing();
    void missingFileGivesEmptyTexts();
    void messagesHoldSixEntriesOfLastLanguage();
    void hugeTotalIsBounded();
    void unquotedCommaKeepsText();

    void layoutAlwaysSixteen_data();
    void layoutAlwaysSixteen();

    void onlyALanguageFileIsRead_data();
    void onlyALanguageFileIsRead();

private:
    QString langFile(const QString &code) const
    {
        return tmp->path() + QStringLiteral("/modules/i18n/lang_") + code + QStringLiteral(".ini");
    }
    std::unique_ptr<QTemporaryDir> tmp;
};

void TestLanguageCatalog::init()
{
    tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(tmp->isValid());
}

void TestLanguageCatalog::listsShippedCodesInDisplayOrder()
{
    QVERIFY(
        LanguageCatalog(tmp->path() + QStringLiteral("/modules/i18n")).chkLanguages().isEmpty());
    // Created in an order that differs from both the file and display order.
    for (const char *code : {"031000", "025208", "025044"})
        writeFile(langFile(QLatin1String(code)), "[font]\nfamily=x\n");
    writeFile(tmp->path() + QStringLiteral("/modules/i18n/readme.txt"), "not a language");

    const QVariantMap languages =
        LanguageCatalog(tmp->path() + QStringLiteral("/modules/i18n")).chkLanguages();
    QCOMPARE(languages.keys(),
             QStringList({QStringLiteral("CHINESE (Simp)"), QStringLiteral("CHINESE (Trad)"),
                          QStringLiteral("ENGLISH")}));
    QCOMPARE(languages.value(QStringLiteral("CHINESE (Simp)")).toString(),
             QStringLiteral("025044"));
    QCOMPARE(languages.value(QStringLiteral("CHINESE (Trad)")).toString(),
             QStringLiteral("025208"));
    QCOMPARE(languages.value(QStringLiteral("ENGLISH")).toString(), QStringLiteral("031000"));
}

void TestLanguageCatalog::laterFileWithSameNameWins()
{
    // "abc" reads as country 0, so both files are called ENGLISH; the one
    // listed later (by name, ignoring case) keeps the entry.
    writeFile(langFile(QStringLiteral("031ABC")), "");
    writeFile(langFile(QStringLiteral("031000")), "");
    const QVariantMap languages =
        LanguageCatalog(tmp->path() + QStringLiteral("/modules/i18n")).chkLanguages();
    QCOMPARE(languages.size(), 1);
    QCOMPARE(languages.value(QStringLiteral("ENGLISH")).toString(), QStringLiteral("031ABC"));
}

void TestLanguageCatalog::displayNames_data()
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
    QTest::newRow("not numeric") << "xyz000"
                                 << QLocale::languageToString(QLocale::AnyLanguage).toUpper();
}

void TestLanguageCatalog::displayNames()
{
    QFETCH(QString, code);
    QFETCH(QString, name);
    QCOMPARE(LanguageCatalog::displayName(code), name);
}

void TestLanguageCatalog::everyQt4NumberHasAName()
{
    for (int i = 1; i <= 234; ++i) {
        const QString name = Qt4Locale::languageName(i);
        QVERIFY2(!name.isEmpty() && name != QStringLiteral("Unknown"),
                 qPrintable(QString::number(i)));
    }
    for (int i = 1; i <= 246; ++i) {
        const QString name = Qt4Locale::countryName(i);
        QVERIFY2(!name.isEmpty() && name != QStringLiteral("Unknown"),
                 qPrintable(QString::number(i)));
    }
    QCOMPARE(Qt4Locale::languageName(-1), QStringLiteral("Unknown"));
    QCOMPARE(Qt4Locale::countryName(247), QStringLiteral("Unknown"));
}

void TestLanguageCatalog::checksum_data()
{
    QTest::addColumn<qint64>("n");
    QTest::addColumn<QString>("cs");

    QTest::newRow("abc") << qint64(3) << "771902100";
    QTest::newRow("nothing") << qint64(0) << "7418700";
    // (n - 69) wraps as a byte; 70 * n and n / 70 exceed a byte.
    QTest::newRow("1000") << qint64(1000) << "5016311214";
    QTest::newRow("69") << qint64(69) << "14302220";
}

void TestLanguageCatalog::checksum()
{
    QFETCH(qint64, n);
    QFETCH(QString, cs);
    QCOMPARE(LanguageCatalog::checksum(n), cs);
}

void TestLanguageCatalog::readsStringsAndLogsChecksum()
{
    writeFile(langFile(QStringLiteral("025044")), "[font]\nfamily=Noto Sans CJK SC\ntotal=3\ncs=0\n"
                                                  "[strings]\n1=\xe9\x80\x89\xe9\xa1\xb9\n3=A\n"
                                                  "[msg]\n0=t0\n5=t5\n");
    LanguageCatalog catalog(tmp->path() + QStringLiteral("/modules/i18n"));
    // Two UTF-16 units from the Chinese text, none from the missing string
    // 2, one from "A".
    QTest::ignoreMessage(QtDebugMsg, "cs: \"771902100\"");
    const QStringList strings = catalog.getGlobalStrings(QStringLiteral("025044"));
    QCOMPARE(strings, QStringList({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("选项"),
                                   QString(), QStringLiteral("A")}));
    // Messages the language lacks keep their English text.
    const QStringList english = LanguageCatalog::builtInMessages();
    QCOMPARE(catalog.msgStrings(), QStringList({QStringLiteral("t0"), english[1], english[2],
                                                english[3], english[4], QStringLiteral("t5")}));
}

void TestLanguageCatalog::zeroTotalGivesOnlyFont()
{
    writeFile(langFile(QStringLiteral("031000")),
              "[font]\nfamily=Arial\ntotal=0\n[strings]\n1=OPTIONS\n");
    LanguageCatalog catalog(tmp->path() + QStringLiteral("/modules/i18n"));
    QTest::ignoreMessage(QtDebugMsg, "cs: \"7418700\"");
    QCOMPARE(catalog.getGlobalStrings(QStringLiteral("031000")),
             QStringList{QStringLiteral("Arial")});
}

void TestLanguageCatalog::wrongChecksumChangesNothing()
{
    const QByteArray body = "family=Arial\ntotal=2\n[strings]\n1=ON\n2=OFF\n[msg]\n4=W\n";
    writeFile(langFile(QStringLiteral("031000")), "[font]\ncs=79192940\n" + body);
    writeFile(langFile(QStringLiteral("031225")), "[font]\ncs=12345\n" + body);
    LanguageCatalog catalog(tmp->path() + QStringLiteral("/modules/i18n"));

    QTest::ignoreMessage(QtDebugMsg, "cs: \"79192940\"");
    const QStringList right = catalog.getGlobalStrings(QStringLiteral("031000"));
    const QStringList rightMessages = catalog.msgStrings();
    QTest::ignoreMessage(QtDebugMsg, "cs: \"79192940\"");
    const QStringList wrong = catalog.getGlobalStrings(QStringLiteral("031225"));

    QCOMPARE(wrong, right);
    QCOMPARE(wrong.size(), 3);
    QCOMPARE(catalog.msgStrings(), rightMessages);
}

// Without a language (none read yet, or its file removed) the strings are
// empty and the QML keeps its English ones; the warning boxes of the backend
// still have their English texts.
void TestLanguageCatalog::missingFileGivesEmptyTexts()
{
    LanguageCatalog catalog(tmp->path() + QStringLiteral("/modules/i18n"));
    const QStringList english = LanguageCatalog::builtInMessages();
    QCOMPARE(english.size(), LanguageCatalog::MessageCount);
    for (const QString &text : english)
        QVERIFY(!text.isEmpty());
    QCOMPARE(catalog.msgStrings(), english);
    QTest::ignoreMessage(QtDebugMsg, "cs: \"7418700\"");
    QCOMPARE(catalog.getGlobalStrings(QStringLiteral("031000")), QStringList{QString()});
    QCOMPARE(catalog.msgStrings(), english);
    QCOMPARE(catalog.msgString(6), QString());
}

void TestLanguageCatalog::messagesHoldSixEntriesOfLastLanguage()
{
    writeFile(langFile(QStringLiteral("031000")),
              "[msg]\n0=a\n1=b\n2=c\n3=d\n4=e\n5=f\n6=never read\n");
    writeFile(langFile(QStringLiteral("025044")), "[msg]\n4=\xe8\xad\xa6\xe5\x91\x8a\n");
    LanguageCatalog catalog(tmp->path() + QStringLiteral("/modules/i18n"));

    QTest::ignoreMessage(QtDebugMsg, "cs: \"7418700\"");
    catalog.getGlobalStrings(QStringLiteral("031000"));
    QCOMPARE(catalog.msgStrings().size(), 6);
    QCOMPARE(catalog.msgString(5), QStringLiteral("f"));

    QTest::ignoreMessage(QtDebugMsg, "cs: \"7418700\"");
    catalog.getGlobalStrings(QStringLiteral("025044"));
    // Nothing of the earlier language stays behind.
    const QStringList english = LanguageCatalog::builtInMessages();
    QCOMPARE(catalog.msgStrings(), QStringList({english[0], english[1], english[2], english[3],
                                                QStringLiteral("警告"), english[5]}));
}

void TestLanguageCatalog::hugeTotalIsBounded()
{
    writeFile(langFile(QStringLiteral("031000")), "[font]\nfamily=Arial\ntotal=2147483647\n");
    LanguageCatalog catalog(tmp->path() + QStringLiteral("/modules/i18n"));
    QTest::ignoreMessage(QtDebugMsg, "cs: \"7418700\"");
    QCOMPARE(catalog.getGlobalStrings(QStringLiteral("031000")).size(),
             LanguageCatalog::MaxStrings + 1);
}

void TestLanguageCatalog::unquotedCommaKeepsText()
{
    writeFile(langFile(QStringLiteral("031000")),
              "[font]\nfamily=Arial\ntotal=1\n[strings]\n1=LEFT, RIGHT\n[msg]\n1=\"Sure, go\"\n");
    LanguageCatalog catalog(tmp->path() + QStringLiteral("/modules/i18n"));
    QTest::ignoreMessage(QtDebugMsg, "cs: \"8519820\"");
    QCOMPARE(catalog.getGlobalStrings(QStringLiteral("031000")).value(1),
             QStringLiteral("LEFT, RIGHT"));
    QCOMPARE(catalog.msgString(1), QStringLiteral("Sure, go"));
}

void TestLanguageCatalog::layoutAlwaysSixteen_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("head");

    QTest::newRow("no file") << QByteArray() << QStringList();
    QTest::newRow("no group") << QByteArray("[font]\nfamily=Arial\n") << QStringList();
    QTest::newRow("partial") << QByteArray("[Z4_133C6AA]\n0=LEFT\n2=MIDDLE\n16=EXTRA\n")
                             << QStringList{QStringLiteral("LEFT"), QString(),
                                            QStringLiteral("MIDDLE"), QString()};
}

void TestLanguageCatalog::layoutAlwaysSixteen()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, head);
    if (!file.isNull())
        writeFile(langFile(QStringLiteral("031000")), file);

    const QStringList names = LanguageCatalog(tmp->path() + QStringLiteral("/modules/i18n"))
                                  .getProductLayoutStrings_Z4(QStringLiteral("031000"));
    QCOMPARE(names.size(), 16);
    QCOMPARE(names.mid(0, head.size()), head);
    QVERIFY(!names.contains(QStringLiteral("EXTRA")));
}

void TestLanguageCatalog::onlyALanguageFileIsRead_data()
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
    QTest::newRow("other digits") << QStringLiteral("٠٣١٠٠٠") << QStringLiteral("lang_٠٣١٠٠٠.ini");
    QTest::newRow("a blank") << "031000 "
                             << "lang_031000 .ini";
    QTest::newRow("a file over 1 MiB") << "031000"
                                       << "lang_031000.ini";
}

void TestLanguageCatalog::onlyALanguageFileIsRead()
{
    QFETCH(QString, code);
    QFETCH(QString, file);
    const QString root = tmp->path() + QStringLiteral("/program");
    const QString i18n = root + QStringLiteral("/modules/i18n/");
    QByteArray text = "[font]\nfamily=Evil\n[msg]\n0=evil\n[Z4_133C6AA]\n0=EVIL\n";
    if (code == QLatin1String("031000"))
        text += QByteArray(settingsfile::MaxBytes, ';');
    writeFile(QDir::cleanPath(i18n + file), text);
    QVERIFY(QDir().mkpath(i18n + QStringLiteral("lang_x")));

    LanguageCatalog catalog(root);
    QTest::ignoreMessage(QtDebugMsg, "cs: \"7418700\"");
    QCOMPARE(catalog.getGlobalStrings(code), QStringList{QString()});
    QCOMPARE(catalog.msgStrings(), LanguageCatalog::builtInMessages());
    QCOMPARE(catalog.getProductLayoutStrings_Z4(code), QStringList(16, QString()));
}

QTEST_GUILESS_MAIN(TestLanguageCatalog)
#include "tst_language_catalog.moc"
