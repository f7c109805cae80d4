// The two transactions against a recording bus: reports, chunking, cipher,
// failure paths, and that every path closes the interface and frees the link.
#include "device/cipher.h"
#include "fake_hid_bus.h"

#include <QTest>

namespace {

struct Rig : ScannedLink
{
    explicit Rig(unsigned reportLength = 32) : ScannedLink(mouseInterfaces(), reportLength)
    {
        log.clear();
    }

    // Runs a set on the pool, as a command would, and waits for its end.
    void set(int dataLength, bool waitAck)
    {
        QVERIFY(link.acquireLink());
        link.startWriteTask(dataLength, waitAck);
        QTRY_VERIFY(link.isLinkIdle());
    }

    void checkClosed() const
    {
        QCOMPARE(bus.openHandles.load(), 0);
        QCOMPARE(log.count(BusEvent::Open), log.count(BusEvent::Close));
        QVERIFY(link.isLinkIdle());
    }
};

void fillPattern(std::array<uchar, 512> &data)
{
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uchar>(i * 7 + 1);
}

} // namespace

class TstTransport : public QObject
{
    Q_OBJECT

private slots:
    void init() { isEncode = false; }

    void failedOutputReportEndsTheTransaction()
    {
        Rig rig(32);
        rig.bus.failWrite = 4;
        rig.link.buildFrame(0x10, 0, 192);
        fillPattern(rig.link.data);
        rig.set(192, true);
        QCOMPARE(rig.log.count(BusEvent::Write), 4);
        // The acknowledge wait after the frame ran; none after the failed phase.
        QCOMPARE(rig.clock.totalMs(QThread::currentThreadId(), false), 128 + 3 * 8);
        rig.checkClosed();
    }

    void readFailures_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("expectedFeatureSends");
        QTest::newRow("open refused") << "open" << 0;
        QTest::newRow("feature send fails") << "send" << 1;
        QTest::newRow("feature read fails") << "get" << 1;
        QTest::newRow("input report fails") << "read" << 1;
        QTest::newRow("input report never comes") << "timeout" << 1;
    }
    void readFailures()
    {
        QFETCH(QString, fault);
        QFETCH(int, expectedFeatureSends);
        Rig rig(32);
        if (fault == QLatin1String("open"))
            rig.bus.refused.insert(QStringLiteral("cmd"));
        rig.bus.failSendFeature = fault == QLatin1String("send") ? 1 : 0;
        rig.bus.failGetFeature = fault == QLatin1String("get") ? 1 : 0;
        rig.bus.failRead = fault == QLatin1String("read") ? 2 : 0;
        if (fault != QLatin1String("timeout"))
            rig.bus.inputs = {QByteArray(32, 'a'), QByteArray(32, 'b')};
        else
            rig.bus.inputs = {QByteArray(32, 'a')};
        rig.link.buildFrame(0x92, 1);
        QVERIFY(rig.link.acquireLink());
        QVERIFY(!rig.link.readTransaction(64));
        QCOMPARE(rig.log.count(BusEvent::SendFeature), expectedFeatureSends);
        rig.checkClosed();
        for (const BusEvent &read : rig.log.of(BusEvent::Read))
            QCOMPARE(read.value, Hid_Thread::kDataReadTimeoutMs);
        // A failed open empties the path: the device is gone until the next scan.
        QCOMPARE(rig.link.deviceList().at(1).path.isEmpty(), fault == QLatin1String("open"));
    }

    void emptiedPathFailsWithoutTouchingTheBus()
    {
        Rig rig(32);
        rig.bus.refused.insert(QStringLiteral("cmd"));
        rig.link.buildFrame(0x81);
        QVERIFY(rig.link.acquireLink());
        QVERIFY(!rig.link.readTransaction(0));
        rig.bus.refused.clear();
        rig.log.clear();

        QVERIFY(rig.link.acquireLink());
        QVERIFY(!rig.link.readTransaction(0));
        rig.set(8, true);
        QVERIFY(rig.log.all().isEmpty());
        QVERIFY(rig.link.isLinkIdle());
    }

    void getWithDataPhaseLeavesReplyAsItArrived()
    {
        isEncode = true;
        Rig rig(32);
        const QByteArray wire = QByteArray::fromHex("009102aabbccddeeff");
        rig.bus.featureReply = wire;
        rig.bus.inputs = {QByteArray(32, 'x'), QByteArray(20, 'y')};
        rig.link.data.fill(0x55);
        rig.link.buildFrame(0x92, 1);
        QVERIFY(rig.link.acquireLink());
        QVERIFY(rig.link.readTransaction(64));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(rig.link.reply.data()), 9), wire);
        QCOMPARE(rig.log.count(BusEvent::Read), 2);
        const QByteArray got(reinterpret_cast<const char *>(rig.link.data.data()), 66);
        // The short second report is accepted; its missing bytes read as zero.
        QCOMPARE(got, QByteArray(32, 'x') + QByteArray(20, 'y') + QByteArray(12, '\0') +
                          QByteArray(2, '\x55'));
        rig.checkClosed();
    }

    void cipherOnTheWire()
    {
        isEncode = true;
        QVERIFY(setSecrecyCode(QStringLiteral("740352")));
        const auto key = currentSecrecyCode();
        Rig rig(32);
        std::array<uchar, 9> plainReply{0, 0x81, 0x04, 0, 0, 0, 0, 0, 0};
        plainReply[8] = frameChecksum(&plainReply[1]);
        auto wireReply = plainReply;
        encipherBlock(&wireReply[1], key.data());
        rig.bus.featureReply = QByteArray(reinterpret_cast<const char *>(wireReply.data()), 9);

        rig.link.buildFrame(0x81);
        const auto plainFrame = rig.link.frame;
        QVERIFY(rig.link.acquireLink());
        QVERIFY(rig.link.readTransaction(0));
        // The frame left enciphered, its checksum taken over the plain bytes.
        QByteArray sent = rig.log.of(BusEvent::SendFeature).at(0).bytes;
        QCOMPARE(sent.at(0), '\0');
        QCOMPARE(sent.toHex(), QByteArray("00b5d096e871979556"));
        decipherBlock(reinterpret_cast<uint8_t *>(sent.data()) + 1, key.data());
        QCOMPARE(sent, QByteArray(reinterpret_cast<const char *>(plainFrame.data()), 9));
        // A get without data phase has its reply deciphered.
        QCOMPARE(rig.link.reply, plainReply);
    }

    void setWithAckWaitsAroundTheDataPhase()
    {
        Rig rig(32);
        rig.link.buildFrame(0x11, 1, 8);
        rig.set(8, true);
        QList<int> pauses;
        for (const BusEvent &e : rig.log.all())
            if (e.kind == BusEvent::Sleep || e.kind == BusEvent::Write)
                pauses.append(e.kind == BusEvent::Write ? -1 : e.value);
        // No watcher runs, so each acknowledge wait lasts 128 ms.
        QCOMPARE(pauses, (QList<int>{64, 64, -1, 8, 64, 64}));
        rig.checkClosed();
    }
};

QTEST_GUILESS_MAIN(TstTransport)
#include "tst_transport.moc"
