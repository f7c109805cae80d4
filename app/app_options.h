#pragma once

#include <QString>
#include <QStringList>

// The command line of z4config:
//   z4config [--demo | --virtual-bus DIR] [--call TARGET.METHOD [ARG...]...]
// Everything from the first --call on belongs to the calls (their own
// parser splits it), so the bus options come first.
struct AppOptions
{
    bool demo = false;
    QString virtualBusDir;
    QStringList callArguments; // the words after the first "--call"
    bool headless = false;     // --call was given
    QString error;             // non-empty when the command line is not understood
};

AppOptions parseAppOptions(const QStringList &arguments); // arguments without the program name
QString appUsage();
