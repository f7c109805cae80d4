#pragma once

#include "device/command_set.h"
#include "device/dev_info.h"
#include "device/link_outcome.h"

#include <QFuture>
#include <QList>
#include <QMutex>
#include <QString>
#include <QThread>
#include <array>
#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>

class HidBus;
class HidHandle;
class LinkClock;
class QWidget;

// The one object through which the program talks to a device: device list,
// link token, the two transactions and both command sets. Its own thread is
// never started; sets run their exchange on the global QThreadPool, gets run
// theirs on the calling (GUI) thread. The files are split by concern:
// hid_thread_link.cpp (scan, connect, watcher, token),
// hid_thread_transport.cpp (transactions, cipher slots),
// hid_thread_commands.cpp (the command sets, run from the rows of
// command_set.h).
//
// Typical use by the host window:
//     HidapiBus bus;                          // or VirtualBus bus(dir)
//     Hid_Thread link(&bus);                  // clock: the real one
//     link.setConfigSource(&config);          // product names, secrecy codes
//     // checkDevice():
//     const DeviceTable table = readDeviceTable(config.productNames());
//     link.scanDevices(table.rows);
//     isEncode = table.isEncode;
//     link.swichCurDevice(link.currentDeviceId());
// The destructor stops the watcher and waits for a running set, so the
// object may go at any time on the GUI thread.
//
// Outcomes: the command members keep their shapes (sets return at once,
// gets hand back their outputs), and every command also reports how it
// ended: setStarted/setFinished for sets (setFinished arrives from the pool,
// so connect it queued or auto), getFinished and lastGetOutcome() for gets.
class Hid_Thread : public QThread
{
    Q_OBJECT

public:
    // bus and clock must outlive the object; a null clock is the real one.
    explicit Hid_Thread(HidBus *bus, LinkClock *clock = nullptr);
    ~Hid_Thread() override;

    QWidget *host = nullptr;

    void setConfigSource(const DeviceConfigSource *source) { configSource = source; }
    const DeviceConfigSource *config() const { return configSource; }
    HidBus *hidBus() const { return bus; }

    // Builds the device list from the table: only row 1 (the mouse) is looked
    // up on the bus, and it is present when both of its interfaces are found.
    void scanDevices(const QList<DevInfo> &table);
    QList<HidDevice> deviceList() const; // a copy
    int currentDeviceId() const { return currentDevice.load(); }
    // True while the watcher has the second interface open: a set sent then
    // learns whether the device acknowledged it.
    bool isWatching() const { return watchReading.load(); }
    // The current device was found by the last scan and its command
    // interface has not failed to open since (what connectDevice() checks).
    bool isDeviceConnected() const;
    // Both interfaces of the current device are known and have not failed to
    // open since the last scan; presenceChanged() reports every change.
    bool isDevicePresent() const;

    // The device watcher: a pool task that reads the second interface of
    // device did, sets the acknowledge flag on 04 04 00 00 and logs "Device
    // removed" when the interface stops opening. stopWatch() returns within
    // one read time-out.
    void startWatch(uint did);
    void stopWatch();
    // Starts the watcher on the current device unless one is running. The
    // watcher is what sees the acknowledge report, so a set can only know it
    // was acknowledged while one runs.
    void watchCurrentDevice();
    // Waits until no transaction runs and takes the link for good; called
    // before destruction so that no pool task outlives this object.
    void shutdownLink();
    bool isLinkIdle() const { return linkIdle.load(); }

    // A data-phase input report that does not arrive within this time ends
    // the read transaction with false instead of blocking the GUI thread.
    static constexpr int kDataReadTimeoutMs = 1000;
    // Read time-out of one pass of the device watcher; bounds stopWatch().
    static constexpr int kWatchReadTimeoutMs = 500;

    // How the last get ended (GUI thread only). A get hands back its reply
    // template when the exchange fails, so callers that build a set from a
    // read check this first.
    LinkOutcome lastGetOutcome() const { return lastGet; }

    // Sends a set again exactly as it went before (Retry).
    void resend(const SetRequest &request) { dispatchSet(request); }

