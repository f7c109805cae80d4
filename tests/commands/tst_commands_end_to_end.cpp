// A few commands end to end: the link over the virtual bus to the
// in-process virtual mouse (and keyboard), cipher on as the device table
// says, checked against the device's own log of what crossed the wire.
#include "command_rig.h"
#include "device/device_table.h"
#include "device/hid_thread.h"
#include "device/virtual_bus.h"
#include "sim/virtual_mouse.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QThreadPool>

namespace {

struct Wire
{
    QString type; // feature, output, input
    QString dir;  // out, in
    QByteArray bytes;
    QByteArray plain; // deciphered, when enciphered
};

// Reports of the command interface, in order.
QList<Wire> commandReports(const QStringList &lines)
{
    QList<Wire> out;
    for (const QString &line : lines) {
        const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
        if (!o.contains(QStringLiteral("type")) || o.value(QStringLiteral("if")).toInt() != 0)
            continue;
        const auto hex = [&o](const char *key) {
            return QByteArray::fromHex(o.value(QLatin1String(key)).toString().toLatin1());
        };
        out.append({o.value(QStringLiteral("type")).toString(),
                    o.value(QStringLiteral("dir")).toString(), hex("hex"), hex("plain")});
    }
    return out;
}

QList<Wire> ofType(const QList<Wire> &reports, const QString &type, const QString &dir)
{
    QList<Wire> out;
    for (const Wire &w : reports)
        if (w.type == type && w.dir == dir)
            out.append(w);
    return out;
}

// The link scanned onto a running virtual device; `row` is what the link
// looks up (it scans only row 1 of its table).
struct EndToEnd
{
    EndToEnd(SimOptions options, const DevInfo &row) : device(options)
    {
        QVERIFY(device.start());
        bus = std::make_unique<VirtualBus>(device.busDirectory());
        clock.callerSleepUs = 1000;
        link = std::make_unique<Hid_Thread>(bus.get(), &clock);
        const DeviceTable table = readDeviceTable({});
        isEncode.store(table.isEncode);
        link->scanDevices({table.rows.value(0), row});
        link->connectDevice();
    }
    ~EndToEnd() { QThreadPool::globalInstance()->waitForDone(); }

    VirtualMouse device;
    std::unique_ptr<VirtualBus> bus;
    RecordingClock clock;
    std::unique_ptr<Hid_Thread> link;
};

} // namespace

class TestCommandsEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void mouseFramesOnTheWire();
    void mouseRoundTrip();
    void keyboardBlocksOnTheWire();
    void refusedOpenHandsBackPresets();
    void muteInputKeepsCallerBuffer();
};

void TestCommandsEndToEnd::initTestCase()
{
    QVERIFY(readDeviceTable({}).isEncode);
}

void TestCommandsEndToEnd::mouseFramesOnTheWire()
{
    EndToEnd e2e({}, mouseRow());
    QVERIFY(e2e.link->isDeviceConnected());
    uchar matrix[64];
    for (int i = 0; i < 64; ++i)
        matrix[i] = uchar(i);
    uchar indices[24] = {0x10, 0x32, 0x54, 0x76};
    e2e.link->hid_12H_SetKeyMatrix(matrix, 3);
    e2e.link->hid_10H_SetLED8StageColor(2, indices);
    QThreadPool::globalInstance()->waitForDone();

    const QList<Wire> reports = commandReports(e2e.device.logLines());
    const QList<Wire> frames = ofType(reports, QStringLiteral("feature"), QStringLiteral("out"));
    QCOMPARE(frames.size(), 2);
    QCOMPARE(frames[0].plain, frameBytes(0x12, {3, 0x40, 0x08}));
    QCOMPARE(frames[1].plain, QByteArray::fromHex("0010020400000000e9"));
    // Enciphered on the wire; the report id stays 0.
    QVERIFY(frames[0].bytes != frames[0].plain);
    QCOMPARE(frames[0].bytes.at(0), '\0');

    // Two 33-byte reports for the matrix, one for the four colour bytes;
    // data reports are never enciphered.
    const QList<Wire> writes = ofType(reports, QStringLiteral("output"), QStringLiteral("out"));
    QCOMPARE(writes.size(), 3);
    QCOMPARE(writes[0].bytes.size(), 33);
    QCOMPARE(writes[0].bytes.mid(1) + writes[1].bytes.mid(1),
             QByteArray(reinterpret_cast<const char *>(matrix), 64));
    QCOMPARE(writes[2].bytes.mid(1), QByteArray::fromHex("10325476") + QByteArray(28, '\0'));
}

