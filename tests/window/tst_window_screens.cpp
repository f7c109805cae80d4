// Every page, open list and menu of the real window, in the three shipped
// languages and both text sizes, grabbed into <build>/artifacts/screens/ and
// checked as a user would look at them:
// - an open list or menu hides what lies beneath: the pixels of its
//   background are the skin's popup colour, also where a label lies under it;
// - an open list stays inside the window and the area that clips it, and a
//   long list scrolls to its last entry;
// - no label is wider than its box, cut off or clipped by the page;
// - in the Chinese pages no text holds a word of the English string table;
// - every control the keyboard reaches has a name for screen readers.
#include "backend/i18n/language_catalog.h"
#include "e2e/e2e_rig.h"

#include <QImage>
#include <QQmlContext>
#include <QQmlProperty>
#include <QQuickWindow>
#include <QRegularExpression>
#include <set>

namespace {

qreal effectiveOpacity(const QQuickItem *item)
{
    qreal opacity = 1;
    for (; item; item = item->parentItem())
        opacity *= item->opacity();
    return opacity;
}

bool isText(const QQuickItem *item)
{
    return item->inherits("QQuickText");
}

// A list of names the user gave (macro files, macro lines): not labels.
bool isDataList(const QQuickItem *item)
{
    return item->property("lvItems").isValid() || item->objectName() == QLatin1String("macroList");
}

bool isScrolling(const QQuickItem *item)
{
    return item->inherits("QQuickFlickable") || item->objectName() == QLatin1String("listBox");
}

bool isDescendant(const QQuickItem *item, const QQuickItem *of)
{
    for (; item; item = item->parentItem()) {
        if (item == of)
            return true;
    }
    return false;
}

// Where a Text draws its glyphs, in scene coordinates.
QRectF paintedRect(const QQuickItem *text)
{
    const qreal cw = text->property("contentWidth").toReal();
    const qreal ch = text->property("contentHeight").toReal();
    const int h = text->property("horizontalAlignment").toInt();
    const int v = text->property("verticalAlignment").toInt();
    qreal x = 0;
    qreal y = 0;
    if (h & Qt::AlignRight)
        x = text->width() - cw;
    else if (h & Qt::AlignHCenter)
        x = (text->width() - cw) / 2;
    if (v & Qt::AlignBottom)
        y = text->height() - ch;
    else if (v & Qt::AlignVCenter)
        y = (text->height() - ch) / 2;
    return text->mapRectToScene(QRectF(x, y, cw, ch));
}

QRectF sceneRect(const QQuickItem *item)
{
    return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
}

bool inside(const QRectF &inner, const QRectF &outer, qreal slack = 1.0)
{
    return inner.left() >= outer.left() - slack && inner.top() >= outer.top() - slack &&
           inner.right() <= outer.right() + slack && inner.bottom() <= outer.bottom() + slack;
}

struct ShownText
{
    QQuickItem *item;
    bool data;      // inside a list of the user's names
    bool scrolling; // inside a list that scrolls: may be cut at its edges
};

void collectTexts(QQuickItem *from, bool data, bool scrolling, QList<ShownText> &out)
{
    for (QQuickItem *child : from->childItems()) {
        if (!child->isVisible() || effectiveOpacity(child) <= 0.01)
            continue;
        const bool childData = data || isDataList(child);
        const bool childScrolling = scrolling || isScrolling(child);
        if (isText(child) && !child->property("text").toString().trimmed().isEmpty())
            out.append({child, childData, childScrolling});
        collectTexts(child, childData, childScrolling, out);
    }
}

// Words of at least two letters, as they stand (the string table is upper
// case; names of the user's macros are not).
QSet<QString> wordsOf(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    QSet<QString> words;
    for (auto it = word.globalMatch(text); it.hasNext();)
        words.insert(it.next().captured());
    return words;
}

bool sameColour(QRgb a, QRgb b, int tolerance = 3)
{
    return qAlpha(a) == 255 && qAbs(qRed(a) - qRed(b)) <= tolerance &&
           qAbs(qGreen(a) - qGreen(b)) <= tolerance && qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

class TestWindowScreens : public QObject
{
    Q_OBJECT

    std::unique_ptr<E2eRig> rig;
    QString outDir;
    QRgb popupColour = 0;
    QStringList failures;
    QString pass; // language and size of the tour under way
    QSet<QString> englishWords;
    QSet<QString> foreignWords; // English words the current language uses itself

    QQuickItem *item(const QString &name) const { return rig->item(name); }
    QQuickItem *globalPage() const { return item(QStringLiteral("page_Globalsetting")); }

    // Moves the pointer as a user's hand would, so that what it leaves
    // drops its hover picture.
    void pointTo(QPoint atView) const
    {
        QWidget *window = rig->view()->window();
        QTest::mouseMove(window->windowHandle(), rig->view()->mapTo(window, atView));
    }
    void click(QQuickItem *target, QPointF local, Qt::MouseButton button = Qt::LeftButton) const
    {
        QVERIFY2(target, "nothing to click");
        pointTo(target->mapToScene(local).toPoint());
        rig->click(target, local, button);
    }
    void click(QQuickItem *target) const
    {
        QVERIFY2(target, "nothing to click");
        click(target, QPointF(target->width() / 2, target->height() / 2));
    }

    void settle() const
    {
        QTest::qWait(40);
        QQuickTest::qWaitForPolish(rig->root()->window());
        QTest::qWait(20);
    }
    void key(Qt::Key k) const
    {
        QTest::keyClick(rig->view(), k);
        settle();
    }

    void fail(const QString &state, const QString &what)
    {
        failures.append(pass + QLatin1Char('/') + state + QStringLiteral(": ") + what);
    }

    // Grabs the window as it is now, keeps the picture and checks it.
    void shoot(const QString &state, QQuickItem *popup = nullptr)
    {
        // The pointer rests on an empty part of the header, as a user's
        // would while looking: nothing shows its hover picture.
        pointTo(QPoint(700, 40));
        settle();
        const QImage shot = rig->view()->grabFramebuffer();
        if (shot.isNull()) {
            fail(state, QStringLiteral("no picture"));
            return;
        }
        shot.save(outDir + QLatin1Char('/') + pass + QLatin1Char('-') + state +
                  QStringLiteral(".png"));
        checkLabels(state);
        if (popup)
            checkPopup(state, popup, shot.convertToFormat(QImage::Format_ARGB32));
    }

    // Every control the keyboard can reach has a name for screen readers.
    void checkAccessibleNames(const QString &state, QQuickItem *from)
    {
        for (QQuickItem *child : from->childItems()) {
            if (!child->isVisible() || !child->isEnabled())
                continue;
            if (child->activeFocusOnTab()) {
                const QQmlProperty name(child, QStringLiteral("Accessible.name"),
                                        qmlContext(child));
                if (name.read().toString().trimmed().isEmpty())
                    fail(state, QStringLiteral("%1 (%2) has no accessible name")
                                    .arg(child->objectName(),
                                         QString::fromLatin1(child->metaObject()->className())));
            }
            checkAccessibleNames(state, child);
        }
    }

    void checkLabels(const QString &state)
    {
        checkAccessibleNames(state, rig->root());
        QList<ShownText> texts;
        collectTexts(rig->root(), false, false, texts);
        const QRectF window(0, 0, rig->root()->width(), rig->root()->height());
        for (const ShownText &t : texts) {
            const QString text = t.item->property("text").toString();
            const QRectF painted = paintedRect(t.item);
            if (!t.data && t.item->property("truncated").toBool())
                fail(state, QStringLiteral("\"%1\" is cut off").arg(text));
            if (t.item->property("contentWidth").toReal() > t.item->width() + 1)
                fail(state, QStringLiteral("\"%1\" is wider than its box").arg(text));
            QQuickItem *parent = t.item->parentItem();
            if (parent && parent->width() > 0 && parent->height() > 0 &&
                !parent->inherits("QQuickRow") && !parent->inherits("QQuickColumn") &&
                !inside(painted, sceneRect(parent)))
                fail(state, QStringLiteral("\"%1\" leaves its box").arg(text));
            if (!t.scrolling) {
                for (QQuickItem *p = parent; p; p = p->parentItem()) {
                    if ((p->clip() || p == rig->root()) &&
                        !inside(painted, p == rig->root() ? window : sceneRect(p)))
                        fail(state, QStringLiteral("\"%1\" is clipped").arg(text));
                }
            }
            if (!t.data) {
                const QSet<QString> english = wordsOf(text).intersect(englishWords);
                for (const QString &word : english) {
                    if (!foreignWords.contains(word))
                        fail(state, QStringLiteral("English \"%1\" in \"%2\"").arg(word, text));
                }
            }
        }
    }

    // The popup's background must be the skin's popup colour wherever none
    // of its own rows, marks or texts draws, and it must stay in the window
    // and in every area that clips it.
    void checkPopup(const QString &state, QQuickItem *popup, const QImage &shot)
    {
        const QRectF box = sceneRect(popup);
        const QRectF window(0, 0, rig->root()->width(), rig->root()->height());
        if (!inside(box, window))
            fail(state, QStringLiteral("the open list leaves the window"));
        for (QQuickItem *p = popup->parentItem(); p; p = p->parentItem()) {
            if (p->clip() && !inside(box, sceneRect(p)))
                fail(state, QStringLiteral("the open list is cut by %1").arg(p->objectName()));
        }

        QList<QRectF> drawn;
        QList<QQuickItem *> stack{popup};
        while (!stack.isEmpty()) {
            QQuickItem *it = stack.takeLast();
            for (QQuickItem *child : it->childItems()) {
                if (!child->isVisible())
                    continue;
                stack.append(child);
                if (isText(child)) {
                    drawn.append(paintedRect(child).adjusted(-2, -2, 2, 2));
                } else if (child->inherits("QQuickRectangle") &&
                           child->property("color").value<QColor>().alpha() > 0) {
                    // A marked or selected row, the scroll bar.
                    drawn.append(sceneRect(child).adjusted(-1, -1, 1, 1));
                }
            }
        }
        // Labels of the window that the open popup covers.
        QList<ShownText> texts;
        collectTexts(rig->root(), false, false, texts);
        int covered = 0;
        for (const ShownText &t : texts) {
            if (!isDescendant(t.item, popup) && paintedRect(t.item).intersects(box))
                ++covered;
        }

        int samples = 0;
        int wrong = 0;
        const QRect inner = box.toAlignedRect().adjusted(3, 3, -3, -3);
        for (int y = inner.top(); y <= inner.bottom(); y += 3) {
            for (int x = inner.left(); x <= inner.right(); x += 3) {
                const QPointF at(x, y);
                if (std::any_of(drawn.begin(), drawn.end(),
                                [&](const QRectF &r) { return r.contains(at); }))
                    continue;
                const QPoint px = at.toPoint();
                if (!shot.rect().contains(px))
                    continue;
                ++samples;
                if (!sameColour(shot.pixel(px), popupColour))
                    ++wrong;
            }
        }
        qInfo("%s/%s: %d of %d samples off the popup colour, %d labels beneath", qPrintable(pass),
              qPrintable(state), wrong, samples, covered);
        if (samples < 20)
            fail(state, QStringLiteral("too little background to sample (%1)").arg(samples));
        if (wrong > 0)
            fail(state, QStringLiteral("%1 of %2 pixels of the open list show what lies beneath")
                            .arg(wrong)
                            .arg(samples));
    }

    void open(const QString &name)
    {
        click(item(name));
        settle();
    }
    QQuickItem *listBoxOf(const QString &name) const
    {
        return E2eRig::findItem(item(name), QStringLiteral("listBox"));
    }
    // Opens a drop-down, grabs it and closes it with Escape.
    void shootList(const QString &state, const QString &name)
    {
        QQuickItem *list = item(name);
        if (!list || !list->isVisible()) {
            fail(state, name + QStringLiteral(" is not shown"));
            return;
        }
        open(name);
        if (!QTest::qWaitFor([&] { return listBoxOf(name)->height() > 0; }, 1000))
            fail(state, QStringLiteral("the list did not open"));
        QTest::qWait(60);
        shoot(state, listBoxOf(name));
        key(Qt::Key_Escape);
        if (!QTest::qWaitFor([&] { return !listBoxOf(name)->isVisible(); }, 1000))
            fail(state, QStringLiteral("Escape left the list open"));
    }

    void choose(const QString &name, int row)
    {
        QQuickItem *list = item(name);
        open(name);
        QQuickItem *box = listBoxOf(name);
        const qreal rowHeight = list->property("itemHeight").toReal();
        if (!QTest::qWaitFor([&] { return box->height() >= (row + 1) * rowHeight; }, 1000))
            fail(name, QStringLiteral("the list did not open"));
        click(box, QPointF(box->width() / 2, (row + 0.5) * rowHeight));
        if (list->property("curIndex").toInt() != row)
            fail(name, QStringLiteral("could not choose row %1").arg(row));
        settle();
    }
    bool openPage(int index)
    {
        QQuickItem *area = item(QStringLiteral("pageArea"));
        if (area->property("curID").toInt() != index)
            click(item(QStringLiteral("funcButton%1").arg(index)));
        return QTest::qWaitFor([&] {
            return area->property("curID").toInt() == index &&
                   qFuzzyIsNull(item(QStringLiteral("pageContent"))->x());
        });
    }

    void tourKeyPage()
    {
        QVERIFY(openPage(0));
        // The fourth key with its factory entry (a mouse button); nothing of
        // what follows is applied.
        click(item(QStringLiteral("keyRow3")));
        click(item(QStringLiteral("btnKeyReset")));
        shoot(QStringLiteral("key"));
        // The function list opens over the mouse-button list's field.
        shootList(QStringLiteral("key-functions"), QStringLiteral("funcList"));
        shootList(QStringLiteral("key-mouse"), QStringLiteral("mouseList"));
        choose(QStringLiteral("funcList"), 2);
        shootList(QStringLiteral("key-media"), QStringLiteral("mediaList"));

        // The media list scrolls to its last entry, inside the window.
        open(QStringLiteral("mediaList"));
        QQuickItem *box = listBoxOf(QStringLiteral("mediaList"));
        if (!QTest::qWaitFor([&] { return box->height() > 0; }, 1000))
            fail(QStringLiteral("key-media-end"), QStringLiteral("the list did not open"));
        key(Qt::Key_End);
        QVariant lastText;
        QMetaObject::invokeMethod(item(QStringLiteral("mediaList")), "itemText",
                                  Q_RETURN_ARG(QVariant, lastText), Q_ARG(QVariant, 17));
        QQuickItem *last = E2eRig::lastItemWithText(box, lastText.toString());
        if (!last || !inside(paintedRect(last), sceneRect(box)))
            fail(QStringLiteral("key-media-end"),
                 QStringLiteral("\"%1\" not in view").arg(lastText.toString()));
        shoot(QStringLiteral("key-media-end"), box);
        key(Qt::Key_Return);
        if (item(QStringLiteral("mediaList"))->property("curIndex").toInt() != 17)
            fail(QStringLiteral("key-media-end"),
                 QStringLiteral("Return did not choose the last entry"));

        choose(QStringLiteral("funcList"), 3);
        shoot(QStringLiteral("key-combo"));
        shootList(QStringLiteral("key-combo-list"), QStringLiteral("comboModifierList"));
        choose(QStringLiteral("funcList"), 4);
        shoot(QStringLiteral("key-macro"));
        shootList(QStringLiteral("key-macro-list"), QStringLiteral("macroList"));
        choose(QStringLiteral("funcList"), 5);
        shoot(QStringLiteral("key-fire"));
        shootList(QStringLiteral("key-fire-list"), QStringLiteral("fireButtonList"));
        choose(QStringLiteral("funcList"), 6);
        shootList(QStringLiteral("key-gun"), QStringLiteral("gunList"));
        choose(QStringLiteral("funcList"), 0);
        shoot(QStringLiteral("key-keyboard"));
        click(item(QStringLiteral("btnKeyReset")));
    }

    void tourMacroPage()
    {
        QVERIFY(openPage(1));
        QQuickItem *files = item(QStringLiteral("macroFiles"));
        if (files->property("lvItems").value<QObject *>()->property("count").toInt() == 0)
            click(item(QStringLiteral("btnAddMacro")));
        settle();
        QQuickItem *lv = qobject_cast<QQuickItem *>(files->property("lvItems").value<QObject *>());
        if (lv->property("currentIndex").toInt() < 0)
            click(files, QPointF(40, 11));
        shoot(QStringLiteral("macro"));
        shootList(QStringLiteral("macro-mouse"), QStringLiteral("mouseButtonList"));
        click(files, QPointF(40, 11), Qt::RightButton);
        settle();
        QQuickItem *menu = item(QStringLiteral("fileMenu"));
        if (!menu->isVisible())
            fail(QStringLiteral("macro-menu"), QStringLiteral("no menu"));
        shoot(QStringLiteral("macro-menu"), menu);
        key(Qt::Key_Escape);
        if (menu->isVisible())
            fail(QStringLiteral("macro-menu"), QStringLiteral("Escape left the menu open"));
    }

    void tourColourAndSensor()
    {
        QVERIFY(openPage(2));
        shoot(QStringLiteral("colour"));
        shootList(QStringLiteral("colour-effects"), QStringLiteral("ledEffectList"));

        QVERIFY(openPage(3));
        shoot(QStringLiteral("sensor"));
        QQuickItem *stages = item(QStringLiteral("dpiStages"));
        // The first stage's "▼".
        QQuickItem *arrow = nullptr;
        for (QQuickItem *stage : stages->childItems().value(0)->childItems()) {
            if ((arrow = E2eRig::lastItemWithText(stage, QStringLiteral("▼"))))
                break;
        }
        click(arrow);
        settle();
        QQuickItem *menu = E2eRig::findItem(stages, QStringLiteral("stageMenu"));
        shoot(QStringLiteral("sensor-dpi-menu"), menu);
        key(Qt::Key_Escape);
        if (menu->isVisible())
            fail(QStringLiteral("sensor-dpi-menu"), QStringLiteral("Escape left the menu open"));
    }

    void tourProfileMenu()
    {
        click(item(QStringLiteral("profileRow2")), QPointF(20, 10), Qt::RightButton);
        QQuickItem *menu = item(QStringLiteral("profileContextMenu"));
        if (!QTest::qWaitFor([&] { return menu->opacity() >= 1; }, 1000))
            fail(QStringLiteral("profile-menu"), QStringLiteral("the menu did not open"));
        shoot(QStringLiteral("profile-menu"), menu);
        const QRectF row = sceneRect(item(QStringLiteral("profileRow2")));
        if (sceneRect(menu).intersects(row))
            fail(QStringLiteral("profile-menu"), QStringLiteral("the menu covers its row"));
        key(Qt::Key_Escape);
        if (!QTest::qWaitFor([&] { return !menu->isVisible(); }, 1000))
            fail(QStringLiteral("profile-menu"), QStringLiteral("Escape left the menu open"));
    }

    void tourSettings()
    {
        click(item(QStringLiteral("btnSettings")));
        QVERIFY(QTest::qWaitFor([&] { return qFuzzyIsNull(globalPage()->x()); }, 2000));
        shoot(QStringLiteral("settings"));
        for (const char *list : {"skinList", "soundList", "animationList", "languageList"})
            shootList(QStringLiteral("settings-") + QLatin1String(list).chopped(4),
                      QLatin1String(list));
        click(item(QStringLiteral("btnSettings")));
        QVERIFY(QTest::qWaitFor([&] { return !item(QStringLiteral("settingsPanel"))->isVisible(); },
                                2000));
    }

    bool selectLanguage(const QString &code)
    {
        const QStringList codes = globalPage()->property("languageCodes").toStringList();
        const int index = codes.indexOf(code);
        if (index < 0)
            return false;
        QMetaObject::invokeMethod(globalPage(), "selectLanguage", Q_ARG(QVariant, index));
        LanguageCatalog catalog(QStringLiteral("modules/i18n"));
        foreignWords.clear();
        for (const QString &text : catalog.getGlobalStrings(code))
            foreignWords += wordsOf(text);
        return true;
    }

private slots:
    void initTestCase()
    {
        outDir = QStringLiteral(Z4_ARTIFACTS_DIR);
        QDir(outDir).removeRecursively();
        QVERIFY(QDir().mkpath(outDir));
        const QImage popup(qEnvironmentVariable("Z4_BIN_DIR") +
                           QStringLiteral("/modules/img/skin1/common/popup.png"));
        QVERIFY(!popup.isNull());
        popupColour = popup.pixel(popup.width() / 2, popup.height() / 2);
        QCOMPARE(qAlpha(popupColour), 255);

        rig = std::make_unique<E2eRig>();
        QString why;
        QVERIFY2(rig->start(&why), qPrintable(why));
        rig->widget->activateWindow();
        rig->view()->setFocus();

        LanguageCatalog catalog(QStringLiteral("modules/i18n"));
        for (const QString &text : catalog.getGlobalStrings(QStringLiteral("031000")).mid(1))
            englishWords += wordsOf(text);
        QVERIFY(englishWords.contains(QStringLiteral("INSERT")));
    }
    void cleanupTestCase() { rig.reset(); }

    void everyScreen_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("size");
        for (const auto &[name, code] :
             {std::pair{"english", "031000"}, std::pair{"chinese-simp", "025044"},
              std::pair{"chinese-trad", "025208"}}) {
            QTest::newRow(qPrintable(QStringLiteral("%1-normal").arg(QLatin1String(name))))
                << QString::fromLatin1(code) << 0;
            QTest::newRow(qPrintable(QStringLiteral("%1-larger").arg(QLatin1String(name))))
                << QString::fromLatin1(code) << 1;
        }
    }
    void everyScreen()
    {
        QFETCH(QString, code);
        QFETCH(int, size);
        pass = QString::fromLatin1(QTest::currentDataTag());
        failures.clear();
        QVERIFY(selectLanguage(code));
        QMetaObject::invokeMethod(globalPage(), "selectSize", Q_ARG(QVariant, size));
        QCOMPARE(rig->root()->property("globalSetting_size").toInt(), size == 0 ? 11 : 14);
        if (code == QLatin1String("031000"))
            foreignWords = englishWords; // every English word belongs here

        // Nothing chosen yet: the opening's empty page area.
        QQuickItem *area = item(QStringLiteral("pageArea"));
        if (area->property("curID").toInt() >= 0)
            click(item(QStringLiteral("funcButton%1").arg(area->property("curID").toInt())));
        QVERIFY(QTest::qWaitFor([&] { return area->property("curID").toInt() < 0; }));
        shoot(QStringLiteral("start"));

        tourKeyPage();
        tourMacroPage();
        tourColourAndSensor();
        tourProfileMenu();
        tourSettings();
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestWindowScreens)
#include "tst_window_screens.moc"
