#include "backend/gun/gun_data.h"
#include "storage/settings_file.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Twelve guns of seven values; a name holds a comma, which INI lists split at.
QVariantList fullTable()
{
    QVariantList values;
    for (int gun = 0; gun < GunData::kGuns; ++gun)
        values << QString("Gun %1").arg(gun) << gun << gun % 3 << 10 + gun << 20 + gun << gun % 2
               << (gun + 1) % 2;
    values[7] = "Mk II, short barrel";
    return values;
}

QVariantList asText(const QVariantList &values)
{
    QVariantList out;
    for (const QVariant &v : values)
        out << v.toString();
    return out;
}

} // namespace

class TestGunData : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_gun = std::make_unique<GunData>(m_dir->path());
    }

    // A short list is padded with zeros, a long one cut to the table.
    void savedTableReadsBackPadded_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("empty") << 0;
        QTest::newRow("part of the first gun") << 3;
        QTest::newRow("one value short") << 83;
        QTest::newRow("full") << 84;
        QTest::newRow("longer than a table") << 90;
    }
    void savedTableReadsBackPadded()
    {
        QFETCH(int, length);
        writeFile(table(2), {});
        const QVariantList given = (fullTable() + QVariantList(6, 99)).mid(0, length);
        QVERIFY(m_gun->saveGundata("2", given));
        QVariantList expected;
        for (int i = 0; i < GunData::kTableValues; ++i)
            expected << (i < length ? given[i].toString() : "0");
        QCOMPARE(m_gun->getGundata(2), expected);
        // Each gun lands under its own key.
        QCOMPARE(QSettings(table(2), QSettings::IniFormat).value("gunData/11").toList(),
                 expected.mid(77, 7));
    }

    void missingGunAddsNothing()
    {
        const QString path = table(0);
        {
            QSettings file(path, QSettings::IniFormat);
            file.setValue("gunData/0", QVariantList{"A", 0, 0, 1, 2, 1, 0});
            file.setValue("gunData/5", QVariantList{"B", 5, 0, 3, 4, 0, 1});
        }
        const QVariantList expected{"A", "0", "0", "1", "2", "1", "0",
                                    "B", "5", "0", "3", "4", "0", "1"};
        QCOMPARE(m_gun->getGundata(0), expected);
    }

    // Nothing is written for a table that is not there, nor for a game
    // number that is no index (it must not become a path).
    void refusedTablesWriteNothing_data()
    {
        QTest::addColumn<QVariant>("gameNo");
        QTest::addColumn<bool>("index");
        QTest::newRow("no such table") << QVariant(1) << true;
        QTest::newRow("path") << QVariant("../gunData0") << false;
        QTest::newRow("negative") << QVariant(-1) << false;
        QTest::newRow("fraction") << QVariant(0.5) << false;
        QTest::newRow("word") << QVariant("zero") << false;
        QTest::newRow("invalid") << QVariant() << false;
    }
    void refusedTablesWriteNothing()
    {
        QFETCH(QVariant, gameNo);
        QFETCH(bool, index);
        writeFile(table(0), {});
        QCOMPARE(m_gun->tablePath(gameNo).isEmpty(), !index);
        QVERIFY(!m_gun->saveGundata(gameNo, fullTable()));
        QVERIFY(m_gun->getGundata(gameNo).isEmpty());
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"gunData0.bin"});
        QCOMPARE(QFile(table(0)).size(), 0);
    }

    // Records are four numbers: short ones are padded, extra values dropped.
    void slotRecordsRoundTripPadded_data()
    {
        QTest::addColumn<QVariantList>("given");
        QTest::addColumn<QVariantList>("stored");
        QTest::newRow("full") << QVariantList{2, 7, 120, 35} << QVariantList{"2", "7", "120", "35"};
        QTest::newRow("empty") << QVariantList{} << QVariantList{"0", "0", "0", "0"};
        QTest::newRow("three") << QVariantList{1, 4, 9} << QVariantList{"1", "4", "9", "0"};
        QTest::newRow("extra dropped")
            << QVariantList{1, 4, 9, 20, 5} << QVariantList{"1", "4", "9", "20"};
    }
    void slotRecordsRoundTripPadded()
    {
        QFETCH(QVariantList, given);
        QFETCH(QVariantList, stored);
        writeFile(m_gun->slotRecordPath(), {});
        QVERIFY(m_gun->saveSelGundata(1, given));
        QCOMPARE(m_gun->getSelGundata(1), stored);
        std::array<int, 4> numbers{};
        for (int i = 0; i < 4; ++i)
            numbers[size_t(i)] = stored[i].toInt();
        QCOMPARE(m_gun->slotRecord(1), numbers);
        QVERIFY(m_gun->getSelGundata(0).isEmpty());
    }

    void slotRecordNumbersFromPartialFiles()
    {
        {
            QSettings file(m_gun->slotRecordPath(), QSettings::IniFormat);
            file.setValue("gunData/0", QVariantList{1, 3});
            file.setValue("gunData/1", QString("2"));
            file.setValue("gunData/2", QVariantList{"x", 4, 50, 10});
        }
        QCOMPARE(m_gun->slotRecord(0), (std::array<int, 4>{1, 3, 0, 0}));
        QCOMPARE(m_gun->slotRecord(1), (std::array<int, 4>{2, 0, 0, 0}));
        QCOMPARE(m_gun->slotRecord(2), (std::array<int, 4>{0, 4, 50, 10}));
    }

    void slotsThatAreNotZeroToTwoOrWithoutFileAreRefused()
    {
        QVERIFY(!m_gun->saveSelGundata(0, {1, 2, 3, 40}));
        QVERIFY(!QFile::exists(m_gun->slotRecordPath()));
        QCOMPARE(m_gun->slotRecord(0), (std::array<int, 4>{}));
        writeFile(m_gun->slotRecordPath(), {});
        for (const QVariant &slot : {QVariant(3), QVariant(-1), QVariant(QString("first"))})
            QVERIFY(!m_gun->saveSelGundata(slot, {1, 2, 3, 40}));
        QCOMPARE(QFile(m_gun->slotRecordPath()).size(), 0);
    }

    // Over-long lists are cut to a record; a file over 1 MiB is neither read nor written.
    void damagedFilesAreBounded()
    {
        const QString path = table(0);
        QStringList longList;
        for (int i = 0; i < 1000; ++i)
            longList.append(QString::number(i));
        {
            QSettings tableFile(path, QSettings::IniFormat);
            QSettings records(m_gun->slotRecordPath(), QSettings::IniFormat);
            for (int gun = 0; gun < GunData::kGuns; ++gun)
                tableFile.setValue(QString("gunData/%1").arg(gun), longList);
            records.setValue("gunData/1", longList);
        }
        const QVariantList guns = m_gun->getGundata(0);
        QCOMPARE(guns.size(), GunData::kTableValues);
        QCOMPARE(guns.mid(7, 7), asText({0, 1, 2, 3, 4, 5, 6}));
        QCOMPARE(m_gun->getSelGundata(1), asText({0, 1, 2, 3}));

        const QByteArray oversized = readFile(path) + QByteArray(settingsfile::MaxBytes, ';');
        writeFile(path, oversized);
        QVERIFY(m_gun->getGundata(0).isEmpty());
        QVERIFY(!m_gun->saveGundata(0, fullTable()));
        QCOMPARE(readFile(path), oversized);
    }

private:
    QString table(int game) const { return m_dir->filePath(QString("gunData%1.bin").arg(game)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<GunData> m_gun;
};

QTEST_GUILESS_MAIN(TestGunData)
#include "tst_gun_data.moc"