    // Runs one row of the command set with its arguments in the order the
    // row lists them: a set takes the link and hands its exchange to the
    // pool, a get runs its exchange here and writes its outputs back.
    // Returns false when a get's exchange failed or never started (a set's
    // outcome comes with setFinished).
    bool runCommand(const cmd::Command &command, std::span<const CommandArg> args);
    bool runCommand(const cmd::Command &command, std::initializer_list<CommandArg> args)
    {
        return runCommand(command, std::span(args.begin(), args.size()));
    }

signals:
    // Every set: setStarted when it is called, then exactly one setFinished
    // (Busy or Closed at once when it was dropped, otherwise from the pool
    // thread when its transaction has ended).
    void setStarted(const SetRequest &request);
    void setFinished(const SetRequest &request, LinkResult result);
    void getFinished(const LinkOutcome &outcome);
    void presenceChanged(bool present);

public slots:
    void swichCurDevice(uint did);
    uchar hidCS(uchar *cmd);
    void connectDevice();
    void USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[]);
    void USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[]);

    // Keyboard command set.
    void hid_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
    {
        runCommand(cmd::keyboard(0x03), {byte1, byte2, byte3, byte4});
    }
    void hid_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                      uchar index)
    {
        runCommand(cmd::keyboard(0x04), {sens1, sens2, sens3, sens4, index});
    }
    void hid_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
    {
        runCommand(cmd::keyboard(0x07), {effect, frequenty});
    }
    void hid_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                            uchar direction)
    {
        runCommand(cmd::keyboard(0x08), {option, effect, speed, light, color, direction});
    }
    void hid_09H_SetKeyboardMode(uchar mode) { runCommand(cmd::keyboard(0x09), {mode}); }
    void hid_0DH_SetKeyMatrix(uchar *src512) { runCommand(cmd::keyboard(0x0D), {src512}); }
    void hid_0EH_SetKeyOnOff(uchar *src21) { runCommand(cmd::keyboard(0x0E), {src21}); }
    void hid_11H_SetMacroKey(uchar macroId, uchar *src192)
    {
        runCommand(cmd::keyboard(0x11), {macroId, src192});
    }
    void hid_12H_SetUserPicture(uchar index, uchar option, uchar *src512)
    {
        runCommand(cmd::keyboard(0x12), {index, option, src512});
    }
    void hid_13H_SetRecoveryData() { runCommand(cmd::keyboard(0x13), {}); }
    void hid_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
    {
        runCommand(cmd::keyboard(0x14), {index, rValue, gValue, bValue});
    }
    void hid_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
    {
        runCommand(cmd::keyboard(0x83), {byte1, byte2, byte3, byte4});
    }
    void hid_84H_GetButtonSensitivity(uchar &sens1, uchar &sens2, uchar &sens3, uchar &sens4)
    {
        runCommand(cmd::keyboard(0x84), {sens1, sens2, sens3, sens4});
    }
    void hid_88H_GetLEDType(uchar &effect, uchar &speed, uchar &light, uchar &color,
                            uchar &direction)
    {
        runCommand(cmd::keyboard(0x88), {effect, speed, light, color, direction});
    }
    void hid_89H_GetKeyboardMode(uchar &mode) { runCommand(cmd::keyboard(0x89), {mode}); }
    void hid_8DH_GetKeyMatrix(uchar *src512) { runCommand(cmd::keyboard(0x8D), {src512}); }
    void hid_8EH_GetKeyOnOff(uchar *src21) { runCommand(cmd::keyboard(0x8E), {src21}); }
    void hid_91H_GetMacroKey(uchar macroId, uchar *src192)
    {
        runCommand(cmd::keyboard(0x91), {macroId, src192});
    }
    void hid_92H_GetUserPicture(uchar index, uchar *src512)
    {
        runCommand(cmd::keyboard(0x92), {index, src512});
    }
    void hid_94H_GetColor(uchar index, uchar &rValue, uchar &gValue, uchar &bValue)
    {
        runCommand(cmd::keyboard(0x94), {index, rValue, gValue, bValue});
    }

    // Mouse command set (01H, 02H, 80H, 81H, 82H serve both devices).
    void hid_01H_SetReportRate(uchar rate) { runCommand(cmd::mouse(0x01), {rate}); }
    void hid_02H_SetCurrentProfile(uchar profile) { runCommand(cmd::mouse(0x02), {profile}); }
    void hid_03H_SetFunctionOption(uchar type, uchar rate, uchar option1, uchar option2)
    {
        runCommand(cmd::mouse(0x03), {type, rate, option1, option2});
    }
    void hid_07H_SetLEDInstructFunction(uchar type, uchar option1, uchar option2, uchar option3)
    {
        runCommand(cmd::mouse(0x07), {type, option1, option2, option3});
    }
    void hid_0BH_SetCurrentDPIStage(uchar dpiStage) { runCommand(cmd::mouse(0x0B), {dpiStage}); }
    void hid_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
    {
        runCommand(cmd::mouse(0x0D), {effect, option1, option2});
    }
    void hid_10H_SetLED8StageColor(uchar type, uchar *src24)
    {
        runCommand(cmd::mouse(0x10), {type, src24});
    }
    void hid_11H_SetDPISet(uchar dpiStage, uchar *src8)
    {
        runCommand(cmd::mouse(0x11), {dpiStage, src8});
    }
    void hid_12H_SetKeyMatrix(uchar *src64, uchar index)
    {
        runCommand(cmd::mouse(0x12), {src64, index});
    }
    void hid_13H_SetMacroKey(uchar macroId, uchar *src128)
    {
        runCommand(cmd::mouse(0x13), {macroId, src128});
    }
    void hid_80H_GetFWVersion(QString &version) { runCommand(cmd::mouse(0x80), {version}); }
    void hid_81H_GetReportRate(uchar &rate) { runCommand(cmd::mouse(0x81), {rate}); }
    void hid_82H_GetCurrentProfile(uchar &profile) { runCommand(cmd::mouse(0x82), {profile}); }
    void hid_83H_GetFunctionOption(uchar &type, uchar &option1, uchar &option2)
    {
        runCommand(cmd::mouse(0x83), {type, option1, option2});
    }
    bool hid_87H_GetLEDInstructFunction(uchar type, uchar &option1, uchar &option2, uchar &option3)
    {
        return runCommand(cmd::mouse(0x87), {type, option1, option2, option3});
    }
    void hid_8BH_GetCurrentDPIStage(uchar &dpiStage) { runCommand(cmd::mouse(0x8B), {dpiStage}); }
    void hid_8DH_GetRGBLedEffect(uchar &effect, uchar &option1, uchar &option2)
    {
        runCommand(cmd::mouse(0x8D), {effect, option1, option2});
    }
    void hid_90H_GetLED8StageColor(uchar type, uchar *src24)
    {
        runCommand(cmd::mouse(0x90), {type, src24});
    }
    bool hid_91H_GetDPISet(uchar &dpiMAXStage, uchar *src8)
    {
        return runCommand(cmd::mouse(0x91), {dpiMAXStage, src8});
    }
    void hid_92H_GetKeyMatrix(uchar *src64) { runCommand(cmd::mouse(0x92), {src64}); }
    void hid_93H_GetMacroKey(uchar macroId, uchar *src128)
    {
        runCommand(cmd::mouse(0x93), {macroId, src128});
    }

