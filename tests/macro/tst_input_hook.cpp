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

// A source that counts its starts and accepts or refuses them.
struct FakeSource final : KeyEventSource
{
    FakeSource(bool accept, int *starts) : accept(accept), starts(starts) {}
    bool start(KeyEventSink &) override
    {
        ++*starts;
        return accept;
    }
    void stop() override {}
    const char *name() const override { return "fake"; }
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

    // Set 1 scan codes as the Windows hook sees them (E0xx: extended; a third
    // value: Alt held), then Linux input codes (a third value: the code held
    // before) -> the usage reported, 0 for none. The rows: E0 pairs, Ctrl+Break,
    // Alt+Print, keys without a usage, the ends and gaps of both tables.
    void translates_data()
    {
        QTest::addColumn<bool>("evdev");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("held");
        QTest::addColumn<int>("usage");
        struct Row
        {
            int code, usage, held = 0;
        };
        const Row set1[] = {{0x1E, 0x04},    {0x1E, 0x04, 1}, {0x01, 0x29},   {0x1C, 0x28},
                            {0x1D, 0xE0},    {0xE05D, 0x65},  {0xE01C, 0x58}, {0xE01D, 0xE4},
                            {0xE036, 0xE5},  {0x36, 0},       {0xE046, 0x48}, {0x46, 0x47},
                            {0x54, 0x46, 1}, {0x54, 0},       {0xE037, 0x46}, {0x37, 0x55},
                            {0x45, 0x48},    {0xE045, 0x53},  {0x47, 0x5F},   {0xE047, 0x4A},
                            {0x56, 0x64},    {0x6E, 0x72},    {0x64, 0},      {0xE05B, 0xE3},
                            {0xE05C, 0},     {0x00, 0}};
        const Row evdev[] = {{30, 0x04},     {96, 0x58},  {97, 0xE4},      {54, 0xE5},  {100, 0xE6},
                             {69, 0x53},     {119, 0x48}, {119, 0x48, 29}, {70, 0x47},  {99, 0x46},
                             {99, 0x46, 56}, {98, 0x54},  {103, 0x52},     {72, 0x60},  {111, 0x4C},
                             {127, 0x65},    {28, 0x28},  {53, 0x38},      {125, 0xE3}, {86, 0x64},
                             {87, 0x44},     {193, 0x72}, {183, 0},        {240, 0},    {5000, 0}};
        for (const Row &r : set1)
            QTest::addRow("scan %X/%d", r.code, r.held) << false << r.code << r.held << r.usage;
        for (const Row &r : evdev)
            QTest::addRow("ev %d/%d", r.code, r.held) << true << r.code << r.held << r.usage;
    }

    void translates()
    {
        QFETCH(bool, evdev);
        QFETCH(int, code);
        QFETCH(int, held);
        QFETCH(int, usage);
        auto hook = makeHook();
        EvdevKeyTranslator translator;
        auto feed = [&](int c, bool down) {
            Set1Key key;
            if (!evdev)
                hook->handleKey(uchar(c), c > 0xFF, held != 0, down);
            else if (translator.translate(unsigned(c), down, key))
                hook->handleKey(key.scanCode, key.extended, key.altDown, down);
        };
        if (evdev && held)
            feed(held, true);
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
        using namespace MouseMessage;
        const int messages[][3] = {
            {LButtonDown, 10, 20},   {LButtonUp, 10, 20}, {LButtonDown, 11, 21},
            {LButtonDblClk, 11, 21}, {LButtonUp, 11, 21}, {RButtonDown, -5, 7},
            {RButtonDblClk, -5, 7},  {MButtonDown, 0, 0}, {MButtonDown, 0, 0},
            {MButtonUp, 0, 0},       {0x0200, 1, 1},      {0x020A, 1, 1},
            {0x020B, 1, 1}};
        for (const auto &[message, x, y] : messages)
            hook->handleMouseMessage(unsigned(message), x, y);
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
        // Off X the platform's source is the application's own.
        QCOMPARE(QByteArray(createKeyEventSource()->name()), QByteArray("application"));
    }

    void modifierStateSurvivesUnmatchedRelease()
    {
        EvdevKeyTranslator translator;
        Set1Key key;
        QVERIFY(translator.translate(56, false, key)); // Alt released, never pressed
        QVERIFY(translator.translate(99, true, key));
        QCOMPARE(int(key.scanCode), 0x37);
        QVERIFY(key.extended && !key.altDown);
    }

    // The fallback source: spontaneous events of the application's own windows.
    void applicationSource()
    {
        InputHook hook(std::make_unique<AppKeyEventSource>());
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
};

QTEST_MAIN(TestInputHook)
#include "tst_input_hook.moc"
