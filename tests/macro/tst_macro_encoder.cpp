#include "macro/encoder/macro_encoder.h"

#include <QTest>

namespace {

constexpr int mouse = 1;
constexpr int keyboard = 0;

QByteArray bytes(const QList<uchar> &stream)
{
    return QByteArray(reinterpret_cast<const char *>(stream.constData()), stream.size());
}

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// n press records of "A": 2 + 2n + 2 bytes of stream.
QStringList presses(int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines << "A    [Down]";
    return lines;
}

} // namespace

class TestMacroEncoder : public QObject
{
    Q_OBJECT

private slots:
    void workedExample()
    {
        const QStringList lines{"L Ctrl    [Down]", "100   [Delay]",  "A    [Down]",
                                "A      [Up]",      "2000   [Delay]", "L Ctrl      [Up]"};
        QCOMPARE(bytes(MacroEncoder::encode(lines, mouse)), hex("00010AE0010481046401"
                                                                "81E00000"));
        const MacroBlock block = MacroEncoder::mouseBlock(1, lines, 3, mouse);
        QByteArray expected = hex("00030AE001048104640181E00000");
        expected.append(QByteArray(128 - expected.size(), '\0'));
        QCOMPARE(block.bytes, expected);
        QVERIFY(!block.cut);
        QCOMPARE(int(block.macroId), 1);
    }

    void encodes_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("stream");

        QTest::newRow("empty") << mouse << QStringList() << hex("00010000");
        QTest::newRow("press and release")
            << mouse << QStringList{"A    [Down]", "A      [Up]"} << hex("0001010481040000");
        QTest::newRow("mouse button names")
            << mouse << QStringList{"MS-L    [Down]", "MS-B5      [Up]"} << hex("000101F081F40000");
        QTest::newRow("KP 7 with blank")
            << mouse << QStringList{"KP 7     [Down]"} << hex("0001015F0000");
        QTest::newRow("KP 7 without blank")
            << mouse << QStringList{"KP 7    [Down]"} << hex("00010000");
        QTest::newRow("case counts") << mouse << QStringList{"a    [Down]"} << hex("00010000");

        // Mouse delays: folded into the previous event byte up to 1270 ms,
        // short records up to 5100 ms, long records beyond.
        QTest::newRow("fold 5") << mouse << QStringList{"A    [Down]", "5   [Delay]"}
                                << hex("0001010400 00");
        QTest::newRow("fold 1270")
            << mouse << QStringList{"A    [Down]", "1270   [Delay]"} << hex("00017F040000");
        QTest::newRow("fold keeps release bit")
            << mouse << QStringList{"A      [Up]", "300   [Delay]"} << hex("00019E040000");
        QTest::newRow("short 1271") << mouse << QStringList{"A    [Down]", "1271   [Delay]"}
                                    << hex("000101044001"
                                           "0000");
        QTest::newRow("short 5100") << mouse << QStringList{"A    [Down]", "5100   [Delay]"}
                                    << hex("00010104FF01"
                                           "0000");
        QTest::newRow("long 5101") << mouse << QStringList{"A    [Down]", "5101   [Delay]"}
                                   << hex("0001010400 0100FF"
                                          "0000");
        QTest::newRow("first line 300")
            << mouse << QStringList{"300   [Delay]"} << hex("00010001000F0000");
        QTest::newRow("first line 10")
            << mouse << QStringList{"10   [Delay]"} << hex("0001000100010000");
        QTest::newRow("two short in a row")
            << mouse << QStringList{"A    [Down]", "100   [Delay]", "200   [Delay]"}
            << hex("00010A04"
                   "0001000A"
                   "0000");
        QTest::newRow("short after unknown key")
            << mouse << QStringList{"A    [Down]", "Nope    [Down]", "100   [Delay]"}
            << hex("00010104"
                   "00010005"
                   "0000");
        QTest::newRow("short after invalid line")
            << mouse << QStringList{"A    [Down]", "garbage", "100   [Delay]"}
            << hex("00010104"
                   "00010005"
                   "0000");
        QTest::newRow("zero delay")
            << mouse << QStringList{"A    [Down]", "0   [Delay]"} << hex("000101040000");
        QTest::newRow("not a number")
            << mouse << QStringList{"A    [Down]", "abc   [Delay]"} << hex("000101040000");
        QTest::newRow("negative") << mouse << QStringList{"-100   [Delay]"} << hex("00010000");
        QTest::newRow("mouse 65535")
            << mouse << QStringList{"65535   [Delay]"} << hex("00010001 0CCD 0000");
        QTest::newRow("mouse beyond 16 bits")
            << mouse << QStringList{"99999999   [Delay]"} << hex("00010001FFFF0000");

