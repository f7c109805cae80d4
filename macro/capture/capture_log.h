#pragma once

#include <QLoggingCategory>

// Key and button capture for the macro and key pages, quiet unless switched
// on (z4config --verbose, or QT_LOGGING_RULES="z4.capture.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcCapture)
