// Read-only settings folders (a private mount): every write says so, no file changes.
#include "backend/bridge/my_qquick_view.h"
#include "backend/feedback/device_feedback.h"
#include "device/hid_thread.h"
#include "support/module_sandbox.h"
#include "support/null_bus.h"
#include "support/private_mounts.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QSignalSpy>
#include <QTest>

namespace {

// Every file under dir with a digest of its bytes.
QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files.insert(file.fileName(),
                         QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1));
    }
    return files;
}

QStringList filesOf(const QSignalSpy &notices)
{
    QStringList files;
    for (const QList<QVariant> &n : notices)
        files += n.at(0).toMap().value(QStringLiteral("files")).toStringList();
    return files;
}

} // namespace

class TestReadOnlySettings : public QObject
{
    Q_OBJECT

private slots:
    void everyWriteSaysItFailedAndNothingChanges()
    {
        if (!privatemounts::problem().isEmpty())
            QSKIP(qPrintable(privatemounts::problem()));
        ModuleSandbox sandbox;
        const QString modules = sandbox.path() + QStringLiteral("/modules");
        for (const char *sub : {"setting", "macro"})
            QVERIFY(privatemounts::makeReadOnly(modules + QLatin1Char('/') + QLatin1String(sub)));
        const QMap<QString, QByteArray> before = snapshot(modules);

        NullBus bus;
        Hid_Thread hid(&bus);
        {
            myQQuickView view(nullptr, &hid, sandbox.locations());
            QSignalSpy notices(&view.feedback(), &DeviceFeedback::notice);

            view.beginAction(QStringLiteral("apply"));
            view.ui_0BH_SetCurrentDPIStage(4);
            view.endAction();
            QTRY_VERIFY(!notices.isEmpty());
            QVERIFY2(filesOf(notices).join(' ').contains(QLatin1String("p1.bin")),
                     qPrintable(filesOf(notices).join(' ')));

            notices.clear();
            QVariantList settings = view.loadApConfig();
            QVERIFY(!settings.isEmpty());
            settings[0] = settings[0].toInt() == 1 ? 2 : 1;
            view.saveApConfig(settings);
            QTRY_VERIFY(!notices.isEmpty());
            QVERIFY(filesOf(notices).join(' ').contains(QLatin1String("apConfig.bin")));

            notices.clear();
            QCOMPARE(view.createMacroIni().toString(), QString());
            QTRY_VERIFY(!notices.isEmpty());
            QVERIFY(filesOf(notices).join(' ').contains(QLatin1String("macro")));
        }
        QCOMPARE(snapshot(modules), before);
        for (const char *sub : {"setting", "macro"})
            privatemounts::unmount(modules + QLatin1Char('/') + QLatin1String(sub));
    }
};

int main(int argc, char *argv[])
{
    privatemounts::enter();
    QApplication app(argc, argv);
    TestReadOnlySettings test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_read_only_settings.moc"
