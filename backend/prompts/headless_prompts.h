#pragma once

#include "backend/prompts/user_prompts.h"

#include <QList>
#include <QStringList>

class QTextStream;

// The prompts of a run without a window (`--call`): nothing ever waits for a
// user. File dialogs take the paths given on the command line, one per
// dialog in the order the dialogs come up; when none is left the dialog
// counts as cancelled. Questions take the answers given on the command line
// in order, then their default (Cancel). Warnings, questions and dialogs
// that found no path are reported on `messages` (stderr in the program), so
// a script sees what a window would have shown; failures are printed as
// errors and remembered.
class HeadlessPrompts : public UserPrompts
{
public:
    HeadlessPrompts(QStringList filePaths, QList<bool> answers, QTextStream &messages);

    QString openFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
    void warning(const QString &title, const QString &text) override;
    // Printed as an error; the run then ends with failed() set.
    void failure(const QString &title, const QString &text) override;
    bool askOkCancel(const QString &title, const QString &text) override;

    // The paths no dialog asked for.
    const QStringList &unusedFilePaths() const { return files; }
    // Whether any operation reported a failure.
    bool failed() const { return anyFailure; }

private:
    QString nextFile(const QString &caption, const QString &filter);

    QStringList files;
    QList<bool> answers;
    QTextStream &messages;
    bool anyFailure = false;
};
