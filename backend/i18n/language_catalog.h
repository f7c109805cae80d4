#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <memory>

class QSettings;

// The language files <folder>/lang_<code>.ini, where <code> is a
// Qt 4 language number and a Qt 4 country number, three digits each. Files
// are opened per call; only the message strings of the language read last
// are kept.
class LanguageCatalog
{
public:
    static constexpr int LayoutPositions = 16;
    static constexpr int MessageCount = 6;
    // "font/total" of a corrupt file must not drive an endless loop.
    static constexpr int MaxStrings = 1024;

    explicit LanguageCatalog(const QString &folder);

    // Display name ("ENGLISH", "CHINESE (Simp)") -> code; the map's order
    // (by display name) is the order the settings page lists and stores.
    QVariantMap chkLanguages() const;
    // [font family, string 1, ..., string N]; replaces msgStrings(). Logs the
    // checksum of the strings as `cs: "<checksum>"`.
    QStringList getGlobalStrings(const QString &langCode);
    // Names of the mouse's 16 key positions; empty = no such key.
    QStringList getProductLayoutStrings_Z4(const QString &langCode) const;

    // "msg/0" ... "msg/5" of the language read last. A message the language
    // lacks, and every message before the first language is read, is the
    // built-in English text: a warning box without text tells nothing.
    const QStringList &msgStrings() const { return messages; }
    // Entry `index` of msgStrings(), or an empty text.
    QString msgString(int index) const { return messages.value(index); }
    // The six English message texts.
    static const QStringList &builtInMessages();

    QString languageDir() const { return dir; }
    // Exactly six decimal digits; any other code names no file.
    static bool isCode(const QString &langCode);
    // The file of a code; empty when it is no code.
    QString filePath(const QString &langCode) const;

    static QString displayName(const QString &code);
    // Checksum text over `n`, the total UTF-16 length of the UI strings.
    static QString checksum(qint64 n);

private:
    // The language file of a code, opened; an empty store for anything that
    // is not a code or not a language file.
    std::unique_ptr<QSettings> open(const QString &langCode) const;

    QString dir;
    QStringList messages;
};
