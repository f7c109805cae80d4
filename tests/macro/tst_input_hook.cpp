#include "macro/capture/app_key_event_source.h"
#include "macro/capture/evdev_scan_codes.h"
#include "macro/capture/input_hook.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>
#include <set>

namespace {

struct Report
{
    int code;
    int isDown;
    int x = 0;
    int y = 0;
    void *context = nullptr;
    bool operator==(const Report &o) const
    {
        return code == o.code && isDown == o.isDown && x == o.x && y == o.y && context == o.context;
    }
};

QList<Report> keyReports;
QList<Report> mouseReports;

void onKey(std::uint8_t usage, std::uint8_t isDown, void *context)
{
    keyReports.append({usage, isDown, 0, 0, context});
}

void onMouse(std::uint8_t code, std::uint8_t isDown, int x, int y, void *context)
{
    mouseReports.append({code, isDown, x, y, context});
}

// A source that only records whether it runs.
class FakeSource final : public KeyEventSource
{
public:
    explicit FakeSource(bool accept, int *starts) : accept(accept), starts(starts) {}
    bool start(KeyEventSink &) override
    {
        ++*starts;
        return accept;
    }
    void stop() override {}
    const char *name() const override { return "fake"; }

private:
    bool accept;
    int *starts;
};

// Found by QCOMPARE through argument-dependent lookup.
char *toString(const Report &r)
{
    const QByteArray text = QByteArray::number(r.code, 16) + (r.isDown ? " down" : " up") + " @" +
                            QByteArray::number(r.x) + "," + QByteArray::number(r.y);
    return qstrdup(text.constData());
}

} // namespace

class TestInputHook : public QObject
{
    Q_OBJECT

private:
    int context = 0;

    std::unique_ptr<InputHook> makeHook()
    {
        auto hook = std::make_unique<InputHook>(nullptr);
        hook->setKeyboardHookCallback(onKey, &context);
        hook->setMouseHookCallback(onMouse, &context);
        return hook;
    }

private slots:
    void init()
    {
        keyReports.clear();
        mouseReports.clear();
    }

    void tableHasAllRows() { QCOMPARE(InputHook::scanTableRows(), 105); }

    void translates_data()
    {
        QTest::addColumn<int>("scan");
        QTest::addColumn<bool>("e0");
        QTest::addColumn<bool>("alt");
        QTest::addColumn<int>("usage");
        QTest::newRow("A") << 0x1E << false << false << 0x04;
        QTest::newRow("Esc") << 0x01 << false << false << 0x29;
        QTest::newRow("Enter") << 0x1C << false << false << 0x28;
        QTest::newRow("keypad Enter") << 0x1C << true << false << 0x58;
        QTest::newRow("left Ctrl") << 0x1D << false << false << 0xE0;
        QTest::newRow("right Ctrl") << 0x1D << true << false << 0xE4;
        QTest::newRow("right Shift") << 0x36 << true << false << 0xE5;
        QTest::newRow("right Shift unextended") << 0x36 << false << false << 0;
        QTest::newRow("Ctrl+Break") << 0x46 << true << false << 0x48;
        QTest::newRow("Scroll Lock") << 0x46 << false << false << 0x47;
        QTest::newRow("Alt+Print Screen") << 0x54 << false << true << 0x46;
        QTest::newRow("scan 54 alone") << 0x54 << false << false << 0;
        QTest::newRow("Print Screen") << 0x37 << true << false << 0x46;
        QTest::newRow("keypad *") << 0x37 << false << false << 0x55;
        QTest::newRow("Pause") << 0x45 << false << false << 0x48;
        QTest::newRow("Num Lock") << 0x45 << true << false << 0x53;
        QTest::newRow("keypad 7") << 0x47 << false << false << 0x5F;
        QTest::newRow("Home") << 0x47 << true << false << 0x4A;
        QTest::newRow("ISO extra key") << 0x56 << false << false << 0x64;
        QTest::newRow("F23") << 0x6E << false << false << 0x72;
        QTest::newRow("F13") << 0x64 << false << false << 0;
        QTest::newRow("left Win") << 0x5B << true << false << 0xE3;
        QTest::newRow("right Win") << 0x5C << true << false << 0;
        QTest::newRow("menu") << 0x5D << true << false << 0x65;
        QTest::newRow("scan 0") << 0x00 << false << false << 0;
        QTest::newRow("alt does not change A") << 0x1E << false << true << 0x04;
    }

