#include "sim/sim_options.h"

#include "sim/stateful_firmware.h"

#include <QCommandLineParser>

QString SimOptions::socketName() const
{
    return keyboard ? QStringLiteral("z4keyboard.sock") : QStringLiteral("z4mouse.sock");
}

namespace {

bool readCount(const QCommandLineParser &parser, const QString &name, int minimum, int *out,
               QString *error)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < minimum) {
        *error = QStringLiteral("--%1 needs a whole number of at least %2, not \"%3\"")
                     .arg(name)
                     .arg(minimum)
                     .arg(parser.value(name));
        return false;
    }
    *out = value;
    return true;
}

bool readRange(const QCommandLineParser &parser, const QString &name, int minimum, int maximum,
               int *out, QString *error)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < minimum || value > maximum) {
        *error = QStringLiteral("--%1 needs a whole number from %2 to %3, not \"%4\"")
                     .arg(name)
                     .arg(minimum)
                     .arg(maximum)
                     .arg(parser.value(name));
        return false;
    }
    *out = value;
    return true;
}

} // namespace

std::optional<SimOptions> parseSimOptions(const QStringList &args, QString *error, bool *helpShown)
{
    if (helpShown)
        *helpShown = false;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Virtual Z4 mouse (or keyboard) on a virtual HID bus."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOptions({
        help,
        {QStringLiteral("bus"), QStringLiteral("Bus directory for the device socket."),
         QStringLiteral("DIR")},
        {QStringLiteral("log"), QStringLiteral("Append every report as a JSON line to FILE."),
         QStringLiteral("FILE")},
        {QStringLiteral("code"), QStringLiteral("Six-character secrecy code (740352)."),
         QStringLiteral("XXXXXX")},
        {QStringLiteral("keyboard"), QStringLiteral("Be the keyboard (row 0) instead.")},
        {QStringLiteral("cipher"),
         QStringLiteral("Frame cipher on or off (default: the device table)."),
         QStringLiteral("on|off")},
        {QStringLiteral("sensor-type"), QStringLiteral("Sensor type 0..3 (default 0)."),
         QStringLiteral("N")},
        {QStringLiteral("stages"), QStringLiteral("Number of DPI stages 1..8 (default 8)."),
         QStringLiteral("N")},
        {QStringLiteral("logo-led"),
         QStringLiteral("1: the logo LED works (default); 0: it does not."), QStringLiteral("0|1")},
        {QStringLiteral("fw"), QStringLiteral("Firmware version, major.minor in hex (1.0A)."),
         QStringLiteral("X.Y")},
        {QStringLiteral("state"),
         QStringLiteral("Keep the device state in FILE (JSON) across restarts."),
         QStringLiteral("FILE")},
        {QStringLiteral("refuse-open"), QStringLiteral("Refuse every open.")},
        {QStringLiteral("drop-after"),
         QStringLiteral("After N reports from the host, close each connection unanswered."),
         QStringLiteral("N")},
        {QStringLiteral("mute-input"),
         QStringLiteral("Send no input report: reads go unanswered, sets unacknowledged.")},
        {QStringLiteral("delay"), QStringLiteral("Delay every answer by MS milliseconds."),
         QStringLiteral("MS")},
        {QStringLiteral("short-reports"), QStringLiteral("Cut every input report to N bytes."),
         QStringLiteral("N")},
    });
    if (!parser.parse(args)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        *error = parser.helpText();
        if (helpShown)
            *helpShown = true;
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error =
            QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first());
        return std::nullopt;
    }

    SimOptions options;
    options.busDirectory = parser.value(QStringLiteral("bus"));
    if (options.busDirectory.isEmpty()) {
        *error = QStringLiteral("--bus DIR is required");
        return std::nullopt;
    }
    options.logFile = parser.value(QStringLiteral("log"));
    if (parser.isSet(QStringLiteral("code"))) {
        options.secrecyCode = parser.value(QStringLiteral("code"));
        if (options.secrecyCode.size() != 6 || options.secrecyCode.toLatin1().size() != 6 ||
            options.secrecyCode != QString::fromLatin1(options.secrecyCode.toLatin1())) {
            *error = QStringLiteral("--code needs exactly six characters");
            return std::nullopt;
        }
    }
    options.keyboard = parser.isSet(QStringLiteral("keyboard"));
    if (parser.isSet(QStringLiteral("cipher"))) {
        const QString value = parser.value(QStringLiteral("cipher"));
        if (value != QLatin1String("on") && value != QLatin1String("off")) {
            *error = QStringLiteral("--cipher takes on or off");
            return std::nullopt;
        }
        options.cipher = value == QLatin1String("on");
    }
    int logoLed = 1;
    if (!readRange(parser, QStringLiteral("sensor-type"), 0, 3, &options.sensorType, error) ||
        !readRange(parser, QStringLiteral("stages"), 1, 8, &options.stageCount, error) ||
        !readRange(parser, QStringLiteral("logo-led"), 0, 1, &logoLed, error))
        return std::nullopt;
    options.logoLed = logoLed == 1;
    if (parser.isSet(QStringLiteral("fw"))) {
        options.firmwareVersion = parser.value(QStringLiteral("fw"));
        uint8_t major = 0;
        uint8_t minor = 0;
        if (!parseFirmwareVersion(options.firmwareVersion, major, minor)) {
            *error = QStringLiteral("--fw needs two hexadecimal numbers of one or two digits, "
                                    "such as 1.0A, not \"%1\"")
                         .arg(options.firmwareVersion);
            return std::nullopt;
        }
    }
    options.stateFile = parser.value(QStringLiteral("state"));
    options.refuseOpen = parser.isSet(QStringLiteral("refuse-open"));
    options.muteInput = parser.isSet(QStringLiteral("mute-input"));
    if (!readCount(parser, QStringLiteral("drop-after"), 0, &options.dropAfter, error) ||
        !readCount(parser, QStringLiteral("delay"), 0, &options.delayMs, error) ||
        !readCount(parser, QStringLiteral("short-reports"), 0, &options.shortReports, error))
        return std::nullopt;
    return options;
}
