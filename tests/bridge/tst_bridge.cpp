// The QML's API: the frameless host and its controller on a stand-in root,
// and the view's dialogs and pictures.
#include "backend/bridge/my_qquick_view.h"
#include "backend/bridge/ui_controler.h"
#include "backend/config/config_store.h"
#include "backend/settings/keyboard_settings.h"
#include "device/hid_thread.h"
#include "support/module_sandbox.h"
#include "support/null_bus.h"
#include "support/recording_prompts.h"
#include "support/test_files.h"

#include <QQuickItem>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace {
QUrl testRoot()
{
    return QUrl::fromLocalFile(QStringLiteral(Z4_TEST_DATA "/bridge_root.qml"));
}
} // namespace

class TestBridge : public QObject
{
    Q_OBJECT

private:
    NullBus bus;
    const DataLocations locations = DataLocations::beside(qEnvironmentVariable("Z4_BIN_DIR"));

private slots:
    void hostIsFramelessSizedToTheRootAndDragged()
    {
        QWidget host;
        Hid_Thread hid(&bus);
        Ui_Controler ctl(&host, &hid, locations, testRoot());
        QVERIFY(ctl.quickView()->rootObject());
        QCOMPARE(host.size(), QSize(1000, 600));
        QVERIFY(host.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(host.objectName(), QStringLiteral("Widget"));
        QCOMPARE(ctl.quickView()->objectName(), QStringLiteral("ui_View"));
        host.move(100, 100);
        const QPoint start = host.pos();
        ctl.onXChanged(10);
        QCOMPARE(host.pos(), start + QPoint(10, 0));
        ctl.onYChanged(-5);
        QCOMPARE(host.pos(), start + QPoint(10, -5));
    }

    void setBusyZeroReleasesTheLockOnceTheLoopRan()
    {
        QWidget host;
        Hid_Thread hid(&bus);
        Ui_Controler ctl(&host, &hid, locations, testRoot());
        myQQuickView *view = ctl.quickView();
        ctl.setBusy(0);
        QVERIFY(!view->isEnabled()); // the call is direct: locked at once
        QTRY_VERIFY(view->isEnabled());
        ctl.setBusy();
        QTRY_VERIFY(view->isEnabled());
        const QStringList calls = view->rootObject()->property("calls").toStringList();
        QCOMPARE(calls, (QStringList{"setProtectUI 0", "setProtectUI 0"}));
    }

    // Both are queued: initUI runs to its end before run, and captured keys
    // reach the root in order.
    void initUiBeforeRunAndCapturedKeysQueued()
    {
        QWidget host;
        Hid_Thread hid(&bus);
        Ui_Controler ctl(&host, &hid, locations, testRoot());
        QQuickItem *root = ctl.quickView()->rootObject();
        ctl.quickView()->initUI();
        ctl.quickView()->runUI();
        ctl.quickView()->detectKeyboard(true, 0x04);
        ctl.quickView()->detectKeyboard(false, 0x04);
        QVERIFY(root->property("calls").toStringList().isEmpty());
        QVERIFY(root->property("keys").toStringList().isEmpty());
        QTRY_COMPARE(root->property("calls").toStringList(), (QStringList{"initUI", "run"}));
        QVERIFY(root->property("initDoneBeforeRun").toBool());
        QTRY_COMPARE(root->property("keys").toStringList(), (QStringList{"down 4", "up 4"}));
    }

    // A background that is no picture changes nothing; export dialogs start
    // where the user keeps documents, with the name filled in.
    void backgroundAndExportDialogs()
    {
        ModuleSandbox sandbox;
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
        Hid_Thread hid(&bus);
        myQQuickView view(nullptr, &hid, sandbox.locations());
        QVariantList stored;
        for (int i = 0; i < 512; ++i)
            stored.append(i % 7);
        view.configStore().liveProfile().setValue(KeyboardSettings::userPictureKey(2), stored);
        hid.swichCurDevice(0); // the keyboard keeps pictures; nothing answers its reads
        view.syncFW();
        const QVariantList after =
            view.configStore().liveProfile().value(KeyboardSettings::userPictureKey(2)).toList();
        QCOMPARE(after.size(), 512);
        QCOMPARE(after.at(1).toInt(), 1);
        QCOMPARE(after.at(6).toInt(), 6);
    }
};

QTEST_MAIN(TestBridge)
#include "tst_bridge.moc"
