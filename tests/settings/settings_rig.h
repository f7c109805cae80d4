#pragma once

// The link on the recording bus with a real firmware, and a temporary profile.

#include "backend/settings/setting_values.h"
#include "device/command_call.h"
#include "device/fake_hid_bus.h"
#include "sim/keyboard_firmware.h"
#include "sim/mouse_firmware.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <array>

// The button page's 64 values: key i at 4i..4i+3, the keys not given 0
// (disabled).
inline QVariantList keyPage(const QList<std::array<int, 4>> &keys)
{
    QVariantList list;
    for (const auto &key : keys)
        for (int b : key)
            list.append(b);
    while (list.size() < 64)
        list.append(0);
    return list;
}

// A list read back from a profile, element by element as text.
inline QStringList texts(const QVariantList &list)
{
    QStringList out;
    for (const QVariant &v : list)
        out.append(v.toString());
    return out;
}

inline QList<int> codesOf(const QList<SentCommand> &commands)
{
    QList<int> codes;
    for (const SentCommand &c : commands)
        codes.append(c.code());
    return codes;
}

class SettingsRig : public ScannedLink
{
public:
    // The link uses row 1 of its table, so the keyboard goes there too.
    explicit SettingsRig(std::unique_ptr<Firmware> device, bool keyboard = false)
        : ScannedLink(std::move(device), keyboard ? keyboardRow() : mouseRow()),
          profileStore(profileDir.filePath(QStringLiteral("p1.bin")), QSettings::IniFormat)
    {
        // A set waits in the token poll for the one before it.
        clock.callerSleepUs = 2000;
    }

    static std::unique_ptr<Firmware> mouse(MouseFirmwareOptions options = {})
    {
        return std::make_unique<MouseFirmware>(options);
    }
    static std::unique_ptr<Firmware> keyboard() { return std::make_unique<KeyboardFirmware>(); }

    QSettings &profile() { return profileStore; }
    std::function<QSettings &()> liveProfile()
    {
        return [this]() -> QSettings & { return profileStore; };
    }
    ProfileAccess profileAccess()
    {
        return {liveProfile(), [this] { return currentIndex; },
                [this](int index) {
                    currentIndex = index;
                    selected.append(index);
                }};
    }

    // What the profile file on disk holds (a copy, so no in-process cache
    // answers).
    QStringList onDisk(const QString &key)
    {
        settle();
        profileStore.sync();
        const QString copy = profileStore.fileName() + QStringLiteral(".copy");
        QFile::remove(copy);
        QFile::copy(profileStore.fileName(), copy);
        return QSettings(copy, QSettings::IniFormat).value(key).toStringList();
    }

    // A read as the view's slots make it: zeros when it fails.
    QVariantList read(const char *command, std::initializer_list<uchar> inputs = {})
    {
        const cmd::Command *row = cmd::lookup(QLatin1String(command));
        return row ? CommandCall::read(link, *row, inputs) : QVariantList{};
    }

    int currentIndex = 0;
    QList<int> selected;

private:
    QTemporaryDir profileDir;
    QSettings profileStore;
};
