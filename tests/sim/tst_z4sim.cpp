// The z4sim executable: command line, socket life, JSON log, cipher.
#include "device/device_table.h"
#include "device/fake_hid_bus.h"
#include "device/virtual_bus.h"
#include "support/frames.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString z4sim()
{
    return qEnvironmentVariable("Z4_BIN_DIR", QCoreApplication::applicationDirPath()) +
           QStringLiteral("/z4sim");
}

} // namespace

class TstZ4sim : public QObject
{
    Q_OBJECT

private slots:
    // A mistake on the command line (the option table is the firmware
    // test's) ends the run with exit code 2 and says what is wrong.
    void badArgumentsExitWith2()
    {
        QProcess sim;
        sim.start(z4sim(), {QStringLiteral("--stages"), QStringLiteral("3")});
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 2);
        QVERIFY(sim.readAllStandardError().contains("--bus DIR is required"));
    }

    void servesUntilTerminated()
    {
        QTemporaryDir dir(QStringLiteral("/tmp/z4simtest-XXXXXX"));
        const QString logFile = dir.filePath(QStringLiteral("sim.jsonl"));
        QProcess sim;
        sim.start(z4sim(), {QStringLiteral("--bus"), dir.path(), QStringLiteral("--log"), logFile,
                            QStringLiteral("--code"), QStringLiteral("Q1w2E3")});
        QVERIFY(sim.waitForReadyRead(5000));
        QVERIFY(sim.readAllStandardOutput().contains("listening"));
        const QString socket = dir.filePath(QStringLiteral("z4mouse.sock"));
        QVERIFY(QFile::exists(socket));

        EventLog events;
        FakeClock clock(events, 200);
        VirtualBus bus(dir.path());
        MapConfig config;
        config.codes.insert(1, QStringLiteral("Q1w2E3"));
        QString version = QStringLiteral("none");
        {
            TestLink link(&bus, &clock);
            link.setConfigSource(&config);
            const DeviceTable table = readDeviceTable({});
            isEncode = table.isEncode;
            link.scanDevices(table.rows);
            QTest::ignoreMessage(QtDebugMsg, "Device Connect");
            link.connectDevice();
            link.hid_0BH_SetCurrentDPIStage(3);
            link.hid_80H_GetFWVersion(version);
        }
        QVERIFY(version != QLatin1String("none"));

        sim.terminate();
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.exitCode(), 0);
        QVERIFY(!QFile::exists(socket));

        QFile file(logFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList text = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
        // Deciphered with the given code: the host's frames, the device's version.
        const QList<SentCommand> sent = commandsInLog(text);
        QCOMPARE(sent.size(), 2);
        QCOMPARE(sent[0].frame, frameBytes(0x0B, {3}));
        QCOMPARE(version, QStringLiteral("1.0A"));
        QCOMPARE(QJsonDocument::fromJson(text.first().toUtf8())["event"], QJsonValue("plug"));
        QCOMPARE(QJsonDocument::fromJson(text.last().toUtf8())["event"], QJsonValue("unplug"));
    }
};

QTEST_GUILESS_MAIN(TstZ4sim)
#include "tst_z4sim.moc"
