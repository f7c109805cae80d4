// Hid_Thread: construction, device list, connect step, device watcher and the
// link token. The transactions themselves are in hid_thread_transport.cpp.
#include "device/cipher.h"
#include "device/clock.h"
#include "device/device_log.h"
#include "device/hid_bus.h"
#include "device/hid_thread.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMutexLocker>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

std::atomic<bool> isEncode{false};
std::atomic<bool> deviceConnected{false};

namespace {

constexpr int kLinkPolls = 255;
constexpr int kLinkPollMs = 8;
constexpr auto kDefaultSecrecyCode = "740352";

} // namespace

Hid_Thread::Hid_Thread(HidBus *bus, LinkClock *clock)
    : QThread(nullptr), bus(bus), clock(clock ? clock : &systemLinkClock())
{
    qRegisterMetaType<SetRequest>();
    qRegisterMetaType<LinkOutcome>();
    qRegisterMetaType<LinkResult>();
}

Hid_Thread::~Hid_Thread()
{
    stopWatch();
    shutdownLink();
}

// ------------------------------------------------------------ device list

void Hid_Thread::scanDevices(const QList<DevInfo> &table)
{
    QList<HidDevice> list;
    for (int i = 0; i < table.size(); ++i) {
        const DevInfo &row = table.at(i);
        HidDevice entry;
        entry.id = i;
        entry.productName = row.productName;
        entry.type = row.type;
        list.append(entry);

        // Only the mouse row is looked up; the keyboard row stays absent.
        if (i != kMouseDevice || !bus)
            continue;
        QString p1;
        QString p2;
        const QList<HidInterfaceInfo> found = bus->enumerate(row.vid, row.pid);
        for (const HidInterfaceInfo &itf : found) {
            if (itf.usagePage == row.usagePage && itf.usage == row.usage)
                p1 = itf.path;
            if (itf.usagePage == row.usagePage2 && itf.usage == row.usage2)
                p2 = itf.path;
            if (!p1.isEmpty() && !p2.isEmpty()) {
                list[kMouseDevice].path = p1;
                list[kMouseDevice].path2 = p2;
                list[kMouseDevice].reportLength = static_cast<int>(row.reportLength);
            }
        }
    }
    {
        QMutexLocker lock(&devicesMutex);
        devices = list;
        lastTable = table;
    }
    lostSinceScan.store(false);
    notePresence();
}

void Hid_Thread::rescanAfterFailure()
{
    // A device that was away for a moment (a failed open empties its path)
    // would stay lost until the next hot-plug check, which a --call run never
    // has: the first command after such a failure looks once more.
    if (!lostSinceScan.exchange(false) || isDevicePresent())
        return;
    QList<DevInfo> table;
    {
        QMutexLocker lock(&devicesMutex);
        table = lastTable;
    }
    scanDevices(table);
    if (isDevicePresent())
        connectDevice();
}

QList<HidDevice> Hid_Thread::deviceList() const
{
    QMutexLocker lock(&devicesMutex);
    return devices;
}

HidDevice Hid_Thread::deviceAt(int index) const
{
    QMutexLocker lock(&devicesMutex);
    if (index < 0 || index >= devices.size())
        return HidDevice{};
    return devices.at(index);
}

void Hid_Thread::clearPath(int index, bool second, const QString &failedPath)
{
    {
        QMutexLocker lock(&devicesMutex);
        if (index < 0 || index >= devices.size())
            return;
        QString &path = second ? devices[index].path2 : devices[index].path;
        if (path != failedPath)
            return;
        path.clear();
    }
    lostSinceScan.store(true);
    notePresence();
}

bool Hid_Thread::isDeviceConnected() const
{
    return !deviceAt(currentDevice.load()).path.isEmpty();
}

bool Hid_Thread::isDevicePresent() const
{
    return deviceAt(currentDevice.load()).present();
}

void Hid_Thread::notePresence()
{
    const int now = isDevicePresent() ? 1 : 0;
    if (presence.exchange(now) != now)
        emit presenceChanged(now == 1);
}

// ------------------------------------------------------------ connect step

void Hid_Thread::swichCurDevice(uint did)
{
    if (static_cast<int>(did) != currentDevice.load()) {
        currentDevice.store(static_cast<int>(did));
        notePresence();
        startWatch(did);
    }
    connectDevice();
}

void Hid_Thread::connectDevice()
{
    const int index = currentDevice.load();
    if (index == kKeyboardDevice || index == kMouseDevice) {
        const QString code = configSource ? configSource->secrecyCode(index)
                                          : QString::fromLatin1(kDefaultSecrecyCode);
        setSecrecyCode(code);
    }
    if (!deviceAt(index).path.isEmpty()) {
        qCDebug(lcDevice, "Device Connect");
        deviceConnected.store(true);
    } else {
        deviceConnected.store(false);
    }
}

// ------------------------------------------------------------ watcher

