#pragma once

// The whole program on an in-process virtual mouse, in a copy of the shipped
// settings: clicks on the view in, the device log out.

#include "app/widget.h"
#include "backend/bridge/my_qquick_view.h"
#include "backend/config/config_store.h"
#include "device/virtual_bus.h"
#include "pointer/fake_pointer_settings.h"
#include "sim/virtual_mouse.h"
#include "support/frames.h"
#include "support/module_sandbox.h"
#include "support/recording_prompts.h"

#include <QDir>
#include <QFile>
#include <QQuickItem>
#include <QSettings>
#include <QTest>
#include <QtQuickTest/quicktest.h>
#include <functional>
#include <memory>

inline QList<int> intsOf(const QVariant &value)
{
    QList<int> out;
    for (const QVariant &element : value.toList())
        out.append(element.toInt());
    return out;
}

class E2eRig
{
public:
    // Runs on the sandbox's root before the program starts.
    using Preparation = std::function<void(const QString &root)>;

    explicit E2eRig(SimOptions options = {}, const Preparation &prepare = {})
    {
        // Animations of 10 ms instead of 800.
        QSettings apConfig(sandbox.path() + QStringLiteral("/modules/setting/apConfig.bin"),
                           QSettings::IniFormat);
        apConfig.setValue(QStringLiteral("common/3"), 1);
        apConfig.sync();
        // The skin pictures give the picture buttons their size.
        QFile::link(qEnvironmentVariable("Z4_BIN_DIR") + QStringLiteral("/modules/img"),
                    sandbox.path() + QStringLiteral("/modules/img"));
        if (prepare)
            prepare(sandbox.path());
        mouse = std::make_unique<VirtualMouse>(options);
    }

    // Plugs the mouse in and opens the window; true once the pages have slid in
    // (else `why`, or the log without it, says why).
    bool start(QString *why = nullptr)
    {
        const auto fail = [why](const QString &reason) {
            if (why)
                *why = reason;
            else
                qWarning("%s", qPrintable(reason));
            return false;
        };
        QString error;
        if (!mouse->start(&error))
            return fail(QStringLiteral("virtual mouse: ") + error);
        bus = std::make_unique<VirtualBus>(mouse->busDirectory());
        widget = std::make_unique<Widget>(bus.get(), sandbox.locations());
        auto answering = std::make_unique<RecordingPrompts>();
        answering->answer = true;
        prompts = answering.get();
        view()->setPrompts(std::move(answering));
        auto fake = std::make_unique<FakePointerSettings>();
        pointer = fake.get();
        view()->setSystemPointerSettings(std::move(fake));

        widget->checkDevice();
        if (!widget->deviceLink().isDeviceConnected())
            return fail(QStringLiteral("the virtual mouse was not detected"));
        widget->show();
        widget->startUI();
        if (!QTest::qWaitFor([this] { return root() && root()->isVisible() && poweredOn(); },
                             10000))
            return fail(QStringLiteral("the window did not finish its opening"));
        return settled() || fail(QStringLiteral("the start-up reads left the link busy"));
    }

    myQQuickView *view() const { return widget->view(); }
    QQuickItem *root() const { return view()->rootObject(); }
    QSettings &liveProfile() const { return view()->configStore().liveProfile(); }

    // A list's or slider's position: property "currentIndex" (or "curIndex") of item `name`.
    int index(const QString &name, const char *property = "currentIndex") const
    {
        return item(name)->property(property).toInt();
    }
    // The item named `name` anywhere in the scene, or null.
    QQuickItem *item(const QString &name) const { return findItem(root(), name); }
    static QQuickItem *findItem(QQuickItem *from, const QString &name)
    {
        if (!from)
            return nullptr;
        if (from->objectName() == name)
            return from;
        for (QQuickItem *child : from->childItems()) {
            if (QQuickItem *found = findItem(child, name))
                return found;
        }
        return nullptr;
    }

    // A click at `local` of the item, once an apply's lock has ended.
    void click(QQuickItem *target, QPointF local, Qt::MouseButton button = Qt::LeftButton) const
    {
        QVERIFY2(target, "nothing to click");
        waitUnlocked();
        // Lists lay out new rows at the next polish.
        QQuickTest::qWaitForPolish(root()->window());
        const QPoint at = target->mapToScene(local).toPoint();
        QTest::mouseClick(view(), button, Qt::NoModifier, at);
    }
    void click(QQuickItem *target) const
    {
        QVERIFY2(target, "nothing to click");
        click(target, QPointF(target->width() / 2, target->height() / 2));
    }

    // The menu pages slide in once the opening has played.
    bool poweredOn() const
    {
        QQuickItem *content = item(QStringLiteral("pageContent"));
        QQuickItem *area = item(QStringLiteral("pageArea"));
        QQuickItem *profiles = item(QStringLiteral("menu_Prof"));
        return content && area && profiles && area->isVisible() && qFuzzyIsNull(content->x()) &&
               qFuzzyCompare(profiles->x() + profiles->width() + 8, 1000.0);
    }

