// The link against the in-process virtual mouse: cipher, log, refusal, fault options.
#include "device/device_table.h"
#include "device/device_watcher.h"
#include "device/fake_hid_bus.h"
#include "device/virtual_bus.h"
#include "sim/virtual_mouse.h"
#include "support/frames.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

namespace {

// The log lines of one direction ("out", "in") and report type ("feature",
// "output", "input") on one interface, in order.
QList<QJsonObject> reports(const QStringList &lines, const char *dir, const char *type, int itf = 0)
{
    QList<QJsonObject> out;
    for (const QString &line : lines) {
        const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
        if (o.value("dir").toString() == QLatin1String(dir) &&
            o.value("type").toString() == QLatin1String(type) && o.value("if").toInt(-1) == itf)
            out.append(o);
    }
    return out;
}

// A virtual mouse and a device link on its bus.
struct Bench
{
    explicit Bench(SimOptions options = {}, int microsecondsPerMs = 1000)
        : clock(events, microsecondsPerMs)
    {
        mouse = std::make_unique<VirtualMouse>(options);
        bus = std::make_unique<VirtualBus>(mouse->busDirectory());
        link = std::make_unique<TestLink>(bus.get(), &clock);
    }
    ~Bench()
    {
        link.reset();
        mouse->stop();
    }

    bool plugAndConnect()
    {
        QString error;
        if (!mouse->start(&error)) {
            qWarning("%s", qPrintable(error));
            return false;
        }
        const DeviceTable table = readDeviceTable({QStringLiteral("KB"), QStringLiteral("Z4")});
        isEncode = table.isEncode;
        link->scanDevices(table.rows);
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        link->connectDevice();
        return link->isDeviceConnected();
    }

    EventLog events;
    FakeClock clock;
    std::unique_ptr<VirtualMouse> mouse;
    std::unique_ptr<VirtualBus> bus;
    std::unique_ptr<TestLink> link;
};

} // namespace