void Hid_Thread::startWatch(uint did)
{
    stopWatch();
    // The watcher holds one pool thread for as long as it runs; set
    // transactions need another one, or they would queue behind it forever.
    QThreadPool *pool = QThreadPool::globalInstance();
    if (pool->maxThreadCount() < 2)
        pool->setMaxThreadCount(2);
    watchRunning.store(true);
    watchFuture = QtConcurrent::run(pool, [this, did] { watchDevice(did); });
}

void Hid_Thread::stopWatch()
{
    watchRunning.store(false);
    watchFuture.waitForFinished();
}

void Hid_Thread::watchCurrentDevice()
{
    if (watchFuture.isFinished() && isDevicePresent())
        startWatch(uint(currentDevice.load()));
}

void Hid_Thread::watchDevice(uint did)
{
    const int index = static_cast<int>(did);
    if (deviceAt(index).path2.isEmpty())
        return;
    std::unique_ptr<HidHandle> handle;
    while (watchRunning.load()) {
        // The interface stays open from one read to the next: an input report
        // that comes while no handle is open is lost. Only while it is open
        // may a set count on seeing its acknowledge.
        if (!handle) {
            if (!openWatchInterface(did, handle)) {
                qCDebug(lcDevice, "Device removed");
                watchRunning.store(false);
                return;
            }
            watchReading.store(true);
        }
        uint8_t report[4] = {};
        const int n = handle->read(report, sizeof report, kWatchReadTimeoutMs);
        if (n == 4 && report[0] == 0x04 && report[1] == 0x04 && report[2] == 0x00 &&
            report[3] == 0x00)
            ackSeen.store(true);
        // A read that fails closes the interface; the next pass then finds
        // out whether the device is still there.
        if (n < 0) {
            watchReading.store(false);
            handle.reset();
        }
    }
    watchReading.store(false);
}

bool Hid_Thread::openWatchInterface(uint index, std::unique_ptr<HidHandle> &handle)
{
    const QString path = deviceAt(static_cast<int>(index)).path2;
    if (path.isEmpty() || !bus)
        return false;
    handle.reset();
    handle = bus->open(path);
    if (!handle) {
        clearPath(static_cast<int>(index), true, path);
        return false;
    }
    handle->setNonBlocking(false);
    return true;
}

// ------------------------------------------------------------ link token

bool Hid_Thread::acquireLink()
{
    for (int poll = 0; poll < kLinkPolls; ++poll) {
        bool idle = true;
        if (!linkClosed.load() && linkIdle.compare_exchange_strong(idle, false))
            return true;
        clock->sleepMs(kLinkPollMs);
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return false;
}

void Hid_Thread::buildFrame(uchar code, uchar p1, uchar p2, uchar p3, uchar p4, uchar p5, uchar p6)
{
    frame = {0, code, p1, p2, p3, p4, p5, p6, 0};
    frame[8] = frameChecksum(&frame[1]);
}

void Hid_Thread::dispatchSet(const SetRequest &request)
{
    emit setStarted(request);
    if (!acquireLink()) {
        qCDebug(lcDevice, "cmd Failed %02X", unsigned(request.code()));
        emit setFinished(request, linkClosed.load() ? LinkResult::Closed : LinkResult::Busy);
        return;
    }
    rescanAfterFailure();
    frame = request.frame;
    const auto length = std::min<qsizetype>(request.data.size(), qsizetype(data.size()));
    std::copy_n(request.data.constData(), length, data.begin());
    startWriteTask(int(length), request.waitAck);
    if (request.pauseAfter)
        pauseAfterDispatch();
}

bool Hid_Thread::beginGet(uchar code)
{
    if (acquireLink()) {
        rescanAfterFailure();
        return true;
    }
    qCDebug(lcDevice, "cmd Failed");
    finishGet({code, linkClosed.load() ? LinkResult::Closed : LinkResult::Busy});
    return false;
}

void Hid_Thread::startWriteTask(int dataLength, bool waitAck)
{
    // What goes on the wire, kept for the outcome (and a later resend) before
    // the transaction enciphers the frame in place.
    SetRequest request;
    request.frame = frame;
    request.waitAck = waitAck;
    if (dataLength > 0)
        request.data = QByteArray(reinterpret_cast<const char *>(data.data()),
                                  std::min<qsizetype>(dataLength, qsizetype(data.size())));
    writeFuture = QtConcurrent::run(QThreadPool::globalInstance(), [this, request] {
        LinkResult result = LinkResult::Done;
        writeTransaction(int(request.data.size()), request.waitAck, &result);
        emit setFinished(request, result);
    });
}

void Hid_Thread::pauseAfterDispatch()
{
    clock->sleepMs(kLinkPollMs);
}

void Hid_Thread::shutdownLink()
{
    linkClosed.store(true);
    // Sets are the only transactions that run off this thread, and only the
    // last one started can still run: the token keeps them in sequence.
    writeFuture.waitForFinished();
    linkIdle.store(false);
}
