#include "device/device_log.h"

Q_LOGGING_CATEGORY(lcDevice, "z4.device", QtInfoMsg)
