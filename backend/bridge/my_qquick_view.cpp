#include "backend/bridge/my_qquick_view.h"

#include "backend/config/config_store.h"
#include "backend/feedback/device_feedback.h"
#include "backend/gun/gun_data.h"
#include "backend/i18n/language_catalog.h"
#include "backend/prompts/user_prompts.h"
#include "backend/settings/press_gun_operation.h"
#include "backend/settings/setting_values.h"
#include "backend/sound/sound_player.h"
#include "macro/library/macro_library.h"
#include "macro/picture/custom_picture.h"

#include <QQuickItem>
#include <array>

myQQuickView::myQQuickView(QWidget *parent, Hid_Thread *hidThread, const DataLocations &locations)
    : QQuickWidget(parent), hidThread(hidThread), locations(locations),
      userPrompts(std::make_unique<WidgetPrompts>(this)),
      config(std::make_unique<ConfigStore>(locations)),
      deviceFeedback(new DeviceFeedback(*hidThread, this)),
      languages(std::make_unique<LanguageCatalog>(locations.languageDir())),
      sound(new SoundPlayer(locations.mediaDir(), this)),
      pointer(std::make_unique<PointerSettingsService>(
          [this]() -> QSettings & { return config->liveProfile(); })),
      gunData(std::make_unique<GunData>(locations.gunDir())),
      macros(std::make_unique<MacroLibrary>(locations.macroDir()))
{
    setResizeMode(QQuickWidget::SizeViewToRootObject);
    setAttribute(Qt::WA_AlwaysStackOnTop);
    setClearColor(Qt::transparent);

    // Product names and secrecy codes of the device table come from the
    // application settings.
    hidThread->setConfigSource(config.get());

    connect(deviceFeedback, &DeviceFeedback::statusChanged, this,
            [this](const QVariantMap &status) { invokeRoot("setDeviceStatus", {status}); });
    connect(deviceFeedback, &DeviceFeedback::notice, this,
            [this](const QVariantMap &notice) { invokeRoot("showNotice", {notice}); });

    buildMouseSettings();
    keyboard = std::make_unique<KeyboardSettings>(
        *hidThread, [this]() -> QSettings & { return config->liveProfile(); });
    pressGun = std::make_unique<PressGunOperation>(*hidThread);
}

myQQuickView::~myQQuickView()
{
    config->sync();
}

std::unique_ptr<UserPrompts> myQQuickView::setPrompts(std::unique_ptr<UserPrompts> prompts)
{
    std::swap(userPrompts, prompts);
    buildMouseSettings();
    return prompts;
}

void myQQuickView::buildMouseSettings()
{
    ProfileAccess profile{[this]() -> QSettings & { return config->liveProfile(); },
                          [this] { return config->currentProfile(); },
                          [this](int index) { config->setCurrentProfile(index); }};
    mouse = std::make_unique<MouseSettings>(
        *hidThread, profile, [this](int slot) { return gunData->getSelGundata(slot); },
        userPrompts.get(), [this] { return msgStrings(); });
}

void myQQuickView::setSystemPointerSettings(std::unique_ptr<PointerSettings> system)
{
    pointer = std::make_unique<PointerSettingsService>(
        [this]() -> QSettings & { return config->liveProfile(); }, std::move(system));
}

QStringList myQQuickView::msgStrings() const
{
    return languages->msgStrings();
}

QString myQQuickView::windowTitleSetting() const
{
    return config->windowTitle();
}

int myQQuickView::currentDeviceId() const
{
    return hidThread->currentDeviceId();
}

void myQQuickView::invokeRoot(const char *function, const QVariantList &args)
{
    QQuickItem *root = rootObject();
    if (!root)
        return;
    // The root's functions are untyped: every argument travels as a QVariant.
    QGenericArgument a[4];
    for (int i = 0; i < args.size() && i < 4; ++i)
        a[i] = Q_ARG(QVariant, args[i]);
    QMetaObject::invokeMethod(root, function, Qt::QueuedConnection, a[0], a[1], a[2], a[3]);
}

// The profile menu's name of a profile index: "P01" ... "P10".
QString myQQuickView::profileLabel(int profile)
{
    return QStringLiteral("P%1").arg(profile + 1, 2, 10, QLatin1Char('0'));
}

void myQQuickView::fileNotSaved(const QString &title, const QString &text, const QString &error)
{
    deviceFeedback->noteFileNotSaved(error.isEmpty() ? text : error);
    userPrompts->failure(title, text);
}

// --- Bridge ---

void myQQuickView::initUI()
{
    invokeRoot("initUI", {});
}

void myQQuickView::runUI()
{
    invokeRoot("run", {});
}

void myQQuickView::detectKeyboard(bool isDown, uchar usbCode)
{
    invokeRoot("detectKeyboard", {isDown, int(usbCode)});
}

void myQQuickView::detectMouse(bool isDown, uint code, uint x, uint y)
{
    invokeRoot("detectMouse", {isDown, code, x, y});
}

