// The sensor page and the profile switch on a virtual mouse with sensor type 3
// and six DPI stages.
#include "e2e_rig.h"

class TestE2eSensor : public QObject
{
    Q_OBJECT

    std::unique_ptr<E2eRig> rig;

    QQuickItem *stages() const { return rig->item(QStringLiteral("dpiStages")); }
    QList<int> stageValues() const { return intsOf(stages()->property("valueForIndex")); }

    // Opens the "▼" menu of `stage` and clicks the entry that shows `label`.
    bool chooseStageValue(int stage, const QString &label)
    {
        const QList<QQuickItem *> arrows = E2eRig::itemsWithText(stages(), QStringLiteral("▼"));
        if (stage >= arrows.size())
            return false;
        rig->click(arrows.at(stage));
        if (stages()->property("currentMenuIndex").toInt() != stage)
            return false;
        // The open menu's entry is the last item with that text.
        QQuickItem *entry = E2eRig::lastItemWithText(stages(), label);
        if (!entry)
            return false;
        rig->click(entry);
        return stages()->property("currentMenuIndex").toInt() == -1;
    }

private slots:
    void initTestCase()
    {
        SimOptions options;
        options.sensorType = 3;
        options.stageCount = 6;
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
        QVERIFY(rig->start());
        QVERIFY(rig->openPage(3));
    }
    void cleanupTestCase() { rig.reset(); }

    void pageShowsWhatTheDeviceReports()
    {
        QQuickItem *page = rig->item(QStringLiteral("page_Sensor"));
        QCOMPARE(page->property("sensorType").toInt(), 3);
        QCOMPARE(page->property("dpiMAXStage").toInt(), 6);
        // Sensor type 3 offers its 18 DPI values; two stages stay hidden.
        QCOMPARE(stages()->property("menuCounter").toInt(), 18);
        QCOMPARE(E2eRig::itemsWithText(stages(), QStringLiteral("▼")).size(), 6);
        // Stored values of the profile, not decoded from the device.
        QCOMPARE(stageValues(), QList<int>({500, 1000, 1500, 2000, 0, 0, 0, 0}));
        QCOMPARE(rig->index("dpiStages"), 1);
        QCOMPARE(rig->index("rateGroup"), 3);
        QCOMPARE(rig->index("cursorSlider"), 5);
    }

