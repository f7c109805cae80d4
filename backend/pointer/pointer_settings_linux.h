#pragma once

#include "backend/pointer/pointer_settings.h"

#include <QString>
#include <QStringList>
#include <optional>

// Pointer settings of desktops that keep them in GSettings (GNOME and its
// relatives), changed through the `gsettings` tool so that the change goes
// through the desktop's own settings daemon exactly as its control panel's
// would. Mapping from the Windows units:
//  - speed 1 … 20 → "speed" −0.9 … 1.0 (10, the Windows default, → 0.0);
//  - double-click time → "double-click" in ms, unchanged;
//  - acceleration on/off → "accel-profile" "default"/"flat"; the desktop
//    has no thresholds, so they read as 0 and are ignored on write;
//  - wheel lines: the desktop has no such setting, so this always fails.
// A write counts as done only when reading the key back gives the new
// value: without a settings daemon GSettings falls back to a memory store
// that forgets the change when the tool exits.
class GSettingsPointerSettings final : public PointerSettings
{
public:
    static constexpr const char *kMouseSchema = "org.gnome.desktop.peripherals.mouse";

    explicit GSettingsPointerSettings(QString program = QStringLiteral("gsettings"));

    bool setMouseSpeed(unsigned speed) override;
    bool setWheelScrollLines(unsigned lines) override;
    bool setDoubleClickTime(unsigned ms) override;
    bool getMouse(MouseParams &params) override;
    bool setMouse(const MouseParams &params) override;

    // The desktop's speed for a Windows speed.
    static double desktopSpeed(unsigned speed);

private:
    std::optional<QString> run(const QStringList &arguments) const;
    std::optional<QString> get(const QString &key) const;
    bool set(const QString &key, const QString &value) const;

    QString m_program;
};
