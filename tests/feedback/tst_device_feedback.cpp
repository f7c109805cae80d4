// What the user is told about the mouse, against the z4sim process.
#include "app/widget.h"
#include "backend/bridge/my_qquick_view.h"
#include "backend/feedback/device_feedback.h"
#include "device/device_watcher.h"
#include "device/virtual_bus.h"
#include "support/frames.h"
#include "support/module_sandbox.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// One z4sim process on a bus directory of its own, logging to a file.
class Z4sim
{
public:
    bool start(const QStringList &faults = {})
    {
        process.start(
            qEnvironmentVariable("Z4_BIN_DIR") + QStringLiteral("/z4sim"),
            QStringList{QStringLiteral("--bus"), dir.path(), QStringLiteral("--log"), logPath()} +
                faults);
        return process.waitForReadyRead(5000) &&
               process.readAllStandardOutput().contains("listening");
    }
    void stop()
    {
        process.terminate();
        process.waitForFinished(5000);
    }
    QString busDirectory() const { return dir.path(); }
    QString logPath() const { return dir.filePath(QStringLiteral("sim.jsonl")); }

    // The plain frames of code `code` the mouse received.
    QList<QByteArray> framesOf(int code) const
    {
        QFile file(logPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QList<QByteArray> frames;
        for (const SentCommand &c :
             commandsInLog(QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)))
            if (c.code() == code)
                frames << c.frame;
        return frames;
    }

private:
    QTemporaryDir dir{QStringLiteral("/tmp/z4feedback-XXXXXX")};
    QProcess process;
};

QVariantMap lastNotice(const QSignalSpy &notices)
{
    return notices.isEmpty() ? QVariantMap() : notices.last().at(0).toMap();
}

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

    void applyThatWorksSaysSaved()
    {
        ModuleSandbox sandbox;
        Z4sim sim;
        QVERIFY(sim.start());
        VirtualBus bus(sim.busDirectory());
        Widget widget(&bus, sandbox.locations());
        widget.checkDevice();
        DeviceFeedback &feedback = widget.view()->feedback();
        QCOMPARE(feedback.status().value(QStringLiteral("connected")).toBool(), true);
        QCOMPARE(feedback.status().value(QStringLiteral("firmware")).toString(),
                 QStringLiteral("1.0A"));
        QSignalSpy notices(&feedback, &DeviceFeedback::notice);

        widget.view()->beginAction(QStringLiteral("apply"));
        widget.view()->ui_0BH_SetCurrentDPIStage(3);
        widget.view()->ui_01H_SetReportRate(2);
        widget.view()->endAction();
        QTRY_COMPARE(notices.count(), 1);
        const QVariantMap notice = lastNotice(notices);
        QCOMPARE(notice.value(QStringLiteral("ok")).toBool(), true);
        QCOMPARE(notice.value(QStringLiteral("sent")).toInt(), 2);
        QCOMPARE(sim.framesOf(0x0B).size(), 1);
    }

    void failedSetIsAFailureNotice_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<bool>("unplug");
        QTest::newRow("set during unplug") << QStringList{} << true;
        QTest::newRow("refused open") << QStringList{QStringLiteral("--refuse-open")} << false;
        QTest::newRow("silent device") << QStringList{QStringLiteral("--mute-input")} << false;
        // The firmware version read at connect takes two reports.
        QTest::newRow("dropped connection")
            << QStringList{QStringLiteral("--drop-after"), QStringLiteral("2")} << false;
    }
    void failedSetIsAFailureNotice()
    {
        QFETCH(QStringList, faults);
        QFETCH(bool, unplug);
        ModuleSandbox sandbox;
        Z4sim sim;
        QVERIFY(sim.start(faults));
        VirtualBus bus(sim.busDirectory());
        Widget widget(&bus, sandbox.locations());
        widget.checkDevice();
        // Only a running watcher can tell that no acknowledge came.
        if (faults.contains(QStringLiteral("--mute-input")))
            QTRY_VERIFY(widget.deviceLink().isWatching());
        if (unplug)
            sim.stop();
        DeviceFeedback &feedback = widget.view()->feedback();
        QSignalSpy notices(&feedback, &DeviceFeedback::notice);

        widget.view()->beginAction(QStringLiteral("apply"));
        widget.view()->ui_0BH_SetCurrentDPIStage(5);
        widget.view()->endAction();
        QTRY_VERIFY_WITH_TIMEOUT(!notices.isEmpty(), 5000);
        const QVariantMap notice = lastNotice(notices);
        QCOMPARE(notice.value(QStringLiteral("ok")).toBool(), false);
        const QVariantMap failure = failureOf(notice, 0x0B);
        QVERIFY2(!failure.isEmpty(), qPrintable(QJsonDocument::fromVariant(notice).toJson()));
        QVERIFY(failure.value(QStringLiteral("write")).toBool());
        QVERIFY(notice.value(QStringLiteral("retry")).toBool());
    }

    // Unplugged with the window open: the status says so within the hot-plug
    // delay, a set fails, and Retry after the replug sends the same frame.
    void unplugShowsAndRetryAfterReplugSendsAgain()
    {
        ModuleSandbox sandbox;
        Z4sim sim;
        QVERIFY(sim.start());
        VirtualBus bus(sim.busDirectory());
        VirtualBusWatcher watcher(sim.busDirectory());
        Widget widget(&bus, sandbox.locations());
        QObject::connect(&watcher, &DeviceWatcher::deviceChanged, &widget,
                         &Widget::deviceChangeNotified);
        widget.checkDevice();
        DeviceFeedback &feedback = widget.view()->feedback();
        QSignalSpy notices(&feedback, &DeviceFeedback::notice);

        sim.stop();
        QTRY_VERIFY_WITH_TIMEOUT(!feedback.status().value(QStringLiteral("connected")).toBool(),
                                 Widget::kHotPlugDelayMs + 1000);

        widget.view()->beginAction(QStringLiteral("apply"));
        widget.view()->ui_0BH_SetCurrentDPIStage(6);
        widget.view()->ui_91H_SyncDPI();
        widget.view()->endAction();
        QTRY_VERIFY(!notices.isEmpty());
        QVERIFY(!failureOf(lastNotice(notices), 0x0B).isEmpty());
        // A failed read is told as one: not as a write that was never sent.
        const QVariantMap read = failureOf(lastNotice(notices), 0x91);
        QCOMPARE(read.value(QStringLiteral("write")), QVariant(false));
        QCOMPARE(read.value(QStringLiteral("reason")).toString(), QStringLiteral("notConnected"));

        QVERIFY(sim.start());
        QTRY_VERIFY_WITH_TIMEOUT(feedback.status().value(QStringLiteral("connected")).toBool(),
                                 Widget::kHotPlugDelayMs + 3000);
        notices.clear();
        widget.view()->retryFailed();
        QTRY_VERIFY(!notices.isEmpty());
        QCOMPARE(lastNotice(notices).value(QStringLiteral("ok")).toBool(), true);
        QCOMPARE(lastNotice(notices).value(QStringLiteral("action")).toString(),
                 QStringLiteral("retry"));
        QCOMPARE(sim.framesOf(0x0B), QList<QByteArray>{frameBytes(0x0B, {6})});
    }
};

QTEST_MAIN(TestDeviceFeedback)
#include "tst_device_feedback.moc"
