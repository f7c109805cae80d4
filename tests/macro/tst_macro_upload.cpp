#include "macro/encoder/macro_upload.h"
#include "macro/library/macro_library.h"

#include <QTemporaryDir>
#include <QTest>

// Library and encoder together, as the two upload operations use them.
class TestMacroUpload : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir tmp;

private slots:
    void storedMacroToMouseBlock()
    {
        MacroLibrary lib(tmp.path() + "/macro");
        const QString name = lib.createMacroIni();
        const QStringList lines{"L Ctrl    [Down]", "100   [Delay]",  "A    [Down]",
                                "A      [Up]",      "2000   [Delay]", "L Ctrl      [Up]"};
        QVERIFY(lib.saveMacroIni(name, lines, 1).saved);
        QVERIFY(lib.setMacroIniConfig(name, {0, 3}, 1));

        const MacroBlock block = mouseUploadBlock(lib, 1, name, 1);
        QByteArray expected = QByteArray::fromHex("00030AE001048104640181E00000");
        expected.append(QByteArray(128 - expected.size(), '\0'));
        QCOMPARE(block.bytes, expected);
        QCOMPARE(int(block.macroId), 1);
        QVERIFY(!block.cut);

        // The keyboard block keeps the header and encodes delays in 10 ms.
        const MacroBlock kb = keyboardUploadBlock(lib, 7, name, 0);
        QCOMPARE(kb.bytes.left(8), QByteArray::fromHex("000101E07F00000A"));
        QCOMPARE(kb.bytes.size(), 192);
        QCOMPARE(int(kb.macroId), 7);
    }

    void missingMacroClearsSlot()
    {
        MacroLibrary lib(tmp.path() + "/macro");
        QByteArray expected = QByteArray::fromHex("00010000");
        expected.append(QByteArray(124, '\0'));
        QCOMPARE(mouseUploadBlock(lib, 12, "gone", 1).bytes, expected);
        QCOMPARE(mouseUploadBlock(lib, 12, "../gone", 1).bytes, expected);
        expected.append(QByteArray(64, '\0'));
        QCOMPARE(keyboardUploadBlock(lib, 0, "gone", 0).bytes, expected);
    }
};

QTEST_GUILESS_MAIN(TestMacroUpload)
#include "tst_macro_upload.moc"
