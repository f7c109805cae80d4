#include "macro/capture/app_key_event_source.h"
#include "macro/capture/evdev_scan_codes.h"
#include "macro/capture/input_hook.h"
#include "macro/hook_reports.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>
#include <set>

namespace {

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

    // Set 1 scan codes (as the Windows hook sees them) and Linux input codes
    // (held: codes pressed before) -> the usage reported for the key.
    void translates_data()
    {
        QTest::addColumn<bool>("evdev");
        QTest::addColumn<QList<int>>("held");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("e0");
        QTest::addColumn<int>("usage");
        auto set1 = [](const char *name, int scan, bool e0, bool alt, int usage) {
            QTest::newRow(name) << false << (alt ? QList<int>{1} : QList<int>{}) << scan << e0
                                << usage;
        };
        auto evdev = [](const char *name, QList<int> held, int code, int usage) {
            QTest::newRow(name) << true << held << code << false << usage;
        };
        set1("A", 0x1E, false, false, 0x04);
        set1("A with Alt", 0x1E, false, true, 0x04);
        set1("Esc", 0x01, false, false, 0x29);
        set1("Enter", 0x1C, false, false, 0x28);
        set1("left Ctrl", 0x1D, false, false, 0xE0);
        set1("menu", 0x5D, true, false, 0x65);
        set1("keypad Enter", 0x1C, true, false, 0x58);
        set1("right Ctrl", 0x1D, true, false, 0xE4);
        set1("right Shift", 0x36, true, false, 0xE5);
        set1("right Shift unextended", 0x36, false, false, 0);
        set1("Ctrl+Break", 0x46, true, false, 0x48);
        set1("Scroll Lock", 0x46, false, false, 0x47);
        set1("Alt+Print Screen", 0x54, false, true, 0x46);
        set1("scan 54 alone", 0x54, false, false, 0);
        set1("Print Screen", 0x37, true, false, 0x46);
        set1("keypad *", 0x37, false, false, 0x55);
        set1("Pause", 0x45, false, false, 0x48);
        set1("Num Lock", 0x45, true, false, 0x53);
        set1("keypad 7", 0x47, false, false, 0x5F);
        set1("Home", 0x47, true, false, 0x4A);
        set1("ISO extra key", 0x56, false, false, 0x64);
        set1("F23", 0x6E, false, false, 0x72);
        set1("F13", 0x64, false, false, 0);
        set1("left Win", 0x5B, true, false, 0xE3);
        set1("right Win", 0x5C, true, false, 0);
        set1("scan 0", 0x00, false, false, 0);
        evdev("ev a", {}, 30, 0x04);
        evdev("ev keypad Enter", {}, 96, 0x58);
        evdev("ev right Ctrl", {}, 97, 0xE4);
        evdev("ev right Shift", {}, 54, 0xE5);
        evdev("ev right Alt", {}, 100, 0xE6);
        evdev("ev Num Lock", {}, 69, 0x53);
        evdev("ev Pause", {}, 119, 0x48);
        evdev("ev Ctrl+Pause", {29}, 119, 0x48);
        evdev("ev Scroll Lock", {}, 70, 0x47);
        evdev("ev Print", {}, 99, 0x46);
        evdev("ev Alt+Print", {56}, 99, 0x46);
        evdev("ev keypad /", {}, 98, 0x54);
        evdev("ev Up", {}, 103, 0x52);
        evdev("ev keypad 8", {}, 72, 0x60);
        evdev("ev Delete", {}, 111, 0x4C);
        evdev("ev Menu", {}, 127, 0x65);
        evdev("ev Enter", {}, 28, 0x28);
        evdev("ev slash", {}, 53, 0x38);
        evdev("ev left Meta", {}, 125, 0xE3);
        evdev("ev 102nd", {}, 86, 0x64);
        evdev("ev F11", {}, 87, 0x44);
        evdev("ev F23", {}, 193, 0x72);
        evdev("ev F13 unreported", {}, 183, 0);
        evdev("ev unknown code", {}, 240, 0);
        evdev("ev out of range", {}, 5000, 0);
    }

