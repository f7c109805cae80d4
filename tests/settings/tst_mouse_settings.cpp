#include "backend/settings/keyboard_settings.h"
#include "backend/settings/mouse_settings.h"
#include "settings_rig.h"
#include "support/recording_prompts.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QVariantList slotRecord(int slot)
{
    // [game, gun, fire time, fire period]
    return {QString::number(slot), QStringLiteral("3"), QString::number(20 + slot),
            QString::number(60 + slot)};
}

// The mouse under test and its setting operations.
struct MouseRig : SettingsRig
{
    explicit MouseRig(MouseFirmwareOptions options = {}, SlotRecordSource records = slotRecord)
        : SettingsRig(mouse(options)), ops(link, profileAccess(), std::move(records))
    {
    }
    MouseSettings ops;
};

using Setter = std::function<void(MouseSettings &)>;

} // namespace

Q_DECLARE_METATYPE(Setter)

class TestMouseSettings : public QObject
{
    Q_OBJECT

private slots:
    // Every setter records in the profile before it sends, so a refused
    // command still leaves the record on disk.
    void settersRecordThenSend_data()
    {
        QTest::addColumn<Setter>("set");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("recorded");
        QTest::addColumn<int>("code"); // the first command sent
        auto row = [](const char *name, const char *key, const QStringList &recorded, int code,
                      Setter set) {
            QTest::newRow(name) << set << QString::fromLatin1(key) << recorded << code;
        };
        row("report rate", "sensor/reportRate_Z4", {"4"}, 0x01,
            [](MouseSettings &s) { s.setReportRate(4); });
        row("dpi stage", "sensor/stage_Z4", {"3"}, 0x0B,
            [](MouseSettings &s) { s.setCurrentDpiStage(3); });
        row("led effect", "color_Z4/ledEffect", {"2", "5", "7"}, 0x0D, [](MouseSettings &s) {
            s.setLedEffect(2, 5, 2, QVariantList{2, 5, 7});
        });
        row("stage colours", "color_Z4/type1", {"255", "0", "0", "0", "255", "0"}, 0x10,
            [](MouseSettings &s) {
                s.setColours(1, QVariantList{255, 0, 0, 0, 255, 0});
            });
        row("dpi values", "sensor/dpi_Z4", {"500", "1000"}, 0x11, [](MouseSettings &s) {
            s.setDpiStages(8, QVariantList{4, 8}, QVariantList{500, 1000});
        });
        row("key matrix", "keydefine_Z4/1", {"8", "0", "1", "6"}, 0x12, [](MouseSettings &s) {
            s.setKeyMatrix(keyPage({{1, 0, 0xF0, 0}, {8, 0, 1, 6}}));
        });
        row("scroll swap", "keydefine_Z4/scrollswap", {"true"}, 0x83,
            [](MouseSettings &s) { s.setScrollSwap(true); });
    }

    void settersRecordThenSend()
    {
        QFETCH(Setter, set);
        QFETCH(QString, key);
        QFETCH(QStringList, recorded);
        QFETCH(int, code);
        MouseRig rig;
        rig.bus.fault = FakeHidBus::Fault::RefuseFrame;
        set(rig.ops);
        QCOMPARE(rig.takeSent().value(0).code(), code);
        QCOMPARE(rig.onDisk(key), recorded);
    }

    // The operation's arguments reach the frame; a short stage list is padded
    // with zeros, never read past its end; a page without a press-gun key is
    // one key matrix.
    void settersSendTheirArguments()
    {
        MouseRig rig;
        rig.ops.setLedEffect(2, 4, 2, QVariantList{2, 4, 9});
        rig.ops.setDpiStages(6, QVariantList{0x45, 0x0C, 0x80}, QVariantList{2500, 3000});
        rig.ops.setKeyMatrix(keyPage({{1, 0, 0xF0, 0}, {1, 0, 0xF1, 0}, {0x0A, 0xF0, 0x21, 3}}));
        const QList<SentCommand> sent = rig.takeSent();
        QCOMPARE(sent.size(), 3);
        QCOMPARE(sent[0].frame.mid(1, 4), bytesOf({0x0D, 2, 4, 2}));
        QCOMPARE(sent[1].frame.mid(1, 2), bytesOf({0x11, 6}));
        QCOMPARE(sent[1].data.left(8), bytesOf({0x45, 0x0C, 0x80, 0, 0, 0, 0, 0}));
        QCOMPARE(sent[2].frame.mid(1, 2), bytesOf({0x12, 1}));
        QCOMPARE(sent[2].data.left(64),
                 bytesOf({1, 0, 0xF0, 0, 1, 0, 0xF1, 0, 0x0A, 0xF0, 0x21, 3}) + QByteArray(52, 0));
        QCOMPARE(rig.ops.ledEffect(), (QVariantList{2u, 4u, 9u}));
        QCOMPARE(texts(rig.ops.dpiValues()), (QStringList{"2500", "3000"}));
        QCOMPARE(texts(rig.ops.keyDefinition(2)), (QStringList{"10", "240", "33", "3"}));
        QCOMPARE(texts(rig.ops.keyDefinition(QStringLiteral("15"))),
                 (QStringList{"0", "0", "0", "0"}));
    }

