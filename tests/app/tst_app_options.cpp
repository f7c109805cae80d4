#include "app/app_options.h"

#include <QTest>

class TestAppOptions : public QObject
{
    Q_OBJECT

private slots:
    // Everything after the first --call is the calls' business.
    void optionsThenCalls()
    {
        const AppOptions o = parseAppOptions(
            {"--virtual-bus", "/tmp/bus", "--file", "a.pf", "--answer", "ok", "--file", "/b",
             "--answer", "cancel", "--call", "hid.hid_81H_GetReportRate", "0", "--call",
             "ui_View.x", "-1", "--demo", "--file", "c"});
        QVERIFY2(o.error.isEmpty(), qPrintable(o.error));
        QCOMPARE(o.virtualBusDir, QStringLiteral("/tmp/bus"));
        QVERIFY(o.headless);
        QVERIFY(!o.demo);
        QCOMPARE(o.files, (QStringList{"a.pf", "/b"}));
        QCOMPARE(o.answers, (QList<bool>{true, false}));
        QCOMPARE(o.callArguments, (QStringList{"hid.hid_81H_GetReportRate", "0", "--call",
                                               "ui_View.x", "-1", "--demo", "--file", "c"}));
        const AppOptions plain = parseAppOptions({"--demo"});
        QVERIFY(plain.error.isEmpty() && plain.demo && !plain.headless);
    }

    void helpVersionAndQtsOwnOptions()
    {
        QVERIFY(parseAppOptions({"-h", "--demo"}).help);
        // Qt reads its own options from the same command line.
        const AppOptions o = parseAppOptions(
            {"-platform", "offscreen", "--virtual-bus=/tmp/bus", "-style", "Fusion"});
        QVERIFY2(o.error.isEmpty(), qPrintable(o.error));
        QCOMPARE(o.virtualBusDir, QStringLiteral("/tmp/bus"));
        QVERIFY(!o.help && !o.version);
        QVERIFY(!appHelpText().contains("platform"));
        QVERIFY(appHelpText().startsWith("Usage: z4config "));
    }

    void badCommandLines_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown option") << QStringList{"--fast"};
        QTest::newRow("stray word") << QStringList{"hid.x"};
        QTest::newRow("bus without dir") << QStringList{"--virtual-bus"};
        QTest::newRow("call without name") << QStringList{"--call"};
        QTest::newRow("demo and bus") << QStringList{"--demo", "--virtual-bus", "/x"};
        QTest::newRow("file without path") << QStringList{"--file"};
        QTest::newRow("answer neither ok nor cancel")
            << QStringList{"--answer", "yes", "--call", "ui_View.getMsgAns_FoolProofing"};
        QTest::newRow("file without call") << QStringList{"--file", "a.pf"};
        QTest::newRow("answer without call") << QStringList{"--answer", "ok"};
    }

    void badCommandLines()
    {
        QFETCH(QStringList, args);
        QVERIFY(!parseAppOptions(args).error.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestAppOptions)
#include "tst_app_options.moc"
