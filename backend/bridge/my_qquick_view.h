#pragma once

#include "backend/pointer/pointer_settings_service.h"
#include "backend/settings/keyboard_settings.h"
#include "backend/settings/mouse_settings.h"
#include "device/command_call.h"
#include "device/hid_thread.h"
#include "storage/data_locations.h"

#include <QList>
#include <QQuickWidget>
#include <QStringList>
#include <QVariant>
#include <memory>

class ConfigStore;
class DeviceFeedback;
class GunData;
class LanguageCatalog;
class MacroLibrary;
class PointerSettings;
class PressGunOperation;
class SoundPlayer;
class UserPrompts;

using uchar = unsigned char;

// The QML's backend API ("ui_View"). Each slot hands its work to a focused
// class that can be used without a window (settings stores, languages,
// sound, pointer settings, press gun, macro library and encoder, mouse and
// keyboard setting operations, the device link); the slots keep the names
// and argument lists the QML calls them by. A slot that only hands over is
// defined here; those that do more are in my_qquick_view*.cpp. Everything
// runs on the GUI thread.
class myQQuickView : public QQuickWidget
{
    Q_OBJECT
    // Where the scene finds the skin pictures: "<imageFolderUrl>skin<N>/...".
    Q_PROPERTY(QString imageFolderUrl READ imageFolderUrl CONSTANT)

public:
    // The view keeps its files where `locations` says.
    myQQuickView(QWidget *parent, Hid_Thread *hidThread, const DataLocations &locations);
    ~myQQuickView() override;

    Hid_Thread *hidThread;

    // Seams for tests: dialogs and message boxes, the system's pointer
    // settings.
    // Returns the prompts in use before, so that they can be put back.
    std::unique_ptr<UserPrompts> setPrompts(std::unique_ptr<UserPrompts> prompts);
    UserPrompts &prompts() const { return *userPrompts; }
    void setSystemPointerSettings(std::unique_ptr<PointerSettings> system);

    ConfigStore &configStore() const { return *config; }
    DeviceFeedback &feedback() const { return *deviceFeedback; }
    SoundPlayer &soundPlayer() const { return *sound; }
    QStringList msgStrings() const;

    // "common/name" of the application settings: the host window's title.
    QString windowTitleSetting() const;

    const DataLocations &dataLocations() const { return locations; }
    QString imageFolderUrl() const { return locations.imageFolderUrl(); }

    // Called by the global input capture; forwarded to the QML root, queued.
    void detectKeyboard(bool isDown, uchar usbCode);
    void detectMouse(bool isDown, uint code, uint x, uint y);

public slots:
    // Bridge.
    void syncFW();
    void initUI();
    void runUI();

    // Feedback: the mouse's status, the outcome of the user's actions, and
    // questions before work is thrown away. The backend calls the root's
    // "setDeviceStatus(status)" and "showNotice(notice)" (queued) with the
    // maps DeviceFeedback describes.
    QVariantMap deviceStatus();
    void beginAction(QString action);
    void endAction();
    void retryFailed();
    bool confirm(QString title, QString text);

    // Sound.
    void setEnableAudio(bool isEnable);
    void playMedia_Index(uchar index);
    void playMedia_Background();
    void clearAllMedia();

    // Application settings.
    void saveApConfig(QVariantList apConfigs);
    QVariantList loadApConfig();
    QVariantList loadDeviceApConfig();
    void resetApconfig();

    // Skin and pictures.
    bool getIsSkinShow();
    QString getCustomFilePath();

