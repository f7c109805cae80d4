#pragma once

#include <QString>

class QWidget;

// The few questions the program puts to the user: file dialogs and message
// boxes. The view asks through this seam so that tests can answer.
class UserPrompts
{
public:
    virtual ~UserPrompts() = default;

    // An empty result means the user cancelled.
    virtual QString openFileName(const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual void warning(const QString &title, const QString &text) = 0;
    // Something the user asked for was not done (a file that could not be
    // written); what was there before is kept. Shown like a warning unless
    // the prompts tell it apart.
    virtual void failure(const QString &title, const QString &text) { warning(title, text); }
    // A modal OK/Cancel question; true for OK.
    virtual bool askOkCancel(const QString &title, const QString &text) = 0;
};

// The real dialogs, parented to a widget.
class WidgetPrompts : public UserPrompts
{
public:
    explicit WidgetPrompts(QWidget *parent) : parent(parent) {}

    QString openFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
    void warning(const QString &title, const QString &text) override;
    bool askOkCancel(const QString &title, const QString &text) override;

private:
    QWidget *parent;
};
