#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <functional>
#include <vector>

namespace skingen {

// Colours of one skin. Everything is drawn from these, so a new skin is a
// new palette.
struct Palette
{
    QColor base;    // darkest background
    QColor panel;   // panels and containers
    QColor raised;  // hovered or raised surfaces
    QColor accent;  // highlight colour
    QColor accent2; // second highlight, used in gradients
    QColor line;    // quiet outlines
    QColor icon;    // icons in their normal state
};

Palette paletteForSkin(int skinNumber);

// One picture of a skin: its path inside the skin folder and how to draw it.
struct Picture
{
    QString path;
    int width;
    int height;
    std::function<void(QImage &, const Palette &)> draw;
};

// Every picture that the QML scene loads from a skin folder.
std::vector<Picture> skinPictures();

} // namespace skingen
