#include "app/app_options.h"

AppOptions parseAppOptions(const QStringList &arguments)
{
    AppOptions options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &word = arguments.at(i);
        if (word == QLatin1String("--demo")) {
            options.demo = true;
        } else if (word == QLatin1String("--virtual-bus")) {
            if (i + 1 >= arguments.size()) {
                options.error = QStringLiteral("--virtual-bus needs a directory");
                return options;
            }
            options.virtualBusDir = arguments.at(++i);
        } else if (word == QLatin1String("--call")) {
            if (i + 1 >= arguments.size()) {
                options.error = QStringLiteral("--call needs TARGET.METHOD");
                return options;
            }
            const QString name = arguments.at(++i);
            const qsizetype dot = name.indexOf(QLatin1Char('.'));
            if (dot <= 0 || dot == name.size() - 1) {
                options.error =
                    QStringLiteral("--call expects TARGET.METHOD, got \"%1\"").arg(name);
                return options;
            }
            CallRequest call{name.left(dot), name.mid(dot + 1), {}};
            // No JSON value starts with "--", so the next option ends the list.
            while (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QLatin1String("--")))
                call.args << arguments.at(++i);
            options.calls << call;
        } else {
            options.error = QStringLiteral("unknown option \"%1\"").arg(word);
            return options;
        }
    }
    if (options.demo && !options.virtualBusDir.isEmpty())
        options.error = QStringLiteral("--demo and --virtual-bus exclude each other");
    return options;
}

QString appUsage()
{
    return QStringLiteral(
        "usage: z4config [--demo | --virtual-bus DIR] [--call TARGET.METHOD [ARG...]]...\n"
        "  --demo             use an embedded virtual mouse\n"
        "  --virtual-bus DIR  use the virtual devices listening in DIR (see z4sim)\n"
        "  --call T.M ARG...  headless: call method M of target T (hid, ui_View, ui_Ctl),\n"
        "                     each ARG a JSON value; prints one JSON line per call\n");
}