    void translates()
    {
        QFETCH(int, scan);
        QFETCH(bool, e0);
        QFETCH(bool, alt);
        QFETCH(int, usage);
        auto hook = makeHook();
        hook->handleKey(uchar(scan), e0, alt, true);
        hook->handleKey(uchar(scan), e0, alt, false);
        if (usage == 0) {
            QVERIFY(keyReports.isEmpty());
        } else {
            const QList<Report> expected{{usage, 1, 0, 0, &context}, {usage, 0, 0, 0, &context}};
            QCOMPARE(keyReports, expected);
        }
    }

    void everyRowReachesAUsage()
    {
        std::set<int> usages;
        int rows = 0;
        for (int scan = 0; scan < 256; ++scan) {
            for (bool e0 : {false, true}) {
                const std::uint8_t vk = InputHook::virtualKeyFor(uchar(scan), e0, false);
                if (vk == 0 || (scan == 0x46 && e0))
                    continue;
                ++rows;
                const int usage = InputHook::usageForVirtualKey(vk);
                QVERIFY2(usage != 0, qPrintable(QString::number(scan, 16)));
                usages.insert(usage);
            }
        }
        QCOMPARE(rows, 105);
        QCOMPARE(usages.size(), size_t(105)); // no two keys share a usage
    }

    void holdingAReportsOnce()
    {
        auto hook = makeHook();
        for (int i = 0; i < 5; ++i)
            hook->handleKey(0x1E, false, false, true);
        QVERIFY(hook->isKeyDown(0x04));
        hook->handleKey(0x1E, false, false, false);
        hook->handleKey(0x1E, false, false, false);
        const QList<Report> expected{{0x04, 1, 0, 0, &context}, {0x04, 0, 0, 0, &context}};
        QCOMPARE(keyReports, expected);
    }

    void unseenReleaseReportsNothing()
    {
        auto hook = makeHook();
        hook->handleKey(0x1D, true, false, false);
        QVERIFY(keyReports.isEmpty());
    }

    void withoutCallbackStateStillFollows()
    {
        InputHook hook(nullptr);
        hook.handleKey(0x1E, false, false, true);
        hook.setKeyboardHookCallback(onKey, nullptr);
        // The press happened before registration: this is a repeat.
        hook.handleKey(0x1E, false, false, true);
        QVERIFY(keyReports.isEmpty());
        hook.handleKey(0x1E, false, false, false);
        QCOMPARE(keyReports, (QList<Report>{{0x04, 0, 0, 0, nullptr}}));
    }

    void mouseButtons()
    {
        auto hook = makeHook();
        // A double click: the hook sees down, up, down, up; a double-click
        // message reports nothing either.
        hook->handleMouseMessage(MouseMessage::LButtonDown, 10, 20);
        hook->handleMouseMessage(MouseMessage::LButtonUp, 10, 20);
        hook->handleMouseMessage(MouseMessage::LButtonDown, 11, 21);
        hook->handleMouseMessage(MouseMessage::LButtonDblClk, 11, 21);
        hook->handleMouseMessage(MouseMessage::LButtonUp, 11, 21);
        hook->handleMouseMessage(MouseMessage::RButtonDown, -5, 7);
        hook->handleMouseMessage(MouseMessage::RButtonDblClk, -5, 7);
        hook->handleMouseMessage(MouseMessage::RButtonUp, -5, 7);
        hook->handleMouseMessage(MouseMessage::MButtonDown, 0, 0);
        hook->handleMouseMessage(MouseMessage::MButtonDown, 0, 0); // no repeat suppression
        hook->handleMouseMessage(MouseMessage::MButtonUp, 0, 0);
        hook->handleMouseMessage(0x0200, 1, 1); // move
        hook->handleMouseMessage(0x020A, 1, 1); // wheel
        hook->handleMouseMessage(0x020B, 1, 1); // X button
        const QList<Report> expected{
            {0xF0, 1, 10, 20, &context}, {0xF0, 0, 10, 20, &context}, {0xF0, 1, 11, 21, &context},
            {0xF0, 0, 11, 21, &context}, {0xF1, 1, -5, 7, &context},  {0xF1, 0, -5, 7, &context},
            {0xF2, 1, 0, 0, &context},   {0xF2, 1, 0, 0, &context},   {0xF2, 0, 0, 0, &context},
        };
        QCOMPARE(mouseReports, expected);
    }

