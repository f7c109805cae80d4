#include "storage/settings_file.h"
#include "macro/keys/key_names.h"
#include "macro/library/macro_library.h"
#include "macro/library/macro_line.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestMacroLibrary : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir tmp;
    QString macroDir() const { return tmp.path() + QStringLiteral("/modules/macro"); }
    MacroLibrary library() const { return MacroLibrary(macroDir()); }

    QString path(const QString &name) const { return macroDir() + u'/' + name + ".bin"; }

    void touch(const QString &name) const
    {
        QDir().mkpath(macroDir());
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

    QStringList filesOnDisk() const
    {
        return QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot) +
               QDir(macroDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

private slots:
    void init()
    {
        QDir(tmp.path()).removeRecursively();
        QDir().mkpath(tmp.path());
    }

    void createPicksFirstFreeNumberAndMakesFolder()
    {
        MacroLibrary lib = library();
        QCOMPARE(lib.createMacroIni(), QStringLiteral("Macro. 001"));
        touch(QStringLiteral("Macro. 003"));
        QCOMPARE(lib.createMacroIni(), QStringLiteral("Macro. 002"));
        QCOMPARE(lib.createMacroIni(), QStringLiteral("Macro. 004"));
    }

    void createWritesUnboundHeader()
    {
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        QCOMPARE(lib.loadMacroIni(name), QStringList());
        QCOMPARE(lib.loadMacroIniConfig(name, 1), (QVariantList{-1, 1}));
        QSettings file(path(name), QSettings::IniFormat);
        QCOMPARE(file.value("config/index").toInt(), -1);
        QCOMPARE(file.value("config/total").toInt(), 0);
        QCOMPARE(file.value("config/repeat").toInt(), 1);
        QCOMPARE(file.value("config/did").toInt(), -1);
    }

    void numbersAboveNineHundredNinetyNineGrow()
    {
        QDir().mkpath(macroDir());
        for (int n = 1; n <= 999; ++n)
            touch(QStringLiteral("Macro. %1").arg(n, 3, 10, QLatin1Char('0')));
        QCOMPARE(library().createMacroIni(), QStringLiteral("Macro. 1000"));
    }

    void saveRemovesStaleLines()
    {
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        const QStringList five{"A    [Down]", "A      [Up]", "100   [Delay]", "B    [Down]",
                               "B      [Up]"};
        QVERIFY(lib.saveMacroIni(name, five, 1).saved);
        QCOMPARE(lib.loadMacroIni(name), five);
        const QStringList three{"L Ctrl    [Down]", "250   [Delay]", "L Ctrl      [Up]"};
        QVERIFY(lib.saveMacroIni(name, three, 1).saved);
        QCOMPARE(lib.loadMacroIni(name), three);
        QSettings file(path(name), QSettings::IniFormat);
        QCOMPARE(file.value("config/total").toInt(), 3);
        QVERIFY(!file.contains("macro/3"));
        QVERIFY(!file.contains("macro/4"));
        QCOMPARE(file.value("config/repeat").toInt(), 1);
    }

    void saveOfMissingMacroCreatesNothing()
    {
        MacroLibrary lib = library();
        const MacroSaveResult r = lib.saveMacroIni("Nope", {"A    [Down]"}, 1);
        QVERIFY(!r.saved);
        QVERIFY(!r.upload);
        QVERIFY(!QFile::exists(path("Nope")));
    }

    // Every key name must survive the INI round trip: several hold
    // characters that INI files treat specially (";", ",", quotes,
    // backslash, non-ASCII arrows, a trailing blank before the command).
    void everyKeyNameRoundTrips()
    {
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        QStringList lines;
        for (const auto &e : KeyNames::keyboardEntries())
            lines << MacroLine::join(QString::fromUtf16(e.name), MacroLine::Kind::Down);
        for (const auto &e : KeyNames::mouseEntries())
            lines << MacroLine::join(QString::fromUtf16(e.name), MacroLine::Kind::Up);
        lines << "65535   [Delay]";
        QVERIFY(lib.saveMacroIni(name, lines, 1).saved);
        QCOMPARE(lib.loadMacroIni(name), lines);
    }

    void loadReadsMissingEntriesAsZero()
    {
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        {
            QSettings file(path(name), QSettings::IniFormat);
            file.setValue("config/total", 3);
            file.setValue("macro/0", "A    [Down]");
            file.setValue("macro/2", "A      [Up]");
        }
        QCOMPARE(lib.loadMacroIni(name), (QStringList{"A    [Down]", "0", "A      [Up]"}));
    }

    void corruptTotalIsBounded_data()
    {
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("lines");
        QTest::newRow("negative") << "-5" << 0;
        QTest::newRow("not a number") << "many" << 0;
        QTest::newRow("beyond int") << "99999999999999" << MacroLibrary::maxLines;
        QTest::newRow("beyond 64 bits") << "999999999999999999999" << 0;
        QTest::newRow("huge") << "2147483647" << MacroLibrary::maxLines;
    }

    void corruptTotalIsBounded()
    {
        QFETCH(QString, total);
        QFETCH(int, lines);
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        {
            QSettings file(path(name), QSettings::IniFormat);
            file.setValue("config/total", total);
        }
        QCOMPARE(lib.loadMacroIni(name).size(), lines);
    }

    void saveReportsUploadOfBoundMacro_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("device");
        QTest::addColumn<bool>("upload");
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("macroId");
        const int mouse = int(MacroUpload::Command::Mouse13H);
        const int keyboard = int(MacroUpload::Command::Keyboard11H);
        QTest::newRow("unbound") << -1 << 1 << false << 0 << 0;
        QTest::newRow("mouse slot 0 -> id 1") << 0 << 1 << true << mouse << 1;
        QTest::newRow("mouse slot 11 -> id 12") << 11 << 1 << true << mouse << 12;
        QTest::newRow("mouse slot 12") << 12 << 1 << false << 0 << 0;
        QTest::newRow("keyboard slot 0") << 0 << 0 << true << keyboard << 0;
        QTest::newRow("keyboard slot 34") << 34 << 0 << true << keyboard << 34;
        QTest::newRow("keyboard slot 35") << 35 << 0 << false << 0 << 0;
        QTest::newRow("other device") << 3 << 2 << false << 0 << 0;
    }

    void saveReportsUploadOfBoundMacro()
    {
        QFETCH(int, index);
        QFETCH(int, device);
        QFETCH(bool, upload);
        QFETCH(int, command);
        QFETCH(int, macroId);
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        // Bound on another device: the upload still goes to the current one.
        lib.setMacroIniConfig(name, {index, 2}, device == 0 ? 1 : 0);
        const MacroSaveResult r = lib.saveMacroIni(name, {"A    [Down]"}, device);
        QVERIFY(r.saved);
        QCOMPARE(r.upload.has_value(), upload);
        if (upload) {
            QCOMPARE(int(r.upload->command), command);
            QCOMPARE(int(r.upload->macroId), macroId);
        }
        QCOMPARE(MacroLibrary::uploadFor(index, device), r.upload);
    }

    // The settings reader skips a line it rejects and keeps an error state;
    // the save rewrites the file all the same, so it did happen.
    void saveOverARejectedLineSavesAndUploads_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("no equals sign") << QByteArray("bogus line");
        QTest::newRow("open quote") << QByteArray("\"index=1");
        QTest::newRow("open section") << QByteArray("[macro");
    }

    void saveOverARejectedLineSavesAndUploads()
    {
        QFETCH(QByteArray, line);
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        QVERIFY(lib.setMacroIniConfig(name, {0, 1}, 1));
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::Append));
        QVERIFY(file.write(line + "\n0=B    [Down]\n") > 0);
        file.close();

        const QStringList lines{"A    [Down]", "A      [Up]"};
        const MacroSaveResult r = lib.saveMacroIni(name, lines, 1);
        QVERIFY(r.saved);
        QCOMPARE(r.upload, (MacroUpload{MacroUpload::Command::Mouse13H, 1}));
        QCOMPARE(lib.loadMacroIni(name), lines);
        QCOMPARE(lib.loadMacroIniConfig(name, 1), (QVariantList{0, 1}));
    }

    // A file over 1 MiB is no macro: nothing reads it, nothing writes it.
    void oversizedMacroFileIsNeitherReadNorWritten()
    {
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        QVERIFY(lib.saveMacroIni(name, {"A    [Down]"}, 1).saved);
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::Append));
        QVERIFY(file.write(QByteArray(settingsfile::MaxBytes, ';')) > 0);
        file.close();
        const QByteArray before = [&] {
            QFile f(path(name));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();

        QVERIFY(lib.loadMacroIni(name).isEmpty());
        QVERIFY(lib.loadMacroIniConfig(name, 1).isEmpty());
        QVERIFY(!lib.saveMacroIni(name, {"B    [Down]"}, 1).saved);
        QVERIFY(!lib.setMacroIniConfig(name, {0, 1}, 1));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void bindingBelongsToItsDevice()
    {
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        QVERIFY(lib.setMacroIniConfig(name, {4, 7}, 0));
        QCOMPARE(lib.loadMacroIniConfig(name, 1), (QVariantList{-1, 7}));
        QCOMPARE(lib.loadMacroIniConfig(name, 0), (QVariantList{4, 7}));
        QVERIFY(lib.setMacroIniConfig(name, {2, 258}, 1));
        QCOMPARE(lib.loadMacroIniConfig(name, 1), (QVariantList{2, 258}));
        QCOMPARE(lib.repeatCount(name), 258u);
    }

    void shortConfigListWritesNothing()
    {
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        QVERIFY(!lib.setMacroIniConfig(name, {5}, 1));
        QVERIFY(!lib.setMacroIniConfig(name, {}, 1));
        QCOMPARE(lib.loadMacroIniConfig(name, 1), (QVariantList{-1, 1}));
        QVERIFY(!lib.setMacroIniConfig("missing", {1, 1}, 1));
        QVERIFY(!QFile::exists(path("missing")));
        QCOMPARE(lib.loadMacroIniConfig("missing", 1), QVariantList());
    }

    void namesSortIgnoringCase()
    {
        touch("B");
        touch("a");
        touch("Macro. 001");
        touch("c");
        QFile other(macroDir() + "/notes.txt");
        QVERIFY(other.open(QIODevice::WriteOnly));
        QCOMPARE(library().getMacroIniNames(),
                 (QStringList{"a.bin", "B.bin", "c.bin", "Macro. 001.bin"}));
    }

    void namesOfMissingFolderIsEmpty() { QCOMPARE(library().getMacroIniNames(), QStringList()); }

    void deleteAndRename()
    {
        MacroLibrary lib = library();
        const QString first = lib.createMacroIni();
        const QString second = lib.createMacroIni();
        QVERIFY(lib.saveMacroIni(first, {"A    [Down]"}, 1).saved);
        QVERIFY(lib.renameMacroIniFile(first, "Jump"));
        QCOMPARE(lib.loadMacroIni("Jump"), QStringList{"A    [Down]"});
        QVERIFY(!lib.exists(first));
        // The target is taken: both files stay as they were.
        QVERIFY(!lib.renameMacroIniFile(second, "Jump"));
        QVERIFY(lib.exists(second));
        QCOMPARE(lib.loadMacroIni("Jump"), QStringList{"A    [Down]"});
        QVERIFY(!lib.renameMacroIniFile("missing", "Other"));

        QVERIFY(lib.deleteMacroIni("Jump"));
        QVERIFY(!lib.deleteMacroIni("Jump"));
        QCOMPARE(lib.getMacroIniNames(), QStringList{second + ".bin"});
    }

    void importTakesBaseName()
    {
        QTemporaryDir outside;
        const QString source = outside.path() + "/My Macro.bin";
        {
            QSettings file(source, QSettings::IniFormat);
            file.setValue("config/index", 3);
            file.setValue("config/did", 1);
            file.setValue("config/total", 1);
            file.setValue("macro/0", "KP 7     [Down]");
        }
        MacroLibrary lib = library();
        QCOMPARE(lib.importMacroIni(source), QStringLiteral("My Macro"));
        QCOMPARE(lib.loadMacroIni("My Macro"), QStringList{"KP 7     [Down]"});
        // Taken unchanged, binding included.
        QCOMPARE(lib.loadMacroIniConfig("My Macro", 1), (QVariantList{3, 1}));

        // Importing again replaces the library copy.
        {
            QSettings file(source, QSettings::IniFormat);
            file.setValue("macro/0", "B    [Down]");
        }
        QCOMPARE(lib.importMacroIni(source), QStringLiteral("My Macro"));
        QCOMPARE(lib.loadMacroIni("My Macro"), QStringList{"B    [Down]"});

        // Importing the library's own file leaves it intact.
        QCOMPARE(lib.importMacroIni(path("My Macro")), QStringLiteral("My Macro"));
        QCOMPARE(lib.loadMacroIni("My Macro"), QStringList{"B    [Down]"});
    }

    void importCancelledOrUnreadable()
    {
        MacroLibrary lib = library();
        QCOMPARE(lib.importMacroIni(QString()), QString());
        QCOMPARE(lib.importMacroIni(tmp.path() + "/absent.bin"), QString());
        QVERIFY(!QFile::exists(path("absent")));
    }

    void exportCopiesAndReplaces()
    {
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        QVERIFY(lib.saveMacroIni(name, {"A    [Down]", "A      [Up]"}, 1).saved);
        QTemporaryDir outside;
        const QString target = outside.path() + "/out.bin";
        {
            QFile old(target);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old content that is longer than nothing");
        }
        QVERIFY(lib.exportMacroIni(name, target));
        QFile a(path(name));
        QFile b(target);
        QVERIFY(a.open(QIODevice::ReadOnly));
        QVERIFY(b.open(QIODevice::ReadOnly));
        QCOMPARE(b.readAll(), a.readAll());

        QVERIFY(!lib.exportMacroIni(name, QString()));
        QVERIFY(!lib.exportMacroIni("missing", outside.path() + "/m.bin"));
        QVERIFY(!QFile::exists(outside.path() + "/m.bin"));
    }

    // Names become file paths: hostile ones must not reach the file system.
    void hostileNamesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent") << "../x";
        QTest::newRow("dotdot") << "..";
        QTest::newRow("dot") << ".";
        QTest::newRow("inner dotdot") << "a..b";
        QTest::newRow("slash") << "a/b";
        QTest::newRow("backslash") << "a\\b";
        QTest::newRow("absolute") << "/tmp/evil";
        QTest::newRow("empty") << "";
        QTest::newRow("newline") << "a\nb";
        QTest::newRow("nul") << QString(QChar(0)) + "x";
        QTest::newRow("escape") << "a\x1b";
    }

    void hostileNamesAreRefused()
    {
        QFETCH(QString, name);
        QVERIFY(!MacroLibrary::isValidName(name));
        MacroLibrary lib = library();
        const QString good = lib.createMacroIni();
        const QStringList before = filesOnDisk();

        QVERIFY(!lib.saveMacroIni(name, {"A    [Down]"}, 1).saved);
        QVERIFY(!lib.setMacroIniConfig(name, {0, 1}, 1));
        QVERIFY(!lib.deleteMacroIni(name));
        QVERIFY(!lib.renameMacroIniFile(good, name));
        QVERIFY(!lib.renameMacroIniFile(name, "fine"));
        QVERIFY(!lib.exportMacroIni(name, tmp.path() + "/exported.bin"));
        QCOMPARE(lib.loadMacroIni(name), QStringList());
        QCOMPARE(lib.loadMacroIniConfig(name, 1), QVariantList());
        QCOMPARE(filesOnDisk(), before);
        QVERIFY(lib.exists(good));
    }

    void importOfHostileBaseNameIsRefused()
    {
        QTemporaryDir outside;
        for (const QString &file : {QStringLiteral("..bin"), QStringLiteral(".bin"),
                                    QStringLiteral("...bin"), QStringLiteral("a\x01.bin")}) {
            QFile f(outside.path() + u'/' + file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.close();
            QCOMPARE(library().importMacroIni(f.fileName()), QString());
        }
        QCOMPARE(library().getMacroIniNames(), QStringList());
    }

    void ordinaryNamesAreAccepted()
    {
        for (const QString &name : {QStringLiteral("Macro. 001"), QStringLiteral("My Macro"),
                                    QStringLiteral("a.b"), QStringLiteral("宏 1")})
            QVERIFY2(MacroLibrary::isValidName(name), qPrintable(name));
    }

    void lineSplitsByPosition_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("kind");
        QTest::newRow("KP 7") << "KP 7     [Down]"
                              << "KP 7 " << int(MacroLine::Kind::Down);
        QTest::newRow("up") << "L Ctrl      [Up]"
                            << "L Ctrl" << int(MacroLine::Kind::Up);
        QTest::newRow("delay") << "250   [Delay]"
                               << "250" << int(MacroLine::Kind::Delay);
        QTest::newRow("empty value") << "    [Down]"
                                     << "" << int(MacroLine::Kind::Down);
        QTest::newRow("short") << "[Down]"
                               << "" << int(MacroLine::Kind::Invalid);
        QTest::newRow("misaligned") << "A   [Down]"
                                    << "" << int(MacroLine::Kind::Invalid);
        QTest::newRow("unknown") << "A   [Press]"
                                 << "A" << int(MacroLine::Kind::Invalid);
    }

    void lineSplitsByPosition()
    {
        QFETCH(QString, line);
        QFETCH(QString, value);
        QFETCH(int, kind);
        const MacroLine split = MacroLine::split(line);
        QCOMPARE(int(split.kind), kind);
        if (split.kind != MacroLine::Kind::Invalid) {
            QCOMPARE(split.value, value);
            QCOMPARE(split.command.size(), MacroLine::commandWidth);
            QCOMPARE(MacroLine::join(split.value, split.kind), line);
        }
    }
};

QTEST_GUILESS_MAIN(TestMacroLibrary)
#include "tst_macro_library.moc"
