#include "backend/prompts/user_prompts.h"

#include <QFileDialog>
#include <QMessageBox>

QString WidgetPrompts::openFileName(const QString &caption, const QString &dir,
                                    const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString WidgetPrompts::saveFileName(const QString &caption, const QString &dir,
                                    const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

void WidgetPrompts::warning(const QString &title, const QString &text)
{
    QMessageBox::warning(parent, title, text);
}

bool WidgetPrompts::askOkCancel(const QString &title, const QString &text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}