    void installStartsSource()
    {
        int starts = 0;
        InputHook ok(std::make_unique<FakeSource>(true, &starts));
        QCOMPARE(starts, 1);
        QVERIFY(ok.isInstalled());
        QVERIFY(ok.installHooks());
        QCOMPARE(starts, 2);
        ok.removeHooks();
        QVERIFY(!ok.isInstalled());

        InputHook refused(std::make_unique<FakeSource>(false, &starts));
        QVERIFY(!refused.isInstalled());
        QVERIFY(!InputHook(nullptr).isInstalled());
    }

    // Linux input codes -> what the Windows hook reports for the same key.
    void evdevTranslation_data()
    {
        QTest::addColumn<QList<int>>("pressed"); // held before, in order
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("usage");
        QTest::newRow("a") << QList<int>{} << 30 << 0x04;
        QTest::newRow("Enter") << QList<int>{} << 28 << 0x28;
        QTest::newRow("keypad Enter") << QList<int>{} << 96 << 0x58;
        QTest::newRow("right Ctrl") << QList<int>{} << 97 << 0xE4;
        QTest::newRow("right Shift") << QList<int>{} << 54 << 0xE5;
        QTest::newRow("right Alt") << QList<int>{} << 100 << 0xE6;
        QTest::newRow("Num Lock") << QList<int>{} << 69 << 0x53;
        QTest::newRow("Pause") << QList<int>{} << 119 << 0x48;
        QTest::newRow("Ctrl+Pause") << QList<int>{29} << 119 << 0x48;
        QTest::newRow("Scroll Lock") << QList<int>{} << 70 << 0x47;
        QTest::newRow("Print") << QList<int>{} << 99 << 0x46;
        QTest::newRow("Alt+Print") << QList<int>{56} << 99 << 0x46;
        QTest::newRow("keypad /") << QList<int>{} << 98 << 0x54;
        QTest::newRow("slash") << QList<int>{} << 53 << 0x38;
        QTest::newRow("Up") << QList<int>{} << 103 << 0x52;
        QTest::newRow("keypad 8") << QList<int>{} << 72 << 0x60;
        QTest::newRow("Delete") << QList<int>{} << 111 << 0x4C;
        QTest::newRow("left Meta") << QList<int>{} << 125 << 0xE3;
        QTest::newRow("Menu") << QList<int>{} << 127 << 0x65;
        QTest::newRow("102nd") << QList<int>{} << 86 << 0x64;
        QTest::newRow("F11") << QList<int>{} << 87 << 0x44;
        QTest::newRow("F23") << QList<int>{} << 193 << 0x72;
        QTest::newRow("F13 unreported") << QList<int>{} << 183 << 0;
        QTest::newRow("unknown code") << QList<int>{} << 240 << 0;
        QTest::newRow("out of range") << QList<int>{} << 5000 << 0;
    }

    void evdevTranslation()
    {
        QFETCH(QList<int>, pressed);
        QFETCH(int, code);
        QFETCH(int, usage);
        EvdevKeyTranslator translator;
        auto hook = makeHook();
        auto feed = [&](int c, bool down) {
            Set1Key key;
            if (translator.translate(unsigned(c), down, key))
                hook->handleKey(key.scanCode, key.extended, key.altDown, down);
        };
        for (int c : pressed)
            feed(c, true);
        keyReports.clear();
        feed(code, true);
        feed(code, false);
        if (usage == 0) {
            QVERIFY(keyReports.isEmpty());
        } else {
            const QList<Report> expected{{usage, 1, 0, 0, &context}, {usage, 0, 0, 0, &context}};
            QCOMPARE(keyReports, expected);
        }
    }

