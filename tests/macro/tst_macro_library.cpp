#include "macro/encoder/macro_upload.h"
#include "macro/keys/key_names.h"
#include "macro/library/macro_library.h"
#include "macro/library/macro_line.h"
#include "storage/settings_file.h"
#include "support/test_files.h"

#include <QDir>
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
    void touch(const QString &name) const { writeFile(path(name), {}); }

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

    void createPicksFirstFreeNumber()
    {
        MacroLibrary lib = library();
        QCOMPARE(lib.getMacroIniNames(), QStringList());
        QCOMPARE(lib.createMacroIni(), QStringLiteral("Macro. 001"));
        QCOMPARE(lib.loadMacroIniConfig("Macro. 001", 1), (QVariantList{-1, 1}));
        QCOMPARE(QSettings(path("Macro. 001"), QSettings::IniFormat).value("config/did").toInt(),
                 -1);
        touch(QStringLiteral("Macro. 003"));
        QCOMPARE(lib.createMacroIni(), QStringLiteral("Macro. 002"));
        QCOMPARE(lib.createMacroIni(), QStringLiteral("Macro. 004"));
        // Listed ignoring case; other files are no macros.
        for (const char *name : {"B", "a", "c"})
            touch(name);
        writeFile(macroDir() + "/notes.txt", {});
        QCOMPARE(lib.getMacroIniNames(),
                 (QStringList{"a.bin", "B.bin", "c.bin", "Macro. 001.bin", "Macro. 002.bin",
                              "Macro. 003.bin", "Macro. 004.bin"}));
        for (int n = 5; n <= 999; ++n)
            touch(QStringLiteral("Macro. %1").arg(n, 3, 10, QLatin1Char('0')));
        QCOMPARE(lib.createMacroIni(), QStringLiteral("Macro. 1000"));
    }

    void saveRemovesStaleLines()
    {
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        QVERIFY(lib.saveMacroIni(name, {"A    [Down]", "A      [Up]", "100   [Delay]"}, 1).saved);
        const QStringList two{"L Ctrl    [Down]", "L Ctrl      [Up]"};
        QVERIFY(lib.saveMacroIni(name, two, 1).saved);
        QCOMPARE(lib.loadMacroIni(name), two);
        QSettings file(path(name), QSettings::IniFormat);
        QCOMPARE(file.value("config/total").toInt(), 2);
        QVERIFY(!file.contains("macro/2"));
        QCOMPARE(file.value("config/repeat").toInt(), 1);
        QVERIFY(!lib.saveMacroIni("Nope", {"A    [Down]"}, 1).saved);
        QVERIFY(!QFile::exists(path("Nope")));
    }

    // Key names hold characters INI files treat specially (";", ",", quotes, "\\").
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

    void damagedTotalIsBounded_data()
    {
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("lines");
        QTest::newRow("negative") << "-5" << 0;
        QTest::newRow("not a number") << "many" << 0;
        QTest::newRow("beyond int") << "99999999999999" << MacroLibrary::maxLines;
        QTest::newRow("beyond 64 bits") << "999999999999999999999" << 0;
        QTest::newRow("huge") << "2147483647" << MacroLibrary::maxLines;
    }

    void damagedTotalIsBounded()
    {
        QFETCH(QString, total);
        QFETCH(int, lines);
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        QSettings(path(name), QSettings::IniFormat).setValue("config/total", total);
        QCOMPARE(lib.loadMacroIni(name).size(), lines);
        // Missing entries read as zero.
        QSettings(path(name), QSettings::IniFormat).setValue("config/total", 2);
        QSettings(path(name), QSettings::IniFormat).setValue("macro/1", "A    [Down]");
        QCOMPARE(lib.loadMacroIni(name), (QStringList{"0", "A    [Down]"}));
    }

    // Slots 0-11 of the mouse go to macro ids 1-12 with 13H, slots 0-34 of
    // the keyboard to the same id with 11H.
    void saveReportsUploadOfBoundMacro_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("macroId"); // -1: no upload
        QTest::newRow("unbound") << -1 << 1 << -1;
        QTest::newRow("mouse slot 0 -> id 1") << 0 << 1 << 1;
        QTest::newRow("mouse slot 11 -> id 12") << 11 << 1 << 12;
        QTest::newRow("mouse slot 12") << 12 << 1 << -1;
        QTest::newRow("keyboard slot 0") << 0 << 0 << 0;
        QTest::newRow("keyboard slot 34") << 34 << 0 << 34;
        QTest::newRow("keyboard slot 35") << 35 << 0 << -1;
        QTest::newRow("other device") << 3 << 2 << -1;
    }

    void saveReportsUploadOfBoundMacro()
    {
        QFETCH(int, index);
        QFETCH(int, device);
        QFETCH(int, macroId);
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        // Bound on another device: the upload still goes to the current one.
        lib.setMacroIniConfig(name, {index, 2}, device == 0 ? 1 : 0);
        const MacroSaveResult r = lib.saveMacroIni(name, {"A    [Down]"}, device);
        QVERIFY(r.saved);
        QCOMPARE(r.upload.has_value(), macroId >= 0);
        if (r.upload) {
            QCOMPARE(r.upload->command, device == 0 ? MacroUpload::Command::Keyboard11H
                                                    : MacroUpload::Command::Mouse13H);
            QCOMPARE(int(r.upload->macroId), macroId);
        }
        QCOMPARE(MacroLibrary::uploadFor(index, device), r.upload);
    }

    // A line the settings reader rejects does not stop the save (nor its upload).
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
        writeFile(path(name), readFile(path(name)) + line + "\n0=B    [Down]\n");
        const QStringList lines{"A    [Down]", "A      [Up]"};
        const MacroSaveResult r = lib.saveMacroIni(name, lines, 1);
        QVERIFY(r.saved);
        QCOMPARE(r.upload, (MacroUpload{MacroUpload::Command::Mouse13H, 1}));
        QCOMPARE(lib.loadMacroIni(name), lines);
        QCOMPARE(lib.loadMacroIniConfig(name, 1), (QVariantList{0, 1}));
    }

    // Text an INI file cannot hold unchanged (an unpaired surrogate, a
    // control character, a leading U+FEFF) reads as a missing line, and a
    // save of it writes nothing: what the file holds always reads back.
    void lineTheFileCannotKeep_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("line");
        QTest::newRow("NUL and a lone surrogate")
            << QByteArray("@String(\\0\\xd800)") << QString(QChar(0)) + QChar(0xD800);
        QTest::newRow("lone surrogate")
            << QByteArray("A\\xdc00") << QStringLiteral("A") + QChar(0xDC00);
        QTest::newRow("control character")
            << QByteArray("A\\x1    [Down]") << QStringLiteral("A\x01    [Down]");
        QTest::newRow("C1 control")
            << QByteArray("\xc2\x85    [Down]") << QStringLiteral("\u0085    [Down]");
        QTest::newRow("byte order mark")
            << QByteArray("\\xfeff    [Down]") << QStringLiteral("\uFEFF    [Down]");
    }

    void lineTheFileCannotKeep()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, line);
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        writeFile(path(name), "[config]\ntotal=2\n[macro]\n0=A    [Down]\n1=" + stored + "\n");
        QCOMPARE(lib.loadMacroIni(name), (QStringList{"A    [Down]", "0"}));
        const QByteArray before = readFile(path(name));
        QVERIFY(!lib.saveMacroIni(name, {"B    [Down]", line}, 1).saved);
        QCOMPARE(readFile(path(name)), before);
    }

    // A file over 1 MiB is no macro: nothing reads it, nothing writes it.
    void oversizedMacroFileIsNeitherReadNorWritten()
    {
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        QVERIFY(lib.saveMacroIni(name, {"A    [Down]"}, 1).saved);
        const QByteArray before = readFile(path(name)) + QByteArray(settingsfile::MaxBytes, ';');
        writeFile(path(name), before);
        QVERIFY(lib.loadMacroIni(name).isEmpty());
        QVERIFY(lib.loadMacroIniConfig(name, 1).isEmpty());
        QVERIFY(!lib.saveMacroIni(name, {"B    [Down]"}, 1).saved);
        QVERIFY(!lib.setMacroIniConfig(name, {0, 1}, 1));
        QCOMPARE(readFile(path(name)), before);
    }

    void bindingBelongsToItsDevice()
    {
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        QVERIFY(lib.setMacroIniConfig(name, {4, 7}, 0));
        QCOMPARE(lib.loadMacroIniConfig(name, 1), (QVariantList{-1, 7}));
        QCOMPARE(lib.loadMacroIniConfig(name, 0), (QVariantList{4, 7}));
        QVERIFY(lib.setMacroIniConfig(name, {2, 258}, 1));
        QCOMPARE(lib.repeatCount(name), 258u);
        // A short list or a missing macro writes nothing.
        QVERIFY(!lib.setMacroIniConfig(name, {5}, 1));
        QVERIFY(!lib.setMacroIniConfig(name, {}, 1));
        QCOMPARE(lib.loadMacroIniConfig(name, 1), (QVariantList{2, 258}));
        QVERIFY(!lib.setMacroIniConfig("missing", {1, 1}, 1));
        QVERIFY(!QFile::exists(path("missing")));
        QCOMPARE(lib.loadMacroIniConfig("missing", 1), QVariantList());
    }

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

    void importTakesBaseNameAndReplaces()
    {
        QTemporaryDir outside;
        const QString source = outside.path() + "/My Macro.bin";
        writeFile(source, "[config]\nindex=3\ndid=1\ntotal=1\n[macro]\n0=KP 7     [Down]\n");
        MacroLibrary lib = library();
        QCOMPARE(lib.importMacroIni(source), QStringLiteral("My Macro"));
        QCOMPARE(lib.loadMacroIni("My Macro"), QStringList{"KP 7     [Down]"});
        QCOMPARE(lib.loadMacroIniConfig("My Macro", 1), (QVariantList{3, 1}));
        QSettings(source, QSettings::IniFormat).setValue("macro/0", "B    [Down]");
        QCOMPARE(lib.importMacroIni(source), QStringLiteral("My Macro"));
        QCOMPARE(lib.loadMacroIni("My Macro"), QStringList{"B    [Down]"});
        // Importing the library's own file leaves it intact.
        QCOMPARE(lib.importMacroIni(path("My Macro")), QStringLiteral("My Macro"));
        QCOMPARE(lib.loadMacroIni("My Macro"), QStringList{"B    [Down]"});
        QCOMPARE(lib.importMacroIni(QString()), QString());
        QCOMPARE(lib.importMacroIni(tmp.path() + "/absent.bin"), QString());
        QVERIFY(!QFile::exists(path("absent")));
        // A file whose base name is no macro name is refused.
        for (const char *file : {"..bin", ".bin", "...bin", "a\x01.bin"}) {
            writeFile(outside.path() + u'/' + file, {});
            QCOMPARE(lib.importMacroIni(outside.path() + u'/' + file), QString());
        }
        QCOMPARE(lib.getMacroIniNames(), QStringList{"My Macro.bin"});
    }

    void exportCopiesAndReplaces()
    {
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        QVERIFY(lib.saveMacroIni(name, {"A    [Down]", "A      [Up]"}, 1).saved);
        QTemporaryDir outside;
        const QString target = outside.path() + "/out.bin";
        writeFile(target, "old content that is longer than nothing, and then some more of it");
        QVERIFY(lib.exportMacroIni(name, target));
        QCOMPARE(readFile(target), readFile(path(name)));
        QVERIFY(!lib.exportMacroIni(name, QString()));
        QVERIFY(!lib.exportMacroIni("missing", outside.path() + "/m.bin"));
        QVERIFY(!QFile::exists(outside.path() + "/m.bin"));
    }

    // Names become file paths: hostile ones must not reach the file system.
    void hostileNamesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        for (const char *bad :
             {"../x", "..", ".", "a..b", "a/b", "a\\b", "/tmp/evil", "", "a\nb", "a\x1b"})
            QTest::newRow(bad) << QString::fromUtf8(bad) << false;
        QTest::newRow("nul") << QString(QChar(0)) + "x" << false;
        for (const char *good : {"Macro. 001", "My Macro", "a.b", "宏 1"})
            QTest::newRow(good) << QString::fromUtf8(good) << true;
    }

    void hostileNamesAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(MacroLibrary::isValidName(name), valid);
        if (valid)
            return;
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
        // A missing or hostile macro still clears its slot on the device.
        const QByteArray cleared = QByteArray::fromHex("00010000") + QByteArray(124, '\0');
        QCOMPARE(mouseUploadBlock(lib, 12, name, 1).bytes, cleared);
        QCOMPARE(keyboardUploadBlock(lib, 0, name, 0).bytes, cleared + QByteArray(64, '\0'));
    }

    // The stored macro reaches the device with its repeat count and binding.
    void storedMacroToBlocks()
    {
        MacroLibrary lib = library();
        const QString name = lib.createMacroIni();
        QVERIFY(lib.saveMacroIni(name, {"L Ctrl    [Down]", "100   [Delay]", "L Ctrl      [Up]"}, 1)
                    .saved);
        QVERIFY(lib.setMacroIniConfig(name, {0, 3}, 1));
        const MacroBlock block = mouseUploadBlock(lib, 1, name, 1);
        QCOMPARE(block.bytes.left(8), QByteArray::fromHex("00030AE081E00000"));
        QCOMPARE(int(block.macroId), 1);
        // The keyboard block keeps a play count of one and counts in 10 ms.
        const MacroBlock kb = keyboardUploadBlock(lib, 7, name, 0);
        QCOMPARE(kb.bytes.left(8), QByteArray::fromHex("000101E07F00000A"));
        QCOMPARE(int(kb.macroId), 7);
    }

    void lineSplitsByPosition_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("kind");
        auto row = [](const char *line, const char *value, MacroLine::Kind kind) {
            QTest::newRow(line) << QString(line) << QString(value) << int(kind);
        };
        using K = MacroLine::Kind;
        row("KP 7     [Down]", "KP 7 ", K::Down);
        row("L Ctrl      [Up]", "L Ctrl", K::Up);
        row("250   [Delay]", "250", K::Delay);
        row("    [Down]", "", K::Down);
        row("[Down]", "", K::Invalid);
        row("A   [Down]", "", K::Invalid);
        row("A   [Press]", "", K::Invalid);
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
            QCOMPARE(MacroLine::join(split.value, split.kind), line);
        }
    }
};

QTEST_GUILESS_MAIN(TestMacroLibrary)
#include "tst_macro_library.moc"
