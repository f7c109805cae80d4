#include "macro/picture/custom_picture.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace CustomPicture {

bool isSkinShow(const QString &imageDir)
{
    return QDir(imageDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort).size() >= 2;
}

Choice checkChosenPicture(const QString &chosenPath)
{
    if (chosenPath.isEmpty())
        return {};
    QFile file(chosenPath);
    if (!file.open(QIODevice::ReadOnly))
        return {QString(), true};
    file.close();
    return {chosenPath, false};
}

QString picturesFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
}

} // namespace CustomPicture
