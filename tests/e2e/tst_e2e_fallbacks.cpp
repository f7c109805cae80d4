// The program with settings it cannot fully use: no language.
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
        QVERIFY(rig.start());
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
};

QTEST_MAIN(TestE2eFallbacks)
#include "tst_e2e_fallbacks.moc"
