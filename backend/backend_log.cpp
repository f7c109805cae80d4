#include "backend/backend_log.h"

Q_LOGGING_CATEGORY(lcConfig, "z4.config", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSound, "z4.sound", QtInfoMsg)
