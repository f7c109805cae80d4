#include "backend/pointer/pointer_settings_service.h"

#include "backend/backend_log.h"

#include <QDebug>
#include <QSettings>
#include <algorithm>

namespace {

unsigned clampToPage(unsigned value)
{
    return std::min(value, PointerSettingsService::kPageMax);
}

} // namespace

PointerSettingsService::PointerSettingsService(ProfileSource profile,
                                               std::unique_ptr<PointerSettings> system)
    : m_profile(std::move(profile)), m_system(std::move(system))
{
}

unsigned PointerSettingsService::mouseSpeedFor(unsigned pageValue)
{
    // The system's slowest speed is 1, so the bottom of the page maps there.
    return std::max(2 * clampToPage(pageValue), 1u);
}

unsigned PointerSettingsService::wheelLinesFor(unsigned pageValue)
{
    return clampToPage(pageValue) + 1;
}

unsigned PointerSettingsService::doubleClickMsFor(unsigned pageValue)
{
    return 900 - 70 * clampToPage(pageValue);
}

unsigned PointerSettingsService::record(const QString &key, unsigned pageValue)
{
    const unsigned value = clampToPage(pageValue);
    m_profile().setValue(key, value);
    return value;
}

unsigned PointerSettingsService::recorded(const QString &key) const
{
    // A hand-edited profile may hold anything; the page only knows 0 … 10.
    bool ok = false;
    const qlonglong value = m_profile().value(key, 0).toLongLong(&ok);
    if (!ok || value < 0) {
        return 0;
    }
    return unsigned(std::min<qlonglong>(value, PointerSettingsService::kPageMax));
}

bool PointerSettingsService::setCursorSpeed(unsigned cursorSpeed)
{
    const unsigned value = record(kCursorSpeedKey, cursorSpeed);

    if (!m_system->setMouseSpeed(mouseSpeedFor(value))) {
        qCDebug(lcConfig, "setCursorSpeed Failed");
        return false;
    }
    return true;
}

bool PointerSettingsService::setVerticalScrollLines(unsigned lines)
{
    const unsigned value = record(kScrollLinesKey, lines);

    if (!m_system->setWheelScrollLines(wheelLinesFor(value))) {
        qCDebug(lcConfig, "setVerticalScrollLines Failed");
        return false;
    }
    return true;
}

bool PointerSettingsService::setDoubleClickSpeed(unsigned speed)
{
    const unsigned value = record(kDoubleClickKey, speed);

    if (!m_system->setDoubleClickTime(doubleClickMsFor(value))) {
        qCDebug(lcConfig, "setDoubleClickSpeed Failed");
        return false;
    }
    return true;
}

bool PointerSettingsService::setAcceleration(bool acceleration)
{
    PointerSettings::MouseParams params{};
    if (!m_system->getMouse(params)) {
        qCDebug(lcConfig, "setAcceleration Failed");
        return false;
    }
    params[2] = acceleration ? 1 : 0;
    if (!m_system->setMouse(params)) {
        qCDebug(lcConfig, "setAcceleration Failed");
        return false;
    }
    return true;
}

unsigned PointerSettingsService::cursorSpeed() const
{
    return recorded(kCursorSpeedKey);
}

unsigned PointerSettingsService::verticalScrollLines() const
{
    return recorded(kScrollLinesKey);
}

unsigned PointerSettingsService::doubleClickSpeed() const
{
    return recorded(kDoubleClickKey);
}

bool PointerSettingsService::acceleration()
{
    PointerSettings::MouseParams params{};
    if (!m_system->getMouse(params)) {
        qCDebug(lcConfig, "getAcceleration Failed");
        return false;
    }
    return params[2] != 0;
}
