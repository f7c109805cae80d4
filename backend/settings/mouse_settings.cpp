#include "backend/settings/mouse_settings.h"

#include "backend/prompts/user_prompts.h"
#include "backend/settings/key_matrix_set.h"
#include "device/hid_thread.h"

#include <QDebug>
#include <array>

using namespace settingvalues;

namespace {

const QString kReportRateKey = QStringLiteral("sensor/reportRate_Z4");
const QString kStageKey = QStringLiteral("sensor/stage_Z4");
const QString kDpiKey = QStringLiteral("sensor/dpi_Z4");
const QString kColourTypeKey = QStringLiteral("color_Z4/type");
const QString kLedEffectKey = QStringLiteral("color_Z4/ledEffect");
const QString kKeydefineKey = QStringLiteral("keydefine_Z4/");
const QString kKeyboardKeydefineKey = QStringLiteral("keydefine/");
const QString kScrollSwapKey = QStringLiteral("keydefine_Z4/scrollswap");

constexpr int kProfiles = 10;
constexpr int kColourBytes = 24;
constexpr int kLedEffectValues = 3; // effect, brightness, speed
constexpr int kEntryBytes = 4;      // one key of a key matrix
constexpr int kStageBytes = 8;
constexpr int kMacroBytes = 128;
constexpr uchar kScrollSwapBit = 0x40;
// Stage count the sensor page offers when the mouse does not say.
constexpr uchar kDefaultStageCount = 8;

} // namespace

MouseSettings::MouseSettings(Hid_Thread &hid, ProfileAccess profile, SlotRecordSource slotRecords,
                             UserPrompts *prompts, std::function<QStringList()> msgStrings)
    : hid(hid), profile(std::move(profile)), slotRecords(std::move(slotRecords)), prompts(prompts),
      msgStrings(std::move(msgStrings))
{
}

bool MouseSettings::onKeyboard() const
{
    return hid.currentDeviceId() == kKeyboard;
}

bool MouseSettings::onMouse() const
{
    return hid.currentDeviceId() == kMouse;
}

// ------------------------------------------------------------ both devices

void MouseSettings::ui_01H_SetReportRate(uchar rate)
{
    // The keyboard keeps its rate itself; only the mouse's is a profile value.
    if (onMouse())
        live().setValue(kReportRateKey, int(rate));

    hid.hid_01H_SetReportRate(rate);
}

void MouseSettings::ui_02H_SetCurrentProfile(int profileIndex)
{
    if (profileIndex == profile.current())
        return;
    if (profileIndex < 0 || profileIndex >= kProfiles) {
        qDebug("ui_02H_SetCurrentProfile: no profile %d", profileIndex);
        return;
    }
    profile.select(profileIndex);

    // The mouse keeps no profiles of its own: it gets the new profile's
    // values when the pages apply them.
    if (onKeyboard())
        hid.hid_02H_SetCurrentProfile(uchar(profileIndex));
}

QString MouseSettings::ui_80H_GetFWVersion()
{
    QString version;
    hid.hid_80H_GetFWVersion(version);
    return version;
}

QVariant MouseSettings::ui_81H_GetReportRate()
{
    if (onKeyboard()) {
        uchar rate = 0;
        hid.hid_81H_GetReportRate(rate);
        return int(rate);
    }
    return storedByte(live(), kReportRateKey);
}

QVariant MouseSettings::ui_82H_GetCurrentProfile()
{
    uchar current = 0;
    hid.hid_82H_GetCurrentProfile(current);
    return int(current);
}

QVariantList MouseSettings::getKeydefine(const QVariant &matrixId)
{
    if (onMouse())
        return storedList(live(), kKeydefineKey + matrixId.toString(), kEntryBytes);
    if (onKeyboard())
        return storedList(live(), kKeyboardKeydefineKey + matrixId.toString(), kEntryBytes);
    return {};
}

// ------------------------------------------------------------------ mouse

QVariant MouseSettings::getSensorType()
{
    uchar type = 0, option1 = 0, option2 = 0;
    hid.hid_83H_GetFunctionOption(type, option1, option2);
    return int(type);
}

bool MouseSettings::chkIsLogoLedWork()
{
    uchar option1 = 0, option2 = 0, option3 = 0;
    if (!hid.hid_87H_GetLEDInstructFunction(0, option1, option2, option3))
        return false;
    return option1 == 0;
}

bool MouseSettings::getMsgAns_FoolProofing()
{
    if (!prompts)
        return false;
    const QStringList strings = msgStrings ? msgStrings() : QStringList();
    const QString title = QStringLiteral("%1").arg(strings.value(4));
    const QString text = QStringLiteral("%1").arg(strings.value(5));
    return prompts->askOkCancel(title, text);
}