void TestCommandsEndToEnd::mouseRoundTrip()
{
    SimOptions options;
    options.firmwareVersion = QStringLiteral("a.0B");
    options.stageCount = 6;
    EndToEnd e2e(options, mouseRow());

    e2e.link->hid_01H_SetReportRate(8);
    uchar rate = 0;
    e2e.link->hid_81H_GetReportRate(rate);
    QCOMPARE(rate, uchar(8));

    QString version;
    e2e.link->hid_80H_GetFWVersion(version);
    QCOMPARE(version, QStringLiteral("a.0B"));

    uchar stages[8] = {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
    uchar count = 0;
    QVERIFY(e2e.link->hid_91H_GetDPISet(count, stages));
    QCOMPARE(count, uchar(6));
    QCOMPARE(stages[0], uchar(0x02));
    QVERIFY(e2e.link->isLinkIdle());

    // Nothing the mouse refused.
    for (const QString &line : e2e.device.logLines())
        QVERIFY2(!line.contains(QLatin1String("unknown frame")), qPrintable(line));
}

void TestCommandsEndToEnd::keyboardBlocksOnTheWire()
{
    SimOptions options;
    options.keyboard = true;
    DevInfo row = keyboardRow();
    EndToEnd e2e(options, row);
    QVERIFY(e2e.link->isDeviceConnected());

    uchar macro[192];
    for (int i = 0; i < 192; ++i)
        macro[i] = uchar(255 - i);
    e2e.link->hid_11H_SetMacroKey(5, macro);
    uchar back[192] = {};
    e2e.link->hid_91H_GetMacroKey(5, back);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(back), 192),
             QByteArray(reinterpret_cast<const char *>(macro), 192));

    uchar keys[512] = {};
    e2e.link->hid_8DH_GetKeyMatrix(keys);
    QCOMPARE(keys[4 * 10 + 2], uchar(10)); // the keyboard's own matrix

    const QList<Wire> reports = commandReports(e2e.device.logLines());
    const QList<Wire> frames = ofType(reports, QStringLiteral("feature"), QStringLiteral("out"));
    QCOMPARE(frames.size(), 3);
    QCOMPARE(frames[0].plain, frameBytes(0x11, {0, 5, 3}));
    QCOMPARE(frames[2].plain, QByteArray::fromHex("008d00000000000000"));
    const QList<Wire> writes = ofType(reports, QStringLiteral("output"), QStringLiteral("out"));
    QCOMPARE(writes.size(), 3);
    for (const Wire &w : writes)
        QCOMPARE(w.bytes.size(), 65);
    // 3 reports for the macro, 8 for the matrix, 64 bytes each.
    const QList<Wire> inputs = ofType(reports, QStringLiteral("input"), QStringLiteral("in"));
    QCOMPARE(inputs.size(), 11);
    for (const Wire &w : inputs)
        QCOMPARE(w.bytes.size(), 64);
}

void TestCommandsEndToEnd::refusedOpenHandsBackPresets()
{
    SimOptions options;
    options.refuseOpen = true;
    EndToEnd e2e(options, mouseRow());
    uchar rate = 0x44;
    e2e.link->hid_81H_GetReportRate(rate);
    QCOMPARE(rate, uchar(0x44));
    uchar type = 7, option1 = 7, option2 = 7;
    e2e.link->hid_83H_GetFunctionOption(type, option1, option2);
    QCOMPARE((QList<int>{type, option1, option2}), (QList<int>{0, 0, 0}));
    QVERIFY(e2e.link->isLinkIdle());
}

void TestCommandsEndToEnd::muteInputKeepsCallerBuffer()
{
    SimOptions options;
    options.muteInput = true;
    EndToEnd e2e(options, mouseRow());
    uchar matrix[64];
    for (int i = 0; i < 64; ++i)
        matrix[i] = uchar(0xA0 + i);
    // The frame and reply go through; the input report never comes and the
    // read gives up after its time-out.
    e2e.link->hid_92H_GetKeyMatrix(matrix);
    QCOMPARE(matrix[0], uchar(0xA0));
    QCOMPARE(matrix[63], uchar(0xA0 + 63));
    QVERIFY(e2e.link->isLinkIdle());
}

QTEST_GUILESS_MAIN(TestCommandsEndToEnd)
#include "tst_commands_end_to_end.moc"
