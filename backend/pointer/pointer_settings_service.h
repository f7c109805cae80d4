#pragma once

#include "backend/pointer/pointer_settings.h"

#include <QString>
#include <functional>
#include <memory>

class QSettings;

// The sensor page's pointer preferences. The three sliders work on a scale
// of 0 … 10; each setter records the value in the live profile first and
// then applies it to the system in the system's units. A failing system call
// is logged ("setCursorSpeed Failed" …) and the recorded value stays. The
// getters read the live profile, never the system, so after a profile switch
// they show that profile's values until the page applies them. Acceleration
// has no profile key: it is read from and written to the system only.
class PointerSettingsService
{
public:
    // Returns the store of the live profile; asked on every call, so a
    // profile switch needs nothing from this class.
    using ProfileSource = std::function<QSettings &()>;

    static constexpr unsigned kPageMax = 10;
    static inline const QString kCursorSpeedKey = QStringLiteral("sensor/cursorSpeed_Z4");
    static inline const QString kScrollLinesKey = QStringLiteral("sensor/verticalScrollLines_Z4");
    static inline const QString kDoubleClickKey = QStringLiteral("sensor/doubleClickSpeed_Z4");

    explicit PointerSettingsService(ProfileSource profile, std::unique_ptr<PointerSettings> system =
                                                               createSystemPointerSettings());

    // Each returns whether the system took the change; values above the
    // page's scale are treated as its maximum.
    bool setCursorSpeed(unsigned cursorSpeed);
    bool setVerticalScrollLines(unsigned lines);
    bool setDoubleClickSpeed(unsigned speed);
    bool setAcceleration(bool acceleration);

    // The live profile's values (0 when missing), on the page's scale.
    unsigned cursorSpeed() const;
    unsigned verticalScrollLines() const;
    unsigned doubleClickSpeed() const;
    // Whether the system's pointer acceleration is on; false (and logged)
    // when it cannot be read.
    bool acceleration();

    // Page scale → system units.
    static unsigned mouseSpeedFor(unsigned pageValue);
    static unsigned wheelLinesFor(unsigned pageValue);
    static unsigned doubleClickMsFor(unsigned pageValue);

    PointerSettings &system() { return *m_system; }

private:
    unsigned record(const QString &key, unsigned pageValue);
    unsigned recorded(const QString &key) const;

    ProfileSource m_profile;
    std::unique_ptr<PointerSettings> m_system;
};
