// A macro recorded, bound to a button (13H, then 12H) and re-sent when edited.
#include "e2e_rig.h"

#include <QAbstractItemModel>

namespace {
const QString kMacro = QStringLiteral("Macro. 001");
const QString kDown = QStringLiteral("    [Down]");
const QString kUp = QStringLiteral("      [Up]");
const QString kDelay = QStringLiteral("   [Delay]");
} // namespace

class TestE2eMacro : public QObject
{
    Q_OBJECT

    std::unique_ptr<E2eRig> rig;

    QQuickItem *macroPage() const { return rig->item(QStringLiteral("page_Macro")); }
    int actionCount() const
    {
        auto *model = qobject_cast<QAbstractItemModel *>(
            macroPage()->property("md_MacroActions").value<QObject *>());
        return model ? model->rowCount() : -1;
    }
    void clickActionRow(int row)
    {
        QQuickItem *list = rig->item(QStringLiteral("actionList"));
        const qreal height = list->property("rowHeight").toReal();
        rig->click(list, QPointF(list->width() / 2, (row + 0.5) * height));
    }
    // Click into a field, select all, type.
    void typeInto(QQuickItem *input, const QString &text)
    {
        rig->click(input);
        QTRY_VERIFY(input->hasActiveFocus());
        QTest::keyClick(rig->view(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(rig->view(), text);
    }
    static QByteArray block(std::initializer_list<int> stream)
    {
        QByteArray bytes = bytesOf(stream);
        bytes.append(QByteArray(128 - bytes.size(), '\0'));
        return bytes;
    }
    // The one 13H upload since `mark`: macro id 1, 128 bytes.
    QByteArray uploadedBlock(qsizetype mark)
    {
        if (!rig->waitForSets(mark, 1))
            return "no upload";
        const QList<SentCommand> sets = rig->setsSince(mark);
        if (sets.size() != 1 || sets[0].frame != frameBytes(0x13, {1, 0x80}))
            return "unexpected commands: " + QByteArray::number(sets.size());
        return sets[0].data;
    }

private slots:
    void initTestCase()
    {
        rig = std::make_unique<E2eRig>();
        QString why;
        QVERIFY2(rig->start(&why), qPrintable(why));
        QVERIFY(rig->openPage(1));
        QCOMPARE(rig->keyAt(6), 6);
    }
    void cleanupTestCase() { rig.reset(); }

    void recordCapturedKeysIntoANewMacro()
    {
        rig->click(rig->item(QStringLiteral("btnAddMacro")));
        QCOMPARE(rig->view()->getMacroIniNames(), QStringList{kMacro + QStringLiteral(".bin")});
        QCOMPARE(macroPage()->property("selectedFile").toInt(), 0);

        const qsizetype mark = rig->mark();
        rig->click(rig->item(QStringLiteral("btnRecord")));
        QVERIFY(macroPage()->property("isRecordStart").toBool());
        rig->view()->detectKeyboard(true, 0xE0); // L Ctrl
        rig->view()->detectKeyboard(true, 0x04); // A
        rig->view()->detectKeyboard(false, 0x04);
        rig->view()->detectKeyboard(true, 0xA5); // no name: not recorded
        rig->view()->detectKeyboard(false, 0xA5);
        rig->view()->detectKeyboard(false, 0xE0);
        QTRY_COMPARE(actionCount(), 4);
        rig->click(rig->item(QStringLiteral("btnStop")));
        QVERIFY(!macroPage()->property("isRecordStart").toBool());

        const QStringList lines{QStringLiteral("L Ctrl") + kDown, QStringLiteral("A") + kDown,
                                QStringLiteral("A") + kUp, QStringLiteral("L Ctrl") + kUp};
        QCOMPARE(rig->view()->loadMacroIni(kMacro), lines);
        // Not bound to a button: nothing goes to the mouse.
        QVERIFY(rig->settled());
        QCOMPARE(rig->setsSince(mark).size(), 0);
    }

    void insertTypedDelaysBeforeTheSelectedRows()
    {
        QQuickItem *delay =
            rig->item(QStringLiteral("delayField"))->property("input").value<QQuickItem *>();
        clickActionRow(1);
        QCOMPARE(macroPage()->property("selectedAction").toInt(), 1);
        typeInto(delay, QStringLiteral("100"));
        rig->click(rig->item(QStringLiteral("btnInsertDelay")));
        QCOMPARE(actionCount(), 5);

        clickActionRow(4);
        QCOMPARE(macroPage()->property("selectedAction").toInt(), 4);
        typeInto(delay, QStringLiteral("2000"));
        rig->click(rig->item(QStringLiteral("btnInsertDelay")));

        const QStringList lines{QStringLiteral("L Ctrl") + kDown, QStringLiteral("100") + kDelay,
                                QStringLiteral("A") + kDown,      QStringLiteral("A") + kUp,
                                QStringLiteral("2000") + kDelay,  QStringLiteral("L Ctrl") + kUp};
        QCOMPARE(rig->view()->loadMacroIni(kMacro), lines);
    }

    void bindingOnTheKeyPageUploadsTheEncodedBlock()
    {
        QVERIFY(rig->openPage(0));
        rig->click(rig->item(QStringLiteral("keyRow6")));
        QVERIFY(rig->choose(QStringLiteral("funcList"), 4)); // MACRO

        qsizetype mark = rig->mark();
        QVERIFY(rig->chooseFile(QStringLiteral("macroList"), kMacro));
        // 100 ms folds into the first press; 2000 ms is a delay of 20 ms units.
        QCOMPARE(uploadedBlock(mark).toHex(' '), block({0x00, 0x01, 0x0A, 0xE0, 0x01, 0x04, 0x81,
                                                        0x04, 0x64, 0x01, 0x81, 0xE0, 0x00, 0x00})
                                                     .toHex(' '));
        QCOMPARE(intsOf(rig->view()->loadMacroIniConfig(kMacro)), QList<int>({0, 1}));

        // A play count committed with Enter binds again and re-uploads.
        mark = rig->mark();
        typeInto(rig->item(QStringLiteral("playCount"))->property("input").value<QQuickItem *>(),
                 QStringLiteral("3"));
        QTest::keyClick(rig->view(), Qt::Key_Return);
        QCOMPARE(uploadedBlock(mark).toHex(' '), block({0x00, 0x03, 0x0A, 0xE0, 0x01, 0x04, 0x81,
                                                        0x04, 0x64, 0x01, 0x81, 0xE0, 0x00, 0x00})
                                                     .toHex(' '));
        QCOMPARE(intsOf(rig->view()->loadMacroIniConfig(kMacro)), QList<int>({0, 3}));

        const QByteArray uploaded = rig->setsSince(mark).constLast().data;
        mark = rig->mark();
        rig->click(rig->item(QStringLiteral("btnKeyApply")));
        QVERIFY(rig->waitForSets(mark, 1));
        QTRY_VERIFY(rig->setsSince(mark).constLast().code() == 0x12);
        QList<SentCommand> sets = rig->setsSince(mark);
        // The apply's lock may commit the play count once more first.
        while (sets.size() > 1 && sets.first().code() == 0x13 && sets.first().data == uploaded)
            sets.removeFirst();
        QCOMPARE(E2eRig::codes(sets), QList<int>({0x12}));
        QCOMPARE(sets[0].data.mid(24, 4).toHex(' '), // key 6
                 bytesOf({0x09, 0x00, 0x01, 0x00}).toHex(' '));
        QCOMPARE(intsOf(rig->liveProfile().value(QStringLiteral("keydefine_Z4/6"))),
                 QList<int>({9, 0, 1, 0}));
    }

    // A bound macro never plays an old version: every edit goes out at once.
    void editingTheBoundMacroSendsItAgain()
    {
        QVERIFY(rig->openPage(1));
        QCOMPARE(macroPage()->property("selectedFile").toInt(), 0);
        clickActionRow(4); // 2000 ms
        const qsizetype mark = rig->mark();
        rig->click(rig->item(QStringLiteral("btnDeleteRow")));
        QCOMPARE(uploadedBlock(mark).toHex(' '),
                 block({0x00, 0x03, 0x0A, 0xE0, 0x01, 0x04, 0x81, 0x04, 0x81, 0xE0, 0x00, 0x00})
                     .toHex(' '));
    }
};

QTEST_MAIN(TestE2eMacro)
#include "tst_e2e_macro.moc"
