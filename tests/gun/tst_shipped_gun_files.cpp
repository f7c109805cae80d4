#include "backend/gun/gun_data.h"

#include <QSet>
#include <QSettings>
#include <QTest>

// The shipped gun tables and slot records, in the source tree and in bin/.
class TestShippedGunFiles : public QObject
{
    Q_OBJECT

private slots:
    void tablesAndSlotRecords_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("source") << qEnvironmentVariable("Z4_SOURCE_DIR") + "/modules/gun";
        QTest::newRow("bin") << qEnvironmentVariable("Z4_BIN_DIR") + "/modules/gun";
    }
    void tablesAndSlotRecords()
    {
        QFETCH(QString, folder);
        const GunData gun(folder);
        for (int game = 0; game < 3; ++game) {
            const QVariantList values = gun.getGundata(game);
            QCOMPARE(values.size(), GunData::kTableValues);
            QSet<QString> names;
            for (int i = 0; i < GunData::kGuns; ++i) {
                const QVariantList g =
                    values.mid(qsizetype(i) * GunData::kGunFields, GunData::kGunFields);
                const QString name = g.at(0).toString();
                QVERIFY2(!name.trimmed().isEmpty() && !names.contains(name), qPrintable(name));
                names.insert(name);
                QCOMPARE(g.at(1).toString(), QString::number(i));
                for (int field = 2; field <= 4; ++field) {
                    bool ok = false;
                    const int v = g.at(field).toString().toInt(&ok);
                    QVERIFY2(ok && v >= 0 && v <= 127, qPrintable(name));
                }
                for (int field = 5; field <= 6; ++field)
                    QVERIFY2(QStringList({"0", "1"}).contains(g.at(field).toString()),
                             qPrintable(name));
            }
        }
        for (int slot = 0; slot < GunData::kSlots; ++slot) {
            QCOMPARE(gun.getSelGundata(slot).size(), GunData::kSlotFields);
            const auto [game, index, fireTime, firePeriod] = gun.slotRecord(slot);
            QVERIFY(game >= 0 && game < 3);
            QVERIFY(index >= 0 && index < GunData::kGuns);
            QVERIFY(fireTime >= 0 && fireTime <= 255);
            QVERIFY(firePeriod >= 10 && firePeriod <= 100);
        }
        // Nothing beyond the three slots.
        const QSettings file(gun.slotRecordPath(), QSettings::IniFormat);
        QCOMPARE(file.allKeys().size(), GunData::kSlots);
    }
};

QTEST_GUILESS_MAIN(TestShippedGunFiles)
#include "tst_shipped_gun_files.moc"
