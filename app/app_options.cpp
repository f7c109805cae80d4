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
        } else if (word == QLatin1String("--file")) {
            if (i + 1 >= arguments.size()) {
                options.error = QStringLiteral("--file needs a path");
                return options;
            }
            options.files.append(arguments.at(++i));
        } else if (word == QLatin1String("--answer")) {
            const QString answer = arguments.value(++i);
            if (answer != QLatin1String("ok") && answer != QLatin1String("cancel")) {
                options.error = QStringLiteral("--answer needs \"ok\" or \"cancel\"");
                return options;
            }
            options.answers.append(answer == QLatin1String("ok"));
        } else if (word == QLatin1String("--call")) {
            options.headless = true;
            options.callArguments = arguments.mid(i + 1);
            if (options.callArguments.isEmpty())
                options.error = QStringLiteral("--call needs TARGET.METHOD");
            break;
        } else if (word == QLatin1String("--help") || word == QLatin1String("-h")) {
            options.error = QStringLiteral("help");
            return options;
        } else {
            options.error = QStringLiteral("unknown option \"%1\"").arg(word);
            return options;
        }
    }
    if (options.demo && !options.virtualBusDir.isEmpty())
        options.error = QStringLiteral("--demo and --virtual-bus exclude each other");
    else if (!options.headless && (!options.files.isEmpty() || !options.answers.isEmpty()))
        options.error = QStringLiteral("--file and --answer answer the dialogs of --call only");
    return options;
}

QString appUsage()
{
    return QStringLiteral(
        "usage: z4config [--demo | --virtual-bus DIR] [--file PATH]... [--answer ok|cancel]...\n"
        "                [--call TARGET.METHOD [ARG...]...]\n"
        "  --demo             use an embedded virtual mouse\n"
        "  --virtual-bus DIR  use the virtual devices listening in DIR (see z4sim)\n"
        "  --call T.M ARG...  headless: call method M of target T (hid, ui_View, ui_Ctl),\n"
        "                     each ARG a JSON value; prints one JSON line per call\n"
        "  --file PATH        with --call: the path a file dialog answers, one per dialog\n"
        "                     in order; a dialog with none left counts as cancelled\n"
        "  --answer ok|cancel with --call: the answer to a question, one per question in\n"
        "                     order; then questions take their default (cancel)\n"
        "  Warnings and questions of a --call run are printed on stderr.\n");
}
