#include "backend/i18n/language_catalog.h"

#include "backend/backend_log.h"
#include "backend/i18n/qt4_locale.h"
#include "storage/settings_file.h"

#include <QDebug>
#include <QDir>
#include <QSettings>
#include <algorithm>
#include <cstdint>

namespace {

constexpr int China = 44;
constexpr int Taiwan = 208;

// An unquoted comma makes QSettings read a text as a list; show it as the
// translator wrote it rather than as nothing.
QString textOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

} // namespace

LanguageCatalog::LanguageCatalog(const QString &folder)
    : dir(folder + QLatin1Char('/')), messages(builtInMessages())
{
}

const QStringList &LanguageCatalog::builtInMessages()
{
    static const QStringList english{
        QStringLiteral("MACRO"),
        QStringLiteral("Out of memory, some command lines have been cut."),
        QStringLiteral("BACKGROUND"),
        QStringLiteral("This picture cannot be opened: "),
        QStringLiteral("WARNING"),
        QStringLiteral("This is the only key with the left-button function. Change it anyway?")};
    return english;
}

bool LanguageCatalog::isCode(const QString &langCode)
{
    return langCode.size() == 6 && std::all_of(langCode.begin(), langCode.end(),
                                               [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString LanguageCatalog::filePath(const QString &langCode) const
{
    if (!isCode(langCode))
        return {};
    return dir + QStringLiteral("lang_") + langCode + QStringLiteral(".ini");
}

std::unique_ptr<QSettings> LanguageCatalog::open(const QString &langCode) const
{
    // Anything but six digits, or a file no language file comes near in
    // size, reads as a missing file: a code never leads out of the folder.
    const QString path = filePath(langCode);
    if (path.isEmpty() || !settingsfile::withinLimit(path))
        return std::make_unique<QSettings>(QString(), QSettings::IniFormat);
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

QString LanguageCatalog::displayName(const QString &code)
{
    const int language = code.left(3).toInt();
    const int country = code.right(3).toInt();
    QString name = Qt4Locale::languageName(language).toUpper();
    if (country == China)
        name += QStringLiteral(" (Simp)");
    else if (country == Taiwan)
        name += QStringLiteral(" (Trad)");
    else if (country != 0)
        name += QStringLiteral(" (") + Qt4Locale::countryName(country).toUpper() + QLatin1Char(')');
    return name;
}

QVariantMap LanguageCatalog::chkLanguages() const
{
    QVariantMap languages;
    const QStringList names = QDir(dir).entryList(
        {QStringLiteral("lang_*.ini")}, QDir::Files | QDir::Dirs, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names) {
        const QString code = name.mid(5, 6);
        languages.insert(displayName(code), code);
    }
    return languages;
}

QString LanguageCatalog::checksum(qint64 n)
{
    const auto byte = [](qint64 v) { return QString::number(static_cast<uint8_t>(v)); };
    return byte(n + 74) + byte(n - 69) + byte(70 * n) + byte(n / 70);
}

QStringList LanguageCatalog::getGlobalStrings(const QString &langCode)
{
    const auto opened = open(langCode);
    const QSettings &file = *opened;

    QStringList strings{textOf(file.value(QStringLiteral("font/family")))};
    const int total =
        std::clamp(file.value(QStringLiteral("font/total"), 0).toInt(), 0, MaxStrings);
    qint64 length = 0;
    for (int i = 1; i <= total; ++i) {
        strings.append(textOf(file.value(QStringLiteral("strings/%1").arg(i))));
        length += strings.last().size();
    }

    messages.clear();
    for (int i = 0; i < MessageCount; ++i) {
        const QString text = textOf(file.value(QStringLiteral("msg/%1").arg(i)));
        messages.append(text.isEmpty() ? builtInMessages().at(i) : text);
    }

    // Translators compare this with the file's "font/cs"; a stale value there
    // is not enforced, the strings are used regardless.
    qCDebug(lcConfig) << "cs:" << checksum(length);
    return strings;
}

QStringList LanguageCatalog::getProductLayoutStrings_Z4(const QString &langCode) const
{
    const auto opened = open(langCode);
    const QSettings &file = *opened;
    QStringList names;
    for (int i = 0; i < LayoutPositions; ++i)
        names.append(textOf(file.value(QStringLiteral("Z4_133C6AA/%1").arg(i))));
    return names;
}
