// The program with settings it cannot fully use: no language, no factory DPI list.
#include "backend/i18n/language_catalog.h"
#include "e2e_rig.h"

class TestE2eFallbacks : public QObject
{
    Q_OBJECT

private slots:
    void keysAndMessagesWithoutLanguage_data()
    {
        QTest::addColumn<int>("situation");
        QTest::newRow("empty settings list") << 0;
        QTest::newRow("language file removed") << 1;
    }
    void keysAndMessagesWithoutLanguage()
    {
        QFETCH(int, situation);
        E2eRig rig({}, [&](const QString &root) {
            QSettings apConfig(root + QStringLiteral("/modules/setting/apConfig.bin"),
                               QSettings::IniFormat);
            if (situation == 0)
                apConfig.remove(QStringLiteral("common/total"));
            else // ENGLISH, the third of three languages; one is left
                apConfig.setValue(QStringLiteral("common/4"), 2);
            apConfig.sync();
            if (situation == 1) {
                QFile::remove(root + QStringLiteral("/modules/i18n/lang_031000.ini"));
                QFile::remove(root + QStringLiteral("/modules/i18n/lang_025208.ini"));
            }
        });
        QString why;
        QVERIFY2(rig.start(&why), qPrintable(why));
        QVERIFY(rig.openPage(0));

        // The built-in layout in built-in English; the fourth key selected.
        const QStringList expected{"LEFT",    "RIGHT",      "MIDDLE", "BACKWARD",
                                   "FORWARD", "DPI SWITCH", "FIRE"};
        QStringList shown;
        for (int row = 0; QQuickItem *key = rig.item(QStringLiteral("keyRow%1").arg(row)); ++row)
            shown.append(E2eRig::lastItemWithText(key, expected.value(row)) ? expected.value(row)
                                                                            : QString());
        QCOMPARE(shown, expected);
        QQuickItem *page = rig.item(QStringLiteral("page_Keydefine"));
        QCOMPARE(page->property("model").value<QObject *>()->property("curKeyMatrix").toInt(), 3);

        // The only left button asks before it changes: a box with text.
        rig.click(rig.item(QStringLiteral("keyRow0")));
        QVERIFY(rig.choose(QStringLiteral("funcList"), 0));
        QCOMPARE(rig.prompts->asked.size(), 1);
        QCOMPARE(rig.prompts->asked.value(0).first, LanguageCatalog::builtInMessages().at(4));
        QCOMPARE(rig.prompts->asked.value(0).second, LanguageCatalog::builtInMessages().at(5));
    }

    void resetWithoutFactoryDpiListSendsTheSensorsValues()
    {
        SimOptions options;
        options.sensorType = 3;
        E2eRig rig(options, [](const QString &root) {
            const QString path = root + QStringLiteral("/modules/setting/pD.bin");
            QSettings factory(path, QSettings::IniFormat);
            factory.remove(QStringLiteral("sensor/dpi_Z4"));
            factory.sync();
        });
        QString why;
        QVERIFY2(rig.start(&why), qPrintable(why));
        QVERIFY(rig.openPage(3));

        const qsizetype mark = rig.mark();
        rig.click(rig.item(QStringLiteral("btnSensorReset")));
        QVERIFY(rig.waitForSets(mark, 2));
        const QList<SentCommand> sets = rig.setsSince(mark);
        QCOMPARE(E2eRig::codes(sets), QList<int>({0x11, 0x10}));
        // Sensor type 3's own stages, not the values after the missing list.
        QCOMPARE(sets[0].data.left(8).toHex(' '),
                 bytesOf({0x09, 0x13, 0x27, 0x67, 0x80, 0x80, 0x80, 0x80}).toHex(' '));
        QCOMPARE(intsOf(rig.liveProfile().value(QStringLiteral("sensor/dpi_Z4"))),
                 QList<int>({1000, 2000, 4000, 8000, 0, 0, 0, 0}));
        // The colours of the file arrive unchanged.
        QCOMPARE(sets[1].frame.toHex(' '), frameBytes(0x10, {2, 4}).toHex(' '));
        QCOMPARE(sets[1].data.left(4).toHex(' '), bytesOf({0x10, 0x32, 0x54, 0x76}).toHex(' '));
        QVERIFY(rig.waitUnlocked());
    }
};

QTEST_MAIN(TestE2eFallbacks)
#include "tst_e2e_fallbacks.moc"