protected:
    // --- Primitives the command sets are written with. ---

    // Waits (up to 255 polls of 8 ms, processing events) for the link token.
    bool acquireLink();
    static QByteArray blockOf(const uchar *src, int length)
    {
        return {reinterpret_cast<const char *>(src), length};
    }
    // The common shape of every set: takes the link (or logs "cmd Failed XX"
    // and reports the drop), fills frame and data from the request, starts
    // the transaction on the pool and pauses when the request says so.
    void dispatchSet(const SetRequest &request);
    // The start of every get: takes the link, or logs "cmd Failed" and
    // reports the drop (false: leave the outputs alone).
    bool beginGet(uchar code);
    // frame = [0, code, p1..p6, checksum of bytes 1..7].
    void buildFrame(uchar code, uchar p1 = 0, uchar p2 = 0, uchar p3 = 0, uchar p4 = 0,
                    uchar p5 = 0, uchar p6 = 0);
    // Starts writeTransaction(dataLength, waitAck) on the global pool; the
    // link token must be held and frame (and data) filled.
    void startWriteTask(int dataLength, bool waitAck);
    // Runs the read exchange on the calling thread; reply must be preset.
    // Records and reports the get's outcome.
    bool readTransaction(int dataLength);
    // The 8 ms pause some sets take on the caller's thread after dispatch.
    void pauseAfterDispatch();

    std::array<uchar, 9> frame{};
    std::array<uchar, 9> reply{};
    std::array<uchar, 512> data{};

