#include "backend/pointer/pointer_settings_linux.h"

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>

namespace {

// The tool answers at once; the bound only keeps a hung settings daemon from
// freezing the window.
constexpr int kToolTimeoutMs = 3000;

const QString kSpeed = QStringLiteral("speed");
const QString kDoubleClick = QStringLiteral("double-click");
const QString kAccelProfile = QStringLiteral("accel-profile");
const QString kFlat = QStringLiteral("'flat'");
const QString kDefault = QStringLiteral("'default'");

} // namespace

GSettingsPointerSettings::GSettingsPointerSettings(QString program) : m_program(std::move(program))
{
}

double GSettingsPointerSettings::desktopSpeed(unsigned speed)
{
    return std::clamp((double(speed) - 10.0) / 10.0, -1.0, 1.0);
}

std::optional<QString> GSettingsPointerSettings::run(const QStringList &arguments) const
{
    const QString executable = QStandardPaths::findExecutable(m_program);
    if (executable.isEmpty()) {
        return std::nullopt;
    }
    QProcess tool;
    tool.setProcessChannelMode(QProcess::SeparateChannels);
    tool.start(executable, arguments, QIODevice::ReadOnly);
    if (!tool.waitForFinished(kToolTimeoutMs)) {
        tool.kill();
        tool.waitForFinished(kToolTimeoutMs);
        return std::nullopt;
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

std::optional<QString> GSettingsPointerSettings::get(const QString &key) const
{
    return run({QStringLiteral("get"), QString::fromLatin1(kMouseSchema), key});
}

bool GSettingsPointerSettings::set(const QString &key, const QString &value) const
{
    return run({QStringLiteral("set"), QString::fromLatin1(kMouseSchema), key, value}).has_value();
}

bool GSettingsPointerSettings::setMouseSpeed(unsigned speed)
{
    const double wanted = desktopSpeed(speed);
    if (!set(kSpeed, QString::number(wanted, 'f', 2))) {
        return false;
    }
    const std::optional<QString> now = get(kSpeed);
    bool ok = false;
    const double stored = now ? now->toDouble(&ok) : 0.0;
    return ok && std::abs(stored - wanted) < 0.005;
}

bool GSettingsPointerSettings::setWheelScrollLines(unsigned)
{
    return false;
}

bool GSettingsPointerSettings::setDoubleClickTime(unsigned ms)
{
    const QString value = QString::number(ms);
    return set(kDoubleClick, value) && get(kDoubleClick) == value;
}

bool GSettingsPointerSettings::getMouse(MouseParams &params)
{
    const std::optional<QString> profile = get(kAccelProfile);
    if (!profile) {
        return false;
    }
    params = {0, 0, *profile == kFlat ? 0 : 1};
    return true;
}

bool GSettingsPointerSettings::setMouse(const MouseParams &params)
{
    const QString wanted = params[2] != 0 ? kDefault : kFlat;
    if (params[2] != 0) {
        // "adaptive" is already on: leave the user's choice as it is.
        const std::optional<QString> now = get(kAccelProfile);
        if (now && *now != kFlat) {
            return true;
        }
    }
    return set(kAccelProfile, wanted) && get(kAccelProfile) == wanted;
}

std::unique_ptr<PointerSettings> createSystemPointerSettings()
{
    return std::make_unique<GSettingsPointerSettings>();
}