void MouseSettings::setScrollPinSwap(bool isSwap)
{
    live().setValue(kScrollSwapKey, isSwap);

    // 03H writes all four option bytes: send back what the mouse holds with
    // only the swap bit changed.
    uchar type = 0, option1 = 0, option2 = 0, rate = 0;
    hid.hid_83H_GetFunctionOption(type, option1, option2);
    hid.hid_81H_GetReportRate(rate);
    if (isSwap)
        option1 |= kScrollSwapBit;
    else
        option1 &= uchar(~kScrollSwapBit);
    hid.hid_03H_SetFunctionOption(type, rate, option1, option2);
}

bool MouseSettings::getScrollPinSwap()
{
    return live().value(kScrollSwapKey, false).toBool();
}

void MouseSettings::ui_0BH_SetCurrentDPIStage(uchar dpiStage)
{
    live().setValue(kStageKey, int(dpiStage));

    hid.hid_0BH_SetCurrentDPIStage(dpiStage);
}

void MouseSettings::ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2,
                                           const QVariantList &configs)
{
    live().setValue(kLedEffectKey, configs);

    hid.hid_0DH_SetRGBLedEffect(effect, option1, option2);
}

void MouseSettings::ui_10H_SetLED8StageColor(uchar type, const QVariantList &src24)
{
    live().setValue(kColourTypeKey + QString::number(type), src24);

    std::vector<uchar> block = bytesOf(src24, kColourBytes);
    if (type == 2) {
        // Stage colour indices travel as nibbles: stage 2k+1 low, 2k+2 high.
        std::array<uchar, kColourBytes> packed{};
        for (size_t k = 0; k < 4; ++k)
            packed[k] = uchar((block[2 * k] & 0x0F) | (block[2 * k + 1] << 4));
        hid.hid_10H_SetLED8StageColor(type, packed.data());
        return;
    }
    hid.hid_10H_SetLED8StageColor(type, block.data());
}

void MouseSettings::ui_11H_SetDPISet(uchar dpiStage, const QVariantList &src8,
                                     const QVariantList &valueForIndex)
{
    live().setValue(kDpiKey, valueForIndex);

    std::vector<uchar> stages = bytesOf(src8, kStageBytes);
    hid.hid_11H_SetDPISet(dpiStage, stages.data());
}

void MouseSettings::ui_12H_SetKeyMatrix(const QVariantList &src64)
{
    std::array<keymatrix::SlotRecord, 3> gunSlots{};
    for (int slot = 0; slot < 3; ++slot) {
        if (slotRecords)
            gunSlots[size_t(slot)] = keymatrix::slotRecordFrom(slotRecords(slot));
    }

    recordKeys(live(), kKeydefineKey, src64, keymatrix::kEntries);

    // Each 12H waits for the link, so the matrices reach the mouse in
    // index order.
    QList<keymatrix::Matrix> matrices =
        keymatrix::buildMatrices(keymatrix::fromPage(src64), gunSlots);
    for (qsizetype i = 0; i < matrices.size(); ++i)
        hid.hid_12H_SetKeyMatrix(matrices[i].data(), uchar(i + 1));
}

QVariant MouseSettings::ui_8BH_GetCurrentDPIStage()
{
    return storedByte(live(), kStageKey);
}

QVariantList MouseSettings::ui_8DH_GetRGBLedEffect()
{
    return storedUIntList(live(), kLedEffectKey, kLedEffectValues);
}

QVariantList MouseSettings::ui_90H_GetLED8StageColor(uchar type)
{
    // Palette and stage colours are 8 x RGB; type 2 holds 8 colour indices.
    return storedUIntList(live(), kColourTypeKey + QString::number(type),
                          type == 2 ? kStageBytes : kColourBytes);
}

uchar MouseSettings::ui_91H_SyncDPI()
{
    uchar stageCount = 0;
    std::array<uchar, kStageBytes> stages{};
    if (!hid.hid_91H_GetDPISet(stageCount, stages.data()))
        return kDefaultStageCount;
    return stageCount;
}

QVariantList MouseSettings::ui_91H_GetDPISet()
{
    return storedList(live(), kDpiKey, kStageBytes);
}

QVariantList MouseSettings::ui_92H_GetKeyMatrix()
{
    keymatrix::Matrix matrix{};
    hid.hid_92H_GetKeyMatrix(matrix.data());
    return intList(matrix.data(), int(matrix.size()));
}

QVariantList MouseSettings::ui_93H_GetMacroKey(uchar macroId)
{
    std::array<uchar, kMacroBytes> block{};
    hid.hid_93H_GetMacroKey(macroId, block.data());
    return intList(block.data(), int(block.size()));
}
