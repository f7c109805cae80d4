#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The command line of z4config:
//   z4config [--verbose] [--demo | --virtual-bus DIR] [--file PATH]...
//            [--answer ok|cancel]... [--call TARGET.METHOD [ARG...]...]
//   z4config --help | --version
// Everything from the first --call on belongs to the calls (their own
// parser splits it, and JSON arguments such as -1 are not options), so the
// other options come first. Qt's own options (-platform, -display, ...) are
// accepted and left to Qt.
struct AppOptions
{
    bool demo = false;
    QString virtualBusDir;
    QStringList callArguments; // the words after the first "--call"
    bool headless = false;     // --call was given
    // What the file dialogs and questions of a --call run answer, in order
    // (--file PATH, --answer ok|cancel); paths as given on the command line.
    QStringList files;
    QList<bool> answers;
    bool verbose = false; // --verbose: the program's log lines on stderr
    bool help = false;    // --help: print appHelpText() and exit 0
    bool version = false; // --version: print appVersionText() and exit 0
    QString error;        // non-empty when the command line is not understood
};

// Needs no application object, so that --help, --version and mistakes are
// answered without a display.
AppOptions parseAppOptions(const QStringList &arguments); // arguments without the program name
QString appHelpText();
QString appVersionText();
