#include "backend/settings/keyboard_settings.h"
#include "backend/settings/mouse_settings.h"
#include "page_lists.h"
#include "settings_rig.h"
#include "support/recording_prompts.h"

#include <QFile>
#include <QTest>

namespace {

QVariantList numbers(std::initializer_list<int> values)
{
    QVariantList list;
    for (int v : values)
        list.append(v);
    return list;
}

QVariantList slotRecord(int slot)
{
    // [game, gun, fire time, fire period]
    return {QString::number(slot), QStringLiteral("3"), QString::number(20 + slot),
            QString::number(60 + slot)};
}

} // namespace

class TestMouseSettings : public QObject
{
    Q_OBJECT

private slots:

    void settersRecordEvenWithoutDevice_data()
    {
        QTest::addColumn<int>("setter");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("recorded");
        QTest::newRow("report rate") << 0 << "sensor/reportRate_Z4" << QStringList{"4"};
        QTest::newRow("dpi stage") << 1 << "sensor/stage_Z4" << QStringList{"3"};
        QTest::newRow("led effect") << 2 << "color_Z4/ledEffect" << QStringList{"2", "5", "7"};
        QTest::newRow("stage colours")
            << 3 << "color_Z4/type1" << QStringList{"255", "0", "0", "0", "255", "0"};
        QTest::newRow("dpi values")
            << 4 << "sensor/dpi_Z4" << QStringList{"500", "1000", "0", "0", "0", "0", "0", "0"};
        QTest::newRow("key matrix") << 5 << "keydefine_Z4/1" << QStringList{"8", "0", "1", "6"};
        QTest::newRow("scroll swap") << 6 << "keydefine_Z4/scrollswap" << QStringList{"true"};
    }

    void settersRecordEvenWithoutDevice()
    {
        QFETCH(int, setter);
        QFETCH(QString, key);
        QFETCH(QStringList, recorded);
        SettingsRig rig(SettingsRig::mouse());
        MouseSettings ops(*rig.hid, rig.profileAccess(), slotRecord);
        rig.unplug();

        switch (setter) {
        case 0:
            ops.setReportRate(4);
            break;
        case 1:
            ops.setCurrentDpiStage(3);
            break;
        case 2:
            ops.setLedEffect(2, 5, 2, numbers({2, 5, 7}));
            break;
        case 3:
            ops.setColours(1, numbers({255, 0, 0, 0, 255, 0}));
            break;
        case 4:
            ops.setDpiStages(8, numbers({4, 8}), numbers({500, 1000, 0, 0, 0, 0, 0, 0}));
            break;
        case 5:
            ops.setKeyMatrix(keyPage({{1, 0, 0xF0, 0}, {8, 0, 1, 6}}));
            break;
        case 6:
            ops.setScrollSwap(true);
            break;
        }
        rig.settle();
        // What the file on disk holds (a copy, so no in-process cache answers).
        rig.profile().sync();
        const QString copy = rig.profile().fileName() + QStringLiteral(".copy");
        QVERIFY(QFile::copy(rig.profile().fileName(), copy));
        QSettings file(copy, QSettings::IniFormat);
        QCOMPARE(file.value(key).toStringList(), recorded);
    }

    void setterRecordsThenSends()
    {
        SettingsRig rig(SettingsRig::mouse());
        MouseSettings ops(*rig.hid, rig.profileAccess(), slotRecord);
        ops.setLedEffect(2, 4, 2, numbers({2, 4, 9}));
        ops.setDpiStages(6, numbers({0x45, 0x0C, 0x80}), numbers({2500, 3000}));
        const QList<SentCommand> sent = rig.takeSent();
        QCOMPARE(sent.size(), 2);
        QCOMPARE(sent[0].frame.mid(1, 4), bytesOf({0x0D, 2, 4, 2}));
        // A short stage list is padded with zeros, never read past its end.
        QCOMPARE(sent[1].frame.mid(1, 2), bytesOf({0x11, 6}));
        QCOMPARE(sent[1].data.left(8), bytesOf({0x45, 0x0C, 0x80, 0, 0, 0, 0, 0}));
        QCOMPARE(ops.ledEffect(), (QVariantList{2u, 4u, 9u}));
        QCOMPARE(texts(ops.dpiValues()), (QStringList{"2500", "3000"}));
    }

