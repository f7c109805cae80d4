#include "app/app_options.h"

#include <QTest>

class TestAppOptions : public QObject
{
    Q_OBJECT

private slots:
    void callsTakeJsonArguments()
    {
        const AppOptions o = parseAppOptions(
            {"--virtual-bus", "/tmp/bus", "--call", "hid.hid_81H_GetReportRate", "0", "--call",
             "ui_View.ui_0BH_SetCurrentDPIStage", "-1", "[1,2]", "\"a b\""});
        QVERIFY2(o.error.isEmpty(), qPrintable(o.error));
        QCOMPARE(o.virtualBusDir, QStringLiteral("/tmp/bus"));
        QCOMPARE(o.calls.size(), 2);
        QCOMPARE(o.calls[0].target, QStringLiteral("hid"));
        QCOMPARE(o.calls[0].method, QStringLiteral("hid_81H_GetReportRate"));
        QCOMPARE(o.calls[0].args, QStringList{"0"});
        QCOMPARE(o.calls[1].target, QStringLiteral("ui_View"));
        QCOMPARE(o.calls[1].args, (QStringList{"-1", "[1,2]", "\"a b\""}));
        QVERIFY(o.headless());
    }

    void optionAfterCallEndsItsArguments()
    {
        const AppOptions o = parseAppOptions({"--call", "hid.x", "1", "--demo"});
        QVERIFY(o.error.isEmpty());
        QVERIFY(o.demo);
        QCOMPARE(o.calls.at(0).args, QStringList{"1"});
    }

    void plainRunIsNotHeadless()
    {
        const AppOptions o = parseAppOptions({"--demo"});
        QVERIFY(o.error.isEmpty());
        QVERIFY(o.demo);
        QVERIFY(!o.headless());
    }

    void badCommandLines_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown option") << QStringList{"--fast"};
        QTest::newRow("stray word") << QStringList{"hid.x"};
        QTest::newRow("bus without dir") << QStringList{"--virtual-bus"};
        QTest::newRow("call without name") << QStringList{"--call"};
        QTest::newRow("call without dot") << QStringList{"--call", "hid"};
        QTest::newRow("call with empty target") << QStringList{"--call", ".m"};
        QTest::newRow("call with empty method") << QStringList{"--call", "hid."};
        QTest::newRow("demo and bus") << QStringList{"--demo", "--virtual-bus", "/x"};
    }

    void badCommandLines()
    {
        QFETCH(QStringList, args);
        QVERIFY(!parseAppOptions(args).error.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestAppOptions)
#include "tst_app_options.moc"
