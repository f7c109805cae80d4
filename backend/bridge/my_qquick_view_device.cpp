// The device-setting slots of the view that do more than hand over: the
// press-gun files and operation, and the sets whose failure the user is
// told about. The other device slots are defined in the header.
#include "backend/bridge/my_qquick_view.h"
#include "backend/feedback/device_feedback.h"
#include "backend/gun/gun_data.h"
#include "backend/settings/press_gun_operation.h"

// --- Press gun ---

void myQQuickView::saveGundata(QVariant gameNo, QVariantList gunData_)
{
    gunData->saveGundata(gameNo, gunData_);
}

void myQQuickView::saveSelGundata(QVariant selGun, QVariantList gunData_)
{
    gunData->saveSelGundata(selGun, gunData_);
}

QVariantList myQQuickView::getGundata(QVariant gameNo)
{
    return gunData->getGundata(gameNo);
}

QVariantList myQQuickView::getSelGundata(QVariant selGun)
{
    return gunData->getSelGundata(selGun);
}

void myQQuickView::z4_0CH_SetPressGun(uchar xOffset, uchar yOffset, uchar times, uchar enable,
                                      uchar cursorBack, uchar slot)
{
    if (!pressGun->send(xOffset, yOffset, times, enable, cursorBack, slot)) {
        deviceFeedback->noteNotSent(0x03);
        deviceFeedback->noteNotSent(0x04);
    }
}

// --- Mouse ---

void myQQuickView::setScrollPinSwap(bool isSwap)
{
    if (!mouse->setScrollSwap(isSwap))
        deviceFeedback->noteNotSent(0x03);
}

// --- System pointer settings ---

void myQQuickView::setAcceleration(bool acceleration)
{
    if (!pointer->setAcceleration(acceleration))
        deviceFeedback->notePointerFailed(QStringLiteral("acceleration"));
}

void myQQuickView::setCursorSpeed(uint cursorSpeed)
{
    if (!pointer->setCursorSpeed(cursorSpeed))
        deviceFeedback->notePointerFailed(QStringLiteral("cursorSpeed"));
}

void myQQuickView::setVerticalScrollLines(uint lines)
{
    if (!pointer->setVerticalScrollLines(lines))
        deviceFeedback->notePointerFailed(QStringLiteral("verticalScrollLines"));
}

void myQQuickView::setDoubleClickSpeed(uint speed)
{
    if (!pointer->setDoubleClickSpeed(speed))
        deviceFeedback->notePointerFailed(QStringLiteral("doubleClickSpeed"));
}
