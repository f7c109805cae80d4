#include "backend/bridge/my_qquick_view.h"
#include "backend/bridge/ui_controler.h"
#include "device/hid_thread.h"
#include "support/null_bus.h"

#include <QQuickItem>
#include <QTest>
#include <QWidget>

namespace {
QUrl testRoot()
{
    return QUrl::fromLocalFile(QStringLiteral(Z4_TEST_DATA "/bridge_root.qml"));
}
} // namespace

class TestUiControler : public QObject
{
    Q_OBJECT

private:
    NullBus bus;
    const DataLocations locations = DataLocations::beside(qEnvironmentVariable("Z4_BIN_DIR"));

private slots:
    void hostIsFramelessSizedToTheRootAndDragged()
    {
        QWidget host;
        Hid_Thread hid(&bus);
        Ui_Controler ctl(&host, &hid, locations, testRoot());
        QVERIFY(ctl.quickView()->rootObject());
        QCOMPARE(host.size(), QSize(1000, 600));
        QVERIFY(host.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(host.objectName(), QStringLiteral("Widget"));
        QCOMPARE(ctl.quickView()->objectName(), QStringLiteral("ui_View"));
        host.move(100, 100);
        const QPoint start = host.pos();
        ctl.onXChanged(10);
        QCOMPARE(host.pos(), start + QPoint(10, 0));
        ctl.onYChanged(-5);
        QCOMPARE(host.pos(), start + QPoint(10, -5));
    }

    void setBusyZeroReleasesTheLockOnceTheLoopRan()
    {
        QWidget host;
        Hid_Thread hid(&bus);
        Ui_Controler ctl(&host, &hid, locations, testRoot());
        myQQuickView *view = ctl.quickView();
        ctl.setBusy(0);
        QVERIFY(!view->isEnabled()); // the call is direct: locked at once
        QTRY_VERIFY(view->isEnabled());
        ctl.setBusy();
        QTRY_VERIFY(view->isEnabled());
        const QStringList calls = view->rootObject()->property("calls").toStringList();
        QCOMPARE(calls, (QStringList{"setProtectUI 0", "setProtectUI 0"}));
    }

    // Both are queued: initUI runs to its end before run, and captured keys
    // reach the root in order.
    void initUiBeforeRunAndCapturedKeysQueued()
    {
        QWidget host;
        Hid_Thread hid(&bus);
        Ui_Controler ctl(&host, &hid, locations, testRoot());
        QQuickItem *root = ctl.quickView()->rootObject();
        ctl.quickView()->initUI();
        ctl.quickView()->runUI();
        ctl.quickView()->detectKeyboard(true, 0x04);
        ctl.quickView()->detectKeyboard(false, 0x04);
        QVERIFY(root->property("calls").toStringList().isEmpty());
        QVERIFY(root->property("keys").toStringList().isEmpty());
        QTRY_COMPARE(root->property("calls").toStringList(), (QStringList{"initUI", "run"}));
        QVERIFY(root->property("initDoneBeforeRun").toBool());
        QTRY_COMPARE(root->property("keys").toStringList(), (QStringList{"down 4", "up 4"}));
    }
};

QTEST_MAIN(TestUiControler)
#include "tst_ui_controler.moc"
