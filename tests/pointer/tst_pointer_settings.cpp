#include "backend/pointer/pointer_settings_service.h"
#include "pointer/fake_pointer_settings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <climits>

namespace {

const QString speedKey = QString("sensor/cursorSpeed_Z4");
const QString linesKey = QString("sensor/verticalScrollLines_Z4");
const QString clickKey = QString("sensor/doubleClickSpeed_Z4");

} // namespace

Q_DECLARE_METATYPE(PointerSettings::MouseParams)

class TestPointerSettings : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        for (int i = 0; i < 2; ++i)
            m_profiles[i] = std::make_unique<QSettings>(
                m_dir->filePath(QString("p%1.bin").arg(i + 1)), QSettings::IniFormat);
        m_current = 0;
        auto fake = std::make_unique<FakePointerSettings>();
        m_fake = fake.get();
        m_service = std::make_unique<PointerSettingsService>(
            [this]() -> QSettings & { return *m_profiles[m_current]; }, std::move(fake));
    }

    // The page's 0..10 scale in system units; values beyond it are held to it.
    // The profile key is recorded first, and kept when the system call fails.
    void pageScaleBecomesSystemUnits_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<uint>("pageValue");
        QTest::addColumn<QString>("action");
        QTest::addColumn<long long>("systemValue");
        QTest::addColumn<uint>("recorded");
        QTest::addColumn<QString>("failure"); // the message when the call fails
        auto row = [](const char *name, const QString &key, uint page, const char *action,
                      long long system, uint recorded, const char *failure = "") {
            QTest::newRow(name) << key << page << QString(action) << system << recorded
                                << QString(failure);
        };
        row("speed 0", speedKey, 0, "speed", 1, 0);
        row("speed 5", speedKey, 5, "speed", 10, 5);
        row("speed 10", speedKey, 10, "speed", 20, 10);
        row("speed max", speedKey, UINT_MAX, "speed", 20, 10);
        row("lines 0", linesKey, 0, "wheel", 1, 0);
        row("lines 10", linesKey, 10, "wheel", 11, 10);
        row("lines 500", linesKey, 500, "wheel", 11, 10);
        row("click 0", clickKey, 0, "doubleClick", 900, 0);
        row("click 1", clickKey, 1, "doubleClick", 830, 1);
        row("click 10", clickKey, 10, "doubleClick", 200, 10);
        row("click 13, below zero ms unclamped", clickKey, 13, "doubleClick", 200, 10);
        row("speed fails", speedKey, 6, "speed", 12, 6, "setCursorSpeed Failed");
        row("lines fail", linesKey, 6, "wheel", 7, 6, "setVerticalScrollLines Failed");
        row("click fails", clickKey, 6, "doubleClick", 480, 6, "setDoubleClickSpeed Failed");
    }
    void pageScaleBecomesSystemUnits()
    {
        QFETCH(QString, key);
        QFETCH(uint, pageValue);
        QFETCH(QString, action);
        QFETCH(long long, systemValue);
        QFETCH(uint, recorded);
        QFETCH(QString, failure);
        if (!failure.isEmpty()) {
            m_fake->failing = {action};
            QTest::ignoreMessage(QtDebugMsg, qPrintable(failure));
        }
        QCOMPARE(set(key, pageValue), failure.isEmpty());
        QCOMPARE(m_fake->calls, (QList<FakePointerSettings::Call>{{action, systemValue}}));
        m_profiles[0]->sync();
        QSettings onDisk(m_profiles[0]->fileName(), QSettings::IniFormat);
        QCOMPARE(onDisk.allKeys(), QStringList{key});
        QCOMPARE(onDisk.value(key).toUInt(), recorded);
        QCOMPARE(get(key), recorded);
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
        QVERIFY(m_fake->mouse == after);
        QCOMPARE(m_service->acceleration(), on);
        QVERIFY(m_profiles[0]->allKeys().isEmpty()); // no profile key
    }

    void storedValuesOutsideThePageAreClamped_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<uint>("read");
        QTest::newRow("missing") << QVariant() << 0u;
        QTest::newRow("too big") << QVariant(37) << 10u;
        QTest::newRow("negative") << QVariant(-4) << 0u;
        QTest::newRow("text") << QVariant(QString("fast")) << 0u;
        QTest::newRow("in range") << QVariant(QString("7")) << 7u;
    }
    void storedValuesOutsideThePageAreClamped()
    {
        QFETCH(QVariant, stored);
        QFETCH(uint, read);
        if (stored.isValid())
            m_profiles[0]->setValue(clickKey, stored);
        QCOMPARE(m_service->doubleClickSpeed(), read);
        QVERIFY(m_fake->calls.isEmpty());
    }

    void profileSwitchChangesGettersOnly()
    {
        QVERIFY(m_service->setDoubleClickSpeed(3));
        QVERIFY(m_service->setCursorSpeed(9));
        m_profiles[1]->setValue(clickKey, 8u);
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

    void failingAccelerationCalls()
    {
        for (const char *failing : {"getMouse", "setMouse"}) {
            m_fake->failing = {failing};
            const auto before = m_fake->mouse;
            QTest::ignoreMessage(QtDebugMsg, "setAcceleration Failed");
            QVERIFY(!m_service->setAcceleration(false));
            QVERIFY(m_fake->mouse == before);
        }
        m_fake->failing = {"getMouse"};
        QTest::ignoreMessage(QtDebugMsg, "getAcceleration Failed");
        QCOMPARE(m_service->acceleration(), false); // unreadable reads off
    }

private:
    bool set(const QString &key, uint value)
    {
        if (key == speedKey)
            return m_service->setCursorSpeed(value);
        return key == linesKey ? m_service->setVerticalScrollLines(value)
                               : m_service->setDoubleClickSpeed(value);
    }
    uint get(const QString &key) const
    {
        if (key == speedKey)
            return m_service->cursorSpeed();
        return key == linesKey ? m_service->verticalScrollLines() : m_service->doubleClickSpeed();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_profiles[2];
    int m_current = 0;
    FakePointerSettings *m_fake = nullptr;
    std::unique_ptr<PointerSettingsService> m_service;
};

QTEST_GUILESS_MAIN(TestPointerSettings)
#include "tst_pointer_settings.moc"
