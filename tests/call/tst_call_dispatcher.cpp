// `z4config --call` in-process: device commands with their outputs printed
// back, the generic QObject path, and the refusals that call nothing.
#include "app/call/call_dispatcher.h"
#include "commands/command_rig.h"
#include "sim/mouse_firmware.h"

#include <QPoint>
#include <QTest>
#include <QTextStream>

namespace {

// A backend object of the kind the program registers as "ui_View".
class Backend : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE int add(int a, int b) { return a + b; }
    QVariantList seen;

public slots:
    QVariantList reverse(QVariantList list)
    {
        std::reverse(list.begin(), list.end());
        return list;
    }
    QString join(const QStringList &parts, const QString &separator)
    {
        return parts.join(separator);
    }
    bool negate(bool value) { return !value; }
    uint twice(uint value) { return 2 * value; }
    uchar next(uchar value) { return uchar(value + 1); }
    QList<uchar> bytes(uint count) { return QList<uchar>(qsizetype(count), uchar(0xF0)); }
    QVariant pass(const QVariant &value) { return value; }
    void record(const QVariant &value) { seen << value; }
    int count() { return int(seen.size()); }
    int count(int extra) { return int(seen.size()) + extra; }
    void place(QPoint) {}

signals:
    void changed(int);

private slots:
    void hidden() {}
};

struct Run
{
    int code = -1;
    QString out, err;
};

Run runCalls(CallDispatcher &calls, const QStringList &arguments)
{
    Run run;
    QTextStream out(&run.out), err(&run.err);
    run.code = calls.run(arguments, out, err);
    out.flush();
    err.flush();
    return run;
}

// A row of arguments and the text they print.
void row(const char *name, const QStringList &arguments, const QString &text)
{
    QTest::newRow(name) << arguments << text;
}

} // namespace

class TestCallDispatcher : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CommandRig> rig;
    std::unique_ptr<Backend> backend;
    std::unique_ptr<CallDispatcher> calls;

