#include "backend/settings/keyboard_settings.h"
#include "page_lists.h"
#include "settings_rig.h"

#include <QFile>
#include <QTest>

namespace {

QVariantList countingList(int count, int offset = 0)
{
    QVariantList list;
    for (int i = 0; i < count; ++i)
        list.append((i + offset) & 0xFF);
    return list;
}

QByteArray countingBytes(int count, int offset = 0)
{
    QByteArray b;
    for (int i = 0; i < count; ++i)
        b.append(char((i + offset) & 0xFF));
    return b;
}

} // namespace

class TestKeyboardSettings : public QObject
{
    Q_OBJECT

private slots:
    void userPicture_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("sent");
        QTest::newRow("FFH only records") << 255 << false;
        QTest::newRow("other option sends") << 3 << true;
    }

    void userPicture()
    {
        QFETCH(int, option);
        QFETCH(bool, sent);
        SettingsRig rig(SettingsRig::keyboard(), true);
        KeyboardSettings ops(*rig.hid, rig.liveProfile());
        ops.setUserPicture(2, uchar(option), countingList(512, 7));

        const QList<SentCommand> commands = rig.takeSent();
        QCOMPARE(commands.size(), sent ? 1 : 0);
        if (sent) {
            QCOMPARE(commands[0].frame.mid(1, 5), bytesOf({0x12, 0, 2, 8, option}));
            QCOMPARE(commands[0].data.left(512), countingBytes(512, 7));
        }
        const QVariantList recorded = ops.userPicture(2);
        QCOMPARE(recorded.size(), 512);
        QCOMPARE(recorded.value(511).toString(), QString::number((511 + 7) & 0xFF));
        QVERIFY(ops.userPicture(3).isEmpty());
    }

    void keyMatrixRecords126KeysAndSends512Bytes()
    {
        SettingsRig rig(SettingsRig::keyboard(), true);
        KeyboardSettings ops(*rig.hid, rig.liveProfile());
        ops.setKeyMatrix(countingList(512));

        const QList<SentCommand> sent = rig.takeSent(0x0D);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].data.left(512), countingBytes(512));
        QSettings &p = rig.profile();
        QCOMPARE(p.value(QStringLiteral("keydefine/0")).toStringList(),
                 (QStringList{"0", "1", "2", "3"}));
        QCOMPARE(p.value(QStringLiteral("keydefine/125")).toStringList(),
                 (QStringList{"244", "245", "246", "247"}));
        QVERIFY(!p.contains(QStringLiteral("keydefine/126")));
    }

    void shortListsReadAsZeros()
    {
        SettingsRig rig(SettingsRig::keyboard(), true);
        KeyboardSettings ops(*rig.hid, rig.liveProfile());
        ops.setKeyMatrix({4, 5, 6, 7, 8});
        ops.setKeyOnOff({1, 2});
        ops.setUserPicture(1, 0, {9});

        const QList<SentCommand> sent = rig.takeSent();
        QCOMPARE(sent.size(), 3);
        QCOMPARE(sent[0].data.left(512), bytesOf({4, 5, 6, 7, 8}) + QByteArray(507, 0));
        QCOMPARE(sent[1].code(), uchar(0x0E));
        QCOMPARE(sent[1].data.left(21), bytesOf({1, 2}) + QByteArray(19, 0));
        QCOMPARE(sent[2].data.left(512), bytesOf({9}) + QByteArray(511, 0));
        QCOMPARE(rig.profile().value(QStringLiteral("keydefine/1")).toStringList(),
                 (QStringList{"8", "0", "0", "0"}));
        QCOMPARE(rig.profile().value(QStringLiteral("keydefine/2")).toStringList(),
                 (QStringList{"0", "0", "0", "0"}));
    }

    void failedDeviceReadsGiveZeros()
    {
        SettingsRig rig(SettingsRig::keyboard(), true);
        KeyboardSettings ops(*rig.hid, rig.liveProfile());
        rig.hid->hid_03H_SetKeyboardoption(1, 2, 3, 4);
        ops.setKeyMatrix(countingList(512, 1));
        rig.settle();
        QCOMPARE(rig.read("hid_8DH_GetKeyMatrix").value(0), QVariant(1));

        rig.unplug();
        QCOMPARE(rig.read("hid_83H_GetKeyboardoption"), (QVariantList{0, 0, 0, 0}));
        const QVariantList matrix = rig.read("hid_8DH_GetKeyMatrix");
        QCOMPARE(matrix.size(), 512);
        QCOMPARE(matrix.count(QVariant(0)), 512);
        QCOMPARE(rig.read("hid_91H_GetMacroKey", {1}).count(QVariant(0)), 192);
    }

    void recordsStayWithoutDevice()
    {
        SettingsRig rig(SettingsRig::keyboard(), true);
        KeyboardSettings ops(*rig.hid, rig.liveProfile());
        rig.unplug();
        ops.setLedType(0, 1, 2, 3, 4, 5);
        ops.setColour(0, 1, 2, 3);
        ops.setUserPicture(4, 1, countingList(512));
        ops.setKeyMatrix(countingList(512));
        rig.settle();
        rig.profile().sync();
        const QString copy = rig.profile().fileName() + QStringLiteral(".copy");
        QVERIFY(QFile::copy(rig.profile().fileName(), copy));
        QSettings file(copy, QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("color/ledType")).toStringList(),
                 (QStringList{"1", "2", "3", "4", "5"}));
        QCOMPARE(texts(ops.ledType()), (QStringList{"1", "2", "3", "4", "5"}));
        QCOMPARE(texts(ops.colour(0)), (QStringList{"1", "2", "3"}));
        QCOMPARE(file.value(QStringLiteral("color/0")).toStringList(),
                 (QStringList{"1", "2", "3"}));
        QCOMPARE(file.value(QStringLiteral("userPicture/4")).toStringList().size(), 512);
        QCOMPARE(file.value(QStringLiteral("keydefine/10")).toStringList(),
                 (QStringList{"40", "41", "42", "43"}));
    }
};

QTEST_GUILESS_MAIN(TestKeyboardSettings)
#include "tst_keyboard_settings.moc"
