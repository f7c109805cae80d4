// The device-setting slots of the view: each hands over to the mouse or
// keyboard setting operations, the press-gun files and operation, or the
// system pointer settings.
#include "backend/bridge/my_qquick_view.h"
#include "backend/feedback/device_feedback.h"
#include "backend/gun/gun_data.h"
#include "backend/pointer/pointer_settings_service.h"
#include "backend/settings/keyboard_settings.h"
#include "backend/settings/mouse_settings.h"
#include "backend/settings/press_gun_operation.h"

QVariantList myQQuickView::getKeydefine(QVariant matrixId)
{
    return mouse->getKeydefine(matrixId);
}

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
    if (!pressGun->z4_0CH_SetPressGun(xOffset, yOffset, times, enable, cursorBack, slot)) {
        deviceFeedback->noteNotSent(0x03);
        deviceFeedback->noteNotSent(0x04);
    }
}

// --- Both devices ---

void myQQuickView::ui_01H_SetReportRate(uchar rate)
{
    mouse->ui_01H_SetReportRate(rate);
}

void myQQuickView::ui_02H_SetCurrentProfile(int profile)
{
    mouse->ui_02H_SetCurrentProfile(profile);
}

QString myQQuickView::ui_80H_GetFWVersion()
{
    return mouse->ui_80H_GetFWVersion();
}

QVariant myQQuickView::ui_81H_GetReportRate()
{
    return mouse->ui_81H_GetReportRate();
}

QVariant myQQuickView::ui_82H_GetCurrentProfile()
{
    return mouse->ui_82H_GetCurrentProfile();
}

// --- Keyboard ---

void myQQuickView::ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    keyboard->ui_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

void myQQuickView::ui_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                               uchar index)
{
    keyboard->ui_04H_SetButtonSensitivity(sens1, sens2, sens3, sens4, index);
}

void myQQuickView::ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
{
    keyboard->ui_07H_SetControlIndicatorLight(effect, frequenty);
}

void myQQuickView::ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light,
                                     uchar color, uchar direction)
{
    keyboard->ui_08H_SetLEDType(option, effect, speed, light, color, direction);
}

void myQQuickView::ui_09H_SetKeyboardMode(uchar mode)
{
    keyboard->ui_09H_SetKeyboardMode(mode);
}

void myQQuickView::ui_0DH_SetKeyMatrix(QVariantList src512)
{
    keyboard->ui_0DH_SetKeyMatrix(src512);
}

void myQQuickView::ui_0EH_SetKeyOnOff(QVariantList src21)
{
    keyboard->ui_0EH_SetKeyOnOff(src21);
}

void myQQuickView::ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src512)
{
    keyboard->ui_12H_SetUserPicture(index, option, src512);
}

void myQQuickView::ui_13H_SetRecoveryData()
{
    keyboard->ui_13H_SetRecoveryData();
}

void myQQuickView::ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
{
    keyboard->ui_14H_SetColor(index, rValue, gValue, bValue);
}

QVariantList myQQuickView::ui_83H_GetKeyboardoption()
{
    return keyboard->ui_83H_GetKeyboardoption();
}

QVariantList myQQuickView::ui_84H_GetButtonSensitivity()
{
    return keyboard->ui_84H_GetButtonSensitivity();
}

QVariantList myQQuickView::ui_88H_GetLEDType()
{
    return keyboard->ui_88H_GetLEDType();
}

QVariant myQQuickView::ui_89H_GetKeyboardMode()
{
    return keyboard->ui_89H_GetKeyboardMode();
}

QVariantList myQQuickView::ui_8DH_GetKeyMatrix()
{
    return keyboard->ui_8DH_GetKeyMatrix();
}

QVariantList myQQuickView::ui_8EH_GetKeyOnOff()
{
    return keyboard->ui_8EH_GetKeyOnOff();
}

QVariantList myQQuickView::ui_91H_GetMacroKey(uchar macroId)
{
    return keyboard->ui_91H_GetMacroKey(macroId);
}

QVariantList myQQuickView::ui_92H_GetUserPicture(uchar index)
{
    return keyboard->ui_92H_GetUserPicture(index);
}

QVariantList myQQuickView::ui_94H_GetColor(uchar index)
{
    return keyboard->ui_94H_GetColor(index);
}

// --- Mouse ---

QVariant myQQuickView::getSensorType()
{
    return mouse->getSensorType();
}

bool myQQuickView::chkIsLogoLedWork()
{
    return mouse->chkIsLogoLedWork();
}

bool myQQuickView::getMsgAns_FoolProofing()
{
    return mouse->getMsgAns_FoolProofing();
}

void myQQuickView::setScrollPinSwap(bool isSwap)
{
    if (!mouse->setScrollPinSwap(isSwap))
        deviceFeedback->noteNotSent(0x03);
}

bool myQQuickView::getScrollPinSwap()
{
    return mouse->getScrollPinSwap();
}

void myQQuickView::ui_0BH_SetCurrentDPIStage(uchar dpiStage)
{
    mouse->ui_0BH_SetCurrentDPIStage(dpiStage);
}

void myQQuickView::ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2,
                                          QVariantList configs)
{
    mouse->ui_0DH_SetRGBLedEffect(effect, option1, option2, configs);
}

void myQQuickView::ui_10H_SetLED8StageColor(uchar type, QVariantList src24)
{
    mouse->ui_10H_SetLED8StageColor(type, src24);
}

void myQQuickView::ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex)
{
    mouse->ui_11H_SetDPISet(dpiStage, src8, valueForIndex);
}

void myQQuickView::ui_12H_SetKeyMatrix(QVariantList src64)
{
    mouse->ui_12H_SetKeyMatrix(src64);
}

QVariant myQQuickView::ui_8BH_GetCurrentDPIStage()
{
    return mouse->ui_8BH_GetCurrentDPIStage();
}

QVariantList myQQuickView::ui_8DH_GetRGBLedEffect()
{
    return mouse->ui_8DH_GetRGBLedEffect();
}

QVariantList myQQuickView::ui_90H_GetLED8StageColor(uchar type)
{
    return mouse->ui_90H_GetLED8StageColor(type);
}

uchar myQQuickView::ui_91H_SyncDPI()
{
    return mouse->ui_91H_SyncDPI();
}

QVariantList myQQuickView::ui_91H_GetDPISet()
{
    return mouse->ui_91H_GetDPISet();
}

QVariantList myQQuickView::ui_92H_GetKeyMatrix()
{
    return mouse->ui_92H_GetKeyMatrix();
}

QVariantList myQQuickView::ui_93H_GetMacroKey(uchar macroId)
{
    return mouse->ui_93H_GetMacroKey(macroId);
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

bool myQQuickView::getAcceleration()
{
    return pointer->getAcceleration();
}

uint myQQuickView::getCursorSpeed()
{
    return pointer->getCursorSpeed();
}

uint myQQuickView::getVerticalScrollLines()
{
    return pointer->getVerticalScrollLines();
}

uint myQQuickView::getDoubleClickSpeed()
{
    return pointer->getDoubleClickSpeed();
}