    void stageColourBlocks_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QByteArray>("block");
        QTest::newRow("type 2 packs nibbles")
            << 2 << QVariantList{1, 2, 3, 4, 5, 6, 7, 0} << bytesOf({0x21, 0x43, 0x65, 0x07});
        QTest::newRow("type 2 short list")
            << 2 << QVariantList{7, 6, 5} << bytesOf({0x67, 0x05, 0, 0});
        QTest::newRow("type 2 wide index keeps its nibble")
            << 2 << QVariantList{0x1F, 0x12} << bytesOf({0x2F, 0, 0, 0});
        QTest::newRow("type 0 short list")
            << 0 << QVariantList{255, 127, 0} << bytesOf({255, 127, 0}) + QByteArray(21, 0);
    }

    void stageColourBlocks()
    {
        QFETCH(int, type);
        QFETCH(QVariantList, values);
        QFETCH(QByteArray, block);
        MouseRig rig;
        rig.ops.setColours(uchar(type), values);

        const QList<SentCommand> sent = rig.takeSent();
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].p(1), uchar(type));
        QCOMPARE(sent[0].data.left(int(block.size())), block);
        // The page's list is recorded as given and read back as numbers.
        QCOMPARE(rig.ops.colours(uchar(type)).size(), values.size());
        QCOMPARE(rig.ops.colours(uchar(type)).value(0), QVariant(values[0].toUInt()));
    }

    void keyMatrixShortListsReadAsZeros()
    {
        // Slot 1 has no record, slot 2 a cut one.
        MouseRig rig({}, [](int slot) -> QVariantList {
            if (slot == 0)
                return slotRecord(0);
            if (slot == 2)
                return {2, 0, 90};
            return {};
        });
        rig.ops.setKeyMatrix(QVariantList{8, 0, 1, 6, 1, 0});

        // The matrices go out in index order.
        const QList<SentCommand> sent = rig.takeSent();
        QCOMPARE(sent.size(), 4);
        QCOMPARE(sent[0].data.left(64), bytesOf({8, 0, 1, 0, 1, 0}) + QByteArray(58, 0));
        QCOMPARE(sent[1].data.left(4), bytesOf({0x0B, 0, 60, 20}));
        QCOMPARE(sent[2].data.left(4), bytesOf({0x0B, 1, 0, 0}));
        QCOMPARE(sent[3].data.left(4), bytesOf({0x0B, 2, 0, 90}));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(sent[i].p(1), uchar(i + 1));
        // The profile keeps the page's mode, not a rewritten one.
        QCOMPARE(texts(rig.ops.keyDefinition(0)), (QStringList{"8", "0", "1", "6"}));
        QCOMPARE(texts(rig.ops.keyDefinition(1)), (QStringList{"1", "0", "0", "0"}));
        QCOMPARE(texts(rig.ops.keyDefinition(9)), (QStringList{"0", "0", "0", "0"}));
    }

    // 03H sends back what 83H and 81H read with only bit 6 changed; when a
    // read fails the swap is recorded and no 03H goes out.
    void scrollSwap_data()
    {
        QTest::addColumn<bool>("swap");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("unanswered");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<int>("after"); // option1 of the 03H
        const QList<int> all{0x83, 0x81, 0x03};
        QTest::newRow("clear") << false << 0xC5 << 0 << all << 0x85;
        QTest::newRow("clear when clear") << false << 0x85 << 0 << all << 0x85;
        QTest::newRow("set") << true << 0x05 << 0 << all << 0x45;
        QTest::newRow("set when set") << true << 0x40 << 0 << all << 0x40;
        QTest::newRow("83H fails") << true << 0x05 << 0x83 << all.mid(0, 1) << 0;
        QTest::newRow("81H fails") << true << 0x05 << 0x81 << all.mid(0, 2) << 0;
    }

    void scrollSwap()
    {
        QFETCH(bool, swap);
        QFETCH(int, before);
        QFETCH(int, unanswered);
        QFETCH(QList<int>, codes);
        QFETCH(int, after);
        MouseFirmwareOptions fw;
        fw.sensorType = 2;
        MouseRig rig(fw);
        rig.link.hid_03H_SetFunctionOption(2, 4, uchar(before), 0x0A);
        rig.takeSent();
        rig.bus.unanswered = {unanswered};

        QCOMPARE(rig.ops.setScrollSwap(swap), unanswered == 0);
        const QList<SentCommand> sent = rig.takeSent();
        QCOMPARE(codesOf(sent), codes);
        if (unanswered == 0)
            QCOMPARE(sent[2].frame.mid(2, 6), bytesOf({2, 4, after, 0x0A, 0, 0}));
        QCOMPARE(rig.ops.scrollSwap(), swap);
    }

    void failedDeviceReadsGiveZeros()
    {
        MouseFirmwareOptions fw;
        fw.sensorType = 3;
        fw.stageCount = 5;
        MouseRig rig(fw);
        QCOMPARE(int(rig.ops.stageCount()), 5);
        QCOMPARE(rig.ops.logoLedWorks(), true);
        rig.ops.setKeyMatrix(keyPage({{1, 0, 0xF0, 0}, {1, 0, 0xF1, 0}}));
        rig.link.hid_02H_SetCurrentProfile(3);
        rig.settle();
        QCOMPARE(rig.read("hid_92H_GetKeyMatrix").value(2), QVariant(0xF0));
        QCOMPARE(rig.read("hid_82H_GetCurrentProfile").value(0), QVariant(3));
        QCOMPARE(rig.read("hid_83H_GetFunctionOption").value(0), QVariant(3));

        rig.bus.fault = FakeHidBus::Fault::Gone;
        QCOMPARE(rig.read("hid_92H_GetKeyMatrix"), QVariantList(64, 0));
        QCOMPARE(rig.read("hid_93H_GetMacroKey", {1}), QVariantList(128, 0));
        QCOMPARE(rig.read("hid_82H_GetCurrentProfile").value(0), QVariant(0));
        QCOMPARE(rig.read("hid_83H_GetFunctionOption").value(0), QVariant(0));
        QCOMPARE(int(rig.ops.stageCount()), 8);
        QCOMPARE(rig.ops.logoLedWorks(), false);
        QVERIFY(rig.read("hid_80H_GetFWVersion").value(0).toString().isEmpty());
    }

    // On the mouse the report rate is the profile's, on the keyboard the
    // device's (and a keyboard's rate is not recorded).
    void reportRateSource()
    {
        MouseRig rig;
        QCOMPARE(rig.ops.reportRate(), QVariant(0));
        rig.ops.setReportRate(4);
        QCOMPARE(rig.takeSent().value(0).frame.mid(1, 2), bytesOf({0x01, 4}));
        rig.link.hid_01H_SetReportRate(8); // behind the profile's back
        QCOMPARE(rig.ops.reportRate(), QVariant(4));
        QCOMPARE(codesOf(rig.takeSent()), QList<int>{0x01}); // no 81H

        rig.link.swichCurDevice(0);
        rig.ops.setReportRate(2);
        QCOMPARE(rig.profile().value(QStringLiteral("sensor/reportRate_Z4")).toInt(), 4);
        // No keyboard is attached: the device read fails and gives 0.
        QCOMPARE(rig.ops.reportRate(), QVariant(0));
    }

    void profileSwitch_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("profile");
        QTest::addColumn<QList<int>>("selected");
        QTest::newRow("same index") << 1 << 0 << QList<int>{};
        QTest::newRow("mouse, another index") << 1 << 4 << QList<int>{4};
        QTest::newRow("keyboard, another index") << 0 << 9 << QList<int>{9};
        QTest::newRow("out of range") << 1 << 10 << QList<int>{};
        QTest::newRow("negative") << 1 << -1 << QList<int>{};
    }

    void profileSwitch()
    {
        QFETCH(int, device);
        QFETCH(int, profile);
        QFETCH(QList<int>, selected);
        MouseRig rig;
        rig.link.swichCurDevice(uint(device));
        QSignalSpy sets(&rig.link, &Hid_Thread::setStarted);
        rig.ops.selectProfile(profile);
        QCOMPARE(rig.selected, selected);
        // Only the keyboard is told (02H); the mouse keeps no profiles.
        QCOMPARE(sets.count(), device == 0 && !selected.isEmpty() ? 1 : 0);
    }

    void keydefineFollowsTheDevice()
    {
        MouseRig rig;
        rig.profile().setValue(QStringLiteral("keydefine_Z4/3"), QVariantList{1, 0, 0xF2, 0});
        rig.profile().setValue(QStringLiteral("keydefine/3"), QVariantList{0, 0, 4, 0});
        QCOMPARE(texts(rig.ops.keyDefinition(3)), (QStringList{"1", "0", "242", "0"}));
        QCOMPARE(texts(rig.ops.keyDefinition(3.0)), (QStringList{"1", "0", "242", "0"}));
        QVERIFY(rig.ops.keyDefinition(4).isEmpty());
        rig.link.swichCurDevice(0);
        QCOMPARE(texts(rig.ops.keyDefinition(3)), (QStringList{"0", "0", "4", "0"}));
        rig.link.swichCurDevice(2);
        QVERIFY(rig.ops.keyDefinition(3).isEmpty());
    }

    // A damaged profile's overlong list is cut to the setting's length.
    void longStoredListsAreCutToTheirUse_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("length");
        QTest::newRow("key definition") << "keydefine_Z4/3" << 4;
        QTest::newRow("stage colour ids") << "color_Z4/type2" << 8;
        QTest::newRow("keyboard picture") << "userPicture/1" << 512;
    }

    void longStoredListsAreCutToTheirUse()
    {
        QFETCH(QString, key);
        QFETCH(int, length);
        SettingsRig rig(SettingsRig::mouse());
        MouseSettings mouse(rig.link, rig.profileAccess(), slotRecord);
        KeyboardSettings keyboard(rig.link, rig.liveProfile());
        QStringList stored;
        for (int i = 0; i < 5000; ++i)
            stored.append(QString::number(i % 200));
        rig.profile().setValue(key, stored);

        const QVariantList got = key.startsWith(u'k')   ? mouse.keyDefinition(3)
                                 : key.startsWith(u'c') ? mouse.colours(2)
                                                        : keyboard.userPicture(1);
        QCOMPARE(texts(got), stored.mid(0, length));
    }

    // A one-element list comes back as a list of one, not as a number.
    void oneElementListStaysAList()
    {
        MouseRig rig;
        rig.ops.setColours(2, QVariantList{6});
        QCOMPARE(rig.ops.colours(2), (QVariantList{6u}));
    }

    void foolProofingAsksWithMessages4And5()
    {
        SettingsRig rig(SettingsRig::mouse());
        RecordingPrompts prompts;
        QStringList strings{"t0", "x1", "t2", "x3", "Careful", "Really change the left button?"};
        MouseSettings ops(rig.link, rig.profileAccess(), slotRecord, &prompts,
                          [&strings] { return strings; });
        QCOMPARE(ops.confirmLeftButtonChange(), false);
        prompts.answer = true;
        QCOMPARE(ops.confirmLeftButtonChange(), true);
        QCOMPARE(prompts.asked.size(), 2);
        QCOMPARE(prompts.asked[0].first, QStringLiteral("Careful"));
        QCOMPARE(prompts.asked[0].second, QStringLiteral("Really change the left button?"));

        // Strings not loaded yet: the box still asks, with empty texts.
        strings = {"t0"};
        QCOMPARE(ops.confirmLeftButtonChange(), true);
        QCOMPARE(prompts.asked[2].first, QString());

        MouseSettings silent(rig.link, rig.profileAccess(), slotRecord);
        QCOMPARE(silent.confirmLeftButtonChange(), false);
    }
};

QTEST_GUILESS_MAIN(TestMouseSettings)
#include "tst_mouse_settings.moc"
