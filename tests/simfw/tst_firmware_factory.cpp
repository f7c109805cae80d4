// z4sim's device options: parsed from the command line, refused when out of
// range, and carried by createFirmware into the device it builds.
#include "firmware_test_util.h"
#include "sim/firmware_factory.h"
#include "sim/sim_options.h"

#include <QTemporaryDir>
#include <QTest>

class TestFirmwareFactory : public QObject
{
    Q_OBJECT

private slots:
    void deviceOptionsReachTheDevice();
    void defaults();
    void badDeviceOptions_data();
    void badDeviceOptions();
    void keyboardMode();
    void stateOptionKeepsState();
};

namespace {

const QString kBus = QStringLiteral("/tmp/z4-unused-bus");

std::optional<SimOptions> parse(const QStringList &extra, QString *error = nullptr)
{
    QString ignored;
    return parseSimOptions(QStringList{QStringLiteral("z4sim"), QStringLiteral("--bus"), kBus} +
                               extra,
                           error ? error : &ignored);
}

} // namespace

void TestFirmwareFactory::deviceOptionsReachTheDevice()
{
    const auto options =
        parse({"--sensor-type", "3", "--stages", "5", "--logo-led", "0", "--fw", "a.0B"});
    QVERIFY(options);
    std::unique_ptr<Firmware> fw = createFirmware(*options);

    QCOMPARE(fw->onCommandFrame(commandFrame(0x83)).reply[2], uint8_t(3));
    QCOMPARE(fw->onCommandFrame(commandFrame(0x91)).reply[2], uint8_t(5));
    QCOMPARE(fw->onCommandFrame(commandFrame(0x87, 0)).reply[3], uint8_t(1));
    const Firmware::FrameOutcome version = fw->onCommandFrame(commandFrame(0x80));
    QCOMPARE(version.reply[2], uint8_t(0x0A));
    QCOMPARE(version.reply[3], uint8_t(0x0B));
}

void TestFirmwareFactory::defaults()
{
    const auto options = parse({});
    QVERIFY(options);
    std::unique_ptr<Firmware> fw = createFirmware(*options);
    QCOMPARE(fw->onCommandFrame(commandFrame(0x87, 0)).reply[3], uint8_t(0));
    QCOMPARE(fw->onCommandFrame(commandFrame(0x91)).reply[2], uint8_t(8));

    // Options set in code are not parsed: out-of-range values are clamped.
    SimOptions direct;
    direct.stageCount = 40;
    direct.firmwareVersion = QStringLiteral("nonsense");
    std::unique_ptr<Firmware> clamped = createFirmware(direct);
    QCOMPARE(clamped->onCommandFrame(commandFrame(0x91)).reply[2], uint8_t(8));
    QCOMPARE(clamped->onCommandFrame(commandFrame(0x80)).reply[3], uint8_t(0x0A));
}

void TestFirmwareFactory::badDeviceOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");

    QTest::newRow("sensor type 4") << QStringList{"--sensor-type", "4"} << "--sensor-type";
    QTest::newRow("sensor type word") << QStringList{"--sensor-type", "x"} << "--sensor-type";
    QTest::newRow("no stages") << QStringList{"--stages", "0"} << "from 1 to 8";
    QTest::newRow("nine stages") << QStringList{"--stages", "9"} << "from 1 to 8";
    QTest::newRow("logo led 2") << QStringList{"--logo-led", "2"} << "--logo-led";
    QTest::newRow("fw without dot") << QStringList{"--fw", "10A"} << "--fw";
    QTest::newRow("fw three digits") << QStringList{"--fw", "1.0AB"} << "--fw";
}

void TestFirmwareFactory::badDeviceOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    QString message;
    QVERIFY(!parse(arguments, &message));
    QVERIFY2(message.contains(error), qPrintable(message));
}

void TestFirmwareFactory::keyboardMode()
{
    const auto options = parse({"--keyboard", "--fw", "2.01"});
    QVERIFY(options);
    std::unique_ptr<Firmware> fw = createFirmware(*options);
    // 8EH is the keyboard's, 0BH the mouse's.
    QVERIFY(fw->onCommandFrame(commandFrame(0x8E)).known);
    QVERIFY(!fw->onCommandFrame(commandFrame(0x0B, 1)).known);
    QCOMPARE(fw->onCommandFrame(commandFrame(0x80)).reply[2], uint8_t(2));
}

void TestFirmwareFactory::stateOptionKeepsState()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("state.json"));
    const auto options = parse({"--state", file});
    QVERIFY(options);
    QCOMPARE(options->stateFile, file);
    {
        std::unique_ptr<Firmware> fw = createFirmware(*options);
        QVERIFY(sendSet(*fw, commandFrame(0x0B, 6)));
    }
    std::unique_ptr<Firmware> restarted = createFirmware(*options);
    QCOMPARE(restarted->onCommandFrame(commandFrame(0x8B)).reply[2], uint8_t(6));
}

QTEST_GUILESS_MAIN(TestFirmwareFactory)
#include "tst_firmware_factory.moc"
