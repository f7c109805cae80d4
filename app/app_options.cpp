#include "app/app_options.h"

#include <QCommandLineParser>

namespace {

const QString callOption = QStringLiteral("--call");

// Qt reads these itself from the command line; they must not be refused.
const char *const qtOptionsWithValue[] = {"platform",      "platformpluginpath",
                                          "platformtheme", "plugin",
                                          "qmljsdebugger", "display",
                                          "geometry",      "qwindowgeometry",
                                          "title",         "qwindowtitle",
                                          "qwindowicon",   "style",
                                          "stylesheet",    "session",
                                          "name",          "dialogs",
                                          "fontengine"};
const char *const qtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

struct Parser
{
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};
    QCommandLineOption verbose{
        QStringLiteral("verbose"),
        QStringLiteral("Print the program's log lines (device, config, capture, sound) on "
                       "stderr; QT_LOGGING_RULES=\"z4.device.debug=true\" picks some.")};
    QCommandLineOption demo{QStringLiteral("demo"),
                            QStringLiteral("Use an embedded virtual mouse.")};
    QCommandLineOption bus{QStringLiteral("virtual-bus"),
                           QStringLiteral("Use the virtual devices listening in DIR (see z4sim)."),
                           QStringLiteral("DIR")};
    QCommandLineOption file{
        QStringLiteral("file"),
        QStringLiteral("With --call: the path a file dialog answers, one per dialog in order; "
                       "a dialog with none left counts as cancelled."),
        QStringLiteral("PATH")};
    QCommandLineOption answer{
        QStringLiteral("answer"),
        QStringLiteral("With --call: the answer to a question, one per question in order; "
                       "then questions take their default (cancel)."),
        QStringLiteral("ok|cancel")};
    QCommandLineOption call{
        QStringLiteral("call"),
        QStringLiteral("Without a window: call method M of target T (hid, ui_View, ui_Ctl), "
                       "each ARG one JSON value; prints one JSON line per call. Repeat for "
                       "more calls; it comes after every other option. When a window of the "
                       "same device runs, the calls run in it."),
        QStringLiteral("T.M [ARG...]")};

    Parser()
    {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(QStringLiteral(
            "Configure the Z4 gaming mouse. With no option, the window opens on the\n"
            "mouse; a second start brings the running window to the front.\n"
            "Warnings and questions of a --call run are printed on stderr."));
        parser.addOptions({help, version, verbose, demo, bus, file, answer, call});
        for (const char *name : qtOptionsWithValue) {
            QCommandLineOption qt(QString::fromLatin1(name), QString(), QStringLiteral("value"));
            qt.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(qt);
        }
        for (const char *name : qtFlags) {
            QCommandLineOption qt(QString::fromLatin1(name));
            qt.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(qt);
        }
    }
};

} // namespace

AppOptions parseAppOptions(const QStringList &arguments)
{
    AppOptions options;
    const qsizetype callAt = arguments.indexOf(callOption);
    QStringList own = arguments.mid(0, callAt);
    if (callAt >= 0) {
        options.headless = true;
        options.callArguments = arguments.mid(callAt + 1);
    }

    Parser p;
    own.prepend(QStringLiteral("z4config"));
    if (!p.parser.parse(own)) {
        options.error = p.parser.errorText();
        return options;
    }
    options.help = p.parser.isSet(p.help);
    options.version = p.parser.isSet(p.version);
    if (options.help || options.version)
        return options;
    if (!p.parser.positionalArguments().isEmpty()) {
        options.error = QStringLiteral("unexpected argument \"%1\"")
                            .arg(p.parser.positionalArguments().first());
        return options;
    }

    options.verbose = p.parser.isSet(p.verbose);
    options.demo = p.parser.isSet(p.demo);
    options.virtualBusDir = p.parser.value(p.bus);
    options.files = p.parser.values(p.file);
    for (const QString &answer : p.parser.values(p.answer)) {
        if (answer != QLatin1String("ok") && answer != QLatin1String("cancel")) {
            options.error =
                QStringLiteral("--answer needs \"ok\" or \"cancel\", not \"%1\"").arg(answer);
            return options;
        }
        options.answers.append(answer == QLatin1String("ok"));
    }

    if (options.headless && options.callArguments.isEmpty())
        options.error = QStringLiteral("--call needs TARGET.METHOD");
    else if (p.parser.isSet(p.bus) && options.virtualBusDir.isEmpty())
        options.error = QStringLiteral("--virtual-bus needs a directory");
    else if (options.demo && p.parser.isSet(p.bus))
        options.error = QStringLiteral("--demo and --virtual-bus exclude each other");
    else if (!options.headless && (!options.files.isEmpty() || !options.answers.isEmpty()))
        options.error = QStringLiteral("--file and --answer answer the dialogs of --call only");
    return options;
}

QString appHelpText()
{
    Parser p;
    QString text = p.parser.helpText();
    // The parser names the program by its path; the usage is ours.
    text.replace(0, text.indexOf(QLatin1Char('\n')),
                 QStringLiteral("Usage: z4config [--verbose] [--demo | --virtual-bus DIR] "
                                "[--file PATH]...\n"
                                "                [--answer ok|cancel]... "
                                "[--call TARGET.METHOD [ARG...]...]"));
    return text;
}

QString appVersionText()
{
    return QStringLiteral("z4config " Z4_VERSION "\n");
}