class TstBusServer : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(setSecrecyCode(QStringLiteral("740352"))); }

    void enumerateAndUnplug()
    {
        Bench bench;
        VirtualBusWatcher watcher(bench.mouse->busDirectory());
        QSignalSpy spy(&watcher, &DeviceWatcher::deviceChanged);
        QVERIFY(bench.plugAndConnect());
        QTRY_VERIFY(spy.count() >= 1);
        spy.clear();
        const QList<HidInterfaceInfo> found = bench.bus->enumerate(0x2f76, 0x0c14);
        QCOMPARE(found.size(), 2);
        QCOMPARE(found[1].usagePage, uint16_t(0xff01));
        QCOMPARE(found[1].usage, uint16_t(0xff01));
        QVERIFY(found[0].path.endsWith(QLatin1String("z4mouse.sock#0")));
        QVERIFY(bench.bus->enumerate(0x2f76, 0x0b01).isEmpty());

        bench.mouse->stop();
        QTRY_VERIFY(spy.count() >= 1);
        QVERIFY(!QFile::exists(bench.mouse->socketPath()));
        QVERIFY(bench.bus->enumerate(0, 0).isEmpty());
        QVERIFY(!bench.bus->open(found[0].path));
    }

    // Enciphered on the wire, deciphered for the firmware; blocks in 32-byte reports.
    void cipherAndDataPhase()
    {
        Bench bench;
        QVERIFY(bench.plugAndConnect());
        QVERIFY(bench.mouse->busServer().cipherOn());
        QByteArray matrix(64, '\0');
        for (int i = 0; i < 64; ++i)
            matrix[i] = char(0xC0 ^ i);
        bench.link->hid_12H_SetKeyMatrix(reinterpret_cast<uchar *>(matrix.data()), 2);
        QTRY_VERIFY(bench.link->isLinkIdle());
        const QByteArray frame = frameBytes(0x12, {2, 0x40, 0x08});
        uchar rate = 0;
        bench.link->hid_81H_GetReportRate(rate);
        QCOMPARE(rate, uchar(1));
        const QStringList log = bench.mouse->logLines();
        const QList<QJsonObject> features = reports(log, "out", "feature");
        QCOMPARE(features.size(), 2);
        QCOMPARE(features[0].value("plain").toString(), QString::fromLatin1(frame.toHex(' ')));
        QVERIFY(features[0].value("hex").toString() != QString::fromLatin1(frame.toHex(' ')));
        const QList<QJsonObject> outputs = reports(log, "out", "output");
        QCOMPARE(outputs.size(), 2);
        QCOMPARE(outputs[1].value("hex").toString(),
                 QString::fromLatin1((QByteArray(1, 0) + matrix.mid(32)).toHex(' ')));
        const QList<QJsonObject> replies = reports(log, "in", "feature");
        QCOMPARE(replies.size(), 1);
        QCOMPARE(replies[0].value("plain").toString(),
                 QString::fromLatin1(frameBytes(0x81, {1}).toHex(' ')));
        // No watcher runs: both acknowledge reports (frame, block) are lost.
        const QList<QJsonObject> acks = reports(log, "in", "input", 1);
        QCOMPARE(acks.size(), 2);
        QVERIFY(acks[0].value("note").toString().startsWith(QLatin1String("lost")));
        for (const QString &line : log)
            QVERIFY(line.contains(QLatin1String("\"t\":")));
        // The block reached the firmware deciphered: it reads back whole.
        QByteArray back(64, '\0');
        bench.mouse->busServer().withFirmware([&](Firmware &f) {
            f.onCommandFrame({0, 0x92, 2, 0, 0, 0, 0, 0, uchar(~(0x92 + 2))});
            back = f.inputBlock();
        });
        QCOMPARE(back, matrix);
    }

    void watcherCatchesTheAcknowledge()
    {
        Bench bench;
        QVERIFY(bench.plugAndConnect());
        bench.link->swichCurDevice(0);
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        bench.link->swichCurDevice(1);
        QTRY_VERIFY(!bench.mouse->logLines().isEmpty());
        // An acknowledge between two watcher reads is lost, as on hardware: retried.
        bool acknowledged = false;
        for (int attempt = 0; attempt < 10 && !acknowledged; ++attempt) {
            bench.events.clear();
            const qsizetype before = bench.mouse->logLines().size();
            bench.link->hid_0BH_SetCurrentDPIStage(2);
            QTRY_VERIFY(bench.link->isLinkIdle());
            const QStringList fresh = bench.mouse->logLines().mid(before);
            const QList<QJsonObject> acks = reports(fresh, "in", "input", 1);
            QCOMPARE(acks.size(), 1);
            if (acks[0].contains(QStringLiteral("note")))
                continue;
            QCOMPARE(acks[0].value(QStringLiteral("hex")).toString().left(11),
                     QStringLiteral("04 04 00 00"));
            // An acknowledge caught before the frame went out is not counted (128 ms).
            const int waited = bench.clock.totalMs(false);
            QVERIFY2(waited == 64 || waited == 128, qPrintable(QString::number(waited)));
            acknowledged = waited == 64;
        }
        QVERIFY(acknowledged);
        bench.link->stopWatch();
    }

    void unknownFrameIsNotAnswered()
    {
        Bench bench;
        QVERIFY(bench.plugAndConnect());
        uchar sensitivity[4] = {5, 5, 5, 5}; // a keyboard's read: the mouse refuses it
        bench.link->hid_84H_GetButtonSensitivity(sensitivity[0], sensitivity[1], sensitivity[2],
                                                 sensitivity[3]);
        QCOMPARE(sensitivity[0], uchar(5));
        const QList<QJsonObject> frames = reports(bench.mouse->logLines(), "out", "feature");
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames[0].value(QStringLiteral("note")).toString(),
                 QStringLiteral("unknown frame"));
        QVERIFY(reports(bench.mouse->logLines(), "in", "feature").isEmpty());
        QVERIFY(bench.link->isLinkIdle());
    }

    void refusedOpenEmptiesThePath()
    {
        SimOptions options;
        options.refuseOpen = true;
        Bench bench(options);
        QVERIFY(bench.plugAndConnect());
        bench.link->hid_0BH_SetCurrentDPIStage(2);
        QTRY_VERIFY(bench.link->isLinkIdle());
        QVERIFY(bench.link->deviceList()[1].path.isEmpty());
        QVERIFY(bench.mouse->logLines().join(u'\n').contains("\"event\":\"open refused\""));
    }

    void droppedConnectionFailsTheGet()
    {
        SimOptions options;
        options.dropAfter = 1; // the frame passes, the feature read is dropped
        Bench bench(options);
        QVERIFY(bench.plugAndConnect());
        uchar rate = 5;
        bench.link->hid_81H_GetReportRate(rate);
        QCOMPARE(rate, uchar(5));
        QVERIFY(bench.link->isLinkIdle());
    }

    void inputFaults_data()
    {
        QTest::addColumn<bool>("mute");
        QTest::addColumn<int>("shortTo");
        QTest::addColumn<QByteArray>("expected");
        QByteArray full(64, '\0');
        for (int i = 0; i < 64; ++i)
            full[i] = static_cast<char>(i + 1);
        QByteArray cut = full;
        for (int i = 0; i < 64; ++i)
            if (i % 32 >= 10)
                cut[i] = '\0';
        QTest::newRow("whole reports") << false << -1 << full;
        QTest::newRow("short reports are zero-filled") << false << 10 << cut;
        QTest::newRow("unanswered input keeps the caller's bytes")
            << true << -1 << QByteArray(64, '\x77');
    }
    void inputFaults()
    {
        QFETCH(bool, mute);
        QFETCH(int, shortTo);
        QFETCH(QByteArray, expected);
        SimOptions options;
        options.muteInput = mute;
        options.shortReports = shortTo;
        Bench bench(options);
        QVERIFY(bench.plugAndConnect());
        QByteArray input(64, '\0');
        for (int i = 0; i < 64; ++i)
            input[i] = static_cast<char>(i + 1);
        bench.mouse->busServer().withFirmware([&](Firmware &f) {
            QVERIFY(f.onCommandFrame({0, 0x12, 1, 64, 8, 0, 0, 0, uchar(~(0x12 + 1 + 64 + 8))})
                        .acknowledge);
            QVERIFY(f.onOutputBlock(input));
        });
        uchar matrix[64];
        std::fill(std::begin(matrix), std::end(matrix), uchar(0x77));
        QElapsedTimer timer;
        timer.start();
        bench.link->hid_92H_GetKeyMatrix(matrix);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(matrix), 64), expected);
        QVERIFY(bench.link->isLinkIdle());
        if (mute) // bounded by the data-phase time-out, not blocked for good
            QVERIFY(timer.elapsed() < 3LL * Hid_Thread::kDataReadTimeoutMs);
    }

    void delayedAnswersStillArrive()
    {
        SimOptions options;
        options.delayMs = 40;
        Bench bench(options);
        QVERIFY(bench.plugAndConnect());
        QElapsedTimer timer;
        timer.start();
        uchar rate = 0;
        bench.link->hid_81H_GetReportRate(rate);
        QCOMPARE(rate, uchar(1));
        // Three opens, a frame and a feature read: five answers of 40 ms.
        QVERIFY(timer.elapsed() >= 5LL * 40);
    }

    void keyboardMode()
    {
        SimOptions options;
        options.keyboard = true;
        VirtualMouse keyboard(options);
        QVERIFY(keyboard.start());
        VirtualBus bus(keyboard.busDirectory());
        const QList<HidInterfaceInfo> found = bus.enumerate(0x2f76, 0x0b01);
        QCOMPARE(found.size(), 2);
        QCOMPARE(found[1].usagePage, uint16_t(0xff02));
        QVERIFY(keyboard.socketPath().endsWith(QLatin1String("z4keyboard.sock")));

        // Its 64-byte reports cross the socket whole.
        EventLog events;
        FakeClock clock(events, 50);
        clock.callerSleepUs = 1000; // the get waits in the token poll for the set
        TestLink link(&bus, &clock);
        isEncode = true;
        link.scanDevices(tableFor(keyboardRow()));
        QByteArray macro(192, '\0');
        for (int i = 0; i < 192; ++i)
            macro[i] = char(255 - i);
        link.hid_11H_SetMacroKey(5, reinterpret_cast<uchar *>(macro.data()));
        QByteArray back(192, '\0');
        link.hid_91H_GetMacroKey(5, reinterpret_cast<uchar *>(back.data()));
        QCOMPARE(back, macro);
        const QStringList log = keyboard.logLines();
        const QList<QJsonObject> outputs = reports(log, "out", "output");
        const QList<QJsonObject> inputs = reports(log, "in", "input");
        QCOMPARE(outputs.size(), 3);
        QCOMPARE(inputs.size(), 3);
        QCOMPARE(outputs[0].value(QStringLiteral("hex")).toString().split(u' ').size(), 65);
        QCOMPARE(inputs[0].value(QStringLiteral("hex")).toString().split(u' ').size(), 64);
    }
};

QTEST_GUILESS_MAIN(TstBusServer)
#include "tst_bus_server.moc"
