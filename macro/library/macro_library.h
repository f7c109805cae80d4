#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <cstdint>
#include <optional>

// Where a bound macro has to be sent after it changed: the mouse takes
// macro ids 1..12 through command 13H, the keyboard its slot index 0..34
// through command 11H.
struct MacroUpload
{
    enum class Command
    {
        Mouse13H,
        Keyboard11H
    };

    Command command;
    std::uint8_t macroId;

    bool operator==(const MacroUpload &) const = default;
};

struct MacroSaveResult
{
    bool saved = false;
    // Set when the saved macro is bound to a slot of the current device.
    std::optional<MacroUpload> upload;
};

// The user's macro library: one INI file "<name>.bin" per macro in one
// folder (the user's macro folder in the program). Every call opens the file it
// needs and closes it again; nothing is cached.
//
// Names come from the QML and become file names, so every operation refuses
// a name that could leave the folder or is not a usable file name (see
// isValidName) and then writes nothing.
class MacroLibrary
{
public:
    // A corrupt "config/total" must not make a load run away. A device block
    // holds at most 96 records (192 bytes, two bytes a record), that is some
    // 200 lines with their delays; this leaves ample room to edit a longer
    // recording down, and loads and saves no more.
    static constexpr int maxLines = 1024;

    static constexpr std::uint8_t mouseDeviceId = 1;
    static constexpr std::uint8_t keyboardDeviceId = 0;

    explicit MacroLibrary(const QString &directory);

    QString directory() const { return dir; }

    // False for an empty name, ".", "..", or a name holding "..", a path
    // separator ('/' or '\\') or a control character.
    static bool isValidName(const QString &name);
    // The file of a valid name, an empty string for an invalid one.
    QString filePath(const QString &name) const;
    bool exists(const QString &name) const;

    // File names (with ".bin") of the library, sorted ignoring case.
    QStringList getMacroIniNames() const;
    // Creates the first free "Macro. NNN" (unbound, no lines, play count 1)
    // and returns its name; an empty string when the file cannot be written.
    QString createMacroIni();
    bool deleteMacroIni(const QString &name);
    // A stored line that is not storable text (MacroLine::storable) reads
    // as "0", the value of a missing line.
    QStringList loadMacroIni(const QString &name) const;
    // Replaces the lines of an existing macro (stale higher-numbered lines go)
    // and says where it must be re-uploaded when it is bound. Writes nothing
    // when a line is not storable text.
    MacroSaveResult saveMacroIni(const QString &name, const QStringList &lines,
                                 int currentDeviceId);
    // [index, repeat]; index is -1 when the binding was made on another device.
    // Empty when the macro does not exist.
    QVariantList loadMacroIniConfig(const QString &name, int currentDeviceId) const;
    // config = [index, repeat]; binds to the current device. A list of fewer
    // than two elements or a missing macro writes nothing and gives false.
    bool setMacroIniConfig(const QString &name, const QVariantList &config, int currentDeviceId);
    // False when the old macro is missing, the new name is taken or invalid.
    bool renameMacroIniFile(const QString &oldName, const QString &newName);
    // Copies the macro file to targetPath (empty: the dialog was cancelled).
    // An existing target is replaced only once the copy is complete; a copy
    // that fails (a full disk) leaves it as it was and gives false, with the
    // reason in `error` when given.
    bool exportMacroIni(const QString &name, const QString &targetPath,
                        QString *error = nullptr) const;
    // Copies the file at sourcePath into the library under its base name
    // (without ".bin") and returns that name; "" when cancelled or failed
    // (failures leave a macro of that name as it was and set `error`).
    QString importMacroIni(const QString &sourcePath, QString *error = nullptr);

    // "config/repeat" read as unsigned, 1 when missing; the mouse block
    // carries it as its play count.
    uint repeatCount(const QString &name) const;

    // The upload that a binding (slot index, device id) asks for: mouse index
    // 0..11 -> 13H with macro id index + 1, keyboard index 0..34 -> 11H with
    // macro id index; nothing for any other combination.
    static std::optional<MacroUpload> uploadFor(int index, int deviceId);

private:
    // An existing macro file no larger than a settings file may be: a file
    // over that is treated as missing (loads give nothing, saves refuse).
    bool usable(const QString &name) const;
    bool ensureDirectory() const;

    QString dir;
};
