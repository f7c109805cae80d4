#include "app/native_event.h"

bool isDeviceChangeMessage(const QByteArray &, void *)
{
    return false;
}