        // Keyboard delays: 10 ms units, never folded.
        QTest::newRow("kb 1000") << keyboard << QStringList{"1000   [Delay]"}
                                 << hex("00017F0000640000");
        QTest::newRow("kb 5") << keyboard << QStringList{"5   [Delay]"} << hex("00017F0000000000");
        QTest::newRow("kb 65535") << keyboard << QStringList{"65535   [Delay]"}
                                  << hex("00017F0019990000");
        QTest::newRow("kb no folding") << keyboard << QStringList{"A    [Down]", "100   [Delay]"}
                                       << hex("000101047F00000A0000");

        QTest::newRow("other device drops delays")
            << 2 << QStringList{"A    [Down]", "100   [Delay]", "A      [Up]"}
            << hex("00010104810400 00");
    }

    void encodes()
    {
        QFETCH(int, device);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, stream);
        QCOMPARE(bytes(MacroEncoder::encode(lines, device)).toHex(' '), stream.toHex(' '));
    }

    void playCountInMouseHeader_data()
    {
        QTest::addColumn<uint>("repeat");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("258") << 258u << hex("0102");
        QTest::newRow("0") << 0u << hex("0000");
        QTest::newRow("65535") << 65535u << hex("FFFF");
        QTest::newRow("high bits dropped") << 0x10005u << hex("0005");
    }

    void playCountInMouseHeader()
    {
        QFETCH(uint, repeat);
        QFETCH(QByteArray, head);
        const MacroBlock block = MacroEncoder::mouseBlock(12, {"A    [Down]"}, repeat, mouse);
        QCOMPARE(block.bytes.left(2), head);
        QCOMPARE(block.bytes.mid(2, 4), hex("01040000"));
        QCOMPARE(int(block.macroId), 12);
    }

    void mouseBlockCutOnlyWhenTooLong_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("cut");
        QTest::newRow("126 bytes") << 61 << false;
        QTest::newRow("128 bytes") << 62 << false;
        QTest::newRow("130 bytes") << 63 << true;
    }

    void mouseBlockCutOnlyWhenTooLong()
    {
        QFETCH(int, records);
        QFETCH(bool, cut);
        const QList<uchar> stream = MacroEncoder::encode(presses(records), mouse);
        QCOMPARE(stream.size(), 4 + 2 * records);
        const MacroBlock block = MacroEncoder::mouseBlock(3, presses(records), 1, mouse);
        QCOMPARE(block.cut, cut);
        QCOMPARE(block.bytes.size(), 128);
        const QByteArray all = bytes(stream);
        QCOMPARE(block.bytes.left(qMin(all.size(), 128)), all.left(128));
        if (cut)
            QCOMPARE(block.bytes.right(2), hex("0104")); // the End record is lost
        else
            QCOMPARE(block.bytes.mid(all.size() - 2, 2), hex("0000"));
    }

    void keyboardBlock()
    {
        const QStringList lines{"A    [Down]", "1000   [Delay]", "A      [Up]"};
        const MacroBlock block = MacroEncoder::keyboardBlock(34, lines, keyboard);
        QByteArray expected = hex("000101047F000064810400 00");
        expected.append(QByteArray(192 - expected.size(), '\0'));
        QCOMPARE(block.bytes, expected);
        QVERIFY(!block.cut);
        QCOMPARE(int(block.macroId), 34);

        const MacroBlock full = MacroEncoder::keyboardBlock(1, presses(94), keyboard);
        QVERIFY(!full.cut);
        QCOMPARE(full.bytes.right(2), hex("0000"));
        const MacroBlock over = MacroEncoder::keyboardBlock(1, presses(95), keyboard);
        QVERIFY(over.cut);
        QCOMPARE(over.bytes.size(), 192);
        QCOMPARE(over.bytes.right(2), hex("0104"));
    }

    void macroIdIsOneByte()
    {
        QCOMPARE(int(MacroEncoder::mouseBlock(0x105, {}, 1, mouse).macroId), 5);
    }

    // A missing macro still clears its slot on the device.
    void emptyMacroUploadsHeaderAndEnd()
    {
        const MacroBlock block = MacroEncoder::mouseBlock(2, {}, 1, mouse);
        QByteArray expected = hex("00010000");
        expected.append(QByteArray(124, '\0'));
        QCOMPARE(block.bytes, expected);
    }
};

QTEST_GUILESS_MAIN(TestMacroEncoder)
#include "tst_macro_encoder.moc"
