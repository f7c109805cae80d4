// The lighting page on a virtual mouse: effect list, sliders, apply, reset, bottom bar.
#include "e2e_rig.h"

class TestE2eColor : public QObject
{
    Q_OBJECT

    std::unique_ptr<E2eRig> rig;

    int sliderPosition(const char *name) const
    {
        return rig->item(QLatin1String(name))->property("currentIndex").toInt();
    }

private slots:
    void initTestCase()
    {
        rig = std::make_unique<E2eRig>();
        QString why;
        QVERIFY2(rig->start(&why), qPrintable(why));
        QVERIFY(rig->openPage(2));
    }
    void cleanupTestCase() { rig.reset(); }

    void pageShowsTheStoredEffect()
    {
        // The shipped profile holds STATIC at brightness 7, speed 4.
        QCOMPARE(rig->item(QStringLiteral("ledEffectList"))->property("curIndex").toInt(), 1);
        QCOMPARE(sliderPosition("ledBrightnessSlider"), 7);
        QCOMPARE(sliderPosition("ledSpeedSlider"), 4);
        QVERIFY(rig->item(QStringLiteral("ledBrightnessSlider"))->isEnabled());
        QVERIFY(!rig->item(QStringLiteral("ledSpeedSlider"))->isEnabled());
    }

    void applySendsTheEffectLevel_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("option1");

        QTest::newRow("NEON at speed 7") << 3 << "ledSpeedSlider" << 7 << 30;
        QTest::newRow("BREATHING at speed 0") << 2 << "ledSpeedSlider" << 0 << 5;
        QTest::newRow("STATIC at brightness 3") << 1 << "ledBrightnessSlider" << 3 << 5;
        QTest::newRow("OFF") << 0 << QString() << 0 << -1;
    }
    void applySendsTheEffectLevel()
    {
        QFETCH(int, effect);
        QFETCH(QString, slider);
        QFETCH(int, position);
        QFETCH(int, option1);

        QVERIFY(rig->waitUnlocked());
        QVERIFY(rig->choose(QStringLiteral("ledEffectList"), effect));
        if (!slider.isEmpty())
            QVERIFY(rig->setSlider(slider, position));
        const int brightness = sliderPosition("ledBrightnessSlider");
        const int speed = sliderPosition("ledSpeedSlider");
        // With the effect off the level is the brightness position as it is.
        if (option1 < 0)
            option1 = brightness;

        const qsizetype mark = rig->mark();
        rig->click(rig->item(QStringLiteral("btnColorApply")));
        QVERIFY(rig->waitForSets(mark, 1));
        const QList<SentCommand> sets = rig->setsSince(mark);
        QCOMPARE(sets.size(), 1);
        QCOMPARE(sets[0].frame.toHex(' '), frameBytes(0x0D, {effect, option1, 2}).toHex(' '));
        QCOMPARE(intsOf(rig->liveProfile().value(QStringLiteral("color_Z4/ledEffect"))),
                 QList<int>({effect, brightness, speed}));
    }

    // Reset only sets the controls; the bottom bar's apply sends every page.
    void resetThenBottomBarApply()
    {
        QVERIFY(rig->waitUnlocked());
        qsizetype mark = rig->mark();
        rig->click(rig->item(QStringLiteral("btnColorReset")));
        QCOMPARE(rig->item(QStringLiteral("ledEffectList"))->property("curIndex").toInt(), 2);
        QCOMPARE(sliderPosition("ledBrightnessSlider"), 7);
        QCOMPARE(sliderPosition("ledSpeedSlider"), 7);
        QVERIFY(rig->settled());
        QCOMPARE(rig->setsSince(mark).size(), 0);
        QVERIFY(rig->waitUnlocked());

        mark = rig->mark();
        rig->click(rig->item(QStringLiteral("btnTotalApply")));
        QVERIFY(rig->waitForSets(mark, 4));
        const QList<SentCommand> sets = rig->setsSince(mark);
        QList<int> codes = E2eRig::codes(sets);
        std::sort(codes.begin(), codes.end());
        QCOMPARE(codes, QList<int>({0x01, 0x0B, 0x0D, 0x12}));
        for (const SentCommand &set : sets) {
            if (set.code() == 0x0D)
                QCOMPARE(set.frame.toHex(' '), frameBytes(0x0D, {2, 1, 2}).toHex(' '));
        }
        QCOMPARE(intsOf(rig->liveProfile().value(QStringLiteral("color_Z4/ledEffect"))),
                 QList<int>({2, 7, 7}));
    }
};

QTEST_MAIN(TestE2eColor)
#include "tst_e2e_color.moc"
