// Writes the skin folders skin1/, skin2/ … with every picture the QML scene
// loads. Run by the build: z4skingen <output folder> <number of skins>.
#include "skin_art.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // Painting needs no screen; text needs the font database, which the
    // offscreen platform provides.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err << "usage: z4skingen <output folder> <number of skins>\n";
        return 2;
    }
    bool ok = false;
    const int skins = args.at(2).toInt(&ok);
    if (!ok || skins < 1 || skins > 9) {
        err << "z4skingen: the number of skins must be 1 to 9\n";
        return 2;
    }

    const auto pictures = skingen::skinPictures();
    for (int n = 1; n <= skins; ++n) {
        const skingen::Palette palette = skingen::paletteForSkin(n);
        const QDir skinDir(args.at(1) + QStringLiteral("/skin") + QString::number(n));
        for (const auto &picture : pictures) {
            QImage image(picture.width, picture.height, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            picture.draw(image, palette);
            const QString file = skinDir.filePath(picture.path);
            if (!QDir().mkpath(QFileInfo(file).absolutePath()) || !image.save(file, "PNG")) {
                err << "z4skingen: cannot write " << file << "\n";
                return 1;
            }
        }
    }
    return 0;
}
