// A macro file of any content, read the way the macro page and the upload
// read it, then saved again.
//
// Properties: reads never return more lines than the library's bound; the
// binding is empty or [index, repeat]; the upload blocks have their sizes;
// saving the lines that were read succeeds and they read back unchanged
// from the saved file.

#include "device/command_blocks.h"
#include "fuzz_support.h"
#include "macro/encoder/macro_upload.h"
#include "macro/library/macro_library.h"
#include "storage/settings_file.h"

#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool started = (fuzzsupport::startQt(), true);
    (void)started;
    static QTemporaryDir dir;
    static MacroLibrary library(dir.path());
    const QString name = QStringLiteral("fuzzed");
    fuzzsupport::writeInput(library.filePath(name), data, size);

    // A file over the settings limit is no macro: nothing reads it.
    const bool readable = qint64(size) <= settingsfile::MaxBytes;
    const QStringList lines = library.loadMacroIni(name);
    FUZZ_CHECK(lines.size() <= MacroLibrary::maxLines);
    for (int device : {0, 1}) {
        const QVariantList binding = library.loadMacroIniConfig(name, device);
        FUZZ_CHECK(binding.size() == (readable ? 2 : 0));
    }
    FUZZ_CHECK(mouseUploadBlock(library, 1, name, 1).bytes.size() == mouseblock::kMacroBytes);
    FUZZ_CHECK(keyboardUploadBlock(library, 0, name, 0).bytes.size() == keyboardblock::kMacroBytes);

    const MacroSaveResult saved = library.saveMacroIni(name, lines, 1);
    FUZZ_CHECK(saved.saved == readable);
    if (readable) {
        // QSettings answers from what it wrote until the file changes: the
        // saved bytes are written again, so that they are parsed anew.
        QFile file(library.filePath(name));
        FUZZ_CHECK(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        fuzzsupport::writeInput(file.fileName(), reinterpret_cast<const uint8_t *>(written.data()),
                                size_t(written.size()));
        FUZZ_CHECK(library.loadMacroIni(name) == lines);
    }
    return 0;
}
