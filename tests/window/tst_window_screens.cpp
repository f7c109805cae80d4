// Every page, list, menu and feedback state of the real window in each
// language and text size, grabbed and checked (see shoot()).
#include "backend/i18n/language_catalog.h"
#include "e2e/e2e_rig.h"

#include <QImage>
#include <QQmlContext>
#include <QQmlProperty>
#include <QQuickWindow>
#include <QRegularExpression>

namespace {

QRectF sceneRect(const QQuickItem *item)
{
    return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
}

// Where a Text draws its glyphs, in scene coordinates.
QRectF paintedRect(const QQuickItem *text)
{
    const QSizeF content(text->property("contentWidth").toReal(),
                         text->property("contentHeight").toReal());
    const int h = text->property("horizontalAlignment").toInt();
    const int v = text->property("verticalAlignment").toInt();
    const qreal x = (h & Qt::AlignRight)     ? text->width() - content.width()
                    : (h & Qt::AlignHCenter) ? (text->width() - content.width()) / 2
                                             : 0;
    const qreal y = (v & Qt::AlignBottom)    ? text->height() - content.height()
                    : (v & Qt::AlignVCenter) ? (text->height() - content.height()) / 2
                                             : 0;
    return text->mapRectToScene(QRectF(QPointF(x, y), content));
}

bool inside(const QRectF &inner, const QRectF &outer)
{
    return outer.adjusted(-1, -1, 1, 1).contains(inner);
}

struct ShownText
{
    QQuickItem *item;
    bool data;      // a name the user gave (macro files and lines), not a label
    bool scrolling; // inside a list that scrolls: may be cut at its edges
};

void collectTexts(QQuickItem *from, bool data, bool scrolling, qreal opacity, QList<ShownText> &out)
{
    for (QQuickItem *child : from->childItems()) {
        const qreal shown = opacity * child->opacity();
        if (!child->isVisible() || shown <= 0.01)
            continue;
        const bool childData = data || child->property("lvItems").isValid() ||
                               child->objectName() == QLatin1String("macroList");
        const bool childScrolling = scrolling || child->inherits("QQuickFlickable") ||
                                    child->objectName() == QLatin1String("listBox");
        if (child->inherits("QQuickText") &&
            !child->property("text").toString().trimmed().isEmpty())
            out.append({child, childData, childScrolling});
        collectTexts(child, childData, childScrolling, shown, out);
    }
}

QSet<QString> wordsOf(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    QSet<QString> words;
    for (auto it = word.globalMatch(text); it.hasNext();)
        words.insert(it.next().captured());
    return words;
}

QSet<QString> wordsOfLanguage(const QString &code)
{
    QSet<QString> words;
    for (const QString &text :
         LanguageCatalog(QStringLiteral("modules/i18n")).getGlobalStrings(code).mid(1))
        words += wordsOf(text);
    return words;
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
    QSet<QString> ownWords; // English words the current language uses itself

    QQuickItem *item(const QString &name) const { return rig->item(name); }

    void pointTo(QPoint at) const
    {
        QWidget *window = rig->view()->window();
        QTest::mouseMove(window->windowHandle(), rig->view()->mapTo(window, at));
    }
    void click(QQuickItem *target, QPointF local = {-1, -1},
               Qt::MouseButton button = Qt::LeftButton) const
    {
        QVERIFY2(target, "nothing to click");
        if (local.x() < 0)
            local = QPointF(target->width() / 2, target->height() / 2);
        pointTo(target->mapToScene(local).toPoint());
        rig->click(target, local, button);
    }
    void settle() const
    {
        QTest::qWait(40);
        QQuickTest::qWaitForPolish(rig->root()->window());
        QTest::qWait(20);
    }
    void escape() const
    {
        QTest::keyClick(rig->view(), Qt::Key_Escape);
        settle();
    }
    void expect(bool ok, const QString &state, const QString &what)
    {
        if (!ok)
            failures.append(pass + QLatin1Char('/') + state + QStringLiteral(": ") + what);
    }

    // Keeps a picture of the window; every control the keyboard reaches has an
    // accessible name, no label is cut off, leaves its box or is English in
    // another language, and an open popup is opaque and inside the window.
    void shoot(const QString &state, QQuickItem *popup = nullptr)
    {
        pointTo(QPoint(700, 40)); // an empty part of the header
        settle();
        const QImage shot = rig->view()->grabFramebuffer().convertToFormat(QImage::Format_ARGB32);
        shot.save(outDir + QLatin1Char('/') + pass + QLatin1Char('-') + state +
                  QStringLiteral(".png"));
        checkNames(state, rig->root());
        checkLabels(state);
        if (popup)
            checkPopup(state, popup, shot);
    }

    void checkNames(const QString &state, QQuickItem *from)
    {
        for (QQuickItem *child : from->childItems()) {
            if (!child->isVisible() || !child->isEnabled())
                continue;
            const QQmlProperty name(child, QStringLiteral("Accessible.name"), qmlContext(child));
            expect(!child->activeFocusOnTab() || !name.read().toString().trimmed().isEmpty(), state,
                   child->objectName() + QStringLiteral(" has no accessible name"));
            checkNames(state, child);
        }
    }

    void checkLabels(const QString &state)
    {
        QList<ShownText> texts;
        collectTexts(rig->root(), false, false, 1, texts);
        for (const ShownText &t : texts) {
            const QString text =
                QLatin1Char('"') + t.item->property("text").toString() + QLatin1Char('"');
            const QRectF painted = paintedRect(t.item);
            expect(t.data || !t.item->property("truncated").toBool(), state,
                   text + QStringLiteral(" is cut off"));
            expect(t.item->property("contentWidth").toReal() <= t.item->width() + 1, state,
                   text + QStringLiteral(" is wider than its box"));
            QQuickItem *parent = t.item->parentItem();
            if (parent->width() > 0 && parent->height() > 0 && !parent->inherits("QQuickRow") &&
                !parent->inherits("QQuickColumn"))
                expect(inside(painted, sceneRect(parent)), state,
                       text + QStringLiteral(" leaves its box"));
            for (QQuickItem *p = parent; p && !t.scrolling; p = p->parentItem()) {
                if (p->clip())
                    expect(inside(painted, sceneRect(p)), state,
                           text + QStringLiteral(" is clipped"));
            }
            const QSet<QString> english = wordsOf(text).intersect(englishWords) - ownWords;
            expect(t.data || english.isEmpty(), state,
                   QStringLiteral("English %1 in %2").arg(english.values().join(u' '), text));
        }
    }

    // Where none of its rows, marks or texts draws, a popup shows the skin's
    // popup colour.
    void checkPopup(const QString &state, QQuickItem *popup, const QImage &shot)
    {
        const QRectF box = sceneRect(popup);
        for (QQuickItem *p = popup->parentItem(); p; p = p->parentItem()) {
            if (p->clip() || p == rig->root())
                expect(inside(box, sceneRect(p)), state,
                       QStringLiteral("the open list leaves ") + p->objectName());
        }
        QList<QRectF> drawn;
        QList<QQuickItem *> stack{popup};
        while (!stack.isEmpty()) {
            for (QQuickItem *child : stack.takeLast()->childItems()) {
                if (!child->isVisible())
                    continue;
                stack.append(child);
                if (child->inherits("QQuickText"))
                    drawn.append(paintedRect(child).adjusted(-2, -2, 2, 2));
                else if (child->inherits("QQuickRectangle") &&
                         child->property("color").value<QColor>().alpha() > 0)
                    drawn.append(sceneRect(child).adjusted(-1, -1, 1, 1)); // marked row, scroll bar
            }
        }
        int samples = 0;
        int wrong = 0;
        const QRect inner = box.toAlignedRect().adjusted(3, 3, -3, -3);
        for (int y = inner.top(); y <= inner.bottom(); y += 3) {
            for (int x = inner.left(); x <= inner.right(); x += 3) {
                if (std::any_of(drawn.begin(), drawn.end(),
                                [&](const QRectF &r) { return r.contains(QPointF(x, y)); }))
                    continue;
                const QRgb px = shot.pixel(x, y);
                ++samples;
                if (qAlpha(px) != 255 || qAbs(qRed(px) - qRed(popupColour)) > 3 ||
                    qAbs(qGreen(px) - qGreen(popupColour)) > 3 ||
                    qAbs(qBlue(px) - qBlue(popupColour)) > 3)
                    ++wrong;
            }
        }
        expect(samples >= 20, state, QStringLiteral("too little background to sample"));
        expect(wrong == 0, state,
               QStringLiteral("%1 of %2 pixels show what lies beneath").arg(wrong).arg(samples));
    }

    QQuickItem *listBoxOf(const QString &name) const
    {
        return E2eRig::findItem(item(name), QStringLiteral("listBox"));
    }
    bool openList(const QString &name)
    {
        QQuickItem *list = item(name);
        if (!list || !list->isVisible())
            return false;
        click(list);
        return QTest::qWaitFor([&] { return listBoxOf(name)->height() > 0; }, 1000);
    }
    void shootList(const QString &state, const QString &name)
    {
        expect(openList(name), state, name + QStringLiteral(" does not open"));
        QTest::qWait(60); // the end of the slide
        shoot(state, listBoxOf(name));
        escape();
        expect(QTest::qWaitFor([&] { return !listBoxOf(name)->isVisible(); }, 1000), state,
               QStringLiteral("Escape left the list open"));
    }
    void shootMenu(const QString &state, QQuickItem *menu)
    {
        expect(menu->isVisible(), state, QStringLiteral("no menu"));
        shoot(state, menu);
        escape();
        expect(QTest::qWaitFor([&] { return !menu->isVisible(); }, 1000), state,
               QStringLiteral("Escape left the menu open"));
    }
    void choose(const QString &name, int row)
    {
        openList(name);
        const qreal rowHeight = item(name)->property("itemHeight").toReal();
        click(listBoxOf(name), QPointF(40, (row + 0.5) * rowHeight));
        expect(item(name)->property("curIndex").toInt() == row, name,
               QStringLiteral("row %1 not chosen").arg(row));
        settle();
    }
    void openPage(int index)
    {
        QQuickItem *area = item(QStringLiteral("pageArea"));
        if (area->property("curID").toInt() != index)
            click(item(QStringLiteral("funcButton%1").arg(index)));
        QVERIFY(QTest::qWaitFor([&] {
            return area->property("curID").toInt() == index &&
                   qFuzzyIsNull(item(QStringLiteral("pageContent"))->x());
        }));
    }

    void tourKeyPage()
    {
        openPage(0);
        // The fourth key (a mouse button); nothing is applied.
        click(item(QStringLiteral("keyRow3")));
        click(item(QStringLiteral("btnKeyReset")));
        shoot(QStringLiteral("key"));
        shootList(QStringLiteral("key-functions"), QStringLiteral("funcList"));
        shootList(QStringLiteral("key-mouse"), QStringLiteral("mouseList"));
        const struct
        {
            int function;
            const char *name;
            const char *list;
        } functions[] = {{2, "media", "mediaList"}, {3, "combo", "comboModifierList"},
                         {4, "macro", "macroList"}, {5, "fire", "fireButtonList"},
                         {6, "gun", "gunList"},     {0, "keyboard", nullptr}};
        for (const auto &f : functions) {
            choose(QStringLiteral("funcList"), f.function);
            const QString state = QStringLiteral("key-") + QLatin1String(f.name);
            shoot(state);
            if (f.list)
                shootList(state + QStringLiteral("-list"), QLatin1String(f.list));
        }
        click(item(QStringLiteral("btnKeyReset")));
    }

    void tourOtherPages()
    {
        openPage(1);
        QQuickItem *files = item(QStringLiteral("macroFiles"));
        QObject *rows = files->property("lvItems").value<QObject *>();
        if (rows->property("count").toInt() == 0)
            click(item(QStringLiteral("btnAddMacro")));
        if (rows->property("currentIndex").toInt() < 0)
            click(files, QPointF(40, 11));
        shoot(QStringLiteral("macro"));
        shootList(QStringLiteral("macro-mouse"), QStringLiteral("mouseButtonList"));
        click(files, QPointF(40, 11), Qt::RightButton);
        shootMenu(QStringLiteral("macro-menu"), item(QStringLiteral("fileMenu")));

        openPage(2);
        shoot(QStringLiteral("colour"));
        shootList(QStringLiteral("colour-effects"), QStringLiteral("ledEffectList"));

        openPage(3);
        shoot(QStringLiteral("sensor"));
        QQuickItem *stages = item(QStringLiteral("dpiStages"));
        QQuickItem *arrow = nullptr; // the first stage's
        for (QQuickItem *stage : stages->childItems().value(0)->childItems()) {
            if ((arrow = E2eRig::lastItemWithText(stage, QStringLiteral("▼"))))
                break;
        }
        click(arrow);
        shootMenu(QStringLiteral("sensor-dpi-menu"),
                  E2eRig::findItem(stages, QStringLiteral("stageMenu")));

        click(item(QStringLiteral("profileRow2")), QPointF(20, 10), Qt::RightButton);
        QQuickItem *menu = item(QStringLiteral("profileContextMenu"));
        QVERIFY(QTest::qWaitFor([&] { return menu->opacity() >= 1; }, 1000));
        expect(!sceneRect(menu).intersects(sceneRect(item(QStringLiteral("profileRow2")))),
               QStringLiteral("profile-menu"), QStringLiteral("the menu covers its row"));
        shootMenu(QStringLiteral("profile-menu"), menu);

        click(item(QStringLiteral("btnSettings")));
        QQuickItem *settings = item(QStringLiteral("page_Globalsetting"));
        QVERIFY(QTest::qWaitFor([&] { return qFuzzyIsNull(settings->x()); }, 2000));
        shoot(QStringLiteral("settings"));
        for (const char *list : {"skinList", "soundList", "animationList", "languageList"})
            shootList(QStringLiteral("settings-") + QLatin1String(list), QLatin1String(list));
        click(item(QStringLiteral("btnSettings")));
        QVERIFY(QTest::qWaitFor([&] { return !item(QStringLiteral("settingsPanel"))->isVisible(); },
                                2000));
    }

    bool connected() const { return rig->root()->property("deviceConnected").toBool(); }

    void tourFeedback()
    {
        openPage(3);
        QQuickItem *busy = item(QStringLiteral("busyIndicator"));
        QQuickItem *notice = item(QStringLiteral("noticeBar"));
        QMetaObject::invokeMethod(notice, "hide");
        click(item(QStringLiteral("btnSensorApply")));
        expect(busy->isVisible(), QStringLiteral("saving"), QStringLiteral("no busy lock"));
        shoot(QStringLiteral("saving"), busy);
        QVERIFY(rig->waitUnlocked());
        QVERIFY(QTest::qWaitFor([&] { return notice->opacity() >= 1; }, 3000));
        shoot(QStringLiteral("notice-saved"));

        // Unplugged: the same APPLY fails, and the window says so.
        rig->mouse->stop();
        click(item(QStringLiteral("btnSensorApply")));
        QVERIFY(QTest::qWaitFor([&] { return !connected(); }, 5000));
        QVERIFY(rig->waitUnlocked());
        QVERIFY(QTest::qWaitFor([&] { return item(QStringLiteral("noticeRetry"))->isVisible(); }));
        shoot(QStringLiteral("unplugged"));
        click(item(QStringLiteral("funcButton3")));
        QVERIFY(QTest::qWaitFor([&] {
            return item(QStringLiteral("devicePanel"))->isVisible() &&
                   qFuzzyIsNull(item(QStringLiteral("pageContent"))->x());
        }));
        shoot(QStringLiteral("unplugged-panel"));

        QString why;
        QVERIFY2(rig->mouse->start(&why), qPrintable(why));
        rig->widget->checkDevice();
        QVERIFY(QTest::qWaitFor([&] { return connected(); }, 5000));
        QVERIFY(rig->settled());
        QMetaObject::invokeMethod(notice, "hide");
        QVERIFY(QTest::qWaitFor([&] { return !notice->isVisible(); }));
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
        QVERIFY(rig->start());
        rig->widget->activateWindow();
        rig->view()->setFocus();
        englishWords = wordsOfLanguage(QStringLiteral("031000"));
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
            QTest::addRow("%s-normal", name) << QString::fromLatin1(code) << 0;
            QTest::addRow("%s-larger", name) << QString::fromLatin1(code) << 1;
        }
    }
    void everyScreen()
    {
        QFETCH(QString, code);
        QFETCH(int, size);
        pass = QString::fromLatin1(QTest::currentDataTag());
        failures.clear();
        QQuickItem *settings = item(QStringLiteral("page_Globalsetting"));
        const int language = settings->property("languageCodes").toStringList().indexOf(code);
        QVERIFY(language >= 0);
        QMetaObject::invokeMethod(settings, "selectLanguage", Q_ARG(QVariant, language));
        QMetaObject::invokeMethod(settings, "selectSize", Q_ARG(QVariant, size));
        QCOMPARE(rig->root()->property("globalSetting_size").toInt(), size == 0 ? 11 : 14);
        ownWords = wordsOfLanguage(code);

        // Nothing chosen: the device panel.
        QQuickItem *area = item(QStringLiteral("pageArea"));
        if (area->property("curID").toInt() >= 0)
            click(item(QStringLiteral("funcButton%1").arg(area->property("curID").toInt())));
        QVERIFY(QTest::qWaitFor([&] { return area->property("curID").toInt() < 0; }));
        shoot(QStringLiteral("start"));

        tourKeyPage();
        tourOtherPages();
        if (size == 1) // the states are the same in both sizes
            tourFeedback();
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestWindowScreens)
#include "tst_window_screens.moc"
