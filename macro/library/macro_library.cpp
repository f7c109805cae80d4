#include "macro/library/macro_library.h"

#include "macro/library/macro_line.h"
#include "storage/file_copy.h"
#include "storage/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace {

const QString binSuffix = QStringLiteral(".bin");

// Copies source over target; an existing target stays intact until the copy
// is complete. Copying a file onto itself is done at once.
bool copyReplacing(const QString &sourcePath, const QString &targetPath, QString *error)
{
    const QFileInfo sourceInfo(sourcePath);
    const QFileInfo targetInfo(targetPath);
    if (!sourceInfo.isFile()) {
        if (error)
            *error = QStringLiteral("cannot read %1: not a file").arg(sourcePath);
        return false;
    }
    if (targetInfo.exists() && sourceInfo.canonicalFilePath() == targetInfo.canonicalFilePath())
        return true;
    return replaceFileWithCopy(sourcePath, targetPath, settingsfile::MaxBytes, error);
}

} // namespace

MacroLibrary::MacroLibrary(const QString &directory) : dir(directory) {}

bool MacroLibrary::isValidName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name.contains(QLatin1String("..")))
        return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QString MacroLibrary::filePath(const QString &name) const
{
    if (!isValidName(name))
        return {};
    return dir + u'/' + name + binSuffix;
}

bool MacroLibrary::exists(const QString &name) const
{
    const QString path = filePath(name);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool MacroLibrary::usable(const QString &name) const
{
    return exists(name) && settingsfile::withinLimit(filePath(name));
}

bool MacroLibrary::ensureDirectory() const
{
    return QDir().mkpath(dir);
}

QStringList MacroLibrary::getMacroIniNames() const
{
    return QDir(dir).entryList({QStringLiteral("*.bin")}, QDir::Files,
                               QDir::Name | QDir::IgnoreCase);
}

QString MacroLibrary::createMacroIni()
{
    if (!ensureDirectory())
        return {};
    QString name;
    for (int n = 1;; ++n) {
        name = QStringLiteral("Macro. %1").arg(n, 3, 10, QLatin1Char('0'));
        if (!QFileInfo::exists(filePath(name)))
            break;
    }
    const QString path = filePath(name);
    {
        QSettings file(path, QSettings::IniFormat);
        file.beginGroup(QStringLiteral("config"));
        file.setValue(QStringLiteral("index"), -1);
        file.setValue(QStringLiteral("total"), 0);
        file.setValue(QStringLiteral("repeat"), 1);
        file.setValue(QStringLiteral("did"), -1);
        file.endGroup();
        if (settingsfile::sync(file))
            return name;
    }
    QFile::remove(path);
    return {};
}

bool MacroLibrary::deleteMacroIni(const QString &name)
{
    return exists(name) && QFile::remove(filePath(name));
}

QStringList MacroLibrary::loadMacroIni(const QString &name) const
{
    if (!usable(name))
        return {};
    const QSettings file(filePath(name), QSettings::IniFormat);
    const qint64 stored = file.value(QStringLiteral("config/total"), 0).toString().toLongLong();
    const int total = int(qMin<qint64>(stored, maxLines));
    QStringList lines;
    if (total <= 0)
        return lines;
    lines.reserve(total);
    // A line the file could not keep is damage, and reads as a missing one.
    const QString missing = QStringLiteral("0");
    for (int i = 0; i < total; ++i) {
        const QString line = file.value(QStringLiteral("macro/%1").arg(i), missing).toString();
        lines.append(MacroLine::storable(line) ? line : missing);
    }
    return lines;
}

MacroSaveResult MacroLibrary::saveMacroIni(const QString &name, const QStringList &lines,
                                           int currentDeviceId)
{
    MacroSaveResult result;
    if (!usable(name))
        return result;
    const qsizetype count = qMin<qsizetype>(lines.size(), maxLines);
    if (!std::all_of(lines.cbegin(), lines.cbegin() + count, MacroLine::storable))
        return result;
    int index = -1;
    {
        QSettings file(filePath(name), QSettings::IniFormat);
        file.remove(QStringLiteral("macro"));
        file.setValue(QStringLiteral("config/total"), int(count));
        file.beginGroup(QStringLiteral("macro"));
        for (qsizetype i = 0; i < count; ++i)
            file.setValue(QString::number(i), lines.at(i));
        file.endGroup();
        index = file.value(QStringLiteral("config/index"), -1).toInt();
        if (!settingsfile::sync(file))
            return result;
    }
    result.saved = true;
    result.upload = uploadFor(index, currentDeviceId);
    return result;
}

QVariantList MacroLibrary::loadMacroIniConfig(const QString &name, int currentDeviceId) const
{
    if (!usable(name))
        return {};
    const QSettings file(filePath(name), QSettings::IniFormat);
    const int did = file.value(QStringLiteral("config/did"), -1).toInt();
    const int index =
        did == currentDeviceId ? file.value(QStringLiteral("config/index"), -1).toInt() : -1;
    const int repeat = file.value(QStringLiteral("config/repeat"), 1).toInt();
    return {index, repeat};
}

bool MacroLibrary::setMacroIniConfig(const QString &name, const QVariantList &config,
                                     int currentDeviceId)
{
    if (config.size() < 2 || !usable(name))
        return false;
    QSettings file(filePath(name), QSettings::IniFormat);
    file.setValue(QStringLiteral("config/index"), config.at(0).toInt());
    file.setValue(QStringLiteral("config/repeat"), config.at(1).toInt());
    file.setValue(QStringLiteral("config/did"), currentDeviceId);
    return settingsfile::sync(file);
}

bool MacroLibrary::renameMacroIniFile(const QString &oldName, const QString &newName)
{
    if (!exists(oldName) || !isValidName(newName))
        return false;
    return QFile::rename(filePath(oldName), filePath(newName));
}

bool MacroLibrary::exportMacroIni(const QString &name, const QString &targetPath,
                                  QString *error) const
{
    if (targetPath.isEmpty() || !exists(name)) {
        if (error)
            *error = QStringLiteral("there is no macro \"%1\"").arg(name);
        return false;
    }
    return copyReplacing(filePath(name), targetPath, error);
}

QString MacroLibrary::importMacroIni(const QString &sourcePath, QString *error)
{
    if (sourcePath.isEmpty())
        return {};
    QString name = QDir::fromNativeSeparators(sourcePath).section(u'/', -1);
    if (name.endsWith(binSuffix, Qt::CaseInsensitive))
        name.chop(binSuffix.size());
    if (!isValidName(name)) {
        if (error)
            *error = QStringLiteral("\"%1\" is not a usable macro name").arg(name);
        return {};
    }
    if (!ensureDirectory()) {
        if (error)
            *error = QStringLiteral("cannot create the macro folder %1").arg(dir);
        return {};
    }
    return copyReplacing(sourcePath, filePath(name), error) ? name : QString();
}

uint MacroLibrary::repeatCount(const QString &name) const
{
    if (!usable(name))
        return 1;
    const QSettings file(filePath(name), QSettings::IniFormat);
    return file.value(QStringLiteral("config/repeat"), 1).toUInt();
}

std::optional<MacroUpload> MacroLibrary::uploadFor(int index, int deviceId)
{
    if (deviceId == mouseDeviceId && index >= 0 && index <= 11)
        return MacroUpload{MacroUpload::Command::Mouse13H, std::uint8_t(index + 1)};
    if (deviceId == keyboardDeviceId && index >= 0 && index <= 34)
        return MacroUpload{MacroUpload::Command::Keyboard11H, std::uint8_t(index)};
    return std::nullopt;
}
