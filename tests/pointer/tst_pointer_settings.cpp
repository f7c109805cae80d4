#include "backend/pointer/pointer_settings_service.h"
#include "pointer/fake_pointer_settings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <climits>

namespace {

QStringList g_messages;

void captureMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    g_messages.append(text);
}

// Which setter a data row exercises.
enum class Slider
{
    Speed,
    Lines,
    DoubleClick
};

} // namespace

Q_DECLARE_METATYPE(Slider)
Q_DECLARE_METATYPE(PointerSettings::MouseParams)

class TestPointerSettings : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_profiles[0] = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("p1.bin")),
                                                    QSettings::IniFormat);
        m_profiles[1] = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("p2.bin")),
                                                    QSettings::IniFormat);
        m_current = 0;
        auto fake = std::make_unique<FakePointerSettings>();
        m_fake = fake.get();
        m_service = std::make_unique<PointerSettingsService>(
            [this]() -> QSettings & { return *m_profiles[m_current]; }, std::move(fake));
        g_messages.clear();
        m_previousHandler = qInstallMessageHandler(captureMessage);
    }

    void cleanup() { qInstallMessageHandler(m_previousHandler); }

    void pageScaleBecomesSystemUnits_data()
    {
        QTest::addColumn<Slider>("slider");
        QTest::addColumn<uint>("pageValue");
        QTest::addColumn<QString>("action");
        QTest::addColumn<long long>("systemValue");
        QTest::addColumn<uint>("recorded");
        QTest::addColumn<QString>("key");

        const QString speed = PointerSettingsService::kCursorSpeedKey;
        const QString lines = PointerSettingsService::kScrollLinesKey;
        const QString click = PointerSettingsService::kDoubleClickKey;
        QTest::newRow("speed 0 is the slowest, 1")
            << Slider::Speed << 0u << "speed" << 1ll << 0u << speed;
        QTest::newRow("speed 1") << Slider::Speed << 1u << "speed" << 2ll << 1u << speed;
        QTest::newRow("speed 5") << Slider::Speed << 5u << "speed" << 10ll << 5u << speed;
        QTest::newRow("speed 10") << Slider::Speed << 10u << "speed" << 20ll << 10u << speed;
        QTest::newRow("lines 0") << Slider::Lines << 0u << "wheel" << 1ll << 0u << lines;
        QTest::newRow("lines 2") << Slider::Lines << 2u << "wheel" << 3ll << 2u << lines;
        QTest::newRow("lines 10") << Slider::Lines << 10u << "wheel" << 11ll << 10u << lines;
        QTest::newRow("click 0") << Slider::DoubleClick << 0u << "doubleClick" << 900ll << 0u
                                 << click;
        QTest::newRow("click 1") << Slider::DoubleClick << 1u << "doubleClick" << 830ll << 1u
                                 << click;
        QTest::newRow("click 10") << Slider::DoubleClick << 10u << "doubleClick" << 200ll << 10u
                                  << click;

        // Values the page never sends are held to its scale, both in the
        // system and in the profile.
        QTest::newRow("speed 11") << Slider::Speed << 11u << "speed" << 20ll << 10u << speed;
        QTest::newRow("speed max") << Slider::Speed << UINT_MAX << "speed" << 20ll << 10u << speed;
        QTest::newRow("lines 500") << Slider::Lines << 500u << "wheel" << 11ll << 10u << lines;
        QTest::newRow("click 13, below zero ms unclamped")
            << Slider::DoubleClick << 13u << "doubleClick" << 200ll << 10u << click;
        QTest::newRow("click max")
            << Slider::DoubleClick << UINT_MAX << "doubleClick" << 200ll << 10u << click;
    }
    void pageScaleBecomesSystemUnits()
    {
        QFETCH(Slider, slider);
        QFETCH(uint, pageValue);
        QFETCH(QString, action);
        QFETCH(long long, systemValue);
        QFETCH(uint, recorded);
        QFETCH(QString, key);

        QVERIFY(set(slider, pageValue));
        QCOMPARE(m_fake->calls.size(), 1);
        QCOMPARE(m_fake->calls.first().action, action);
        QCOMPARE(m_fake->calls.first().value, systemValue);
        QCOMPARE(m_profiles[0]->value(key).toUInt(), recorded);
        QCOMPARE(get(slider), recorded);
        QVERIFY(g_messages.isEmpty());
    }

    void accelerationKeepsThresholds_data()
    {
        QTest::addColumn<PointerSettings::MouseParams>("before");
        QTest::addColumn<bool>("on");
        QTest::addColumn<PointerSettings::MouseParams>("after");
        using P = PointerSettings::MouseParams;
        QTest::newRow("switch on") << P{6, 10, 0} << true << P{6, 10, 1};
        QTest::newRow("switch off") << P{6, 10, 1} << false << P{6, 10, 0};
        QTest::newRow("odd thresholds, on") << P{0, 25, 2} << true << P{0, 25, 1};
        QTest::newRow("odd thresholds, off") << P{17, 3, 2} << false << P{17, 3, 0};
    }
    void accelerationKeepsThresholds()
    {
        QFETCH(PointerSettings::MouseParams, before);
        QFETCH(bool, on);
        QFETCH(PointerSettings::MouseParams, after);
        m_fake->mouse = before;

        QVERIFY(m_service->setAcceleration(on));
        QCOMPARE(m_fake->calls.size(), 2);
        QCOMPARE(m_fake->calls.at(0).action, QStringLiteral("getMouse"));
        QCOMPARE(m_fake->calls.at(1).action, QStringLiteral("setMouse"));
        QVERIFY(m_fake->calls.at(1).params == after);
        QCOMPARE(m_service->acceleration(), on);
        // Acceleration has no profile key.
        QVERIFY(m_profiles[0]->allKeys().isEmpty());
    }

    void missingKeysReadAsZero()
    {
        m_profiles[0]->setValue(QStringLiteral("sensor/dpi_Z4"), 3);
        QCOMPARE(m_service->cursorSpeed(), 0u);
        QCOMPARE(m_service->verticalScrollLines(), 0u);
        QCOMPARE(m_service->doubleClickSpeed(), 0u);
        QVERIFY(m_fake->calls.isEmpty());
    }

    void storedValuesOutsideThePageAreClamped_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<uint>("read");
        QTest::newRow("too big") << QVariant(37) << 10u;
        QTest::newRow("negative") << QVariant(-4) << 0u;
        QTest::newRow("text") << QVariant(QStringLiteral("fast")) << 0u;
        QTest::newRow("in range") << QVariant(QStringLiteral("7")) << 7u;
    }
    void storedValuesOutsideThePageAreClamped()
    {
        QFETCH(QVariant, stored);
        QFETCH(uint, read);
        m_profiles[0]->setValue(PointerSettingsService::kDoubleClickKey, stored);
        QCOMPARE(m_service->doubleClickSpeed(), read);
    }

    void profileSwitchChangesGettersOnly()
    {
        QVERIFY(m_service->setDoubleClickSpeed(3));
        QVERIFY(m_service->setCursorSpeed(9));
        m_profiles[1]->setValue(PointerSettingsService::kDoubleClickKey, 8u);
        const auto callsBefore = m_fake->calls;

        m_current = 1;
        QCOMPARE(m_service->doubleClickSpeed(), 8u);
        QCOMPARE(m_service->cursorSpeed(), 0u);
        m_current = 0;
        QCOMPARE(m_service->doubleClickSpeed(), 3u);
        QCOMPARE(m_service->cursorSpeed(), 9u);

        QCOMPARE(m_fake->calls, callsBefore);
        QCOMPARE(m_fake->calls.first().value, 690ll);
    }

    void failingSystemCallLogsAndKeepsTheKey_data()
    {
        QTest::addColumn<Slider>("slider");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("message");
        QTest::newRow("speed") << Slider::Speed << "speed"
                               << "setCursorSpeed Failed";
        QTest::newRow("lines") << Slider::Lines << "wheel"
                               << "setVerticalScrollLines Failed";
        QTest::newRow("click") << Slider::DoubleClick << "doubleClick"
                               << "setDoubleClickSpeed Failed";
    }
    void failingSystemCallLogsAndKeepsTheKey()
    {
        QFETCH(Slider, slider);
        QFETCH(QString, action);
        QFETCH(QString, message);
        m_fake->failing = {action};

        QVERIFY(!set(slider, 6));
        QCOMPARE(g_messages, QStringList{message});
        QCOMPARE(get(slider), 6u);
        m_profiles[0]->sync();
        QSettings onDisk(m_profiles[0]->fileName(), QSettings::IniFormat);
        QCOMPARE(onDisk.allKeys().size(), 1);
        QCOMPARE(onDisk.value(onDisk.allKeys().first()).toUInt(), 6u);
    }

    void failingAccelerationCalls_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<int>("calls");
        QTest::newRow("read fails, nothing written") << "getMouse" << 1;
        QTest::newRow("write fails") << "setMouse" << 2;
    }
    void failingAccelerationCalls()
    {
        QFETCH(QString, failing);
        QFETCH(int, calls);
        m_fake->failing = {failing};
        const auto before = m_fake->mouse;

        QVERIFY(!m_service->setAcceleration(false));
        QCOMPARE(m_fake->calls.size(), calls);
        QCOMPARE(g_messages, QStringList{QStringLiteral("setAcceleration Failed")});
        QVERIFY(m_fake->mouse == before);
    }

    void unreadableAccelerationReadsOff()
    {
        m_fake->mouse = {6, 10, 1};
        m_fake->failing = {QStringLiteral("getMouse")};
        QCOMPARE(m_service->acceleration(), false);
        QCOMPARE(g_messages, QStringList{QStringLiteral("getAcceleration Failed")});
    }

private:
    bool set(Slider slider, uint value)
    {
        switch (slider) {
        case Slider::Speed:
            return m_service->setCursorSpeed(value);
        case Slider::Lines:
            return m_service->setVerticalScrollLines(value);
        case Slider::DoubleClick:
            return m_service->setDoubleClickSpeed(value);
        }
        return false;
    }
    uint get(Slider slider) const
    {
        switch (slider) {
        case Slider::Speed:
            return m_service->cursorSpeed();
        case Slider::Lines:
            return m_service->verticalScrollLines();
        case Slider::DoubleClick:
            return m_service->doubleClickSpeed();
        }
        return 0;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_profiles[2];
    int m_current = 0;
    FakePointerSettings *m_fake = nullptr;
    std::unique_ptr<PointerSettingsService> m_service;
    QtMessageHandler m_previousHandler = nullptr;
};

QTEST_GUILESS_MAIN(TestPointerSettings)
#include "tst_pointer_settings.moc"
