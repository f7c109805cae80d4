#include "backend/settings/mouse_settings.h"

#include "backend/backend_log.h"
#include "backend/config/config_store.h"
#include "backend/prompts/user_prompts.h"
#include "backend/settings/key_matrix_set.h"
#include "backend/settings/keyboard_settings.h"
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
const QString kScrollSwapKey = QStringLiteral("keydefine_Z4/scrollswap");

// Lengths of the stored lists a page reads back: longer lists in a damaged
// or foreign profile are cut to these.
constexpr int kLedEffectValues = 3; // effect, brightness, speed
constexpr int kEntryBytes = 4;      // one key of a key matrix
constexpr int kStageValues = 8;     // DPI stages, stage colour indices
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
    return hid.currentDeviceId() == kKeyboardDevice;
}

bool MouseSettings::onMouse() const
{
    return hid.currentDeviceId() == kMouseDevice;
}

// ------------------------------------------------------------ both devices

void MouseSettings::setReportRate(uchar rate)
{
    if (onMouse())
        live().setValue(kReportRateKey, int(rate));

    hid.hid_01H_SetReportRate(rate);
}

QVariant MouseSettings::reportRate()
{
    if (onKeyboard()) {
        uchar rate = 0;
        hid.hid_81H_GetReportRate(rate);
        return int(rate);
    }
    return storedByte(live(), kReportRateKey);
}

void MouseSettings::selectProfile(int index)
{
    if (index == profile.current())
        return;
    if (index < 0 || index >= ConfigStore::ProfileCount) {
        qCDebug(lcConfig, "ui_02H_SetCurrentProfile: no profile %d", index);
        return;
    }
    profile.select(index);

    if (onKeyboard())
        hid.hid_02H_SetCurrentProfile(uchar(index));
}

QVariantList MouseSettings::keyDefinition(const QVariant &key)
{
    if (onMouse())
        return storedList(live(), kKeydefineKey + key.toString(), kEntryBytes);
    if (onKeyboard())
        return storedList(live(), KeyboardSettings::keyDefinitionPrefix() + key.toString(),
                          kEntryBytes);
    return {};
}

// ------------------------------------------------------------------ mouse

bool MouseSettings::logoLedWorks()
{
    uchar option1 = 0, option2 = 0, option3 = 0;
    if (!hid.hid_87H_GetLEDInstructFunction(0, option1, option2, option3))
        return false;
    return option1 == 0;
}

uchar MouseSettings::stageCount()
{
    uchar count = 0;
    std::array<uchar, mouseblock::kStageBytes> stages{};
    if (!hid.hid_91H_GetDPISet(count, stages.data()))
        return kDefaultStageCount;
    return count;
}

bool MouseSettings::confirmLeftButtonChange()
{
    if (!prompts)
        return false;
    const QStringList strings = msgStrings ? msgStrings() : QStringList();
    const QString title = QStringLiteral("%1").arg(strings.value(4));
    const QString text = QStringLiteral("%1").arg(strings.value(5));
    return prompts->askOkCancel(title, text);
}

bool MouseSettings::setScrollSwap(bool isSwap)
{
    live().setValue(kScrollSwapKey, isSwap);

    // 03H writes all four option bytes: send back what the mouse holds with
    // only the swap bit changed. A read that failed holds zeros, not the
    // mouse's values, so nothing is sent then.
    uchar type = 0, option1 = 0, option2 = 0, rate = 0;
    hid.hid_83H_GetFunctionOption(type, option1, option2);
    if (!hid.lastGetOutcome().ok())
        return false;
    hid.hid_81H_GetReportRate(rate);
    if (!hid.lastGetOutcome().ok())
        return false;
    if (isSwap)
        option1 |= kScrollSwapBit;
    else
        option1 &= uchar(~kScrollSwapBit);
    hid.hid_03H_SetFunctionOption(type, rate, option1, option2);
    return true;
}

bool MouseSettings::scrollSwap()
{
    return live().value(kScrollSwapKey, false).toBool();
}

void MouseSettings::setCurrentDpiStage(uchar stage)
{
    live().setValue(kStageKey, int(stage));

    hid.hid_0BH_SetCurrentDPIStage(stage);
}

QVariant MouseSettings::currentDpiStage()
{
    return storedByte(live(), kStageKey);
}

void MouseSettings::setLedEffect(uchar effect, uchar option1, uchar option2,
                                 const QVariantList &pageValues)
{
    live().setValue(kLedEffectKey, pageValues);

    hid.hid_0DH_SetRGBLedEffect(effect, option1, option2);
}

QVariantList MouseSettings::ledEffect()
{
    return storedUIntList(live(), kLedEffectKey, kLedEffectValues);
}

void MouseSettings::setColours(uchar type, const QVariantList &values)
{
    live().setValue(kColourTypeKey + QString::number(type), values);

    std::vector<uchar> block = bytesOf(values, mouseblock::kColourBytes);
    if (type == 2) {
        // Stage colour indices travel as nibbles: stage 2k+1 low, 2k+2 high.
        std::array<uchar, mouseblock::kColourBytes> packed{};
        for (size_t k = 0; k < mouseblock::kColourIndexBytes; ++k)
            packed[k] = uchar((block[2 * k] & 0x0F) | (block[2 * k + 1] << 4));
        hid.hid_10H_SetLED8StageColor(type, packed.data());
        return;
    }
    hid.hid_10H_SetLED8StageColor(type, block.data());
}

QVariantList MouseSettings::colours(uchar type)
{
    // Palette and stage colours are 8 x RGB; type 2 holds 8 colour indices.
    return storedUIntList(live(), kColourTypeKey + QString::number(type),
                          type == 2 ? kStageValues : mouseblock::kColourBytes);
}

void MouseSettings::setDpiStages(uchar stageCount, const QVariantList &stageBytes,
                                 const QVariantList &dpiValues)
{
    live().setValue(kDpiKey, dpiValues);

    std::vector<uchar> stages = bytesOf(stageBytes, mouseblock::kStageBytes);
    hid.hid_11H_SetDPISet(stageCount, stages.data());
}

QVariantList MouseSettings::dpiValues()
{
    return storedList(live(), kDpiKey, kStageValues);
}

void MouseSettings::setKeyMatrix(const QVariantList &page)
{
    std::array<keymatrix::SlotRecord, 3> gunSlots{};
    for (int slot = 0; slot < 3; ++slot) {
        if (slotRecords)
            gunSlots[size_t(slot)] = keymatrix::slotRecordFrom(slotRecords(slot));
    }

    recordKeys(live(), kKeydefineKey, page, keymatrix::kEntries);

    // Each 12H waits for the link, so the matrices reach the mouse in
    // index order.
    QList<keymatrix::Matrix> matrices =
        keymatrix::buildMatrices(keymatrix::fromPage(page), gunSlots);
    for (qsizetype i = 0; i < matrices.size(); ++i)
        hid.hid_12H_SetKeyMatrix(matrices[i].data(), uchar(i + 1));
}
