#pragma once

// The link on the recording bus with a real firmware, and a temporary profile.

#include "backend/settings/setting_values.h"
#include "device/command_call.h"
#include "device/fake_hid_bus.h"
#include "device/hid_thread.h"
#include "sim/keyboard_firmware.h"
#include "sim/mouse_firmware.h"
#include "support/frames.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

// A device whose listed commands go unanswered.
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
    // The link uses row 1 of its table, so the keyboard goes there too.
    explicit SettingsRig(std::unique_ptr<Firmware> device, bool keyboard = false)
        : firmware(std::move(device)),
          profileStore(profileDir.filePath(QStringLiteral("p1.bin")), QSettings::IniFormat)
    {
        const DevInfo row = keyboard ? keyboardRow() : mouseRow();
        isEncode.store(false);
        bus.firmware = firmware.get();
        bus.reportLength = int(row.reportLength);
        bus.interfaces = interfacesOf(row);
        hid = std::make_unique<Hid_Thread>(&bus, &clock);
        hid->scanDevices(tableFor(row));
        hid->swichCurDevice(1);
        QVERIFY(hid->isDeviceConnected());
    }

    ~SettingsRig()
    {
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

    // Commands received since the last call, each with its data block.
    QList<SentCommand> takeSent()
    {
        settle();
        const QList<BusEvent> events = log.all();
        QList<SentCommand> sent;
        for (const BusEvent &e : events.mid(seenEvents)) {
            if (e.kind == BusEvent::SendFeature)
                sent.append({e.bytes, {}});
            else if (e.kind == BusEvent::Write && !sent.isEmpty())
                sent.last().data += e.bytes.mid(1);
        }
        seenEvents = int(events.size());
        return sent;
    }

    QList<SentCommand> takeSent(uchar code)
    {
        QList<SentCommand> all = takeSent();
        QList<SentCommand> some;
        std::copy_if(all.begin(), all.end(), std::back_inserter(some),
                     [code](const SentCommand &c) { return c.code() == code; });
        return some;
    }

    // A read as the view's slots make it: zeros when it fails.
    QVariantList read(const QString &command, std::initializer_list<uchar> inputs = {})
    {
        const cmd::Command *row = cmd::lookup(command);
        return row ? CommandCall::read(*hid, *row, inputs) : QVariantList{};
    }

    // Further commands fail.
    void unplug()
    {
        settle();
        bus.refuse(QStringLiteral("cmd"));
        bus.refuse(QStringLiteral("ack"));
    }

    std::unique_ptr<Firmware> firmware;
    EventLog log;
    FakeClock clock{log, 250}; // the link's waits, in order, a quarter as long
    FakeHidBus bus{log};
    std::unique_ptr<Hid_Thread> hid;
    int currentIndex = 0;
    QList<int> selected;

private:
    QTemporaryDir profileDir;
    QSettings profileStore;
    int seenEvents = 0;
};
