#include "backend/settings/key_matrix_set.h"
#include "settings_rig.h"

#include <QTest>

using keymatrix::Matrix;

// Fire time and period of the three press-gun slots.
static const std::array<keymatrix::SlotRecord, 3> kSlots{{{30, 40}, {31, 41}, {32, 42}}};

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
        // The switch on key 3, a three-gun loop on key 5, ordinary buttons
        // on keys 0 and 4.
        const QVariantList page = keyPage({{1, 0, 0xF0, 0},
                                           {0, 0, 4, 0},
                                           {0, 0, 5, 0},
                                           {8, 0, 1, mode},
                                           {0, 0, 6, 0},
                                           {8, 0, 1, 6}});
        const QList<Matrix> out = keymatrix::buildMatrices(keymatrix::fromPage(page), kSlots);
        QCOMPARE(out.size(), 4);
        const std::array<int, 4> six{0, 2, 3, 1};
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(int(out[k][12]), 8);
            QCOMPARE(int(out[k][13]), 0);
            QCOMPARE(int(out[k][14]), 1);
            QCOMPARE(int(out[k][15]), perMatrix[k]);
            QCOMPARE(int(out[k][23]), six[size_t(k)]);
            // Every other key is the page's in every matrix.
            QCOMPARE(int(out[k][18]), 6);
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

    void pressGunKeyOnEntryZeroGivesWayToHeader()
    {
        const QVariantList page = keyPage({{8, 0, 1, 6}});
        const QList<Matrix> out = keymatrix::buildMatrices(keymatrix::fromPage(page), kSlots);
        QCOMPARE(out.size(), 4);
        QCOMPARE(int(out[0][3]), 0);
        QCOMPARE(int(out[2][0]), 0x0B);
        QCOMPARE(int(out[2][3]), 31);
    }

    // Missing values and text that is not a number read as 0; a value keeps
    // its low byte.
    void pageValuesAsBytes()
    {
        const QVariantList page{8,     0,  1,  6, 9, QStringLiteral("x"), 3.0, QStringLiteral("7"),
                                0x1F0, -1, 256};
        const Matrix m = keymatrix::fromPage(page);
        const QList<int> expected{8, 0, 1, 6, 9, 0, 3, 7, 0xF0, 0xFF, 0};
        for (size_t i = 0; i < m.size(); ++i)
            QCOMPARE(int(m[i]), expected.value(qsizetype(i)));
        QVERIFY(keymatrix::hasPressGunKey(m));
    }
};

QTEST_GUILESS_MAIN(TestKeyMatrixSet)
#include "tst_key_matrix_set.moc"
