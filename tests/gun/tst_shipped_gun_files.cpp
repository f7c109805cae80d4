#include "backend/gun/gun_data.h"

#include <QSet>
#include <QSettings>
#include <QTest>

// The gun tables and slot records that ship with the program, loaded the way
// the program loads them, from the source tree and from the built bin/ folder.
class TestShippedGunFiles : public QObject
{
    Q_OBJECT

private slots:
    void tables_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("game");
        const QString src = qEnvironmentVariable("Z4_SOURCE_DIR") + QStringLiteral("/modules/gun");
        const QString bin = qEnvironmentVariable("Z4_BIN_DIR") + QStringLiteral("/modules/gun");
        for (int game = 0; game < 3; ++game) {
            QTest::addRow("source game %d", game) << src << game;
            QTest::addRow("bin game %d", game) << bin << game;
        }
    }
    void tables()
    {
        QFETCH(QString, folder);
        QFETCH(int, game);
        const GunData gun(folder);
        const QVariantList values = gun.getGundata(game);
        QCOMPARE(values.size(), GunData::kTableValues);
        QSet<QString> names;
        for (int i = 0; i < GunData::kGuns; ++i) {
            const QVariantList g = values.mid(i * GunData::kGunFields, GunData::kGunFields);
            const QString name = g.at(0).toString();
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(QString::number(i)));
            QVERIFY2(!names.contains(name), qPrintable(name));
            names.insert(name);
            QCOMPARE(g.at(1).toString(), QString::number(i));
            for (int field = 2; field <= 4; ++field) {
                bool ok = false;
                const int v = g.at(field).toString().toInt(&ok);
                QVERIFY2(ok && v >= 0 && v <= 127, qPrintable(name));
            }
            for (int field = 5; field <= 6; ++field) {
                const QString flag = g.at(field).toString();
                QVERIFY2(flag == QLatin1String("0") || flag == QLatin1String("1"),
                         qPrintable(name));
            }
        }
    }

    void slotRecords_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("source") << qEnvironmentVariable("Z4_SOURCE_DIR") +
                                       QStringLiteral("/modules/gun");
        QTest::newRow("bin") << qEnvironmentVariable("Z4_BIN_DIR") + QStringLiteral("/modules/gun");
    }
    void slotRecords()
    {
        QFETCH(QString, folder);
        const GunData gun(folder);
        for (int slot = 0; slot < GunData::kSlots; ++slot) {
            const QVariantList raw = gun.getSelGundata(slot);
            QCOMPARE(raw.size(), GunData::kSlotFields);
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
