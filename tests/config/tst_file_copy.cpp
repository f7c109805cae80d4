#include "storage/file_copy.h"
#include "support/test_files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void setModified(const QString &path, const QDateTime &when)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace

class TestFileCopy : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void replacesOrCreatesTarget();
    void failuresLeaveTargetAlone_data();
    void failuresLeaveTargetAlone();
    void sameSizeReplacementIsReRead();

private:
    QString path(const char *name) const { return tmp->filePath(QLatin1String(name)); }
    std::unique_ptr<QTemporaryDir> tmp;
};

void TestFileCopy::init()
{
    tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(tmp->isValid());
}

void TestFileCopy::replacesOrCreatesTarget()
{
    const QByteArray big(100000, 'q'); // more than one read buffer
    writeFile(path("src"), "new");
    writeFile(path("dst"), "old and longer");
    QVERIFY(replaceFileWithCopy(path("src"), path("dst"), 1024));
    QCOMPARE(readFile(path("dst")), QByteArray("new"));
    QCOMPARE(readFile(path("src")), QByteArray("new"));
    QCOMPARE(QDir(tmp->path()).entryList(QDir::Files),
             QStringList({QStringLiteral("dst"), QStringLiteral("src")}));
    writeFile(path("src"), big);
    QVERIFY(replaceFileWithCopy(path("src"), path("new"), big.size()));
    QCOMPARE(readFile(path("new")), big);
}

void TestFileCopy::failuresLeaveTargetAlone_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::newRow("missing source") << "nothing"
                                    << "dst";
    QTest::newRow("source is a folder") << "folder"
                                        << "dst";
    QTest::newRow("source too big") << "big"
                                    << "dst";
    QTest::newRow("target in a missing folder") << "src"
                                                << "no/such/dst";
}

void TestFileCopy::failuresLeaveTargetAlone()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QVERIFY(QDir(tmp->path()).mkdir(QStringLiteral("folder")));
    writeFile(path("src"), "new");
    writeFile(path("big"), QByteArray(65, 'x'));
    writeFile(path("dst"), "old");

    QVERIFY(!replaceFileWithCopy(tmp->filePath(source), tmp->filePath(target), 64));
    QCOMPARE(readFile(path("dst")), QByteArray("old"));
    QCOMPARE(QDir(tmp->path()).entryList(QDir::Files),
             QStringList({QStringLiteral("big"), QStringLiteral("dst"), QStringLiteral("src")}));
}

// An old file stamped later than now (clock skew, a copy from another
// machine), the source with the same stamp: the replacement must look newer,
// or a store comparing size and time keeps the old contents.
void TestFileCopy::sameSizeReplacementIsReRead()
{
    writeFile(path("dst"), "[a]\nk=1\n");
    writeFile(path("src"), "[a]\nk=4\n");
    const QDateTime future = QDateTime::currentDateTime().addSecs(3600);
    setModified(path("dst"), future);
    setModified(path("src"), future);
    QSettings store(path("dst"), QSettings::IniFormat);
    QCOMPARE(store.value(QStringLiteral("a/k")).toInt(), 1);
    QVERIFY(replaceFileWithCopy(path("src"), path("dst"), 1024));
    QVERIFY(QFileInfo(path("dst")).lastModified() > future);
    store.sync();
    QCOMPARE(store.value(QStringLiteral("a/k")).toInt(), 4);
}

QTEST_GUILESS_MAIN(TestFileCopy)
#include "tst_file_copy.moc"