private:
    // why (optional) receives how the exchange ended.
    bool writeTransaction(int dataLength, bool waitAck, LinkResult *why = nullptr);
    bool readExchange(int dataLength, LinkResult *why);
    // Sleeps 64 ms, and 64 more unless the acknowledge came in the first
    // wait; true when it came. ackSeen is cleared before the report it
    // acknowledges is sent, so a quick device's answer is not missed.
    bool waitAck();
    // waitAck(), then, when the watcher was reading as the report went out
    // (`watched`), up to a second more for a late acknowledge; false only
    // when it was and none came.
    bool acknowledged(bool watched);
    void finishGet(const LinkOutcome &outcome);
    // Opens the command interface, telling why it failed.
    bool openCommand(uint index, std::unique_ptr<HidHandle> &handle, LinkResult *why);
    // Closes handle, then opens the interface's path into it. A failed open
    // empties that path, so the device counts as gone until the next scan.
    // An empty path fails without touching the bus.
    bool openCmdInterface(uint index, std::unique_ptr<HidHandle> &handle);
    bool openWatchInterface(uint index, std::unique_ptr<HidHandle> &handle);
    void watchDevice(uint did);
    HidDevice deviceAt(int index) const;
    // Empties a path, but only while it is still the one that failed: a scan
    // that ran in between keeps its fresh result.
    void clearPath(int index, bool second, const QString &failedPath);
    // Re-evaluates the current device's presence after devices changed;
    // call with devicesMutex released.
    void notePresence();
    // With the link held: after a failure emptied a path since the last
    // scan, scans the last table once more (and connects what it finds).
    void rescanAfterFailure();

    HidBus *bus = nullptr;
    LinkClock *clock = nullptr;
    const DeviceConfigSource *configSource = nullptr;

    mutable QMutex devicesMutex; // guards devices: transactions and the watcher copy
    QList<HidDevice> devices;
    QList<DevInfo> lastTable;               // the table of the last scan
    std::atomic<bool> lostSinceScan{false}; // a failed open emptied a path since
    std::atomic<int> currentDevice{kMouseDevice};
    std::atomic<bool> linkIdle{true};
    std::atomic<bool> linkClosed{false}; // set by shutdownLink: no command starts any more
    std::atomic<bool> watchRunning{false};
    std::atomic<bool> watchReading{false}; // the watcher has the interface open
    std::atomic<int> presence{-1};         // last reported presence: -1 none yet
    std::atomic<bool> ackSeen{true};
    QFuture<void> watchFuture;
    QFuture<void> writeFuture; // the last set's task, waited for at shutdown
    LinkOutcome lastGet;
};

// Process-wide flags of the device link.
extern std::atomic<bool> isEncode;
extern std::atomic<bool> deviceConnected;

// The cipher key: bytes 1..6 are the ASCII codes of the secrecy code that the
// connect step loaded; bytes 0 and 7 stay 0. Transactions read it through
// currentSecrecyCode(), which takes the same lock as the connect step.
extern uchar SecrecyCode[8];
std::array<uchar, 8> currentSecrecyCode();
// Loads a six-character code into SecrecyCode and returns true; a code of
// any other length leaves the key as it was.
bool setSecrecyCode(const QString &code);
