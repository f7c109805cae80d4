#include "app/native_event.h"

#include <windows.h>

bool isDeviceChangeMessage(const QByteArray &eventType, void *message)
{
    if (eventType != "windows_generic_MSG")
        return false;
    return static_cast<MSG *>(message)->message == WM_DEVICECHANGE;
}
