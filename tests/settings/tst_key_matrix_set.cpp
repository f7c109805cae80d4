#include "backend/settings/key_matrix_set.h"
#include "page_lists.h"

#include <QTest>

using keymatrix::Matrix;
using keymatrix::SlotRecord;

Q_DECLARE_METATYPE(Matrix)

namespace {

const std::array<SlotRecord, 3> kSlots{{{30, 40}, {31, 41}, {32, 42}}};

} // namespace

class TestKeyMatrixSet : public QObject
{
    Q_OBJECT

private slots:
    void pressGunModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<int>>("perMatrix");
        QTest::newRow("4 loop switch") << 4 << QList<int>{1, 0, 0, 0};
        QTest::newRow("5 two-gun loop") << 5 << QList<int>{0, 2, 1, 0};
        QTest::newRow("6 three-gun loop") << 6 << QList<int>{0, 2, 3, 1};
        QTest::newRow("other mode kept") << 7 << QList<int>{7, 7, 7, 7};
        QTest::newRow("mode 0 kept") << 0 << QList<int>{0, 0, 0, 0};
    }

    void pressGunModes()
    {
        QFETCH(int, mode);
        QFETCH(QList<int>, perMatrix);
        // The switch on key 3, an ordinary button on key 0 and key 5.
        const QVariantList page = keyPage({{1, 0, 0xF0, 0},
                                           {0, 0, 4, 0},
                                           {0, 0, 5, 0},
                                           {8, 0, 1, mode},
                                           {0, 0, 6, 0},
                                           {1, 0, 0xF2, 0}});
        const QList<Matrix> out = keymatrix::buildMatrices(keymatrix::fromPage(page), kSlots);
        QCOMPARE(out.size(), 4);
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(int(out[k][12]), 8);
            QCOMPARE(int(out[k][13]), 0);
            QCOMPARE(int(out[k][14]), 1);
            QCOMPARE(int(out[k][15]), perMatrix[k]);
            // Every other key is the page's in every matrix.
            QCOMPARE(int(out[k][22]), 0xF2);
        }
        // Matrices 2..4 carry the slot header [0BH, slot, fire period, fire time].
        QCOMPARE(int(out[0][0]), 1);
        QCOMPARE(int(out[0][2]), 0xF0);
        for (int slot = 0; slot < 3; ++slot) {
            const Matrix &m = out[slot + 1];
            QCOMPARE(int(m[0]), 0x0B);
            QCOMPARE(int(m[1]), slot);
            QCOMPARE(int(m[2]), 40 + slot);
            QCOMPARE(int(m[3]), 30 + slot);
        }
    }

    void everyPressGunKeyIsRewritten()
    {
        const QVariantList page = keyPage({{0, 0, 4, 0}, {8, 0, 1, 5}, {8, 0, 1, 6}});
        const QList<Matrix> out = keymatrix::buildMatrices(keymatrix::fromPage(page), kSlots);
        QCOMPARE(out.size(), 4);
        const std::array<int, 4> five{0, 2, 1, 0};
        const std::array<int, 4> six{0, 2, 3, 1};
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(int(out[k][7]), five[size_t(k)]);
            QCOMPARE(int(out[k][11]), six[size_t(k)]);
        }
    }

    void pressGunKeyOnEntryZeroGivesWayToHeader()
    {
        const QVariantList page = keyPage({{8, 0, 1, 6}});
        const QList<Matrix> out = keymatrix::buildMatrices(keymatrix::fromPage(page), kSlots);
        QCOMPARE(out.size(), 4);
        QCOMPARE(int(out[0][3]), 0);
        QCOMPARE(int(out[2][0]), 0x0B);
        QCOMPARE(int(out[2][3]), 31);
    }

    void shortPageListReadsAsZeros()
    {
        // Nine values: key 0 whole, key 1 cut after its kind byte.
        const QVariantList page{8, 0, 1, 6, 9, QStringLiteral("x"), 3.0, QStringLiteral("7"), 1};
        const Matrix m = keymatrix::fromPage(page);
        QCOMPARE(int(m[0]), 8);
        QCOMPARE(int(m[5]), 0); // not a number
        QCOMPARE(int(m[6]), 3);
        QCOMPARE(int(m[7]), 7);
        QCOMPARE(int(m[8]), 1);
        for (size_t i = 9; i < m.size(); ++i)
            QCOMPARE(int(m[i]), 0);
        QVERIFY(keymatrix::hasPressGunKey(m));
    }

    void valuesKeepTheirLowByte()
    {
        const Matrix m = keymatrix::fromPage({0x1F0, -1, 256});
        QCOMPARE(int(m[0]), 0xF0);
        QCOMPARE(int(m[1]), 0xFF);
        QCOMPARE(int(m[2]), 0);
    }

    void slotRecords_data()
    {
        QTest::addColumn<QVariantList>("record");
        QTest::addColumn<int>("fireTime");
        QTest::addColumn<int>("firePeriod");
        QTest::newRow("as the file gives it")
            << QVariantList{QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("20"),
                            QStringLiteral("50")}
            << 20 << 50;
        QTest::newRow("numbers") << QVariantList{0, 0, 255, 10} << 255 << 10;
        QTest::newRow("missing") << QVariantList{} << 0 << 0;
        QTest::newRow("no period") << QVariantList{0, 1, 9} << 9 << 0;
    }

    void slotRecords()
    {
        QFETCH(QVariantList, record);
        QFETCH(int, fireTime);
        QFETCH(int, firePeriod);
        const SlotRecord r = keymatrix::slotRecordFrom(record);
        QCOMPARE(int(r.fireTime), fireTime);
        QCOMPARE(int(r.firePeriod), firePeriod);
    }
};

QTEST_GUILESS_MAIN(TestKeyMatrixSet)
#include "tst_key_matrix_set.moc"
