// Frame checksum and report cipher.
#include "device/cipher.h"
#include "fake_hid_bus.h"

#include <QRandomGenerator>
#include <QTest>

class TstCipher : public QObject
{
    Q_OBJECT

private slots:
    void checksumOfGetReportRate()
    {
        EventLog log;
        FakeClock clock(log);
        TestLink link(nullptr, &clock);
        link.buildFrame(0x81);
        const std::array<uchar, 9> expected{0x00, 0x81, 0, 0, 0, 0, 0, 0, 0x7E};
        QCOMPARE(link.frame, expected);
        QCOMPARE(link.hidCS(&link.frame[1]), uchar(0x7E));
        link.buildFrame(0x12, 1, 0x40, 0x08);
        QCOMPARE(link.frame[8], uchar(~(0x12 + 1 + 0x40 + 0x08)));
    }

    // Vectors worked out by hand from the four steps (swap, key, rotate, mask).
    void knownVectors_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("cipher");
        QTest::newRow("81H, default code")
            << QByteArray::fromHex("810000000000007e") << QByteArray("740352")
            << QByteArray::fromHex("b5d096e871979556");
        QTest::newRow("0BH stage 3, other code")
            << QByteArray::fromHex("0b030000000000f1") << QByteArray("Ab9-zQ")
            << QByteArray::fromHex("b622de3047808d56");
    }
    void knownVectors()
    {
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, code);
        QFETCH(QByteArray, cipher);
        uchar key[8] = {};
        QVERIFY(loadSecrecyCode(key, code.constData(), 6));
        QByteArray block = plain;
        auto *bytes = reinterpret_cast<uchar *>(block.data());
        EventLog log;
        FakeClock clock(log);
        TestLink link(nullptr, &clock);
        link.USBDataEncryption(bytes, key);
        QCOMPARE(block, cipher);
        link.USBDataDecipher(bytes, key);
        QCOMPARE(block, plain);
    }

    void roundTripManyFramesAndKeys()
    {
        QRandomGenerator random(20240601);
        int changed = 0;
        for (int i = 0; i < 5000; ++i) {
            uchar key[8] = {};
            char code[6];
            for (char &c : code)
                c = static_cast<char>(random.bounded(0x20, 0x7f));
            QVERIFY(loadSecrecyCode(key, code, 6));
            std::array<uint8_t, 8> block{};
            for (auto &b : block)
                b = static_cast<uint8_t>(random.bounded(256));
            const auto original = block;
            encipherBlock(block.data(), key);
            changed += block != original;
            decipherBlock(block.data(), key);
            QCOMPARE(block, original);
        }
        QVERIFY(changed > 4990);
    }
};

QTEST_GUILESS_MAIN(TstCipher)
#include "tst_cipher.moc"
