#include "backend/settings/press_gun_operation.h"
#include "settings_rig.h"

#include <QTest>

class TestPressGunOperation : public QObject
{
    Q_OBJECT

private slots:
    void sendsOptionsThenOffsets_data()
    {
        QTest::addColumn<int>("option1");
        QTest::addColumn<int>("option2");
        QTest::addColumn<QList<int>>("args"); // x, y, times, enable, cursorBack, slot
        QTest::addColumn<int>("option2Sent"); // -1: 83H unanswered

        QTest::addColumn<QByteArray>("offsets"); // 04H P1..P5
        QTest::newRow("enable, option1 0")
            << 0 << 0x00 << QList<int>{0, 5, 1, 1, 1, 2} << 0x08 << bytesOf({1, 1, 0, 5, 2});
        QTest::newRow("option1 40H negates y")
            << 0x40 << 0x00 << QList<int>{0, 5, 1, 1, 1, 2} << 0x08 << bytesOf({1, 1, 0, 0xFB, 2});
        QTest::newRow("any option1 bit negates y")
            << 0x01 << 0x00 << QList<int>{3, 0x7F, 9, 1, 0, 0} << 0x08
            << bytesOf({0, 9, 3, 0x81, 0});
        QTest::newRow("y 0 stays 0 when negated")
            << 0x40 << 0x00 << QList<int>{0, 0, 1, 1, 1, 1} << 0x08 << bytesOf({1, 1, 0, 0, 1});
        QTest::newRow("disable clears bit 3 only")
            << 0x00 << 0xFF << QList<int>{2, 6, 4, 0, 1, 0} << 0xF7 << bytesOf({1, 4, 2, 6, 0});
        QTest::newRow("enable keeps other bits")
            << 0x00 << 0x81 << QList<int>{2, 6, 4, 1, 1, 1} << 0x89 << bytesOf({1, 4, 2, 6, 1});
        // Zeros would clear the options, so 03H and 04H stay home.
        QTest::newRow("failed option read sends nothing")
            << 0x40 << 0x11 << QList<int>{0, 5, 1, 1, 1, 2} << -1 << QByteArray();
    }

    void sendsOptionsThenOffsets()
    {
        QFETCH(int, option1);
        QFETCH(int, option2);
        QFETCH(QList<int>, args);
        QFETCH(int, option2Sent);
        QFETCH(QByteArray, offsets);
        MouseFirmwareOptions fw;
        fw.sensorType = 1;
        SettingsRig rig(SettingsRig::mouse(fw));
        rig.link.hid_03H_SetFunctionOption(1, 2, uchar(option1), uchar(option2));
        rig.takeSent();

        if (option2Sent < 0)
            rig.bus.unanswered = {0x83};
        PressGunOperation op(rig.link);
        QCOMPARE(op.send(uchar(args[0]), uchar(args[1]), uchar(args[2]), uchar(args[3]),
                         uchar(args[4]), uchar(args[5])),
                 option2Sent >= 0);
        const QList<SentCommand> sent = rig.takeSent();
        if (option2Sent < 0) {
            QCOMPARE(codesOf(sent), QList<int>{0x83});
            return;
        }
        QCOMPARE(codesOf(sent), (QList<int>{0x83, 0x03, 0x04}));
        QCOMPARE(sent[1].frame.mid(2, 6), bytesOf({1, 2, option1, option2Sent, 0, 0}));
        QCOMPARE(sent[2].frame.mid(2, 6), offsets + bytesOf({0}));
    }
};

QTEST_GUILESS_MAIN(TestPressGunOperation)
#include "tst_press_gun_operation.moc"
