#pragma once

#include <QLoggingCategory>

// The device link's lines ("Device Connect", "cmd Failed 0B", ...): quiet
// unless switched on (z4config --verbose, or QT_LOGGING_RULES="z4.device.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcDevice)