    // Profiles.
    QVariantList loadDefaultProfile(uchar uiPageId);
    void loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile);

    // Macro files.
    QVariant loadMacroIniFromFile();
    void saveMacroIniToFile(QVariant name);
    void renameMacroIniFile(QVariant oldName, QVariant newName);
    QVariant createMacroIni();
    QVariant deleteMacroIni(QVariant name);
    QStringList getMacroIniNames();
    QVariant saveMacroIni(QVariant name, QStringList macros);
    QStringList loadMacroIni(QVariant name);
    QVariantList loadMacroIniConfig(QVariant name);
    void setMacroIniConfig(QVariant name, QVariantList config);

    // Languages.
    QVariantMap chkLanguages();
    QStringList getGlobalStrings(QString langCode);
    QStringList getProductLayoutStrings_Z4(QString langCode);

    // Key definitions.
    QVariantList getKeydefine(QVariant matrixId) { return mouse->keyDefinition(matrixId); }

    // Macro encoding and upload.
    QList<uchar> macroIncode(QStringList macros);
    void ui_11H_SetMacroKey(QVariant macroId, QVariant name);
    void ui_13H_SetMacroKey(QVariant macroId, QVariant name);

    // Press gun.
    void saveGundata(QVariant gameNo, QVariantList gunData);
    void saveSelGundata(QVariant selGun, QVariantList gunData);
    QVariantList getGundata(QVariant gameNo);
    QVariantList getSelGundata(QVariant selGun);
    void z4_0CH_SetPressGun(uchar xOffset, uchar yOffset, uchar times, uchar enable,
                            uchar cursorBack, uchar slot);

    // Device settings, both devices.
    void ui_01H_SetReportRate(uchar rate) { mouse->setReportRate(rate); }
    void ui_02H_SetCurrentProfile(int profile) { mouse->selectProfile(profile); }
    QString ui_80H_GetFWVersion() { return read(cmd::mouse(0x80)).value(0).toString(); }
    QVariant ui_81H_GetReportRate() { return mouse->reportRate(); }
    QVariant ui_82H_GetCurrentProfile() { return read(cmd::mouse(0x82)).value(0); }

    // Device settings, keyboard. Device reads hand back zeros when they fail.
    void ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
    {
        hidThread->hid_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
    }
    void ui_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                     uchar index)
    {
        hidThread->hid_04H_SetButtonSensitivity(sens1, sens2, sens3, sens4, index);
    }
    void ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
    {
        hidThread->hid_07H_SetControlIndicatorLight(effect, frequenty);
    }
    void ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                           uchar direction)
    {
        keyboard->setLedType(option, effect, speed, light, color, direction);
    }
    void ui_09H_SetKeyboardMode(uchar mode) { hidThread->hid_09H_SetKeyboardMode(mode); }
    void ui_0DH_SetKeyMatrix(QVariantList src512) { keyboard->setKeyMatrix(src512); }
    void ui_0EH_SetKeyOnOff(QVariantList src21) { keyboard->setKeyOnOff(src21); }
    void ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src512)
    {
        keyboard->setUserPicture(index, option, src512);
    }
    void ui_13H_SetRecoveryData() { hidThread->hid_13H_SetRecoveryData(); }
    void ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
    {
        keyboard->setColour(index, rValue, gValue, bValue);
    }
    QVariantList ui_83H_GetKeyboardoption() { return read(cmd::keyboard(0x83)); }
    QVariantList ui_84H_GetButtonSensitivity() { return read(cmd::keyboard(0x84)); }
    QVariantList ui_88H_GetLEDType() { return keyboard->ledType(); }
    QVariant ui_89H_GetKeyboardMode() { return read(cmd::keyboard(0x89)).value(0); }
    QVariantList ui_8DH_GetKeyMatrix() { return read(cmd::keyboard(0x8D)); }
    QVariantList ui_8EH_GetKeyOnOff() { return read(cmd::keyboard(0x8E)); }
    QVariantList ui_91H_GetMacroKey(uchar macroId) { return read(cmd::keyboard(0x91), {macroId}); }
    QVariantList ui_92H_GetUserPicture(uchar index) { return keyboard->userPicture(index); }
    QVariantList ui_94H_GetColor(uchar index) { return keyboard->colour(index); }

    // Device settings, mouse.
    QVariant getSensorType() { return read(cmd::mouse(0x83)).value(0); }
    bool chkIsLogoLedWork() { return mouse->logoLedWorks(); }
    bool getMsgAns_FoolProofing() { return mouse->confirmLeftButtonChange(); }
    void setScrollPinSwap(bool isSwap);
    bool getScrollPinSwap() { return mouse->scrollSwap(); }
    void ui_0BH_SetCurrentDPIStage(uchar dpiStage) { mouse->setCurrentDpiStage(dpiStage); }
    void ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2, QVariantList configs)
    {
        mouse->setLedEffect(effect, option1, option2, configs);
    }
    void ui_10H_SetLED8StageColor(uchar type, QVariantList src24)
    {
        mouse->setColours(type, src24);
    }
    void ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex)
    {
        mouse->setDpiStages(dpiStage, src8, valueForIndex);
    }
    void ui_12H_SetKeyMatrix(QVariantList src64) { mouse->setKeyMatrix(src64); }
    QVariant ui_8BH_GetCurrentDPIStage() { return mouse->currentDpiStage(); }
    QVariantList ui_8DH_GetRGBLedEffect() { return mouse->ledEffect(); }
    QVariantList ui_90H_GetLED8StageColor(uchar type) { return mouse->colours(type); }
    uchar ui_91H_SyncDPI() { return mouse->stageCount(); }
    QVariantList ui_91H_GetDPISet() { return mouse->dpiValues(); }
    QVariantList ui_92H_GetKeyMatrix() { return read(cmd::mouse(0x92)); }
    QVariantList ui_93H_GetMacroKey(uchar macroId) { return read(cmd::mouse(0x93), {macroId}); }

    // System pointer settings.
    void setAcceleration(bool acceleration);
    void setCursorSpeed(uint cursorSpeed);
    void setVerticalScrollLines(uint lines);
    void setDoubleClickSpeed(uint speed);
    bool getAcceleration() { return pointer->acceleration(); }
    uint getCursorSpeed() { return pointer->cursorSpeed(); }
    uint getVerticalScrollLines() { return pointer->verticalScrollLines(); }
    uint getDoubleClickSpeed() { return pointer->doubleClickSpeed(); }

private:
    // A device read's outputs, in order; zeros when the read fails.
    QVariantList read(const cmd::Command &command, std::initializer_list<uchar> inputs = {})
    {
        return CommandCall::read(*hidThread, command, inputs);
    }
    void invokeRoot(const char *function, const QVariantList &args);
    static QString profileLabel(int profile);
    // A file the user asked for was not written (the old one is kept): the
    // window's notice names it, a run without a window prints why.
    void fileNotSaved(const QString &title, const QString &text, const QString &error);
    void buildMouseSettings();
    // Writes pending settings and tells the user about files that could not
    // be written; false when there were any.
    bool checkSettingsSaved();
    int currentDeviceId() const;

    DataLocations locations;
    std::unique_ptr<UserPrompts> userPrompts;
    std::unique_ptr<ConfigStore> config;
    DeviceFeedback *deviceFeedback; // child object
    std::unique_ptr<LanguageCatalog> languages;
    SoundPlayer *sound; // child object
    std::unique_ptr<PointerSettingsService> pointer;
    std::unique_ptr<GunData> gunData;
    std::unique_ptr<MacroLibrary> macros;
    std::unique_ptr<MouseSettings> mouse;
    std::unique_ptr<KeyboardSettings> keyboard;
    std::unique_ptr<PressGunOperation> pressGun;
};
