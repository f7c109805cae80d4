#include "backend/bridge/my_qquick_view.h"
#include "backend/config/config_store.h"
#include "backend/settings/keyboard_settings.h"
#include "device/hid_thread.h"
#include "support/module_sandbox.h"
#include "support/null_bus.h"
#include "support/recording_prompts.h"
#include "support/test_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestViewFeedback : public QObject
{
    Q_OBJECT

private slots:
    // A background that is no picture changes nothing; export dialogs start
    // where the user keeps documents, with the name filled in.
    void backgroundAndExportDialogs()
    {
        ModuleSandbox sandbox;
        NullBus bus;
        Hid_Thread hid(&bus);
        myQQuickView view(nullptr, &hid, sandbox.locations());
        view.getGlobalStrings(QStringLiteral("031000"));
        QTemporaryDir dir;
        const QString bad = dir.filePath(QStringLiteral("bad.png"));
        writeFile(bad, "not a picture\n");
        auto prompts = std::make_unique<RecordingPrompts>();
        RecordingPrompts &asked = *prompts;
        asked.files = {bad};
        view.setPrompts(std::move(prompts));
        const QVariantList before = view.loadApConfig();

        QCOMPARE(view.getCustomFilePath(), QString());
        QCOMPARE(asked.warnings.size(), 1);
        QCOMPARE(asked.warnings.first().first, view.msgStrings().value(2));
        QVERIFY(asked.warnings.first().second.startsWith(view.msgStrings().value(3)));
        QCOMPARE(view.loadApConfig(), before);

        const QString macro = view.createMacroIni().toString();
        view.saveProfile(2);
        view.saveMacroIniToFile(macro);
        QCOMPARE(asked.dialogFolders.mid(1),
                 (QStringList{UserPrompts::startFolder(QStringLiteral("P03.pf")),
                              UserPrompts::startFolder(macro + QStringLiteral(".bin"))}));
        QVERIFY(!asked.dialogFolders.at(1).contains(QLatin1String("Desktop")));
    }

    void unreadPicturesKeepWhatTheProfileHolds()
    {
        ModuleSandbox sandbox;
        NullBus bus; // nothing answers: every read of the pictures fails
        Hid_Thread hid(&bus);
        myQQuickView view(nullptr, &hid, sandbox.locations());
        QVariantList stored;
        for (int i = 0; i < 512; ++i)
            stored.append(i % 7);
        view.configStore().liveProfile().setValue(KeyboardSettings::userPictureKey(2), stored);
        hid.swichCurDevice(0); // the keyboard keeps pictures
        view.syncFW();
        const QVariantList after =
            view.configStore().liveProfile().value(KeyboardSettings::userPictureKey(2)).toList();
        QCOMPARE(after.size(), 512);
        QCOMPARE(after.at(1).toInt(), 1);
        QCOMPARE(after.at(6).toInt(), 6);
    }
};

QTEST_MAIN(TestViewFeedback)
#include "tst_view_feedback.moc"