    void translates()
    {
        QFETCH(bool, evdev);
        QFETCH(QList<int>, held);
        QFETCH(int, code);
        QFETCH(bool, e0);
        QFETCH(int, usage);
        auto hook = makeHook();
        EvdevKeyTranslator translator;
        auto feed = [&](int c, bool down) {
            Set1Key key;
            if (!evdev)
                hook->handleKey(uchar(c), e0, !held.isEmpty(), down);
            else if (translator.translate(unsigned(c), down, key))
                hook->handleKey(key.scanCode, key.extended, key.altDown, down);
        };
        if (evdev)
            for (int c : held)
                feed(c, true);
        keyReports.clear();
        feed(code, true);
        feed(code, false);
        const QList<Report> expected{{usage, 1, 0, 0, &context}, {usage, 0, 0, 0, &context}};
        QCOMPARE(keyReports, usage ? expected : QList<Report>{});
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

    void repeatsAndUnseenReleasesReportNothing()
    {
        auto hook = makeHook();
        hook->handleKey(0x1D, true, false, false);
        for (int i = 0; i < 3; ++i)
            hook->handleKey(0x1E, false, false, true);
        QVERIFY(hook->isKeyDown(0x04));
        hook->handleKey(0x1E, false, false, false);
        hook->handleKey(0x1E, false, false, false);
        const QList<Report> expected{{0x04, 1, 0, 0, &context}, {0x04, 0, 0, 0, &context}};
        QCOMPARE(keyReports, expected);
        // Without a callback the key state still follows.
        keyReports.clear();
        InputHook quiet(nullptr);
        quiet.handleKey(0x1E, false, false, true);
        quiet.setKeyboardHookCallback(onKey, nullptr);
        quiet.handleKey(0x1E, false, false, true);
        quiet.handleKey(0x1E, false, false, false);
        QCOMPARE(keyReports, (QList<Report>{{0x04, 0, 0, 0, nullptr}}));
    }

    // A double click reports down, up, down, up; moves, wheel and X buttons nothing.
    void mouseButtons()
    {
        auto hook = makeHook();
        hook->handleMouseMessage(MouseMessage::LButtonDown, 10, 20);
        hook->handleMouseMessage(MouseMessage::LButtonUp, 10, 20);
        hook->handleMouseMessage(MouseMessage::LButtonDown, 11, 21);
        hook->handleMouseMessage(MouseMessage::LButtonDblClk, 11, 21);
        hook->handleMouseMessage(MouseMessage::LButtonUp, 11, 21);
        hook->handleMouseMessage(MouseMessage::RButtonDown, -5, 7);
        hook->handleMouseMessage(MouseMessage::RButtonDblClk, -5, 7);
        hook->handleMouseMessage(MouseMessage::MButtonDown, 0, 0);
        hook->handleMouseMessage(MouseMessage::MButtonDown, 0, 0); // no repeat suppression
        hook->handleMouseMessage(MouseMessage::MButtonUp, 0, 0);
        for (unsigned message : {0x0200u, 0x020Au, 0x020Bu})
            hook->handleMouseMessage(message, 1, 1);
        const QList<Report> expected{
            {0xF0, 1, 10, 20, &context}, {0xF0, 0, 10, 20, &context}, {0xF0, 1, 11, 21, &context},
            {0xF0, 0, 11, 21, &context}, {0xF1, 1, -5, 7, &context},  {0xF2, 1, 0, 0, &context},
            {0xF2, 1, 0, 0, &context},   {0xF2, 0, 0, 0, &context},
        };
        QCOMPARE(mouseReports, expected);
    }

    void installStartsSource()
    {
        int starts = 0;
        InputHook ok(std::make_unique<FakeSource>(true, &starts));
        QVERIFY(ok.isInstalled());
        QVERIFY(ok.installHooks());
        QCOMPARE(starts, 2);
        ok.removeHooks();
        QVERIFY(!ok.isInstalled());
        QVERIFY(!InputHook(std::make_unique<FakeSource>(false, &starts)).isInstalled());
        QVERIFY(!InputHook(nullptr).isInstalled());
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

    // The fallback source: spontaneous events of the application's own windows.
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
            // notify() keeps the spontaneous mark that sendEvent() would clear.
            if (spontaneous) {
                QSpontaneKeyEvent::setSpontaneous(&event);
                qApp->notify(to, &event);
            } else {
                QCoreApplication::sendEvent(to, &event);
            }
        };
        // X key codes: "a" 38, keypad Enter 104; copies and auto-repeats are ignored.
        sendKey(&window, QEvent::KeyPress, 38, true);
        sendKey(&window, QEvent::KeyPress, 38, true, true);
        sendKey(&window, QEvent::KeyRelease, 38, false);
        sendKey(&notAWindow, QEvent::KeyRelease, 38, true);
        sendKey(&window, QEvent::KeyRelease, 38, true);
        sendKey(&window, QEvent::KeyPress, 104, true);
        sendKey(&window, QEvent::KeyPress, 0, true);
        const QList<Report> keys{
            {0x04, 1, 0, 0, &context}, {0x04, 0, 0, 0, &context}, {0x58, 1, 0, 0, &context}};
        QCOMPARE(keyReports, keys);

        auto sendMouse = [&](QEvent::Type type, Qt::MouseButton button, QPointF global) {
            QMouseEvent event(type, QPointF(1, 1), QPointF(1, 1), global, button,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                              Qt::NoModifier);
            QSpontaneKeyEvent::setSpontaneous(&event);
            qApp->notify(&window, &event);
        };
        sendMouse(QEvent::MouseButtonPress, Qt::LeftButton, {100, 200});
        sendMouse(QEvent::MouseButtonDblClick, Qt::LeftButton, {100, 200});
        sendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, {100, 200});
        sendMouse(QEvent::MouseButtonPress, Qt::RightButton, {3, 4});
        sendMouse(QEvent::MouseButtonPress, Qt::BackButton, {3, 4});
        const QList<Report> buttons{{0xF0, 1, 100, 200, &context},
                                    {0xF0, 0, 100, 200, &context},
                                    {0xF1, 1, 3, 4, &context}};
        QCOMPARE(mouseReports, buttons);

        hook.removeHooks();
        sendKey(&window, QEvent::KeyRelease, 104, true);
        QCOMPARE(keyReports.size(), 3);
    }

    void factoryFallsBackOffX()
    {
        const std::unique_ptr<KeyEventSource> source = createKeyEventSource();
        QVERIFY(source);
        QCOMPARE(QByteArray(source->name()), QByteArray("application"));
    }
};

QTEST_MAIN(TestInputHook)
#include "tst_input_hook.moc"
