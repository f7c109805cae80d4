// The key page on a virtual mouse: a function choice changes one 12H entry.
#include "e2e_rig.h"

class TestE2eKeydefine : public QObject
{
    Q_OBJECT

    std::unique_ptr<E2eRig> rig;

    // The sixteen entries of the live profile, as the device gets them.
    QByteArray recordedMatrix() const
    {
        QByteArray matrix;
        for (int key = 0; key < 16; ++key) {
            const QList<int> entry =
                intsOf(rig->liveProfile().value(QStringLiteral("keydefine_Z4/%1").arg(key)));
            for (int k = 0; k < 4; ++k)
                matrix.append(char(entry.value(k)));
        }
        return matrix;
    }

    // Applies the page: one 12H with `expected`, also recorded in the profile.
    void applyAndExpect(const QByteArray &expected)
    {
        const qsizetype mark = rig->mark();
        rig->click(rig->item(QStringLiteral("btnKeyApply")));
        QVERIFY(!rig->view()->isEnabled());
        QVERIFY(rig->waitForSets(mark, 1));
        const QList<SentCommand> sets = rig->setsSince(mark);
        QCOMPARE(sets.size(), 1);
        QCOMPARE(sets[0].frame.toHex(' '), frameBytes(0x12, {1, 0x40, 8}).toHex(' '));
        QCOMPARE(sets[0].data.toHex(' '), expected.toHex(' '));
        QCOMPARE(recordedMatrix().toHex(' '), expected.toHex(' '));
        QVERIFY(rig->waitUnlocked());
    }

    int shown(const QString &list) const { return rig->item(list)->property("curIndex").toInt(); }

private slots:
    void initTestCase()
    {
        rig = std::make_unique<E2eRig>();
        QString why;
        QVERIFY2(rig->start(&why), qPrintable(why));
        QVERIFY(rig->openPage(0));
        QCOMPARE(rig->keyAt(5), 5);
    }
    void cleanupTestCase() { rig.reset(); }

    void functionReachesTheDevice_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("function");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QByteArray>("entry");
        QTest::newRow("mouse scroll up") << 4 << 1 << "mouseList" << 9 << bytesOf({4, 0, 1, 0});
        QTest::newRow("media volume up") << 5 << 2 << "mediaList" << 5 << bytesOf({3, 0, 0xE9, 0});
    }
    void functionReachesTheDevice()
    {
        QFETCH(int, row);
        QFETCH(int, function);
        QFETCH(QString, list);
        QFETCH(int, choice);
        QFETCH(QByteArray, entry);
        QByteArray expected = recordedMatrix();
        rig->click(rig->item(QStringLiteral("keyRow%1").arg(row)));
        QVERIFY(rig->choose(QStringLiteral("funcList"), function));
        QVERIFY(rig->choose(list, choice));
        expected.replace(4 * rig->keyAt(row), 4, entry);
        applyAndExpect(expected);

        // Selecting the key again shows what was sent.
        rig->click(rig->item(QStringLiteral("keyRow%1").arg(row == 4 ? 5 : 4)));
        rig->click(rig->item(QStringLiteral("keyRow%1").arg(row)));
        QCOMPARE(shown(QStringLiteral("funcList")), function);
        QCOMPARE(shown(list), choice);
    }

    // The only left button changes only after the user agrees; then a
    // captured key press fills the key field.
    void lastLeftButtonAsksThenTakesACapturedKey()
    {
        QByteArray expected = recordedMatrix();
        rig->click(rig->item(QStringLiteral("keyRow0")));
        rig->prompts->answer = false;
        QVERIFY(!rig->choose(QStringLiteral("funcList"), 0)); // KEYBOARD, refused
        QCOMPARE(rig->prompts->asked.size(), 1);
        QCOMPARE(shown(QStringLiteral("funcList")), 1);
        QCOMPARE(shown(QStringLiteral("mouseList")), 0);

        rig->prompts->answer = true;
        QVERIFY(rig->choose(QStringLiteral("funcList"), 0));
        QCOMPARE(rig->prompts->asked.size(), 2);
        QQuickItem *field = rig->item(QStringLiteral("keyField"));
        QVERIFY(field->isVisible());
        rig->click(field);
        QVERIFY(field->property("isSelect").toBool());
        rig->view()->detectKeyboard(true, 0x04); // A
        rig->view()->detectKeyboard(false, 0x04);
        QTRY_COMPARE(field->property("tmpKeycodeUSB").toInt(), 0x04);
        QVERIFY(!field->property("isSelect").toBool());

        expected.replace(4 * rig->keyAt(0), 4, bytesOf({0x00, 0x00, 0x04, 0x00}));
        applyAndExpect(expected);
    }
};

QTEST_MAIN(TestE2eKeydefine)
#include "tst_e2e_keydefine.moc"
