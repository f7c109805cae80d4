#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The command line of z4config:
//   z4config [--demo | --virtual-bus DIR] [--call TARGET.METHOD [ARG...]]...
// Each --call takes every following word up to the next word that starts
// with "--" as its arguments (JSON values, so "-1" is an argument).
struct CallRequest
{
    QString target;
    QString method;
    QStringList args;
};

struct AppOptions
{
    bool demo = false;
    QString virtualBusDir;
    QList<CallRequest> calls;
    QString error; // non-empty when the command line is not understood

    bool headless() const { return !calls.isEmpty(); }
};

AppOptions parseAppOptions(const QStringList &arguments); // arguments without the program name
QString appUsage();
