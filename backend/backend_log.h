#pragma once

#include <QLoggingCategory>

// The backend's lines, quiet unless switched on (z4config --verbose, or
// QT_LOGGING_RULES="z4.config.debug=true;z4.sound.debug=true"):
// settings, languages and the system's pointer settings ("cs: ...",
// "setCursorSpeed Failed") ...
Q_DECLARE_LOGGING_CATEGORY(lcConfig)
// ... and the interface sounds.
Q_DECLARE_LOGGING_CATEGORY(lcSound)
