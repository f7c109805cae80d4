#pragma once

#include <QList>
#include <QStringList>

class QTextStream;
class Widget;

// One `--call` command line run on the program's objects: the device
// commands ("hid"), the view ("ui_View") and the controller ("ui_Ctl").
// Nobody answers dialogs: file dialogs take `files` (absolute paths) and
// questions `answers`, in order, and what a window would show goes to `err`.
// Prints one JSON line per call on `out` and returns the exit status
// (CallDispatcher's, or kFileFailed when a file could not be written).
//
// Run by a process of its own, or by the running window for a later start
// (`insideWindow`): the window's own prompts come back afterwards and its
// device stays in use.
int runCallSession(Widget &widget, const QStringList &callArguments, const QStringList &files,
                   const QList<bool> &answers, QTextStream &out, QTextStream &err,
                   bool insideWindow);
