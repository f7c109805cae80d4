// Profile switch: pages re-read the profile; nothing is sent until an apply.
#include "e2e_rig.h"

class TestE2eProfile : public QObject
{
    Q_OBJECT

    std::unique_ptr<E2eRig> rig;

    int index(const char *name, const char *property = "currentIndex") const
    {
        return rig->item(QLatin1String(name))->property(property).toInt();
    }
    QList<int> stageValues() const
    {
        return intsOf(rig->item(QStringLiteral("dpiStages"))->property("valueForIndex"));
    }

private slots:
    void initTestCase()
    {
        SimOptions options;
        options.sensorType = 3;
        // Profile 2 differs from the shipped profile 1 on every page.
        rig = std::make_unique<E2eRig>(options, [](const QString &root) {
            QSettings p2(root + QStringLiteral("/modules/setting/p2.bin"), QSettings::IniFormat);
            p2.setValue(QStringLiteral("sensor/reportRate_Z4"), 8);
            p2.setValue(QStringLiteral("sensor/dpi_Z4"),
                        QVariantList{1000, 2000, 4000, 8000, 10000, 0, 0, 0});
            p2.setValue(QStringLiteral("sensor/stage_Z4"), 4);
            p2.setValue(QStringLiteral("sensor/cursorSpeed_Z4"), 9);
            p2.setValue(QStringLiteral("sensor/verticalScrollLines_Z4"), 7);
            p2.setValue(QStringLiteral("sensor/doubleClickSpeed_Z4"), 1);
            p2.setValue(QStringLiteral("color_Z4/ledEffect"), QVariantList{3, 2, 6});
            p2.setValue(QStringLiteral("keydefine_Z4/4"), QVariantList{3, 0, 0xE9, 0});
        });
        QString why;
        QVERIFY2(rig->start(&why), qPrintable(why));
        QVERIFY(rig->openPage(3));
    }
    void cleanupTestCase() { rig.reset(); }

    void switchingProfileRereadsEveryPage()
    {
        QCOMPARE(index("rateGroup"), 3);
        QCOMPARE(index("cursorSlider"), 5);
        QCOMPARE(stageValues(), QList<int>({500, 1000, 1500, 2000, 0, 0, 0, 0}));

        const qsizetype mark = rig->mark();
        rig->pointer->calls.clear();
        rig->click(rig->item(QStringLiteral("profileRow1")));
        QCOMPARE(rig->view()->configStore().currentProfile(), 1);

        QCOMPARE(index("rateGroup"), 0);
        QCOMPARE(index("cursorSlider"), 9);
        QCOMPARE(index("scrollSlider"), 7);
        QCOMPARE(index("doubleClickSlider"), 1);
        QCOMPARE(stageValues(), QList<int>({1000, 2000, 4000, 8000, 10000, 0, 0, 0}));
        QCOMPARE(index("dpiStages"), 3);

        QVERIFY(rig->openPage(2));
        QCOMPARE(index("ledEffectList", "curIndex"), 3);
        QCOMPARE(index("ledBrightnessSlider"), 2);
        QCOMPARE(index("ledSpeedSlider"), 6);

        QVERIFY(rig->openPage(0));
        QCOMPARE(rig->keyAt(4), 4);
        rig->click(rig->item(QStringLiteral("keyRow4")));
        QCOMPARE(index("funcList", "curIndex"), 2);  // MEDIA
        QCOMPARE(index("mediaList", "curIndex"), 5); // VOLUME UP

        // Nothing goes to the mouse or the desktop before an apply.
        QVERIFY(rig->settled());
        QCOMPARE(rig->setsSince(mark).size(), 0);
        QCOMPARE(rig->pointer->calls.size(), 0);
    }

    void applyingRecordsInTheNewProfileOnly()
    {
        QVERIFY(rig->openPage(3));
        const qsizetype mark = rig->mark();
        rig->click(rig->item(QStringLiteral("btnSensorApply")));
        QVERIFY(rig->waitForSets(mark, 2));
        const QList<SentCommand> sets = rig->setsSince(mark);
        QCOMPARE(sets[0].frame.toHex(' '), frameBytes(0x01, {8}).toHex(' '));
        QCOMPARE(sets[1].frame.toHex(' '), frameBytes(0x0B, {4}).toHex(' '));
        QCOMPARE(rig->pointer->calls.size(), 3);
        QCOMPARE(rig->pointer->calls.at(0).value, 18);

        // Back on profile 1, the page shows profile 1 as it was.
        rig->click(rig->item(QStringLiteral("profileRow0")));
        QCOMPARE(rig->view()->configStore().currentProfile(), 0);
        QCOMPARE(index("rateGroup"), 3);
        QCOMPARE(index("cursorSlider"), 5);
        QCOMPARE(index("dpiStages"), 1);
        QCOMPARE(rig->liveProfile().value(QStringLiteral("sensor/reportRate_Z4")).toInt(), 1);
    }

    // Profiles cannot change under a macro being edited.
    void profileMenuIsDisabledOnTheMacroPage()
    {
        QVERIFY(rig->openPage(1));
        QVERIFY(!rig->item(QStringLiteral("menu_Prof"))->isEnabled());
        rig->click(rig->item(QStringLiteral("profileRow1")));
        QCOMPARE(rig->view()->configStore().currentProfile(), 0);
    }
};

QTEST_MAIN(TestE2eProfile)
#include "tst_e2e_profile.moc"
