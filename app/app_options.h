#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The command line of z4config:
//   z4config [--demo | --virtual-bus DIR] [--file PATH]... [--answer ok|cancel]...
//            [--call TARGET.METHOD [ARG...]...]
// Everything from the first --call on belongs to the calls (their own
// parser splits it), so the other options come first.
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
    QString error; // non-empty when the command line is not understood
};

AppOptions parseAppOptions(const QStringList &arguments); // arguments without the program name
QString appUsage();