    void modifierStateSurvivesUnmatchedRelease()
    {
        EvdevKeyTranslator translator;
        Set1Key key;
        QVERIFY(translator.translate(56, false, key)); // Alt released, never pressed
        QVERIFY(translator.translate(99, true, key));
        QCOMPARE(int(key.scanCode), 0x37);
        QVERIFY(key.extended);
        QVERIFY(!key.altDown);
    }

    // The fallback source: events of the application's own windows, each
    // seen once, never consumed.
    void applicationSource()
    {
        auto source = std::make_unique<AppKeyEventSource>();
        InputHook hook(std::move(source));
        QVERIFY(hook.isInstalled());
        QCOMPARE(QByteArray(hook.sourceName()), QByteArray("application"));
        hook.setKeyboardHookCallback(onKey, &context);
        hook.setMouseHookCallback(onMouse, &context);

        QWindow window;
        QObject notAWindow;
        auto sendKey = [](QObject *to, QEvent::Type type, quint32 xKeyCode, bool spontaneous,
                          bool autoRepeat = false) {
            QKeyEvent event(type, Qt::Key_A, Qt::NoModifier, xKeyCode, 0, 0, QString(), autoRepeat);
            // sendEvent() would clear the mark; notify() keeps it, as for
            // an event from the window system.
            if (spontaneous) {
                QSpontaneKeyEvent::setSpontaneous(&event);
                qApp->notify(to, &event);
            } else {
                QCoreApplication::sendEvent(to, &event);
            }
        };
        // "a" is X key code 38; auto-repeat presses come in between.
        sendKey(&window, QEvent::KeyPress, 38, true);
        sendKey(&window, QEvent::KeyPress, 38, true, true);
        sendKey(&window, QEvent::KeyPress, 38, true, true);
        // Forwarded copies (not spontaneous, or to a non-window) are ignored.
        sendKey(&window, QEvent::KeyRelease, 38, false);
        sendKey(&notAWindow, QEvent::KeyRelease, 38, true);
        QCOMPARE(keyReports.size(), 1);
        sendKey(&window, QEvent::KeyRelease, 38, true);
        // Keypad Enter is X key code 104.
        sendKey(&window, QEvent::KeyPress, 104, true);
        sendKey(&window, QEvent::KeyRelease, 104, true);
        // No native code: nothing to translate.
        sendKey(&window, QEvent::KeyPress, 0, true);
        const QList<Report> keys{{0x04, 1, 0, 0, &context},
                                 {0x04, 0, 0, 0, &context},
                                 {0x58, 1, 0, 0, &context},
                                 {0x58, 0, 0, 0, &context}};
        QCOMPARE(keyReports, keys);

        auto sendMouse = [&](QEvent::Type type, Qt::MouseButton button, QPointF global) {
            QMouseEvent event(type, QPointF(1, 1), QPointF(1, 1), global, button,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                              Qt::NoModifier);
            QSpontaneKeyEvent::setSpontaneous(&event);
            qApp->notify(&window, &event);
        };
        sendMouse(QEvent::MouseButtonPress, Qt::LeftButton, {100, 200});
        sendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, {100, 200});
        sendMouse(QEvent::MouseButtonPress, Qt::LeftButton, {100, 200});
        sendMouse(QEvent::MouseButtonDblClick, Qt::LeftButton, {100, 200});
        sendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, {100, 200});
        sendMouse(QEvent::MouseButtonPress, Qt::RightButton, {3, 4});
        sendMouse(QEvent::MouseButtonPress, Qt::BackButton, {3, 4});
        const QList<Report> buttons{{0xF0, 1, 100, 200, &context},
                                    {0xF0, 0, 100, 200, &context},
                                    {0xF0, 1, 100, 200, &context},
                                    {0xF0, 0, 100, 200, &context},
                                    {0xF1, 1, 3, 4, &context}};
        QCOMPARE(mouseReports, buttons);

        hook.removeHooks();
        sendKey(&window, QEvent::KeyPress, 38, true);
        QCOMPARE(keyReports.size(), 4);
    }

    void factoryFallsBackOffX()
    {
        // The tests run on the offscreen platform: no X capture there.
        const std::unique_ptr<KeyEventSource> source = createKeyEventSource();
        QVERIFY(source);
        QCOMPARE(QByteArray(source->name()), QByteArray("application"));
    }
};

QTEST_MAIN(TestInputHook)
#include "tst_input_hook.moc"
