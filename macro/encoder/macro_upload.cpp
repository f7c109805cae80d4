#include "macro/encoder/macro_upload.h"

#include "macro/library/macro_library.h"

MacroBlock mouseUploadBlock(const MacroLibrary &library, int macroId, const QString &name,
                            int currentDeviceId)
{
    return MacroEncoder::mouseBlock(macroId, library.loadMacroIni(name), library.repeatCount(name),
                                    currentDeviceId);
}

MacroBlock keyboardUploadBlock(const MacroLibrary &library, int macroId, const QString &name,
                               int currentDeviceId)
{
    return MacroEncoder::keyboardBlock(macroId, library.loadMacroIni(name), currentDeviceId);
}