private slots:
    void init()
    {
        rig = std::make_unique<CommandRig>(std::make_unique<MouseFirmware>(), mouseRow());
        backend = std::make_unique<Backend>();
        calls = std::make_unique<CallDispatcher>();
        calls->addHid(&rig->link);
        calls->addObject(QStringLiteral("ui_View"), backend.get());
    }

    void cleanup()
    {
        calls.reset();
        rig.reset();
        backend.reset();
    }

    // Outputs in declared order after "return"; a short buffer is padded with
    // zeros and printed back whole. When the mouse does not answer: "ok":false,
    // the outputs as passed in, and the exit code says so, for gets and sets.
    void deviceOutputs_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("gone");
        QTest::addColumn<QString>("out");
        auto row = [](const char *name, const QStringList &arguments, bool gone,
                      const QString &out) { QTest::newRow(name) << arguments << gone << out; };
        row("byte", {"hid.hid_81H_GetReportRate", "0"}, false,
            "{\"return\":null,\"rate\":1,\"ok\":true}\n");
        row("three bytes", {"hid.hid_83H_GetFunctionOption", "9", "9", "9"}, false,
            "{\"return\":null,\"type\":0,\"option1\":0,\"option2\":0,\"ok\":true}\n");
        row("text", {"hid.hid_80H_GetFWVersion", "\"\""}, false,
            "{\"return\":null,\"version\":\"1.0A\",\"ok\":true}\n");
        row("padded buffer", {"hid.hid_93H_GetMacroKey", "3", "[7,7]"}, false,
            "{\"return\":null,\"src128\":[" + QString("0,").repeated(127) + "0],\"ok\":true}\n");
        row("matrix", {"hid.hid_92H_GetKeyMatrix", "[]"}, false,
            "{\"return\":null,\"src64\":[1,0,240,0,1,0,241,0,");
        row("bool result", {"hid.hid_91H_GetDPISet", "0", "[]"}, false,
            "{\"return\":true,\"dpiMAXStage\":8,\"src8\":[2,4,6,8,10,12,14,16],\"ok\":true}\n");
        row("failed get", {"hid.hid_91H_GetDPISet", "5", "[1]"}, true,
            "{\"return\":false,\"dpiMAXStage\":5,\"src8\":[1,0,0,0,0,0,0,0],\"ok\":false,"
            "\"error\":\"91H: ");
        row("failed set", {"hid.hid_0BH_SetCurrentDPIStage", "2"}, true,
            "{\"return\":null,\"ok\":false,\"error\":\"0BH: ");
    }

    void deviceOutputs()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, gone);
        QFETCH(QString, out);
        if (gone)
            rig->bus.fault = FirmwareBus::Fault::Gone;
        const Run run = runCalls(*calls, arguments);
        QCOMPARE(run.code, gone ? CallDispatcher::kDeviceFailed : 0);
        QCOMPARE(run.out.left(out.size()), out);
        if (!gone)
            QVERIFY(run.err.isEmpty());
    }

    void setReachesDeviceBeforeReturn()
    {
        const Run run = runCalls(*calls, {"hid.hid_12H_SetKeyMatrix", "[9,0,241,0]", "1"});
        QCOMPARE(run.code, 0);
        QVERIFY(run.out.startsWith(QStringLiteral("{\"return\":null,\"src64\":[9,0,241,0,0,")));
        // Both reports are out and the link is free when run() returns.
        QVERIFY(rig->link.isLinkIdle());
        QCOMPARE(rig->bus.of(Report::SendFeature).size(), 1);
        QCOMPARE(rig->bus.of(Report::Write).size(), 2);
        QCOMPARE(QThreadPool::globalInstance()->activeThreadCount(), 0);
    }

    void severalCallsInOrder()
    {
        rig->clock.callerSleepUs = 1000; // the get waits in the token poll
        const Run run =
            runCalls(*calls, {"hid.hid_0BH_SetCurrentDPIStage", "4",
                              "hid.hid_8BH_GetCurrentDPIStage", "0", "ui_View.add", "2", "3"});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QStringLiteral("{\"return\":null,\"ok\":true}\n"
                                         "{\"return\":null,\"dpiStage\":4,\"ok\":true}\n"
                                         "{\"return\":5}\n"));
    }

    void refusedCallsCallNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        row("nothing", {}, "no call given");
        row("value first", {"1", "hid.a"}, "expected TARGET.METHOD");
        row("three-part name", {"hid.a.b"}, "expected TARGET.METHOD");
        row("bare word", {"hid.hid_01H_SetReportRate", "abc"}, "argument 1 is not a JSON value");
        row("two values in one", {"hid.hid_01H_SetReportRate", "1,2"}, "not a JSON value");
        row("unknown target", {"mouse.hid_01H_SetReportRate", "1"}, "unknown target 'mouse'");
        row("unknown command", {"hid.hid_FFH_SetNothing"}, "hid_FFH_SetNothing: no such device");
        row("too few", {"hid.hid_01H_SetReportRate"}, "expected 1 argument(s), got 0");
        row("too many", {"hid.hid_01H_SetReportRate", "1", "2"}, "expected 1 argument(s), got 2");
        row("byte too big", {"hid.hid_01H_SetReportRate", "256"},
            "argument 1 (rate): expected an integer 0..255, got 256");
        row("negative", {"hid.hid_01H_SetReportRate", "-1"}, "expected an integer 0..255");
        row("fraction", {"hid.hid_01H_SetReportRate", "1.5"}, "expected an integer 0..255");
        row("string for a byte", {"hid.hid_01H_SetReportRate", "\"1\""}, "got a string");
        row("number for a text", {"hid.hid_80H_GetFWVersion", "1"}, "(version): expected a string");
        row("buffer too long", {"hid.hid_11H_SetDPISet", "8", "[1,2,3,4,5,6,7,8,9]"},
            "argument 2 (src8): expected an array of at most 8 bytes, got 9 elements");
        row("buffer element", {"hid.hid_11H_SetDPISet", "8", "[1,300]"}, "element 1: expected an");
        row("number for a buffer", {"hid.hid_92H_GetKeyMatrix", "0"}, "expected an array");
        // The first call is fine, the second is not: neither runs.
        row("bad second call",
            {"hid.hid_0BH_SetCurrentDPIStage", "2", "hid.hid_0BH_SetCurrentDPIStage"},
            "expected 1 argument(s), got 0");
    }

    void refusedCallsCallNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);

        const Run run = runCalls(*calls, arguments);
        QCOMPARE(run.code, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(error), qPrintable(run.err));
        QVERIFY(run.err.endsWith(u'\n'));
        QCOMPARE(run.err.count(u'\n'), 1);
        CommandRig::settle();
        QVERIFY(rig->bus.reports().isEmpty());
    }

    void objectMethods_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("out");
        row("invokable int", {"ui_View.add", "2", "-5"}, R"({"return":-3})");
        row("list", {"ui_View.reverse", R"([1,"a",true])"}, R"({"return":[true,"a",1]})");
        row("string list, after --call",
            {"ui_View.add", "1", "1", "--call", "ui_View.join", R"(["a","b"])", R"(" + ")"},
            "{\"return\":2}\n{\"return\":\"a + b\"}");
        row("bool", {"ui_View.negate", "false"}, R"({"return":true})");
        row("uchar", {"ui_View.next", "254"}, R"({"return":255})");
        row("byte list", {"ui_View.bytes", "2"}, R"({"return":[240,240]})");
        row("variant object", {"ui_View.pass", R"({"k":[1]})"}, R"({"return":{"k":[1]}})");
        row("void", {"ui_View.record", "1"}, R"({"return":null})");
        row("overload by count", {"ui_View.count", "ui_View.count", "10"},
            "{\"return\":0}\n{\"return\":10}");
    }

    void objectMethods()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, out);
        const Run run = runCalls(*calls, arguments);
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, out + u'\n');
    }

    void objectRefusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        row("no such method", {"ui_View.nothing"}, "no such method");
        row("signal", {"ui_View.changed", "1"}, "no such method");
        row("private slot", {"ui_View.hidden"}, "no such method");
        row("QObject's own", {"ui_View.deleteLater"}, "no such method");
        row("count", {"ui_View.add", "1"}, "expected 2 argument(s), got 1");
        row("overload counts", {"ui_View.count", "1", "2"}, "expected 0 or 1 argument(s), got 2");
        row("string for int", {"ui_View.add", "\"1\"", "2"}, "argument 1 (a): expected an integer");
        row("uchar range", {"ui_View.next", "256"}, "expected an integer 0..255");
        row("uint negative", {"ui_View.twice", "-1"}, "expected an integer 0..4294967295");
        row("list of numbers for strings", {"ui_View.join", "[1]", "\"\""},
            "expected an array of strings");
        row("number for bool", {"ui_View.negate", "1"}, "expected bool, got a number");
        row("object for list", {"ui_View.reverse", "{}"}, "expected QVariantList, got an object");
        row("unsupported type", {"ui_View.place", "[1,2]"}, "parameter type QPoint");
    }

    void objectRefusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        const Run run = runCalls(*calls, QStringList{"ui_View.record", "1"} + arguments);
        QCOMPARE(run.code, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(error), qPrintable(run.err));
        // The good call before the bad one did not run either.
        QVERIFY(backend->seen.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCallDispatcher)
#include "tst_call_dispatcher.moc"
