// The key page on a virtual mouse: a function choice changes one 12H entry.
#include "e2e_rig.h"

class TestE2eKeydefine : public QObject
{
    Q_OBJECT

    std::unique_ptr<E2eRig> rig;

    // The sixteen entries recorded in the live profile, as the device gets
    // them.
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

    // Applies the page and checks the one 12H command against `expected`.
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

    int shown(const char *list) const
    {
        return rig->item(QLatin1String(list))->property("curIndex").toInt();
    }

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

    void mouseFunctionReachesTheDevice()
    {
        const int key = rig->keyAt(4);
        QByteArray expected = recordedMatrix();
        QCOMPARE(expected.mid(4 * key, 4).toHex(' '), bytesOf({0x01, 0x00, 0xF4, 0x00}).toHex(' '));

        rig->click(rig->item(QStringLiteral("keyRow4")));
        QVERIFY(rig->choose(QStringLiteral("funcList"), 1));  // MOUSE
        QVERIFY(rig->choose(QStringLiteral("mouseList"), 9)); // SCROLL UP
        expected.replace(4 * key, 4, bytesOf({0x04, 0x00, 0x01, 0x00}));
        applyAndExpect(expected);
    }

    void mediaKeyReachesTheDevice()
    {
        const int key = rig->keyAt(5);
        QByteArray expected = recordedMatrix();

        rig->click(rig->item(QStringLiteral("keyRow5")));
        QCOMPARE(shown("funcList"), 1); // DPI SWITCH is a mouse function
        QCOMPARE(shown("mouseList"), 8);
        QVERIFY(rig->choose(QStringLiteral("funcList"), 2));  // MEDIA
        QVERIFY(rig->choose(QStringLiteral("mediaList"), 5)); // VOLUME UP, 00E9
        expected.replace(4 * key, 4, bytesOf({0x03, 0x00, 0xE9, 0x00}));
        applyAndExpect(expected);

        // Selecting the key again shows what was sent.
        rig->click(rig->item(QStringLiteral("keyRow4")));
        rig->click(rig->item(QStringLiteral("keyRow5")));
        QCOMPARE(shown("funcList"), 2);
        QCOMPARE(shown("mediaList"), 5);
    }

    // The only left button is changed only after the user agrees; then a
    // captured key press fills the key field.
    void lastLeftButtonAsksThenTakesACapturedKey()
    {
        const int key = rig->keyAt(0);
        QByteArray expected = recordedMatrix();
        QCOMPARE(expected.mid(4 * key, 4).toHex(' '), bytesOf({0x01, 0x00, 0xF0, 0x00}).toHex(' '));
        rig->click(rig->item(QStringLiteral("keyRow0")));

        rig->prompts->answer = false;
        QVERIFY(!rig->choose(QStringLiteral("funcList"), 0)); // KEYBOARD, refused
        QCOMPARE(rig->prompts->asked.size(), 1);
        QCOMPARE(shown("funcList"), 1);
        QCOMPARE(shown("mouseList"), 0);

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

        expected.replace(4 * key, 4, bytesOf({0x00, 0x00, 0x04, 0x00}));
        applyAndExpect(expected);
    }
};

QTEST_MAIN(TestE2eKeydefine)
#include "tst_e2e_keydefine.moc"
