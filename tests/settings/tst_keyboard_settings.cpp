#include "backend/settings/keyboard_settings.h"
#include "settings_rig.h"

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
    void keyMatrixRecords126KeysAndSends512Bytes()
    {
        SettingsRig rig(SettingsRig::keyboard(), true);
        KeyboardSettings ops(rig.link, rig.liveProfile());
        ops.setKeyMatrix(countingList(512));

        const QList<SentCommand> sent = rig.takeSent();
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
        KeyboardSettings ops(rig.link, rig.liveProfile());
        ops.setKeyMatrix({4, 5, 6, 7, 8});
        ops.setKeyOnOff({1, 2});
        ops.setUserPicture(1, 2, {9});

        const QList<SentCommand> sent = rig.takeSent();
        QCOMPARE(sent.size(), 3);
        QCOMPARE(sent[0].data.left(512), bytesOf({4, 5, 6, 7, 8}) + QByteArray(507, 0));
        QCOMPARE(sent[1].code(), uchar(0x0E));
        QCOMPARE(sent[1].data.left(21), bytesOf({1, 2}) + QByteArray(19, 0));
        QCOMPARE(sent[2].frame.mid(1, 5), bytesOf({0x12, 0, 1, 8, 2}));
        QCOMPARE(sent[2].data.left(512), bytesOf({9}) + QByteArray(511, 0));
        QCOMPARE(rig.profile().value(QStringLiteral("keydefine/1")).toStringList(),
                 (QStringList{"8", "0", "0", "0"}));
        QCOMPARE(rig.profile().value(QStringLiteral("keydefine/2")).toStringList(),
                 (QStringList{"0", "0", "0", "0"}));
    }

    // Recorded before they are sent, so a refused command keeps the record;
    // a picture with option FFH is only recorded.
    void recordsStayWhenRefused()
    {
        SettingsRig rig(SettingsRig::keyboard(), true);
        KeyboardSettings ops(rig.link, rig.liveProfile());
        rig.bus.fault = FakeHidBus::Fault::RefuseFrame;
        ops.setLedType(0, 1, 2, 3, 4, 5);
        ops.setColour(0, 1, 2, 3);
        ops.setUserPicture(4, 0xFF, countingList(512));
        ops.setKeyMatrix(countingList(512));
        QCOMPARE(codesOf(rig.takeSent()), (QList<int>{0x08, 0x14, 0x0D}));
        QCOMPARE(rig.onDisk(QStringLiteral("color/ledType")),
                 (QStringList{"1", "2", "3", "4", "5"}));
        QCOMPARE(texts(ops.ledType()), (QStringList{"1", "2", "3", "4", "5"}));
        QCOMPARE(texts(ops.colour(0)), (QStringList{"1", "2", "3"}));
        QCOMPARE(rig.onDisk(QStringLiteral("color/0")), (QStringList{"1", "2", "3"}));
        QCOMPARE(rig.onDisk(QStringLiteral("userPicture/4")).size(), 512);
        QCOMPARE(rig.onDisk(QStringLiteral("keydefine/10")), (QStringList{"40", "41", "42", "43"}));
    }
};

QTEST_GUILESS_MAIN(TestKeyboardSettings)
#include "tst_keyboard_settings.moc"
