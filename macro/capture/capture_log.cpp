#include "macro/capture/capture_log.h"

Q_LOGGING_CATEGORY(lcCapture, "z4.capture", QtInfoMsg)
