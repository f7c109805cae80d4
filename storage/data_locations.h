#pragma once

#include <QList>
#include <QString>

// Where the program's files are. Two layouts:
//
// - Beside the program (the build's bin/ folder, or a copy of it that the
//   user can write to): shipped data and the user's settings both live in
//   <program folder>/modules/.
// - Per user (an installed program, or a copy in a folder the user cannot
//   write to): the shipped data is read from its own folder and never
//   written; the user's settings, macros and press-gun tables live under the
//   user's config folder (~/.config/z4config/), seeded from the shipped
//   copies the first time.
//
// Every path of the program's data comes from here. The object is a plain
// value: the layout is decided once, by forProgram() or by the caller.
class DataLocations
{
public:
    enum class Layout
    {
        BesideProgram,
        PerUser
    };

    // A file the user's folder takes from the shipped data when it lacks it.
    struct SeedFile
    {
        QString source;
        QString target;
    };

    // The reverse-DNS id that names the desktop entry, the metadata and the
    // icon.
    static QString applicationId();

    // Both kinds of file in <programDir>/modules.
    static DataLocations beside(const QString &programDir);
    // Shipped data in `shippedDir`, the user's files in `userDir`.
    static DataLocations perUser(const QString &shippedDir, const QString &userDir);
    // The layout of the program whose executable lies in `programDir`: beside
    // it when its modules/setting/ is there and writable; per user when it is
    // read-only or when the program is installed (data in ../share/z4config).
    // `userDir` is where the user's files go then (see userConfigFolder()).
    static DataLocations forProgram(const QString &programDir, const QString &userDir);
    // This user's config folder for the program (XDG: ~/.config/z4config).
    static QString userConfigFolder();

    Layout layout() const { return kind; }
    QString shippedDir() const { return shipped; }
    QString userDir() const { return user; }

    // The user's files.
    QString settingDir() const; // apConfig.bin, p1.bin ... p10.bin
    QString macroDir() const;   // <name>.bin per macro
    QString gunDir() const;     // press-gun tables and slot records

    // The shipped data, read only.
    QString factorySettingDir() const; // apConfigD.bin, pD.bin and the first settings
    QString languageDir() const;       // lang_<code>.ini
    QString mediaDir() const;          // the interface sounds
    QString imageDir() const;          // skin<N>/ folders
    // imageDir() as a "file:" URL ending in '/', as the scene builds its
    // picture paths from it.
    QString imageFolderUrl() const;

    // Folders the user's files need (created at start), and the shipped
    // files copied into them when missing (the first settings, every
    // press-gun file). Both are empty beside the program, where the shipped
    // files are the user's.
    QStringList userFolders() const;
    QList<SeedFile> seedFiles() const;

private:
    DataLocations(Layout layout, QString shippedDir, QString userDir);

    Layout kind;
    QString shipped;
    QString user;
};
