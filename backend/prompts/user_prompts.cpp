#include "backend/prompts/user_prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>

QString UserPrompts::startFolder(const QString &fileName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return fileName.isEmpty() ? folder : QDir(folder).filePath(fileName);
}

int WidgetPrompts::runCentred(QDialog &dialog) const
{
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.adjustSize();
    if (host && host->isVisible()) {
        const QRect frame = host->window()->frameGeometry();
        QRect box = dialog.frameGeometry();
        box.moveCenter(frame.center());
        dialog.move(box.topLeft());
    }
    return dialog.exec();
}

QString WidgetPrompts::openFileName(const QString &caption, const QString &dir,
                                    const QString &filter)
{
    QFileDialog dialog(nullptr, caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (runCentred(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString WidgetPrompts::saveFileName(const QString &caption, const QString &dir,
                                    const QString &filter)
{
    QFileDialog dialog(nullptr, caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (runCentred(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void WidgetPrompts::warning(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok);
    runCentred(box);
}

bool WidgetPrompts::askOkCancel(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    return runCentred(box) == QMessageBox::Ok;
}
