// Checksum and report cipher, and the read transaction against the recording
// bus: what goes on the wire enciphered, what comes back deciphered.
#include "device/cipher.h"
#include "fake_hid_bus.h"

#include <QRandomGenerator>
#include <QTest>

class TstTransport : public QObject
{
    Q_OBJECT

private slots:
    void init() { isEncode = false; }

    // Vectors worked out by hand from the four steps (swap, key, rotate,
    // mask); the plain frames end in their checksum.
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
        QCOMPARE(link.hidCS(bytes), uchar(plain.at(7)));
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

    // The frame leaves enciphered with its checksum taken over the plain
    // bytes; the reply of a get without data phase is deciphered, that of
    // one with a data phase stays as it arrived, and a short data report
    // reads as zeros where it ends.
    void cipherOnTheWire()
    {
        isEncode = true;
        QVERIFY(setSecrecyCode(QStringLiteral("740352")));
        const auto key = currentSecrecyCode();
        ScannedLink rig;
        std::array<uchar, 9> plainReply{0, 0x81, 0x04, 0, 0, 0, 0, 0, 0};
        plainReply[8] = frameChecksum(&plainReply[1]);
        auto wireReply = plainReply;
        encipherBlock(&wireReply[1], key.data());
        rig.bus.featureReply = QByteArray(reinterpret_cast<const char *>(wireReply.data()), 9);

        rig.link.buildFrame(0x81);
        QVERIFY(rig.link.acquireLink());
        QVERIFY(rig.link.readTransaction(0));
        QCOMPARE(rig.bus.of(BusEvent::SendFeature).at(0).toHex(), QByteArray("00b5d096e871979556"));
        QCOMPARE(rig.link.reply, plainReply);

        const QByteArray wire = QByteArray::fromHex("009102aabbccddeeff");
        rig.bus.featureReply = wire;
        rig.bus.inputs = {QByteArray(32, 'x'), QByteArray(20, 'y')};
        rig.link.data.fill(0x55);
        rig.link.buildFrame(0x92, 1);
        QVERIFY(rig.link.acquireLink());
        QVERIFY(rig.link.readTransaction(64));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(rig.link.reply.data()), 9), wire);
        const QByteArray got(reinterpret_cast<const char *>(rig.link.data.data()), 66);
        QCOMPARE(got, QByteArray(32, 'x') + QByteArray(20, 'y') + QByteArray(12, '\0') +
                          QByteArray(2, '\x55'));
        QCOMPARE(rig.bus.openHandles.load(), 0);
        QVERIFY(rig.link.isLinkIdle());
    }
};

QTEST_GUILESS_MAIN(TstTransport)
#include "tst_transport.moc"
