#include "macro/picture/custom_picture.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

class TestCustomPicture : public QObject
{
    Q_OBJECT

private slots:
    void skinListShownFromTwoSkins_data()
    {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("shown");
        QTest::newRow("none") << QStringList{} << QStringList{} << false;
        QTest::newRow("no folder") << QStringList{"-"} << QStringList{} << false;
        QTest::newRow("skin1 and files")
            << QStringList{"skin1"} << QStringList{"a.png", "b.png"} << false;
        QTest::newRow("skin1 skin2") << QStringList{"skin1", "skin2"} << QStringList{} << true;
        QTest::newRow("three") << QStringList{"skin1", "skin2", "x"} << QStringList{} << true;
    }

    void skinListShownFromTwoSkins()
    {
        QFETCH(QStringList, folders);
        QFETCH(QStringList, files);
        QFETCH(bool, shown);
        QTemporaryDir tmp;
        const QString img = tmp.path() + "/modules/img";
        if (folders != QStringList{"-"})
            QVERIFY(QDir().mkpath(img));
        for (const QString &f : folders)
            QDir(img).mkdir(f);
        for (const QString &f : files)
            writeFile(img + u'/' + f, {});
        QCOMPARE(CustomPicture::isSkinShow(img), shown);
    }

    void chosenPicture()
    {
        QTemporaryDir tmp;
        const QString png = tmp.path() + "/back ground.png";
        QImage picture(4, 3, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(png, "PNG"));
        const QString text = tmp.path() + "/bad.png";
        writeFile(text, "a text file with a picture's name");
        const CustomPicture::Choice ok = CustomPicture::checkChosenPicture(png);
        QCOMPARE(ok.path, png);
        QVERIFY(!ok.warn);

        const CustomPicture::Choice cancelled = CustomPicture::checkChosenPicture(QString());
        QVERIFY(cancelled.path.isEmpty());
        QVERIFY(!cancelled.warn);

        for (const QString &bad : {tmp.path() + "/gone.png", tmp.path(), text}) {
            const CustomPicture::Choice c = CustomPicture::checkChosenPicture(bad);
            QVERIFY2(c.path.isEmpty(), qPrintable(bad));
            QVERIFY2(c.warn, qPrintable(bad));
        }
    }
};

QTEST_GUILESS_MAIN(TestCustomPicture)
#include "tst_custom_picture.moc"
