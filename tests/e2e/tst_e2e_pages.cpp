// The key, lighting and macro pages of one window on a virtual mouse: a key
// function changes one 12H entry; effect levels and the bottom bar's apply; a
// macro recorded, bound to a button (13H, then 12H) and re-sent when edited.
#include "e2e_rig.h"

#include <QAbstractItemModel>

namespace {
const QString kMacro = QStringLiteral("Macro. 001");
const QString kDown = QStringLiteral("    [Down]");
const QString kUp = QStringLiteral("      [Up]");
const QString kDelay = QStringLiteral("   [Delay]");
} // namespace

class TestE2ePages : public QObject
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
    // A 128-byte macro block in hex, zeros after `stream`.
    static QByteArray block(std::initializer_list<int> stream)
    {
        QByteArray bytes = bytesOf(stream);
        return (bytes + QByteArray(128 - bytes.size(), '\0')).toHex(' ');
    }
    // The one 13H upload since `mark` (macro id 1, 128 bytes), in hex.
    QByteArray uploadedBlock(qsizetype mark)
    {
        if (!rig->waitForSets(mark, 1))
            return "no upload";
        const QList<SentCommand> sets = rig->setsSince(mark);
        if (sets.size() != 1 || sets[0].frame != frameBytes(0x13, {1, 0x80}))
            return "unexpected commands: " + QByteArray::number(sets.size());
        return sets[0].data.toHex(' ');
    }

private slots:
    void initTestCase()
    {
        rig = std::make_unique<E2eRig>();
        QVERIFY(rig->start());
        QVERIFY(rig->openPage(0));
        QCOMPARE(rig->keyAt(5), 5);
        QCOMPARE(rig->keyAt(6), 6);
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
        QCOMPARE(rig->index("funcList", "curIndex"), function);
        QCOMPARE(rig->index(list, "curIndex"), choice);
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
        QCOMPARE(rig->index("funcList", "curIndex"), 1);
        QCOMPARE(rig->index("mouseList", "curIndex"), 0);

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

    void pageShowsTheStoredEffect()
    {
        QVERIFY(rig->openPage(2));
        // The shipped profile holds STATIC at brightness 7, speed 4.
        QCOMPARE(rig->index("ledEffectList", "curIndex"), 1);
        QCOMPARE(rig->index("ledBrightnessSlider"), 7);
        QCOMPARE(rig->index("ledSpeedSlider"), 4);
        QVERIFY(rig->item(QStringLiteral("ledBrightnessSlider"))->isEnabled());
        QVERIFY(!rig->item(QStringLiteral("ledSpeedSlider"))->isEnabled());
    }

    void applySendsTheEffectLevel_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("option1");

        QTest::newRow("NEON at speed 7") << 3 << "ledSpeedSlider" << 7 << 30;
        QTest::newRow("BREATHING at speed 0") << 2 << "ledSpeedSlider" << 0 << 5;
        QTest::newRow("STATIC at brightness 3") << 1 << "ledBrightnessSlider" << 3 << 5;
        QTest::newRow("OFF") << 0 << QString() << 0 << -1;
    }
    void applySendsTheEffectLevel()
    {
        QFETCH(int, effect);
        QFETCH(QString, slider);
        QFETCH(int, position);
        QFETCH(int, option1);

        QVERIFY(rig->waitUnlocked());
        QVERIFY(rig->choose(QStringLiteral("ledEffectList"), effect));
        if (!slider.isEmpty())
            QVERIFY(rig->setSlider(slider, position));
        const int brightness = rig->index("ledBrightnessSlider");
        const int speed = rig->index("ledSpeedSlider");
        // With the effect off the level is the brightness position as it is.
        if (option1 < 0)
            option1 = brightness;

        const qsizetype mark = rig->mark();
        rig->click(rig->item(QStringLiteral("btnColorApply")));
        QVERIFY(rig->waitForSets(mark, 1));
        const QList<SentCommand> sets = rig->setsSince(mark);
        QCOMPARE(sets.size(), 1);
        QCOMPARE(sets[0].frame.toHex(' '), frameBytes(0x0D, {effect, option1, 2}).toHex(' '));
        QCOMPARE(intsOf(rig->liveProfile().value(QStringLiteral("color_Z4/ledEffect"))),
                 QList<int>({effect, brightness, speed}));
    }

    // Reset only sets the controls; the bottom bar's apply sends every page.
    void resetThenBottomBarApply()
    {
        QVERIFY(rig->waitUnlocked());
        qsizetype mark = rig->mark();
        rig->click(rig->item(QStringLiteral("btnColorReset")));
        QCOMPARE(rig->index("ledEffectList", "curIndex"), 2);
        QCOMPARE(rig->index("ledBrightnessSlider"), 7);
        QCOMPARE(rig->index("ledSpeedSlider"), 7);
        QVERIFY(rig->settled());
        QCOMPARE(rig->setsSince(mark).size(), 0);
        QVERIFY(rig->waitUnlocked());

        mark = rig->mark();
        rig->click(rig->item(QStringLiteral("btnTotalApply")));
        QVERIFY(rig->waitForSets(mark, 4));
        const QList<SentCommand> sets = rig->setsSince(mark);
        QList<int> codes = E2eRig::codes(sets);
        std::sort(codes.begin(), codes.end());
        QCOMPARE(codes, QList<int>({0x01, 0x0B, 0x0D, 0x12}));
        for (const SentCommand &set : sets) {
            if (set.code() == 0x0D)
                QCOMPARE(set.frame.toHex(' '), frameBytes(0x0D, {2, 1, 2}).toHex(' '));
        }
        QCOMPARE(intsOf(rig->liveProfile().value(QStringLiteral("color_Z4/ledEffect"))),
                 QList<int>({2, 7, 7}));
    }

    void recordCapturedKeysIntoANewMacro()
    {
        QVERIFY(rig->openPage(1));
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
        QCOMPARE(uploadedBlock(mark), block({0x00, 0x01, 0x0A, 0xE0, 0x01, 0x04, 0x81, 0x04, 0x64,
                                             0x01, 0x81, 0xE0, 0x00, 0x00}));
        QCOMPARE(intsOf(rig->view()->loadMacroIniConfig(kMacro)), QList<int>({0, 1}));

        // A play count committed with Enter binds again and re-uploads.
        mark = rig->mark();
        typeInto(rig->item(QStringLiteral("playCount"))->property("input").value<QQuickItem *>(),
                 QStringLiteral("3"));
        QTest::keyClick(rig->view(), Qt::Key_Return);
        QCOMPARE(uploadedBlock(mark), block({0x00, 0x03, 0x0A, 0xE0, 0x01, 0x04, 0x81, 0x04, 0x64,
                                             0x01, 0x81, 0xE0, 0x00, 0x00}));
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
        QCOMPARE(uploadedBlock(mark),
                 block({0x00, 0x03, 0x0A, 0xE0, 0x01, 0x04, 0x81, 0x04, 0x81, 0xE0, 0x00, 0x00}));
    }
};

QTEST_MAIN(TestE2ePages)
#include "tst_e2e_pages.moc"
