// Every get of both command sets against a device that answers with any
// bytes: any reply frame (also a short one) and any data reports (any
// number, any lengths), on links of 32- and 64-byte reports. The recording
// bus of the device tests stands in for the device.
//
// Properties: nothing is read or written outside the caller's buffers (the
// sanitizers watch the buffers, each exactly its documented size); after
// every get the link is free again and no interface is left open.

#include "device/fake_hid_bus.h"
#include "fuzz_support.h"

#include <functional>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

namespace {

using Bytes = std::vector<uchar>;

// One get: called with the parameter byte of the input.
using Get = std::function<void(Hid_Thread &, uchar)>;

template <size_t N> Get blockGet(void (Hid_Thread::*get)(uchar *))
{
    return [get](Hid_Thread &link, uchar) {
        Bytes out(N);
        (link.*get)(out.data());
    };
}

template <size_t N> Get indexedBlockGet(void (Hid_Thread::*get)(uchar, uchar *))
{
    return [get](Hid_Thread &link, uchar p) {
        Bytes out(N);
        (link.*get)(p, out.data());
    };
}

const std::vector<Get> &gets()
{
    static const std::vector<Get> all{
        // keyboard command set
        [](Hid_Thread &l, uchar) {
            uchar a, b, c, d;
            l.hid_83H_GetKeyboardoption(a, b, c, d);
        },
        [](Hid_Thread &l, uchar) {
            uchar a, b, c, d;
            l.hid_84H_GetButtonSensitivity(a, b, c, d);
        },
        [](Hid_Thread &l, uchar) {
            uchar a, b, c, d, e;
            l.hid_88H_GetLEDType(a, b, c, d, e);
        },
        [](Hid_Thread &l, uchar) {
            uchar a;
            l.hid_89H_GetKeyboardMode(a);
        },
        blockGet<512>(&Hid_Thread::hid_8DH_GetKeyMatrix),
        blockGet<21>(&Hid_Thread::hid_8EH_GetKeyOnOff),
        indexedBlockGet<192>(&Hid_Thread::hid_91H_GetMacroKey),
        indexedBlockGet<512>(&Hid_Thread::hid_92H_GetUserPicture),
        [](Hid_Thread &l, uchar p) {
            uchar r, g, b;
            l.hid_94H_GetColor(p, r, g, b);
        },
        // mouse command set
        [](Hid_Thread &l, uchar) {
            QString version;
            l.hid_80H_GetFWVersion(version);
        },
        [](Hid_Thread &l, uchar) {
            uchar a;
            l.hid_81H_GetReportRate(a);
        },
        [](Hid_Thread &l, uchar) {
            uchar a;
            l.hid_82H_GetCurrentProfile(a);
        },
        [](Hid_Thread &l, uchar) {
            uchar a, b, c;
            l.hid_83H_GetFunctionOption(a, b, c);
        },
        [](Hid_Thread &l, uchar p) {
            uchar a, b, c;
            l.hid_87H_GetLEDInstructFunction(p, a, b, c);
        },
        [](Hid_Thread &l, uchar) {
            uchar a;
            l.hid_8BH_GetCurrentDPIStage(a);
        },
        [](Hid_Thread &l, uchar) {
            uchar a, b, c;
            l.hid_8DH_GetRGBLedEffect(a, b, c);
        },
        indexedBlockGet<24>(&Hid_Thread::hid_90H_GetLED8StageColor),
        [](Hid_Thread &l, uchar) {
            uchar stages;
            Bytes out(8);
            l.hid_91H_GetDPISet(stages, out.data());
        },
        blockGet<64>(&Hid_Thread::hid_92H_GetKeyMatrix),
        indexedBlockGet<128>(&Hid_Thread::hid_93H_GetMacroKey),
    };
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool started = (fuzzsupport::startQt(), true);
    (void)started;
    static ScannedLink narrow(mouseInterfaces(), 32);
    static ScannedLink wide(mouseInterfaces(), 64);

    FuzzedDataProvider in(data, size);
    ScannedLink &rig = in.ConsumeBool() ? wide : narrow;
    const Get &get = gets()[in.ConsumeIntegralInRange<size_t>(0, gets().size() - 1)];
    const uchar parameter = in.ConsumeIntegral<uchar>();
    const std::string reply = in.ConsumeRandomLengthString(12);
    rig.bus.featureReply = QByteArray(reply.data(), qsizetype(reply.size()));
    rig.bus.inputs.clear();
    while (in.remaining_bytes() > 0) {
        const std::string report = in.ConsumeRandomLengthString(80);
        rig.bus.inputs.emplace_back(report.data(), qsizetype(report.size()));
    }
    rig.log.clear();

    get(rig.link, parameter);

    FUZZ_CHECK(rig.link.isLinkIdle());
    FUZZ_CHECK(rig.bus.openHandles.load() == 0);
    return 0;
}
