// Disks that take no writes. Replacing files on a full disk: every
// replacement fails, says why and keeps the old file, and the program reports
// it. Read-only settings: every write says so. Takes root for the private
// mounts (CI runs as root); elsewhere the test skips.

#include "backend/bridge/my_qquick_view.h"
#include "backend/config/config_store.h"
#include "backend/feedback/device_feedback.h"
#include "device/hid_thread.h"
#include "macro/library/macro_library.h"
#include "storage/data_locations.h"
#include "support/module_sandbox.h"
#include "support/null_bus.h"
#include "support/private_mounts.h"
#include "support/test_files.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A 256 KiB tmpfs over `dir`, in the private mount namespace.
struct SmallDisk
{
    QString dir;
    bool mounted = QDir().mkpath(dir) &&
                   mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", 0, "size=256k") == 0;
    ~SmallDisk()
    {
        if (mounted)
            privatemounts::unmount(dir);
    }
    // True once a write was refused for want of space.
    bool fill() const
    {
        QFile filler(dir + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        while (filler.write(QByteArray(4096, 'f')) > 0) {
        }
        return filler.error() == QFileDevice::ResourceError;
    }
    void makeRoom() const { QFile::remove(dir + QStringLiteral("/filler")); }
};

QString binDir()
{
    return qEnvironmentVariable("Z4_BIN_DIR");
}

void copyFolder(const QString &from, const QString &to)
{
    QVERIFY(QDir().mkpath(to));
    QCOMPARE(QProcess::execute("cp", {"-rT", from, to}), 0);
}

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

// What a case runs: the stores on the small disk, its root, the sources to import.
struct Stores
{
    ConfigStore &store;
    MacroLibrary &macros;
    const QTemporaryDir &root;
    QString profileSource, macroSource;
};
using Operation = bool (*)(const Stores &, QString *error);

} // namespace

Q_DECLARE_METATYPE(Operation)

class TestFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!privatemounts::problem().isEmpty())
            QSKIP(qPrintable(privatemounts::problem()));
    }

    void replacementKeepsTheOldFile_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("kept"); // the file that must stay as it was
        QTest::newRow("profile reset")
            << Operation([](const Stores &d, QString *e) { return d.store.resetProfile(0, e); })
            << "modules/setting/p1.bin";
        QTest::newRow("settings reset")
            << Operation([](const Stores &d, QString *e) { return d.store.resetApconfig(e); })
            << "modules/setting/apConfig.bin";
        QTest::newRow("profile import") << Operation([](const Stores &d, QString *e) {
            return d.store.loadProfile(0, d.profileSource, e);
        }) << "modules/setting/p1.bin";
        QTest::newRow("profile export") << Operation([](const Stores &d, QString *e) {
            return d.store.saveProfile(0, d.root.filePath(QStringLiteral("export.pf")), e);
        }) << "export.pf";
        QTest::newRow("macro import") << Operation([](const Stores &d, QString *e) {
            return !d.macros.importMacroIni(d.macroSource, e).isEmpty();
        }) << "modules/macro/Mine.bin";
        QTest::newRow("macro export") << Operation([](const Stores &d, QString *e) {
            return d.macros.exportMacroIni(QStringLiteral("Mine"),
                                           d.root.filePath(QStringLiteral("export.bin")), e);
        }) << "export.bin";
        // A line the settings reader rejects must not hide the failed write.
        QTest::newRow("macro save over a rejected line")
            << Operation([](const Stores &d, QString *) {
                   return d.macros.saveMacroIni(QStringLiteral("Mine"), {"B    [Down]"}, 1).saved;
               })
            << "modules/macro/Mine.bin";
    }

    void replacementKeepsTheOldFile()
    {
        QFETCH(Operation, operation);
        QFETCH(QString, kept);

        QTemporaryDir root;
        SmallDisk disk{root.path()};
        QVERIFY(disk.mounted);
        const QString folder = root.path() + QStringLiteral("/modules/setting");
        copyFolder(binDir() + QStringLiteral("/modules/setting"), folder);
        writeFile(folder + QStringLiteral("/p1.bin"), "[sensor]\nstage_Z4=4\n");
        writeFile(folder + QStringLiteral("/apConfig.bin"), "[common]\nname=Mine\n");
        writeFile(root.filePath(QStringLiteral("modules/macro/Mine.bin")),
                  "[config]\ntotal=1\nrejected line\n[macro]\n0=A    [Down]\n");
        writeFile(root.filePath(QStringLiteral("export.pf")), "old export");
        writeFile(root.filePath(QStringLiteral("export.bin")), "old export");
        // Sources to import, on another disk.
        QTemporaryDir elsewhere;
        const QString profileSource = elsewhere.filePath(QStringLiteral("other.pf"));
        const QString macroSource = elsewhere.filePath(QStringLiteral("Mine.bin"));
        writeFile(profileSource, "[sensor]\nstage_Z4=1\n");
        writeFile(macroSource, "[config]\ntotal=0\n");

        ConfigStore store(DataLocations::beside(root.path()));
        MacroLibrary macros(root.filePath(QStringLiteral("modules/macro")));
        const Stores stores{store, macros, root, profileSource, macroSource};
        const auto run = [&](QString *error) { return operation(stores, error); };

        const QString keptPath = root.filePath(kept);
        const QByteArray before = readFile(keptPath);
        QVERIFY(disk.fill());
        const QDir keptFolder = QFileInfo(keptPath).absoluteDir();
        const QStringList filesBefore = keptFolder.entryList(QDir::Files);

        QString error;
        QVERIFY(!run(&error));
        if (QTest::currentDataTag() != QByteArrayView("macro save over a rejected line"))
            QVERIFY2(error.contains(QStringLiteral("No space left on device")), qPrintable(error));
        QCOMPARE(readFile(keptPath), before);
        QCOMPARE(keptFolder.entryList(QDir::Files), filesBefore); // no temporary left
        QCOMPARE(store.liveProfile().value(QStringLiteral("sensor/stage_Z4")).toInt(), 4);
        QCOMPARE(store.windowTitle(), QStringLiteral("Mine"));

        // With room on the disk the very same operation goes through.
        disk.makeRoom();
        QVERIFY2(run(&error), qPrintable(error));
        QVERIFY(readFile(keptPath) != before);
    }

    // Read-only settings folders: every write of the window says it failed
    // and names its file, and no file changes.
    void everyWriteSaysItFailedAndNothingChanges()
    {
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
            // The files the notices of the last write name.
            const auto told = [&notices] {
                QStringList files;
                if (!QTest::qWaitFor([&] { return !notices.isEmpty(); }))
                    return QStringLiteral("no notice");
                for (const QList<QVariant> &n : std::as_const(notices))
                    files += n.at(0).toMap().value(QStringLiteral("files")).toStringList();
                notices.clear();
                return files.join(u' ');
            };

            view.beginAction(QStringLiteral("apply"));
            view.ui_0BH_SetCurrentDPIStage(4);
            view.endAction();
            QVERIFY(told().contains(QLatin1String("p1.bin")));
            QVariantList settings = view.loadApConfig();
            QVERIFY(!settings.isEmpty());
            settings[0] = settings[0].toInt() == 1 ? 2 : 1;
            view.saveApConfig(settings);
            QVERIFY(told().contains(QLatin1String("apConfig.bin")));
            QCOMPARE(view.createMacroIni().toString(), QString());
            QVERIFY(told().contains(QLatin1String("macro")));
        }
        QCOMPARE(snapshot(modules), before);
        for (const char *sub : {"setting", "macro"})
            privatemounts::unmount(modules + QLatin1Char('/') + QLatin1String(sub));
    }
    // The program says what failed and exits non-zero; before, it exited 0
    // and left the files empty.
    void headlessRunReportsTheFailure()
    {
        QTemporaryDir copy;
        QCOMPARE(QProcess::execute("cp", {binDir() + QStringLiteral("/z4config"), copy.path()}), 0);
        const QString folder = copy.filePath(QStringLiteral("modules/setting"));
        SmallDisk disk{folder};
        QVERIFY(disk.mounted);
        copyFolder(binDir() + QStringLiteral("/modules/setting"), folder);
        const QByteArray profile = readFile(folder + QStringLiteral("/p1.bin"));
        const QByteArray settings = readFile(folder + QStringLiteral("/apConfig.bin"));
        QVERIFY(!profile.isEmpty() && !settings.isEmpty());
        QVERIFY(disk.fill());

        QProcess program;
        program.start(
            copy.filePath(QStringLiteral("z4config")),
            {"--demo", "--call", "ui_View.resetProfile", "0", "--call", "ui_View.resetApconfig"});
        QVERIFY(program.waitForFinished(30000));
        const QByteArray err = program.readAllStandardError();
        QCOMPARE(program.exitCode(), 4);
        QVERIFY2(err.contains("z4config: error: PROFILE: P01 was not reset: cannot write "),
                 err.constData());
        QVERIFY2(err.contains("z4config: error: SETTINGS: The settings were not reset: "),
                 err.constData());
        QCOMPARE(err.count("No space left on device"), 2);
        QCOMPARE(readFile(folder + QStringLiteral("/p1.bin")), profile);
        QCOMPARE(readFile(folder + QStringLiteral("/apConfig.bin")), settings);
    }
};

int main(int argc, char *argv[])
{
    privatemounts::enter();
    QApplication app(argc, argv);
    TestFullDisk test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_full_disk.moc"
