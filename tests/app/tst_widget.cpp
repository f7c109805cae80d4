#include "app/widget.h"
#include "backend/bridge/my_qquick_view.h"
#include "device/virtual_bus.h"
#include "sim/virtual_mouse.h"
#include "support/module_sandbox.h"
#include "support/null_bus.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>

namespace {

// The virtual bus whose nodes this user may not open.
class DeniedBus : public VirtualBus
{
public:
    using VirtualBus::VirtualBus;
    bool accessDenied(const QString &) const override { return denied; }
    bool denied = true;
};

} // namespace

class TestWidget : public QObject
{
    Q_OBJECT

    static int visibleNotices()
    {
        int n = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            n += qobject_cast<NoDeviceNotice *>(w) && w->isVisible();
        return n;
    }

private slots:
    void burstOfNotificationsGivesOneDetection()
    {
        ModuleSandbox sandbox;
        NullBus bus;
        Widget widget(&bus, sandbox.locations());
        QSignalSpy checks(&widget, &Widget::deviceChecked);

        for (int i = 0; i < 3; ++i) {
            if (i > 0)
                QTest::qWait(500);
            widget.deviceChangeNotified();
        }
        QElapsedTimer clock;
        clock.start();

        QVERIFY(checks.wait(6000));
        const qint64 afterLast = clock.elapsed();
        // Each notification restarts the timer.
        QVERIFY2(afterLast >= 2000 && afterLast < 4000, qPrintable(QString::number(afterLast)));
        QTest::qWait(300);
        QCOMPARE(checks.size(), 1);
        QCOMPARE(checks.at(0).at(0).toBool(), false);
    }

    // A mouse this user may not open: the notice names the node and the udev
    // rule, a second start brings it back, and the window opens once the
    // mouse can be opened.
    void windowOpensWhenTheMouseCanBeOpened()
    {
        ModuleSandbox sandbox;
        VirtualMouse mouse;
        QVERIFY(mouse.start());
        DeniedBus bus(mouse.busDirectory());
        Widget widget(&bus, sandbox.locations());
        widget.checkDevice();
        QVERIFY(!widget.isConnected());
        widget.waitForDevice();
        QVERIFY(!widget.isVisible());
        QVERIFY(!widget.isStarted());
        QCOMPARE(visibleNotices(), 1);
        const QString text = widget.waitingNotice()->text();
        QVERIFY2(text.contains(QLatin1String("packaging/70-z4config.rules")), qPrintable(text));
        QVERIFY(text.contains(QLatin1String("udevadm control --reload-rules")));
        QVERIFY(text.contains(mouse.socketPath()));
        widget.bringToFront();
        QVERIFY(!widget.isVisible());
        QCOMPARE(visibleNotices(), 1);

        bus.denied = false; // the rule is in place and the mouse plugged again
        widget.checkDevice();
        QVERIFY(widget.isConnected());
        QVERIFY(widget.isVisible());
        QVERIFY(widget.isStarted());
        QTRY_COMPARE(visibleNotices(), 0);
        // The QML root becomes visible once "run" has played.
        QTRY_VERIFY_WITH_TIMEOUT(widget.view()->rootObject()->isVisible(), 5000);

        widget.showMinimized();
        QTRY_VERIFY(widget.windowState() & Qt::WindowMinimized);
        widget.bringToFront();
        QTRY_VERIFY(!(widget.windowState() & Qt::WindowMinimized));
        QVERIFY(widget.isVisible());
    }

    // Tearing down the scene can still call the backend: the link outlives the view.
    void viewIsDestroyedBeforeTheDeviceLink()
    {
        ModuleSandbox sandbox;
        NullBus bus;
        QStringList order;
        auto *widget = new Widget(&bus, sandbox.locations());
        QVERIFY(!widget->windowTitle().isEmpty()); // from the application settings
        QObject::connect(widget->view(), &QObject::destroyed, [&order] { order << "view"; });
        QObject::connect(&widget->deviceLink(), &QObject::destroyed, [&order] { order << "link"; });
        delete widget;
        QCOMPARE(order, (QStringList{"view", "link"}));
    }
};

QTEST_MAIN(TestWidget)
#include "tst_widget.moc"