    // Profile switch: pages re-read the profile; nothing is sent until an apply.
    void switchingProfileRereadsEveryPage()
    {
        const qsizetype mark = rig->mark();
        rig->pointer->calls.clear();
        rig->click(rig->item(QStringLiteral("profileRow1")));
        QCOMPARE(rig->view()->configStore().currentProfile(), 1);

        QCOMPARE(rig->index("rateGroup"), 0);
        QCOMPARE(rig->index("cursorSlider"), 9);
        QCOMPARE(rig->index("scrollSlider"), 7);
        QCOMPARE(rig->index("doubleClickSlider"), 1);
        QCOMPARE(stageValues(), QList<int>({1000, 2000, 4000, 8000, 10000, 0, 0, 0}));
        QCOMPARE(rig->index("dpiStages"), 3);

        QVERIFY(rig->openPage(2));
        QCOMPARE(rig->index("ledEffectList", "curIndex"), 3);
        QCOMPARE(rig->index("ledBrightnessSlider"), 2);
        QCOMPARE(rig->index("ledSpeedSlider"), 6);

        QVERIFY(rig->openPage(0));
        QCOMPARE(rig->keyAt(4), 4);
        rig->click(rig->item(QStringLiteral("keyRow4")));
        QCOMPARE(rig->index("funcList", "curIndex"), 2);  // MEDIA
        QCOMPARE(rig->index("mediaList", "curIndex"), 5); // VOLUME UP

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
        QCOMPARE(rig->index("rateGroup"), 3);
        QCOMPARE(rig->index("cursorSlider"), 5);
        QCOMPARE(rig->index("dpiStages"), 1);
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

    // 500 and 1500 are not this sensor's values: their stages go out switched off.
    void dpiMenuChoiceSendsTheSensorsStageBytes_data()
    {
        QTest::addColumn<int>("stage");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QList<int>>("recorded");
        QTest::newRow("6000 on stage 2")
            << 1 << "6000" << bytesOf({0x80, 0x5D, 0x80, 0x13, 0x80, 0x80, 0x80, 0x80})
            << QList<int>{500, 6000, 1500, 2000, 0, 0, 0, 0};
        QTest::newRow("stage 4 off")
            << 3 << "×" << bytesOf({0x80, 0x5D, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80})
            << QList<int>{500, 6000, 1500, 0, 0, 0, 0, 0};
    }
    void dpiMenuChoiceSendsTheSensorsStageBytes()
    {
        QFETCH(int, stage);
        QFETCH(QString, label);
        QFETCH(QByteArray, block);
        QFETCH(QList<int>, recorded);
        QVERIFY(rig->openPage(3));
        const qsizetype mark = rig->mark();
        QVERIFY(chooseStageValue(stage, label));
        QVERIFY(rig->waitForSets(mark, 1));
        const QList<SentCommand> sets = rig->setsSince(mark);
        QCOMPARE(sets.size(), 1);
        QCOMPARE(sets[0].frame.toHex(' '), frameBytes(0x11, {6, 8}).toHex(' '));
        QCOMPARE(sets[0].data.left(8).toHex(' '), block.toHex(' '));
        QCOMPARE(intsOf(rig->liveProfile().value(QStringLiteral("sensor/dpi_Z4"))), recorded);
    }

    void applySendsRateThenStageAndSetsThePointer()
    {
        const qsizetype mark = rig->mark();
        // Choosing on the page sends nothing yet.
        rig->click(E2eRig::lastItemWithText(rig->item(QStringLiteral("rateGroup")),
                                            QStringLiteral("125 Hz")));
        QVERIFY(rig->setSlider(QStringLiteral("cursorSlider"), 9));
        QVERIFY(rig->setSlider(QStringLiteral("scrollSlider"), 0));
        QVERIFY(rig->setSlider(QStringLiteral("doubleClickSlider"), 10));
        rig->click(E2eRig::lastItemWithText(stages(), QStringLiteral("1500")));
        QCOMPARE(rig->index("dpiStages"), 2);
        rig->pointer->calls.clear();

        rig->click(rig->item(QStringLiteral("btnSensorApply")));
        QVERIFY(!rig->view()->isEnabled()); // locked while the device takes it
        QVERIFY(rig->waitForSets(mark, 2));
        const QList<SentCommand> sets = rig->setsSince(mark);
        QCOMPARE(E2eRig::codes(sets), QList<int>({0x01, 0x0B}));
        QCOMPARE(sets[0].frame.toHex(' '), frameBytes(0x01, {8}).toHex(' '));
        QCOMPARE(sets[1].frame.toHex(' '), frameBytes(0x0B, {3}).toHex(' '));

        using Call = FakePointerSettings::Call;
        QCOMPARE(rig->pointer->calls, QList<Call>({{QStringLiteral("speed"), 18, {}},
                                                   {QStringLiteral("wheel"), 1, {}},
                                                   {QStringLiteral("doubleClick"), 200, {}}}));
        QSettings &profile = rig->liveProfile();
        QCOMPARE(profile.value(QStringLiteral("sensor/reportRate_Z4")).toInt(), 8);
        QCOMPARE(profile.value(QStringLiteral("sensor/stage_Z4")).toInt(), 3);
        QCOMPARE(profile.value(QStringLiteral("sensor/cursorSpeed_Z4")).toUInt(), 9u);
        QCOMPARE(profile.value(QStringLiteral("sensor/verticalScrollLines_Z4")).toUInt(), 0u);
        QCOMPARE(profile.value(QStringLiteral("sensor/doubleClickSpeed_Z4")).toUInt(), 10u);
        QVERIFY(rig->waitUnlocked());
    }

    // The shipped factory stages are another sensor's, and a factory file
    // without them: either way this sensor's defaults go.
    void resetSendsFactoryStagesAndColoursOnly_data()
    {
        QTest::addColumn<bool>("withoutList");
        QTest::newRow("another sensor's list") << false;
        QTest::newRow("no factory list") << true;
    }
    void resetSendsFactoryStagesAndColoursOnly()
    {
        QFETCH(bool, withoutList);
        if (withoutList) {
            QSettings(rig->sandbox.path() + QStringLiteral("/modules/setting/pD.bin"),
                      QSettings::IniFormat)
                .remove(QStringLiteral("sensor/dpi_Z4"));
        }
        const qsizetype mark = rig->mark();
        rig->click(rig->item(QStringLiteral("btnSensorReset")));
        QVERIFY(rig->waitForSets(mark, 2));
        const QList<SentCommand> sets = rig->setsSince(mark);
        QCOMPARE(E2eRig::codes(sets), QList<int>({0x11, 0x10}));
        QCOMPARE(sets[0].data.left(8).toHex(' '),
                 bytesOf({0x09, 0x13, 0x27, 0x67, 0x80, 0x80, 0x80, 0x80}).toHex(' '));
        // The logo LED works: colour indices 0…7 of the file, two to a byte.
        QCOMPARE(sets[1].frame.toHex(' '), frameBytes(0x10, {2, 4}).toHex(' '));
        QCOMPARE(sets[1].data.left(4).toHex(' '), bytesOf({0x10, 0x32, 0x54, 0x76}).toHex(' '));

        QCOMPARE(rig->index("rateGroup"), 3);
        QCOMPARE(rig->index("cursorSlider"), 5);
        QCOMPARE(rig->index("dpiStages"), 1);
        QSettings &profile = rig->liveProfile();
        QCOMPARE(intsOf(profile.value(QStringLiteral("sensor/dpi_Z4"))),
                 QList<int>({1000, 2000, 4000, 8000, 0, 0, 0, 0}));
        QCOMPARE(intsOf(profile.value(QStringLiteral("color_Z4/type2"))),
                 QList<int>({0, 1, 2, 3, 4, 5, 6, 7}));
        // Rate, pointer values and stage wait for the next apply.
        QCOMPARE(profile.value(QStringLiteral("sensor/reportRate_Z4")).toInt(), 8);
        QCOMPARE(profile.value(QStringLiteral("sensor/stage_Z4")).toInt(), 3);
        QCOMPARE(rig->pointer->calls.size(), 3);
        QVERIFY(rig->waitUnlocked());
    }
};

QTEST_MAIN(TestE2eSensor)
#include "tst_e2e_sensor.moc"
