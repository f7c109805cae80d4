#pragma once

#include "macro/encoder/macro_encoder.h"

#include <QString>

class MacroLibrary;

// The blocks that the two upload operations send for a stored macro: the
// lines come from the library file, the mouse block's play count from its
// "config/repeat". A macro that does not exist gives header and end only,
// which clears the slot on the device.
MacroBlock mouseUploadBlock(const MacroLibrary &library, int macroId, const QString &name,
                            int currentDeviceId);
MacroBlock keyboardUploadBlock(const MacroLibrary &library, int macroId, const QString &name,
                               int currentDeviceId);
