#pragma once

#include <QString>

class QDialog;
class QWidget;

// The few questions the program puts to the user: file dialogs and message
// boxes. The view asks through this seam so that tests can answer, and so
// that a run without a window (--call) never blocks on a dialog.
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
    // written); what was there before is kept. The window names the file in
    // its notice, so only prompts without a window report it here.
    virtual void failure(const QString & /*title*/, const QString & /*text*/) {}
    // A modal OK/Cancel warning; true for OK.
    virtual bool askOkCancel(const QString &title, const QString &text) = 0;

    // Where file dialogs start: the user's documents folder (their home when
    // there is none), with fileName filled in when given.
    static QString startFolder(const QString &fileName = {});
};

// The real dialogs. They have no parent: a child of the frameless host would
// inherit its transparent style sheet and draw as a black box. Instead each
// one is modal for the whole application and centred on the host window.
class WidgetPrompts : public UserPrompts
{
public:
    explicit WidgetPrompts(QWidget *host) : host(host) {}

    QString openFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
    void warning(const QString &title, const QString &text) override;
    bool askOkCancel(const QString &title, const QString &text) override;

private:
    int runCentred(QDialog &dialog) const;

    QWidget *host;
};
