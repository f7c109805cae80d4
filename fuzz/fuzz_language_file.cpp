// A language file of any content, read the way the global settings page
// reads it when the language is chosen, and listed with the others.
//
// Properties: the string table holds the font family and at most the bound
// of strings; there are always six message strings and sixteen layout names.

#include "backend/i18n/language_catalog.h"
#include "fuzz_support.h"

#include <QDir>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool started = (fuzzsupport::startQt(), true);
    (void)started;
    static QTemporaryDir root;
    static LanguageCatalog catalog(root.path());
    static const bool made = QDir().mkpath(catalog.languageDir());
    (void)made;
    const QString code = QStringLiteral("031000");
    fuzzsupport::writeInput(catalog.filePath(code), data, size);

    FUZZ_CHECK(catalog.chkLanguages().size() == 1);
    const QStringList strings = catalog.getGlobalStrings(code);
    FUZZ_CHECK(!strings.isEmpty() && strings.size() <= LanguageCatalog::MaxStrings + 1);
    FUZZ_CHECK(catalog.msgStrings().size() == LanguageCatalog::MessageCount);
    FUZZ_CHECK(catalog.getProductLayoutStrings_Z4(code).size() == LanguageCatalog::LayoutPositions);
    return 0;
}
