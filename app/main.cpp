#include "app/app_options.h"
#include "app/call/call_session.h"
#include "app/device_setup.h"
#include "app/input_capture.h"
#include "app/single_instance.h"
#include "app/widget.h"
#include "backend/bridge/my_qquick_view.h"
#include "backend/config/user_files.h"
#include "backend/trace/startup_trace.h"
#include "device/device_watcher.h"
#include "device/hidapi_bus.h"
#include "macro/capture/input_hook.h"
#include "storage/data_locations.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QIcon>
#include <QLoggingCategory>
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace {

// The program's icon in every size the build rendered into the resources.
QIcon programIcon()
{
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (sizes.hasNext())
        icon.addFile(sizes.next());
    return icon;
}

bool setUpDevices(const AppOptions &options, DeviceSetup &setup, QString *error)
{
    if (options.demo || !options.virtualBusDir.isEmpty())
        return setUpVirtualDevices(options, setup, error);
    setup.bus = std::make_unique<HidapiBus>();
    setup.watcher = createPlatformDeviceWatcher();
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    startuptrace::mark("main");
    // The command line is read before anything needs a display, so that
    // --help, --version and mistakes are answered anywhere.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const AppOptions options = parseAppOptions(arguments);
    if (options.help || options.version) {
        QTextStream(stdout) << (options.help ? appHelpText() : appVersionText());
        return 0;
    }
    if (!options.error.isEmpty()) {
        QTextStream(stderr) << "z4config: " << options.error
                            << "\nTry \"z4config --help\" for the options.\n";
        return 2;
    }

    // The log lines are quiet unless asked for; QT_LOGGING_RULES still
    // decides over this.
    if (options.verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("z4.*.debug=true"));

    // Scripting runs without a display.
    if (options.headless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    startuptrace::mark("application object");
    // The user's config folder is named after the program, whatever its
    // executable is called.
    QCoreApplication::setApplicationName(QStringLiteral("z4config"));
    QGuiApplication::setDesktopFileName(DataLocations::applicationId());
    QApplication::setWindowIcon(programIcon());

    QTextStream err(stderr);
    if (!options.virtualBusDir.isEmpty() && !QFileInfo(options.virtualBusDir).isDir()) {
        err << "z4config: the virtual bus directory \"" << options.virtualBusDir
            << "\" does not exist\n";
        return 1;
    }

    // One process talks to each mouse: a later start hands its request to
    // the one running and prints its answer.
    SingleInstance instance(SingleInstance::serverName(options.demo, options.virtualBusDir));
    SingleInstance::Request request;
    if (options.headless) {
        request.kind = SingleInstance::Request::Kind::Call;
        request.callArguments = options.callArguments;
        // Relative paths meant the directory the program was started in.
        for (const QString &file : options.files)
            request.files.append(QDir::current().absoluteFilePath(file));
        request.answers = options.answers;
    }
    SingleInstance::Reply reply;
    QString error;
    switch (instance.claimOrForward(request, &reply, &error)) {
    case SingleInstance::Start::Forwarded:
        std::fwrite(reply.out.constData(), 1, size_t(reply.out.size()), stdout);
        std::fwrite(reply.err.constData(), 1, size_t(reply.err.size()), stderr);
        return reply.exitCode;
    case SingleInstance::Start::Failed:
        err << "z4config: " << error << "\n";
        return 1;
    case SingleInstance::Start::Primary:
        break;
    }

    // The program finds its files from its own folder, wherever it was
    // started from.
    const DataLocations locations = DataLocations::forProgram(
        QCoreApplication::applicationDirPath(), DataLocations::userConfigFolder());
    for (const QString &problem : prepareUserFiles(locations))
        err << "z4config: " << problem << "\n";

    DeviceSetup devices;
    if (!setUpDevices(options, devices, &error)) {
        err << "z4config: " << error << "\n";
        return 1;
    }

    auto widget = std::make_unique<Widget>(devices.bus.get(), locations);
    QObject::connect(devices.watcher.get(), &DeviceWatcher::deviceChanged, widget.get(),
                     &Widget::deviceChangeNotified);

    std::unique_ptr<InputHook> inputHook;
    if (!options.headless) {
        inputHook = std::make_unique<InputHook>();
        inputHook->installHooks();
        connectInputHook(*inputHook, *widget);
    }

    widget->checkDevice();
    startuptrace::mark("device scan and connect");

    int result = 0;
    if (options.headless) {
        QTextStream out(stdout);
        result = runCallSession(*widget, request.callArguments, request.files, request.answers, out,
                                err, false);
    } else {
        // Later starts: a window start raises this one, calls run here.
        QObject::connect(&instance, &SingleInstance::raiseRequested, widget.get(),
                         &Widget::bringToFront);
        instance.setCallHandler([&widget](const SingleInstance::Request &forwarded) {
            SingleInstance::Reply answer;
            QTextStream out(&answer.out, QIODevice::WriteOnly);
            QTextStream messages(&answer.err, QIODevice::WriteOnly);
            answer.exitCode = runCallSession(*widget, forwarded.callArguments, forwarded.files,
                                             forwarded.answers, out, messages, true);
            return answer;
        });
        if (widget->isConnected()) {
            widget->showNormal();
            widget->startUI();
        } else {
            widget->waitForDevice();
        }
        result = app.exec();
        instance.setCallHandler({});
    }

    inputHook.reset();
    widget.reset();
    devices = {};
    return result;
}