void myQQuickView::syncFW()
{
    // Only the keyboard keeps pictures that the profile mirrors.
    if (currentDeviceId() != kKeyboardDevice)
        return;
    for (uchar index = 0; index < 5; ++index) {
        std::array<uchar, keyboardblock::kPictureBytes> picture{};
        hidThread->hid_92H_GetUserPicture(index, picture.data());
        // A picture that could not be read keeps what the profile holds.
        if (!hidThread->lastGetOutcome().ok())
            continue;
        config->liveProfile().setValue(KeyboardSettings::userPictureKey(index),
                                       settingvalues::intList(picture.data(), int(picture.size())));
    }
}

// --- Feedback ---

QVariantMap myQQuickView::deviceStatus()
{
    return deviceFeedback->status();
}

void myQQuickView::beginAction(QString action)
{
    deviceFeedback->beginAction(action);
}

void myQQuickView::endAction()
{
    // Settings are written when the action has recorded them, so that a
    // folder that cannot be written is told with the action's outcome.
    if (deviceFeedback->inAction())
        checkSettingsSaved();
    deviceFeedback->endAction();
}

void myQQuickView::retryFailed()
{
    deviceFeedback->retry();
}

bool myQQuickView::confirm(QString title, QString text)
{
    return userPrompts->askOkCancel(title, text);
}

bool myQQuickView::checkSettingsSaved()
{
    const QStringList unsaved = config->syncAndListUnsaved();
    for (const QString &path : unsaved)
        deviceFeedback->noteFileNotSaved(path);
    return unsaved.isEmpty();
}

// --- Sound ---

void myQQuickView::setEnableAudio(bool isEnable)
{
    sound->setEnabled(isEnable);
}

void myQQuickView::playMedia_Index(uchar index)
{
    sound->play(index);
}

void myQQuickView::playMedia_Background()
{
    sound->playBackground();
}

void myQQuickView::clearAllMedia()
{
    sound->stopAll();
}

// --- Application settings ---

void myQQuickView::saveApConfig(QVariantList apConfigs)
{
    config->saveApConfig(apConfigs);
    checkSettingsSaved();
}

QVariantList myQQuickView::loadApConfig()
{
    return config->loadApConfig();
}

QVariantList myQQuickView::loadDeviceApConfig()
{
    return config->loadDeviceApConfig();
}

void myQQuickView::resetApconfig()
{
    QString error;
    if (!config->resetApconfig(&error))
        fileNotSaved(tr("SETTINGS"), tr("The settings were not reset: %1").arg(error), error);
}

// --- Skin and pictures ---

bool myQQuickView::getIsSkinShow()
{
    return CustomPicture::isSkinShow(locations.imageDir());
}

QString myQQuickView::getCustomFilePath()
{
    const QString chosen = userPrompts->openFileName(
        tr("Open File"), CustomPicture::picturesFolder(), tr("Image Files(*.png)"));
    const CustomPicture::Choice choice = CustomPicture::checkChosenPicture(chosen);
    if (choice.warn) {
        const QStringList msg = msgStrings();
        userPrompts->warning(tr("%1").arg(msg.value(2)),
                             QStringLiteral("%1%2").arg(msg.value(3), chosen));
    }
    return choice.path;
}

// --- Profiles ---

QVariantList myQQuickView::loadDefaultProfile(uchar uiPageId)
{
    return config->loadDefaultProfile(uiPageId);
}

void myQQuickView::loadProfile(int profile)
{
    const QString source =
        userPrompts->openFileName(tr("Open File"), UserPrompts::startFolder(), tr("Profile(*.pf)"));
    QString error;
    if (!source.isEmpty() && !config->loadProfile(profile, source, &error))
        fileNotSaved(tr("PROFILE"), tr("%1 was not imported: %2").arg(profileLabel(profile), error),
                     error);
}

void myQQuickView::saveProfile(int profile)
{
    const QString target = userPrompts->saveFileName(
        tr("Save File"), UserPrompts::startFolder(profileLabel(profile) + QStringLiteral(".pf")),
        tr("Profile(*.pf)"));
    QString error;
    if (!target.isEmpty() && !config->saveProfile(profile, target, &error))
        fileNotSaved(tr("PROFILE"), tr("%1 was not exported: %2").arg(profileLabel(profile), error),
                     error);
}

void myQQuickView::resetProfile(int profile)
{
    QString error;
    if (!config->resetProfile(profile, &error))
        fileNotSaved(tr("PROFILE"), tr("%1 was not reset: %2").arg(profileLabel(profile), error),
                     error);
}

// --- Languages ---

QVariantMap myQQuickView::chkLanguages()
{
    return languages->chkLanguages();
}

QStringList myQQuickView::getGlobalStrings(QString langCode)
{
    return languages->getGlobalStrings(langCode);
}

QStringList myQQuickView::getProductLayoutStrings_Z4(QString langCode)
{
    return languages->getProductLayoutStrings_Z4(langCode);
}
