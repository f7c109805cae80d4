#include "app/call/call_session.h"

#include "app/call/call_dispatcher.h"
#include "app/widget.h"
#include "backend/bridge/my_qquick_view.h"
#include "backend/bridge/ui_controler.h"
#include "backend/prompts/headless_prompts.h"

#include <QTextStream>

int runCallSession(Widget &widget, const QStringList &callArguments, const QStringList &files,
                   const QList<bool> &answers, QTextStream &out, QTextStream &err,
                   bool insideWindow)
{
    myQQuickView *view = widget.view();
    auto prompts = std::make_unique<HeadlessPrompts>(files, answers, err);
    HeadlessPrompts *headless = prompts.get();
    std::unique_ptr<UserPrompts> previous = view->setPrompts(std::move(prompts));

    CallDispatcher calls;
    calls.addHid(&widget.deviceLink());
    calls.addObject(QStringLiteral("ui_View"), view);
    calls.addObject(QStringLiteral("ui_Ctl"), widget.controller());
    if (insideWindow)
        calls.keepDeviceRunning();
    int result = calls.run(callArguments, out, err);
    if (result == 0 && headless->failed())
        result = CallDispatcher::kFileFailed;
    for (const QString &unused : headless->unusedFilePaths())
        err << "z4config: no dialog asked for --file " << unused << "\n";
    out.flush();
    err.flush();

    view->setPrompts(std::move(previous));
    return result;
}
