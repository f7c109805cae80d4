// What the user is told about the mouse, against the z4sim process.
#include "app/widget.h"
#include "backend/bridge/my_qquick_view.h"
#include "backend/feedback/device_feedback.h"
#include "device/device_watcher.h"
#include "device/virtual_bus.h"
#include "support/frames.h"
#include "support/module_sandbox.h"
#include "support/test_files.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

// The window on a z4sim process of its own, which logs the frames it gets.
struct Rig
{
    explicit Rig(const QStringList &faults = {}) : started(startSim(faults))
    {
        widget.checkDevice();
    }
    bool startSim(const QStringList &faults = {})
    {
        sim.start(qEnvironmentVariable("Z4_BIN_DIR") + QStringLiteral("/z4sim"),
                  QStringList{"--bus", dir.path(), "--log", log()} + faults);
        return sim.waitForReadyRead(5000) && sim.readAllStandardOutput().contains("listening");
    }
    void stopSim()
    {
        sim.terminate();
        sim.waitForFinished(5000);
    }
    QString log() const { return dir.filePath(QStringLiteral("sim.jsonl")); }
    // The plain frames of code `code` the mouse received.
    QList<QByteArray> framesOf(int code) const
    {
        QList<QByteArray> frames;
        const QString text = QString::fromUtf8(readFile(log()));
        for (const SentCommand &c : commandsInLog(text.split(u'\n', Qt::SkipEmptyParts)))
            if (c.code() == code)
                frames << c.frame;
        return frames;
    }
    // One "apply" action of `calls`, with the notices of it alone.
    void act(const std::function<void(myQQuickView &)> &calls)
    {
        notices.clear();
        widget.view()->beginAction(QStringLiteral("apply"));
        calls(*widget.view());
        widget.view()->endAction();
    }
    QVariantMap status() const { return feedback.status(); }
    QVariantMap lastNotice() const
    {
        return notices.isEmpty() ? QVariantMap() : notices.last().at(0).toMap();
    }

    QTemporaryDir dir{QStringLiteral("/tmp/z4feedback-XXXXXX")};
    QProcess sim;
    ModuleSandbox sandbox;
    bool started;
    VirtualBus bus{dir.path()};
    Widget widget{&bus, sandbox.locations()};
    DeviceFeedback &feedback = widget.view()->feedback();
    QSignalSpy notices{&feedback, &DeviceFeedback::notice};
};

QVariantMap failureOf(const QVariantMap &notice, int code)
{
    for (const QVariant &f : notice.value(QStringLiteral("failed")).toList())
        if (f.toMap().value(QStringLiteral("code")).toInt() == code)
            return f.toMap();
    return {};
}

} // namespace

class TestDeviceFeedback : public QObject
{
    Q_OBJECT

private slots:
    void init() { isEncode = false; }

    void applyTellsHowItWent_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<bool>("unplug");
        QTest::addColumn<bool>("ok");
        QTest::newRow("working mouse") << QStringList{} << false << true;
        QTest::newRow("set during unplug") << QStringList{} << true << false;
        QTest::newRow("refused open") << QStringList{"--refuse-open"} << false << false;
        QTest::newRow("silent device") << QStringList{"--mute-input"} << false << false;
        // The firmware version read at connect takes two reports.
        QTest::newRow("dropped connection") << QStringList{"--drop-after", "2"} << false << false;
    }
    void applyTellsHowItWent()
    {
        QFETCH(QStringList, faults);
        QFETCH(bool, unplug);
        QFETCH(bool, ok);
        Rig rig(faults);
        QVERIFY(rig.started);
        // Only a running watcher can tell that no acknowledge came.
        if (faults.contains(QStringLiteral("--mute-input")))
            QTRY_VERIFY(rig.widget.deviceLink().isWatching());
        if (unplug)
            rig.stopSim();
        rig.act([](myQQuickView &view) {
            view.ui_0BH_SetCurrentDPIStage(5);
            view.ui_01H_SetReportRate(2);
        });
        QTRY_VERIFY_WITH_TIMEOUT(!rig.notices.isEmpty(), 5000);
        const QVariantMap notice = rig.lastNotice();
        QCOMPARE(notice.value(QStringLiteral("ok")).toBool(), ok);
        if (ok) {
            QCOMPARE(rig.status().value(QStringLiteral("connected")).toBool(), true);
            QCOMPARE(rig.status().value(QStringLiteral("firmware")).toString(), "1.0A");
            QCOMPARE(notice.value(QStringLiteral("sent")).toInt(), 2);
            QCOMPARE(rig.framesOf(0x0B).size(), 1);
            QCOMPARE(rig.notices.count(), 1);
            return;
        }
        const QVariantMap failure = failureOf(notice, 0x0B);
        QVERIFY2(!failure.isEmpty(), qPrintable(QJsonDocument::fromVariant(notice).toJson()));
        QVERIFY(failure.value(QStringLiteral("write")).toBool());
        QVERIFY(notice.value(QStringLiteral("retry")).toBool());
    }

    // Unplugged with the window open: the status says so within the hot-plug
    // delay, a set fails, and Retry after the replug sends the same frame.
    void unplugShowsAndRetryAfterReplugSendsAgain()
    {
        Rig rig;
        QVERIFY(rig.started);
        VirtualBusWatcher watcher(rig.dir.path());
        QObject::connect(&watcher, &DeviceWatcher::deviceChanged, &rig.widget,
                         &Widget::deviceChangeNotified);
        rig.stopSim();
        QTRY_VERIFY_WITH_TIMEOUT(!rig.status().value(QStringLiteral("connected")).toBool(),
                                 Widget::kHotPlugDelayMs + 1000);

        // Failed reads are told as reads (not as writes never sent), once, with no retry.
        rig.act([](myQQuickView &view) {
            view.ui_91H_SyncDPI();
            view.ui_91H_SyncDPI();
        });
        QTRY_VERIFY(!rig.notices.isEmpty());
        const QVariantMap read{{"code", 0x91}, {"reason", "notConnected"}, {"write", false}};
        QCOMPARE(rig.lastNotice().value(QStringLiteral("failed")).toList(), QVariantList{read});
        QVERIFY(!rig.lastNotice().value(QStringLiteral("retry")).toBool());
        rig.act([](myQQuickView &view) { view.ui_0BH_SetCurrentDPIStage(6); });
        QTRY_VERIFY(!rig.notices.isEmpty());
        QVERIFY(!failureOf(rig.lastNotice(), 0x0B).isEmpty());

        QVERIFY(rig.startSim());
        QTRY_VERIFY_WITH_TIMEOUT(rig.status().value(QStringLiteral("connected")).toBool(),
                                 Widget::kHotPlugDelayMs + 3000);
        rig.notices.clear();
        rig.widget.view()->retryFailed();
        QTRY_VERIFY(!rig.notices.isEmpty());
        QCOMPARE(rig.lastNotice().value(QStringLiteral("ok")).toBool(), true);
        QCOMPARE(rig.lastNotice().value(QStringLiteral("action")).toString(),
                 QStringLiteral("retry"));
        QCOMPARE(rig.framesOf(0x0B), QList<QByteArray>{frameBytes(0x0B, {6})});
    }
};

QTEST_MAIN(TestDeviceFeedback)
#include "tst_device_feedback.moc"
