#pragma once

// A Hid_Thread connected to an in-process virtual device, a profile file in
// a temporary folder, and the commands the device logged.

#include "backend/settings/setting_values.h"
#include "device/command_call.h"
#include "device/device_table.h"
#include "device/fake_hid_bus.h"
#include "device/hid_thread.h"
#include "device/virtual_bus.h"
#include "sim/keyboard_firmware.h"
#include "sim/mouse_firmware.h"
#include "sim/virtual_mouse.h"
#include "support/frames.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

// A device that does not know some read commands: their exchange fails
// (no reply), everything else goes to the real firmware.
class RefusingFirmware : public Firmware
{
public:
    RefusingFirmware(std::unique_ptr<Firmware> inner, QList<uchar> refused)
        : inner(std::move(inner)), refused(std::move(refused))
    {
    }

    FrameOutcome onCommandFrame(const std::array<uint8_t, 9> &frame) override
    {
        if (refused.contains(frame[1])) {
            FrameOutcome outcome;
            outcome.known = false;
            return outcome;
        }
        return inner->onCommandFrame(frame);
    }
    bool onOutputBlock(const QByteArray &block) override { return inner->onOutputBlock(block); }
    QByteArray inputBlock() override { return inner->inputBlock(); }

private:
    std::unique_ptr<Firmware> inner;
    QList<uchar> refused;
};

class SettingsRig
{
public:
    // The mouse, or the virtual keyboard; a failed start fails the test. The device scan looks up
    // only row 1 of the device table, so the keyboard is put in that row: it is then reachable,
    // while currentDeviceId() still says 1.
    explicit SettingsRig(std::unique_ptr<Firmware> firmware, bool keyboard = false)
        : profileStore(profileDir.filePath(QStringLiteral("p1.bin")), QSettings::IniFormat)
    {
        SimOptions options;
        options.keyboard = keyboard;
        device = std::make_unique<VirtualMouse>(options, std::move(firmware));
        QVERIFY(device->start());
        bus = std::make_unique<VirtualBus>(device->busDirectory());
        hid = std::make_unique<Hid_Thread>(bus.get(), &clock);

        DeviceTable table = readDeviceTable({});
        QVERIFY(table.rows.size() >= 2);
        if (keyboard)
            table.rows[1] = table.rows[0];
        isEncode.store(table.isEncode);
        hid->scanDevices(table.rows);
        hid->swichCurDevice(1);
        QVERIFY(hid->isDeviceConnected());
    }

    ~SettingsRig()
    {
        if (!hid)
            return;
        settle();
        hid->stopWatch();
        hid->shutdownLink();
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

    // Waits until the last set's exchange has ended.
    void settle() { QTRY_VERIFY_WITH_TIMEOUT(hid->isLinkIdle(), 10000); }

    // Commands received since the last call (after the link went idle).
    QList<SentCommand> takeSent()
    {
        settle();
        const QStringList lines = device->logLines();
        const QList<SentCommand> sent = commandsInLog(lines.mid(seenLines));
        seenLines = int(lines.size());
        return sent;
    }

    // Commands of one code, in order.
    QList<SentCommand> takeSent(uchar code)
    {
        QList<SentCommand> all = takeSent();
        QList<SentCommand> some;
        std::copy_if(all.begin(), all.end(), std::back_inserter(some),
                     [code](const SentCommand &c) { return c.code() == code; });
        return some;
    }

    // A device read as the view's slots make it: the outputs of the
    // command of that name, zeros when it fails.
    QVariantList read(const QString &command, std::initializer_list<uchar> inputs = {})
    {
        const cmd::Command *row = cmd::lookup(command);
        return row ? CommandCall::read(*hid, *row, inputs) : QVariantList{};
    }

    // The device goes away: further commands fail.
    void unplug()
    {
        settle();
        device->stop();
    }

    EventLog log;
    FakeClock clock{log, 250}; // the link's waits, in order, a quarter as long
    std::unique_ptr<VirtualMouse> device;
    std::unique_ptr<VirtualBus> bus;
    std::unique_ptr<Hid_Thread> hid;
    int currentIndex = 0;
    QList<int> selected;

private:
    QTemporaryDir profileDir;
    QSettings profileStore;
    int seenLines = 0;
};
