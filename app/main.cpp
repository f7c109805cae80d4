#include "app/app_options.h"
#include "app/call/call_dispatcher.h"
#include "app/input_capture.h"
#include "app/widget.h"
#include "backend/bridge/my_qquick_view.h"
#include "backend/bridge/ui_controler.h"
#include "backend/prompts/headless_prompts.h"
#include "device/device_watcher.h"
#include "device/hidapi_bus.h"
#include "device/virtual_bus.h"
#include "macro/capture/input_hook.h"
#include "sim/virtual_mouse.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <cstring>
#include <memory>

namespace {

bool wantsCall(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--call") == 0)
            return true;
    return false;
}

// Where the program finds its device: the hidapi bus and the platform's
// notifications, or a virtual bus (given, or private to an embedded mouse).
struct DeviceSetup
{
    std::unique_ptr<VirtualMouse> demoMouse;
    std::unique_ptr<HidBus> bus;
    std::unique_ptr<DeviceWatcher> watcher;
};

bool setUpDevices(const AppOptions &options, DeviceSetup &setup, QString *error)
{
    QString busDir = options.virtualBusDir;
    if (options.demo) {
        setup.demoMouse = std::make_unique<VirtualMouse>();
        if (!setup.demoMouse->start(error))
            return false;
        busDir = setup.demoMouse->busDirectory();
    }
    if (busDir.isEmpty()) {
        setup.bus = std::make_unique<HidapiBus>();
        setup.watcher = createPlatformDeviceWatcher();
        return true;
    }
    if (!QFileInfo(busDir).isDir()) {
        *error = QStringLiteral("the virtual bus directory \"%1\" does not exist").arg(busDir);
        return false;
    }
    setup.bus = std::make_unique<VirtualBus>(busDir);
    setup.watcher = std::make_unique<VirtualBusWatcher>(busDir);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // Scripting runs without a display.
    if (wantsCall(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    const QDir startDir = QDir::current();

    // Every relative path ("./modules/...") resolves against the program's
    // own directory, wherever it was started from.
    QString appDir = QCoreApplication::applicationFilePath();
    appDir.truncate(appDir.lastIndexOf(QLatin1Char('/')));
    QDir::setCurrent(appDir);

    QTextStream err(stderr);
    const AppOptions options = parseAppOptions(app.arguments().mid(1));
    if (!options.error.isEmpty()) {
        const bool help = options.error == QLatin1String("help");
        if (!help)
            err << "z4config: " << options.error << "\n";
        err << appUsage();
        return help ? 0 : 2;
    }

    DeviceSetup devices;
    QString error;
    if (!setUpDevices(options, devices, &error)) {
        err << "z4config: " << error << "\n";
        return 1;
    }

    auto widget = std::make_unique<Widget>(devices.bus.get());
    QObject::connect(devices.watcher.get(), &DeviceWatcher::deviceChanged, widget.get(),
                     &Widget::deviceChangeNotified);

    std::unique_ptr<InputHook> inputHook;
    if (!options.headless) {
        inputHook = std::make_unique<InputHook>();
        inputHook->installHooks();
        connectInputHook(*inputHook, *widget);
    }

    // Nobody is there to answer a dialog: a --call run answers from its
    // command line. Relative paths meant the directory it was started in.
    HeadlessPrompts *headlessPrompts = nullptr;
    if (options.headless) {
        QStringList files;
        for (const QString &file : options.files)
            files.append(startDir.absoluteFilePath(file));
        auto prompts = std::make_unique<HeadlessPrompts>(files, options.answers, err);
        headlessPrompts = prompts.get();
        widget->view()->setPrompts(std::move(prompts));
    }

    widget->checkDevice();

    int result = 0;
    if (options.headless) {
        CallDispatcher calls;
        calls.addHid(&widget->deviceLink());
        calls.addObject(QStringLiteral("ui_View"), widget->view());
        calls.addObject(QStringLiteral("ui_Ctl"), widget->controller());
        QTextStream out(stdout);
        result = calls.run(options.callArguments, out, err);
        for (const QString &unused : headlessPrompts->unusedFilePaths())
            err << "z4config: no dialog asked for --file " << unused << "\n";
        // An operation that reported a failure (a file not written) makes the
        // exit status 4.
        if (result == 0 && headlessPrompts->failed())
            result = 4;
    } else {
        if (deviceConnected.load()) {
            widget->showNormal();
            widget->startUI();
        } else {
            widget->waitForDevice();
        }
        result = app.exec();
    }

    inputHook.reset();
    widget.reset();
    devices = {};
    return result;
}