    void stageColourBlocks_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QByteArray>("block");
        QTest::newRow("type 2 packs nibbles")
            << 2 << numbers({1, 2, 3, 4, 5, 6, 7, 0}) << bytesOf({0x21, 0x43, 0x65, 0x07});
        QTest::newRow("type 2 short list")
            << 2 << numbers({7, 6, 5}) << bytesOf({0x67, 0x05, 0, 0});
        QTest::newRow("type 2 wide index keeps its nibble")
            << 2 << numbers({0x1F, 0x12}) << bytesOf({0x2F, 0, 0, 0});
        QTest::newRow("type 0 short list")
            << 0 << numbers({255, 127, 0}) << bytesOf({255, 127, 0}) + QByteArray(21, 0);
    }

    void stageColourBlocks()
    {
        QFETCH(int, type);
        QFETCH(QVariantList, values);
        QFETCH(QByteArray, block);
        SettingsRig rig(SettingsRig::mouse());
        MouseSettings ops(*rig.hid, rig.profileAccess(), slotRecord);
        ops.setColours(uchar(type), values);

        const QList<SentCommand> sent = rig.takeSent(0x10);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].p(1), uchar(type));
        QCOMPARE(int(sent[0].p(2)), int(block.size()));
        QCOMPARE(sent[0].data.left(int(block.size())), block);
        // The page's list is recorded as given and read back as numbers.
        QCOMPARE(ops.colours(uchar(type)).size(), values.size());
        QCOMPARE(ops.colours(uchar(type)).value(0), QVariant(values[0].toUInt()));
    }

    void keyMatrixWithoutPressGunKeySendsOne()
    {
        SettingsRig rig(SettingsRig::mouse());
        MouseSettings ops(*rig.hid, rig.profileAccess(), slotRecord);
        const QVariantList page =
            keyPage({{1, 0, 0xF0, 0}, {1, 0, 0xF1, 0}, {0x0A, 0xF0, 0x21, 3}});
        ops.setKeyMatrix(page);

        const QList<SentCommand> sent = rig.takeSent(0x12);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].frame.mid(2, 3), bytesOf({1, 0x40, 0x08}));
        QByteArray expected;
        for (const QVariant &v : page)
            expected.append(char(v.toInt()));
        QCOMPARE(sent[0].data.left(64), expected);
        QCOMPARE(texts(ops.keyDefinition(2)), (QStringList{"10", "240", "33", "3"}));
        QCOMPARE(texts(ops.keyDefinition(QStringLiteral("15"))), (QStringList{"0", "0", "0", "0"}));
    }

    void keyMatrixShortListsReadAsZeros()
    {
        SettingsRig rig(SettingsRig::mouse());
        // Slot 1 has no record, slot 2 a cut one.
        auto records = [](int slot) -> QVariantList {
            if (slot == 0)
                return slotRecord(0);
            if (slot == 2)
                return {2, 0, 90};
            return {};
        };
        MouseSettings ops(*rig.hid, rig.profileAccess(), records);
        ops.setKeyMatrix(numbers({8, 0, 1, 6, 1, 0}));

        const QList<SentCommand> sent = rig.takeSent(0x12);
        QCOMPARE(sent.size(), 4);
        QCOMPARE(sent[0].data.left(64), bytesOf({8, 0, 1, 0, 1, 0}) + QByteArray(58, 0));
        QCOMPARE(sent[1].data.left(4), bytesOf({0x0B, 0, 60, 20}));
        QCOMPARE(sent[2].data.left(4), bytesOf({0x0B, 1, 0, 0}));
        QCOMPARE(sent[3].data.left(4), bytesOf({0x0B, 2, 0, 90}));
        // The profile keeps the page's mode, not a rewritten one.
        QCOMPARE(texts(ops.keyDefinition(0)), (QStringList{"8", "0", "1", "6"}));
        QCOMPARE(texts(ops.keyDefinition(1)), (QStringList{"1", "0", "0", "0"}));
        QCOMPARE(texts(ops.keyDefinition(9)), (QStringList{"0", "0", "0", "0"}));
    }

    void scrollPinSwapChangesOnlyBit6_data()
    {
        QTest::addColumn<bool>("swap");
        QTest::addColumn<int>("option1Before");
        QTest::addColumn<int>("option1After");
        QTest::newRow("clear") << false << 0xC5 << 0x85;
        QTest::newRow("clear when clear") << false << 0x85 << 0x85;
        QTest::newRow("set") << true << 0x05 << 0x45;
        QTest::newRow("set when set") << true << 0x40 << 0x40;
    }

    void scrollPinSwapChangesOnlyBit6()
    {
        QFETCH(bool, swap);
        QFETCH(int, option1Before);
        QFETCH(int, option1After);
        MouseFirmwareOptions fw;
        fw.sensorType = 2;
        SettingsRig rig(SettingsRig::mouse(fw));
        rig.hid->hid_03H_SetFunctionOption(2, 4, uchar(option1Before), 0x0A);
        rig.takeSent();

        MouseSettings ops(*rig.hid, rig.profileAccess(), slotRecord);
        ops.setScrollSwap(swap);
        const QList<SentCommand> sent = rig.takeSent();
        QCOMPARE(sent.size(), 3);
        QCOMPARE(sent[0].code(), uchar(0x83));
        QCOMPARE(sent[1].code(), uchar(0x81));
        QCOMPARE(sent[2].code(), uchar(0x03));
        QCOMPARE(sent[2].frame.mid(2, 6), bytesOf({2, 4, option1After, 0x0A, 0, 0}));
        QCOMPARE(ops.scrollSwap(), swap);
    }

    // When 83H or 81H fails the swap is recorded and no 03H is sent.
    void scrollPinSwapAfterAFailedReadSendsNothing_data()
    {
        QTest::addColumn<int>("refused");
        QTest::addColumn<int>("reads");
        QTest::newRow("83H fails") << 0x83 << 1;
        QTest::newRow("81H fails") << 0x81 << 2;
    }
    void scrollPinSwapAfterAFailedReadSendsNothing()
    {
        QFETCH(int, refused);
        QFETCH(int, reads);
        auto firmware = std::make_unique<RefusingFirmware>(
            SettingsRig::mouse(MouseFirmwareOptions{}), QList<uchar>{uchar(refused)});
        SettingsRig rig(std::move(firmware));
        MouseSettings ops(*rig.hid, rig.profileAccess(), slotRecord);
        QVERIFY(!ops.setScrollSwap(true));
        const QList<SentCommand> sent = rig.takeSent();
        QCOMPARE(sent.size(), reads);
        QCOMPARE(sent.last().code(), uchar(refused));
        QCOMPARE(ops.scrollSwap(), true);
    }

    void failedDeviceReadsGiveZeros()
    {
        MouseFirmwareOptions fw;
        fw.sensorType = 3;
        fw.stageCount = 5;
        SettingsRig rig(SettingsRig::mouse(fw));
        MouseSettings ops(*rig.hid, rig.profileAccess(), slotRecord);
        QCOMPARE(int(ops.stageCount()), 5);
        QCOMPARE(ops.logoLedWorks(), true);
        ops.setKeyMatrix(keyPage({{1, 0, 0xF0, 0}, {1, 0, 0xF1, 0}}));
        rig.hid->hid_02H_SetCurrentProfile(3);
        rig.settle();
        QCOMPARE(rig.read("hid_92H_GetKeyMatrix").value(2), QVariant(0xF0));
        QCOMPARE(rig.read("hid_82H_GetCurrentProfile").value(0), QVariant(3));
        QCOMPARE(rig.read("hid_83H_GetFunctionOption").value(0), QVariant(3));

        rig.unplug();
        const QVariantList matrix = rig.read("hid_92H_GetKeyMatrix");
        QCOMPARE(matrix.size(), 64);
        QCOMPARE(matrix.count(QVariant(0)), 64);
        const QVariantList macro = rig.read("hid_93H_GetMacroKey", {1});
        QCOMPARE(macro.size(), 128);
        QCOMPARE(macro.count(QVariant(0)), 128);
        QCOMPARE(rig.read("hid_82H_GetCurrentProfile").value(0), QVariant(0));
        QCOMPARE(rig.read("hid_83H_GetFunctionOption").value(0), QVariant(0));
        QCOMPARE(int(ops.stageCount()), 8);
        QCOMPARE(ops.logoLedWorks(), false);
        QVERIFY(rig.read("hid_80H_GetFWVersion").value(0).toString().isEmpty());
    }

    void reportRateOnMouseIsTheProfiles()
    {
        SettingsRig rig(SettingsRig::mouse());
        MouseSettings ops(*rig.hid, rig.profileAccess(), slotRecord);
        QCOMPARE(ops.reportRate(), QVariant(0));
        ops.setReportRate(4);
        const QList<SentCommand> sent = rig.takeSent();
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].frame.mid(1, 2), bytesOf({0x01, 4}));
        // The device now says 4 too; change it behind the profile's back.
        rig.hid->hid_01H_SetReportRate(8);
        QCOMPARE(ops.reportRate(), QVariant(4));
        QCOMPARE(rig.takeSent(0x81).size(), 0);
    }

    void reportRateOnKeyboardIsTheDevices()
    {
        SettingsRig rig(SettingsRig::mouse());
        MouseSettings ops(*rig.hid, rig.profileAccess(), slotRecord);
        rig.profile().setValue(QStringLiteral("sensor/reportRate_Z4"), 2);
        rig.hid->swichCurDevice(0);
        ops.setReportRate(8);
        QCOMPARE(rig.profile().value(QStringLiteral("sensor/reportRate_Z4")).toInt(), 2);
        // No keyboard is attached: the device read fails and gives 0, where
        // the profile would have said 2.
        QCOMPARE(ops.reportRate(), QVariant(0));
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
        SettingsRig rig(SettingsRig::mouse());
        MouseSettings ops(*rig.hid, rig.profileAccess(), slotRecord);
        if (device == 0)
            rig.hid->swichCurDevice(0);
        ops.selectProfile(profile);
        QCOMPARE(rig.selected, selected);
        // The mouse keeps no profiles: it is never told.
        QCOMPARE(rig.takeSent(0x02).size(), 0);
    }

    void keydefineFollowsTheDevice()
    {
        SettingsRig rig(SettingsRig::mouse());
        MouseSettings ops(*rig.hid, rig.profileAccess(), slotRecord);
        rig.profile().setValue(QStringLiteral("keydefine_Z4/3"), numbers({1, 0, 0xF2, 0}));
        rig.profile().setValue(QStringLiteral("keydefine/3"), numbers({0, 0, 4, 0}));
        QCOMPARE(texts(ops.keyDefinition(3)), (QStringList{"1", "0", "242", "0"}));
        QCOMPARE(texts(ops.keyDefinition(3.0)), (QStringList{"1", "0", "242", "0"}));
        QVERIFY(ops.keyDefinition(4).isEmpty());
        rig.hid->swichCurDevice(0);
        QCOMPARE(texts(ops.keyDefinition(3)), (QStringList{"0", "0", "4", "0"}));
        rig.hid->swichCurDevice(2);
        QVERIFY(ops.keyDefinition(3).isEmpty());
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
        MouseSettings mouse(*rig.hid, rig.profileAccess(), slotRecord);
        KeyboardSettings keyboard(*rig.hid, [&rig]() -> QSettings & { return rig.profile(); });
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
        SettingsRig rig(SettingsRig::mouse());
        MouseSettings ops(*rig.hid, rig.profileAccess(), slotRecord);
        ops.setColours(2, numbers({6}));
        QCOMPARE(ops.colours(2), (QVariantList{6u}));
    }

    void foolProofingAsksWithMessages4And5()
    {
        SettingsRig rig(SettingsRig::mouse());
        RecordingPrompts prompts;
        QStringList strings{"t0", "x1", "t2", "x3", "Careful", "Really change the left button?"};
        MouseSettings ops(*rig.hid, rig.profileAccess(), slotRecord, &prompts,
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

        MouseSettings silent(*rig.hid, rig.profileAccess(), slotRecord);
        QCOMPARE(silent.confirmLeftButtonChange(), false);
    }
};

QTEST_GUILESS_MAIN(TestMouseSettings)
#include "tst_mouse_settings.moc"
