#pragma once

#include "backend/prompts/user_prompts.h"

#include <QList>
#include <QPair>
#include <QStringList>

// Answers without a window and remembers what was asked: file dialogs take the
// next of `files` (none left: cancelled), questions take `answer`.
class RecordingPrompts : public UserPrompts
{
public:
    QString openFileName(const QString &, const QString &dir, const QString &) override
    {
        dialogFolders.append(dir);
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString saveFileName(const QString &, const QString &dir, const QString &) override
    {
        dialogFolders.append(dir);
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    void warning(const QString &title, const QString &text) override
    {
        warnings.append({title, text});
    }
    bool askOkCancel(const QString &title, const QString &text) override
    {
        asked.append({title, text});
        return answer;
    }

    QStringList files;
    bool answer = false;
    QStringList dialogFolders;
    QList<QPair<QString, QString>> warnings;
    QList<QPair<QString, QString>> asked;
};
