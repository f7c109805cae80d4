#pragma once

#include <QList>
#include <QQuickWidget>
#include <QStringList>
#include <QVariant>
#include <memory>

class ConfigStore;
class GunData;
class Hid_Thread;
class KeyboardSettings;
class LanguageCatalog;
class MacroLibrary;
class MouseSettings;
class PointerSettings;
class PointerSettingsService;
class PressGunOperation;
class SoundPlayer;
class UserPrompts;

using uchar = unsigned char;

// The QML's backend API ("ui_View"). Each slot hands its work to a focused
// class that can be used without a window (settings stores, languages,
// sound, pointer settings, press gun, macro library and encoder, mouse and
// keyboard setting operations); the slots keep the names and argument lists
// the QML calls them by. Everything runs on the GUI thread.
class myQQuickView : public QQuickWidget
{
    Q_OBJECT

public:
    // The view keeps its files under "./modules/" of the working directory.
    myQQuickView(QWidget *parent, Hid_Thread *hidThread);
    ~myQQuickView() override;

    Hid_Thread *hidThread;

    // Seams for tests: dialogs and message boxes, the system's pointer
    // settings.
    void setPrompts(std::unique_ptr<UserPrompts> prompts);
    UserPrompts &prompts() const { return *userPrompts; }
    void setSystemPointerSettings(std::unique_ptr<PointerSettings> system);

    ConfigStore &configStore() const { return *config; }
    SoundPlayer &soundPlayer() const { return *sound; }
    QStringList msgStrings() const;

    // "common/name" of the application settings: the host window's title.
    QString windowTitleSetting() const;

    // Called by the global input capture; forwarded to the QML root, queued.
    void detectKeyboard(bool isDown, uchar usbCode);
    void detectMouse(bool isDown, uint code, uint x, uint y);

public slots:
    // Bridge.
    void syncFW();
    void initUI();
    void runUI();

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
    QVariantList getKeydefine(QVariant matrixId);

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
    void ui_01H_SetReportRate(uchar rate);
    void ui_02H_SetCurrentProfile(int profile);
    QString ui_80H_GetFWVersion();
    QVariant ui_81H_GetReportRate();
    QVariant ui_82H_GetCurrentProfile();

    // Device settings, keyboard.
    void ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void ui_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                     uchar index);
    void ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty);
    void ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                           uchar direction);
    void ui_09H_SetKeyboardMode(uchar mode);
    void ui_0DH_SetKeyMatrix(QVariantList src512);
    void ui_0EH_SetKeyOnOff(QVariantList src21);
    void ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src512);
    void ui_13H_SetRecoveryData();
    void ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue);
    QVariantList ui_83H_GetKeyboardoption();
    QVariantList ui_84H_GetButtonSensitivity();
    QVariantList ui_88H_GetLEDType();
    QVariant ui_89H_GetKeyboardMode();
    QVariantList ui_8DH_GetKeyMatrix();
    QVariantList ui_8EH_GetKeyOnOff();
    QVariantList ui_91H_GetMacroKey(uchar macroId);
    QVariantList ui_92H_GetUserPicture(uchar index);
    QVariantList ui_94H_GetColor(uchar index);

    // Device settings, mouse.
    QVariant getSensorType();
    bool chkIsLogoLedWork();
    bool getMsgAns_FoolProofing();
    void setScrollPinSwap(bool isSwap);
    bool getScrollPinSwap();
    void ui_0BH_SetCurrentDPIStage(uchar dpiStage);
    void ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2, QVariantList configs);
    void ui_10H_SetLED8StageColor(uchar type, QVariantList src24);
    void ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex);
    void ui_12H_SetKeyMatrix(QVariantList src64);
    QVariant ui_8BH_GetCurrentDPIStage();
    QVariantList ui_8DH_GetRGBLedEffect();
    QVariantList ui_90H_GetLED8StageColor(uchar type);
    uchar ui_91H_SyncDPI();
    QVariantList ui_91H_GetDPISet();
    QVariantList ui_92H_GetKeyMatrix();
    QVariantList ui_93H_GetMacroKey(uchar macroId);

    // System pointer settings.
    void setAcceleration(bool acceleration);
    void setCursorSpeed(uint cursorSpeed);
    void setVerticalScrollLines(uint lines);
    void setDoubleClickSpeed(uint speed);
    bool getAcceleration();
    uint getCursorSpeed();
    uint getVerticalScrollLines();
    uint getDoubleClickSpeed();

private:
    void invokeRoot(const char *function, const QVariantList &args);
    static QString profileLabel(int profile);
    void buildMouseSettings();
    int currentDeviceId() const;

    std::unique_ptr<UserPrompts> userPrompts;
    std::unique_ptr<ConfigStore> config;
    std::unique_ptr<LanguageCatalog> languages;
    SoundPlayer *sound; // child object
    std::unique_ptr<PointerSettingsService> pointer;
    std::unique_ptr<GunData> gunData;
    std::unique_ptr<MacroLibrary> macros;
    std::unique_ptr<MouseSettings> mouse;
    std::unique_ptr<KeyboardSettings> keyboard;
    std::unique_ptr<PressGunOperation> pressGun;
};
