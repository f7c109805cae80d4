#pragma once

#include <QString>

// The skin folders and the user's own background picture.
namespace CustomPicture {

// True when the skin folder (the shipped img/ folder in the program) holds at
// least two sub-folders, so that there is a skin to choose.
bool isSkinShow(const QString &imageDir);

struct Choice
{
    // The picture to use: the chosen path as given, or "" for none.
    QString path;
    // The chosen file cannot be read; the user is to be told.
    bool warn = false;
};

// Checks a path picked in the file dialog ("" when it was cancelled): only a
// file that decodes as an image is taken.
Choice checkChosenPicture(const QString &chosenPath);

// Where the dialog starts.
QString picturesFolder();

} // namespace CustomPicture
