#include "storage/file_copy.h"
#include "support/test_files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestFileCopy : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> tmp;
    QString path(const QString &name) const { return tmp->filePath(name); }
    QStringList files() const { return QDir(tmp->path()).entryList(QDir::Files); }

private slots:
    void init()
    {
        tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(tmp->isValid());
    }

    void replacesOrCreatesTarget()
    {
        const QByteArray big(100000, 'q'); // more than one read buffer
        writeFile(path("src"), "new");
        writeFile(path("dst"), "old and longer");
        QVERIFY(replaceFileWithCopy(path("src"), path("dst"), 1024));
        QCOMPARE(readFile(path("dst")), QByteArray("new"));
        QCOMPARE(readFile(path("src")), QByteArray("new"));
        QCOMPARE(files(), (QStringList{"dst", "src"}));
        writeFile(path("src"), big);
        QVERIFY(replaceFileWithCopy(path("src"), path("new"), big.size()));
        QCOMPARE(readFile(path("new")), big);
    }

    void failuresLeaveTargetAlone_data()
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

    void failuresLeaveTargetAlone()
    {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QVERIFY(QDir(tmp->path()).mkdir("folder"));
        writeFile(path("src"), "new");
        writeFile(path("big"), QByteArray(65, 'x'));
        writeFile(path("dst"), "old");
        QVERIFY(!replaceFileWithCopy(path(source), path(target), 64));
        QCOMPARE(readFile(path("dst")), QByteArray("old"));
        QCOMPARE(files(), (QStringList{"big", "dst", "src"}));
    }

    // An old file stamped later than now (clock skew, a copy from another
    // machine), the source with the same stamp: the replacement must look newer,
    // or a store comparing size and time keeps the old contents.
    void sameSizeReplacementIsReRead()
    {
        writeFile(path("dst"), "[a]\nk=1\n");
        writeFile(path("src"), "[a]\nk=4\n");
        const QDateTime future = QDateTime::currentDateTime().addSecs(3600);
        for (const char *name : {"dst", "src"}) {
            QFile f(path(name));
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(future, QFileDevice::FileModificationTime));
        }
        QSettings store(path("dst"), QSettings::IniFormat);
        QCOMPARE(store.value("a/k").toInt(), 1);
        QVERIFY(replaceFileWithCopy(path("src"), path("dst"), 1024));
        QVERIFY(QFileInfo(path("dst")).lastModified() > future);
        store.sync();
        QCOMPARE(store.value("a/k").toInt(), 4);
    }
};

QTEST_GUILESS_MAIN(TestFileCopy)
#include "tst_file_copy.moc"
