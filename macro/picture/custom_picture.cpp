#include "macro/picture/custom_picture.h"

#include <QDir>
#include <QImageReader>
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
    // A file that does not decode would turn the window black behind a
    // switch that says ON.
    QImageReader reader(chosenPath);
    if (reader.read().isNull())
        return {QString(), true};
    return {chosenPath, false};
}

QString picturesFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
}

} // namespace CustomPicture
