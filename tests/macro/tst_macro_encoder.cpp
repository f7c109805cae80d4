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

} // namespace

class TestMacroEncoder : public QObject
{
    Q_OBJECT

private slots:
    // The mouse block carries the play count and folds short pauses into the
    // key records; the keyboard block (192 bytes) counts 10 ms, never folded.
    void workedExample()
    {
        const QStringList lines{"L Ctrl    [Down]", "100   [Delay]",  "A    [Down]",
                                "A      [Up]",      "2000   [Delay]", "L Ctrl      [Up]"};
        const MacroBlock block = MacroEncoder::mouseBlock(1, lines, 3, mouse);
        QCOMPARE(block.bytes, hex("00030AE001048104640181E00000") + QByteArray(114, 0));
        QVERIFY(!block.cut);
        QCOMPARE(int(block.macroId), 1);
        const MacroBlock kb = MacroEncoder::keyboardBlock(34, lines, keyboard);
        QCOMPARE(kb.bytes, hex("000101E07F00000A010481047F0000C881E00000") + QByteArray(172, 0));
        QVERIFY(!kb.cut);
        QCOMPARE(int(kb.macroId), 34);
    }

    void encodes_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("stream");

        auto row = [](const char *name, int device, QStringList lines, const char *stream) {
            QTest::newRow(name) << device << lines << QByteArray::fromHex(stream);
        };
        const QString down = "A    [Down]";
        row("empty", mouse, {}, "00010000");
        row("press and release", mouse, {down, "A      [Up]"}, "0001010481040000");
        row("mouse button names", mouse, {"MS-L    [Down]", "MS-B5      [Up]"}, "000101F081F40000");
        row("KP 7 with blank", mouse, {"KP 7     [Down]"}, "0001015F0000");
        row("KP 7 without blank", mouse, {"KP 7    [Down]"}, "00010000");
        row("case counts", mouse, {"a    [Down]"}, "00010000");
        // Mouse delays: folded into the previous event byte up to 1270 ms,
        // short records up to 5100 ms, long records beyond.
        row("fold 5", mouse, {down, "5   [Delay]"}, "000101040000");
        row("fold 1270", mouse, {down, "1270   [Delay]"}, "00017F040000");
        row("fold keeps release bit", mouse, {"A      [Up]", "300   [Delay]"}, "00019E040000");
        row("short 1271", mouse, {down, "1271   [Delay]"}, "0001010440010000");
        row("short 5100", mouse, {down, "5100   [Delay]"}, "00010104FF010000");
        row("long 5101", mouse, {down, "5101   [Delay]"}, "00010104000100FF0000");
        row("first line 300", mouse, {"300   [Delay]"}, "00010001000F0000");
        row("first line 5", mouse, {"5   [Delay]"}, "0001000100010000");
        row("two short in a row", mouse, {down, "100   [Delay]", "200   [Delay]"},
            "00010A040001000A0000");
        row("short after unknown key", mouse, {down, "Nope    [Down]", "100   [Delay]"},
            "00010104000100050000");
        row("short after invalid line", mouse, {down, "garbage", "100   [Delay]"},
            "00010104000100050000");
        row("zero delay", mouse, {down, "0   [Delay]"}, "000101040000");
        row("not a number", mouse, {down, "abc   [Delay]"}, "000101040000");
        row("negative", mouse, {"-100   [Delay]"}, "00010000");
        row("mouse 65535", mouse, {"65535   [Delay]"}, "000100010CCD0000");
        row("mouse beyond 16 bits", mouse, {"99999999   [Delay]"}, "00010001FFFF0000");
        // Keyboard delays: 10 ms units, never folded.
        row("kb 1000", keyboard, {"1000   [Delay]"}, "00017F0000640000");
        row("kb 5", keyboard, {"5   [Delay]"}, "00017F0000000000");
        row("kb 65535", keyboard, {"65535   [Delay]"}, "00017F0019990000");
        row("kb no folding", keyboard, {down, "100   [Delay]"}, "000101047F00000A0000");
        row("other device drops delays", 2, {down, "100   [Delay]", "A      [Up]"},
            "00010104810400 00");
    }

    void encodes()
    {
        QFETCH(int, device);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, stream);
        QCOMPARE(bytes(MacroEncoder::encode(lines, device)).toHex(' '), stream.toHex(' '));
    }

    // The play count is two bytes, high first; the macro id one byte.
    void mouseBlockHeader()
    {
        const QList<QPair<uint, QByteArray>> counts{
            {258u, hex("0102")}, {0u, hex("0000")}, {65535u, hex("FFFF")}, {0x10005u, hex("0005")}};
        for (const auto &[repeat, head] : counts) {
            const MacroBlock block =
                MacroEncoder::mouseBlock(0x10C, {"A    [Down]"}, repeat, mouse);
            QCOMPARE(block.bytes.left(6), head + hex("01040000"));
            QCOMPARE(int(block.macroId), 12);
        }
    }

    // n presses make a stream of 2 + 2n + 2 bytes; one too long for the block
    // is cut and loses its End record.
    void blockCutOnlyWhenTooLong_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("cut");
        QTest::newRow("mouse, 126 bytes") << mouse << 61 << false;
        QTest::newRow("mouse, 128 bytes") << mouse << 62 << false;
        QTest::newRow("mouse, 130 bytes") << mouse << 63 << true;
        QTest::newRow("keyboard, 192 bytes") << keyboard << 94 << false;
        QTest::newRow("keyboard, 194 bytes") << keyboard << 95 << true;
    }

    void blockCutOnlyWhenTooLong()
    {
        QFETCH(int, device);
        QFETCH(int, records);
        QFETCH(bool, cut);
        const QStringList lines(records, "A    [Down]");
        const QByteArray all = bytes(MacroEncoder::encode(lines, device));
        QCOMPARE(all.size(), 4 + 2 * records);
        const MacroBlock block = device == mouse ? MacroEncoder::mouseBlock(3, lines, 1, device)
                                                 : MacroEncoder::keyboardBlock(3, lines, device);
        const int size = device == mouse ? 128 : 192;
        QCOMPARE(block.cut, cut);
        QCOMPARE(block.bytes.size(), size);
        QCOMPARE(block.bytes.left(qMin(all.size(), size)), all.left(size));
        if (cut)
            QCOMPARE(block.bytes.right(2), hex("0104"));
        else
            QCOMPARE(block.bytes.mid(all.size() - 2, 2), hex("0000"));
    }
};

QTEST_GUILESS_MAIN(TestMacroEncoder)
#include "tst_macro_encoder.moc"