    // Opens page `index` (0 keys, 1 macro, 2 lighting, 3 sensor) from the menu.
    bool openPage(int index) const
    {
        QQuickItem *area = item(QStringLiteral("pageArea"));
        if (area->property("curID").toInt() != index)
            click(item(QStringLiteral("funcButton%1").arg(index)));
        return QTest::qWaitFor([&] {
            return area->property("curID").toInt() == index &&
                   qFuzzyIsNull(item(QStringLiteral("pageContent"))->x());
        });
    }

    // Opens a drop-down list and clicks row `row`.
    bool choose(const QString &listName, int row) const
    {
        QQuickItem *list = item(listName);
        if (!list || !list->isVisible())
            return false;
        click(list);
        QQuickItem *rows = findItem(list, QStringLiteral("listBox"));
        const qreal rowHeight = list->property("itemHeight").toReal();
        if (!QTest::qWaitFor([&] { return rows->height() >= (row + 1) * rowHeight; }))
            return false;
        click(rows, QPointF(rows->width() / 2, (row + 0.5) * rowHeight));
        return list->property("curIndex").toInt() == row &&
               QTest::qWaitFor([&] { return !rows->isVisible(); });
    }

    // Opens a list of macro files and clicks the row showing `name`.
    bool chooseFile(const QString &listName, const QString &name) const
    {
        QQuickItem *list = item(listName);
        if (!list || !list->isVisible())
            return false;
        click(list);
        QQuickItem *box = nullptr;
        for (QQuickItem *child : list->childItems()) {
            if (child->clip())
                box = child;
        }
        QQuickItem *row = nullptr;
        const bool shown = box && QTest::qWaitFor([&] {
                               row = lastItemWithText(box, name);
                               if (!row)
                                   return false;
                               const QRectF inBox = row->mapRectToItem(box, row->boundingRect());
                               return inBox.bottom() <= box->height();
                           });
        if (shown)
            click(row);
        return shown;
    }

    // The visible items below `from` showing `text`, in scene order (a popup comes last).
    static QList<QQuickItem *> itemsWithText(QQuickItem *from, const QString &text)
    {
        QList<QQuickItem *> found;
        for (QQuickItem *child : from->childItems()) {
            if (!child->isVisible())
                continue;
            if (child->property("text").toString() == text)
                found.append(child);
            found += itemsWithText(child, text);
        }
        return found;
    }
    static QQuickItem *lastItemWithText(QQuickItem *from, const QString &text)
    {
        const QList<QQuickItem *> found = itemsWithText(from, text);
        return found.isEmpty() ? nullptr : found.last();
    }

    // Clicks a slider (0…10 or 0…7) at `position`.
    bool setSlider(const QString &name, int position) const
    {
        QQuickItem *slider = item(name);
        if (!slider || !slider->isEnabled())
            return false;
        const qreal span = slider->width() - 1;
        const qreal x = slider->property("positions").toInt() == 11
                            ? (position + 0.5) * span / 11
                            : (position == 0 ? 0.0 : (position - 0.5) * span / 7);
        click(slider, QPointF(x, slider->height() / 2));
        return slider->property("currentIndex").toInt() == position;
    }

    // Key number of row `position` of the key page's list.
    int keyAt(int position) const
    {
        const QVariant model = item(QStringLiteral("page_Keydefine"))->property("model");
        return intsOf(model.value<QObject *>()->property("mapping_for_keyId")).value(position, -1);
    }

    bool waitUnlocked() const
    {
        return QTest::qWaitFor([this] { return view()->isEnabled(); }, 5000);
    }

    bool settled() const
    {
        return QTest::qWaitFor([this] { return widget->deviceLink().isLinkIdle(); }, 5000);
    }

    qsizetype mark() const { return mouse->logLines().size(); }

    QList<SentCommand> setsSince(qsizetype from) const
    {
        QList<SentCommand> sets;
        for (const SentCommand &e : commandsInLog(mouse->logLines().mid(from))) {
            if (e.isSet())
                sets.append(e);
        }
        return sets;
    }
    static QList<int> codes(const QList<SentCommand> &exchanges)
    {
        QList<int> out;
        for (const SentCommand &e : exchanges)
            out.append(e.code());
        return out;
    }

    // Waits for `count` sets since `from` and an idle link.
    bool waitForSets(qsizetype from, int count) const
    {
        return QTest::qWaitFor([&] { return setsSince(from).size() >= count; }, 5000) && settled();
    }

    ModuleSandbox sandbox;
    std::unique_ptr<VirtualMouse> mouse;
    std::unique_ptr<VirtualBus> bus;
    std::unique_ptr<Widget> widget;
    RecordingPrompts *prompts = nullptr;    // owned by the view
    FakePointerSettings *pointer = nullptr; // owned by the view
};
