#include "app/call/hid_call_target.h"

#include "device/hid_thread.h"

#include <vector>

namespace {

using Kind = HidCallTarget::Kind;
using Param = HidCallTarget::Param;
using Returns = HidCallTarget::Returns;

// Storage for one call's arguments, indexed by parameter position.
struct CallArgs
{
    explicit CallArgs(qsizetype count)
        : bytes(size_t(count)), texts(size_t(count)), buffers(size_t(count))
    {
    }
    uchar &b(int i) { return bytes[size_t(i)]; }
    uchar *p(int i) { return buffers[size_t(i)].data(); }
    QString &s(int i) { return texts[size_t(i)]; }

    std::vector<uchar> bytes;
    std::vector<QString> texts;
    std::vector<std::vector<uchar>> buffers;
};

using Invoke = QJsonValue (*)(Hid_Thread &, CallArgs &);

struct Row
{
    HidCallTarget::Signature signature;
    Invoke invoke;
};

Param in(const char *name)
{
    return {name, Kind::Byte};
}
Param ref(const char *name)
{
    return {name, Kind::ByteRef};
}
Param text(const char *name)
{
    return {name, Kind::StringRef};
}
Param buf(const char *name, int length)
{
    return {name, Kind::Buffer, length};
}

const QJsonValue kVoid; // null

// clang-format off
const QList<Row> &table()
{
    static const QList<Row> rows = {
        // Keyboard command set.
        {{"hid_03H_SetKeyboardoption", {in("byte1"), in("byte2"), in("byte3"), in("byte4")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_03H_SetKeyboardoption(a.b(0), a.b(1), a.b(2), a.b(3)); return kVoid; }},
        {{"hid_04H_SetButtonSensitivity", {in("sens1"), in("sens2"), in("sens3"), in("sens4"), in("index")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_04H_SetButtonSensitivity(a.b(0), a.b(1), a.b(2), a.b(3), a.b(4)); return kVoid; }},
        {{"hid_07H_SetControlIndicatorLight", {in("effect"), in("frequenty")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_07H_SetControlIndicatorLight(a.b(0), a.b(1)); return kVoid; }},
        {{"hid_08H_SetLEDType", {in("option"), in("effect"), in("speed"), in("light"), in("color"), in("direction")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_08H_SetLEDType(a.b(0), a.b(1), a.b(2), a.b(3), a.b(4), a.b(5)); return kVoid; }},
        {{"hid_09H_SetKeyboardMode", {in("mode")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_09H_SetKeyboardMode(a.b(0)); return kVoid; }},
        {{"hid_0DH_SetKeyMatrix", {buf("src512", 512)}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_0DH_SetKeyMatrix(a.p(0)); return kVoid; }},
        {{"hid_0EH_SetKeyOnOff", {buf("src21", 21)}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_0EH_SetKeyOnOff(a.p(0)); return kVoid; }},
        {{"hid_11H_SetMacroKey", {in("macroId"), buf("src192", 192)}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_11H_SetMacroKey(a.b(0), a.p(1)); return kVoid; }},
        {{"hid_12H_SetUserPicture", {in("index"), in("option"), buf("src512", 512)}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_12H_SetUserPicture(a.b(0), a.b(1), a.p(2)); return kVoid; }},
        {{"hid_13H_SetRecoveryData", {}, Returns::Void},
         [](Hid_Thread &h, CallArgs &) { h.hid_13H_SetRecoveryData(); return kVoid; }},
        {{"hid_14H_SetColor", {in("index"), in("rValue"), in("gValue"), in("bValue")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_14H_SetColor(a.b(0), a.b(1), a.b(2), a.b(3)); return kVoid; }},
        {{"hid_83H_GetKeyboardoption", {ref("byte1"), ref("byte2"), ref("byte3"), ref("byte4")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_83H_GetKeyboardoption(a.b(0), a.b(1), a.b(2), a.b(3)); return kVoid; }},
        {{"hid_84H_GetButtonSensitivity", {ref("sens1"), ref("sens2"), ref("sens3"), ref("sens4")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_84H_GetButtonSensitivity(a.b(0), a.b(1), a.b(2), a.b(3)); return kVoid; }},
        {{"hid_88H_GetLEDType", {ref("effect"), ref("speed"), ref("light"), ref("color"), ref("direction")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_88H_GetLEDType(a.b(0), a.b(1), a.b(2), a.b(3), a.b(4)); return kVoid; }},
        {{"hid_89H_GetKeyboardMode", {ref("mode")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_89H_GetKeyboardMode(a.b(0)); return kVoid; }},
        {{"hid_8DH_GetKeyMatrix", {buf("src512", 512)}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_8DH_GetKeyMatrix(a.p(0)); return kVoid; }},
        {{"hid_8EH_GetKeyOnOff", {buf("src21", 21)}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_8EH_GetKeyOnOff(a.p(0)); return kVoid; }},
        {{"hid_91H_GetMacroKey", {in("macroId"), buf("src192", 192)}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_91H_GetMacroKey(a.b(0), a.p(1)); return kVoid; }},
        {{"hid_92H_GetUserPicture", {in("index"), buf("src512", 512)}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_92H_GetUserPicture(a.b(0), a.p(1)); return kVoid; }},
        {{"hid_94H_GetColor", {in("index"), ref("rValue"), ref("gValue"), ref("bValue")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_94H_GetColor(a.b(0), a.b(1), a.b(2), a.b(3)); return kVoid; }},

        // Mouse command set and the commands both devices share.
        {{"hid_01H_SetReportRate", {in("rate")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_01H_SetReportRate(a.b(0)); return kVoid; }},
        {{"hid_02H_SetCurrentProfile", {in("profile")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_02H_SetCurrentProfile(a.b(0)); return kVoid; }},
        {{"hid_03H_SetFunctionOption", {in("type"), in("rate"), in("option1"), in("option2")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_03H_SetFunctionOption(a.b(0), a.b(1), a.b(2), a.b(3)); return kVoid; }},
        {{"hid_07H_SetLEDInstructFunction", {in("type"), in("option1"), in("option2"), in("option3")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_07H_SetLEDInstructFunction(a.b(0), a.b(1), a.b(2), a.b(3)); return kVoid; }},
        {{"hid_0BH_SetCurrentDPIStage", {in("dpiStage")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_0BH_SetCurrentDPIStage(a.b(0)); return kVoid; }},
        {{"hid_0DH_SetRGBLedEffect", {in("effect"), in("option1"), in("option2")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_0DH_SetRGBLedEffect(a.b(0), a.b(1), a.b(2)); return kVoid; }},
        {{"hid_10H_SetLED8StageColor", {in("type"), buf("src24", 24)}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_10H_SetLED8StageColor(a.b(0), a.p(1)); return kVoid; }},
        {{"hid_11H_SetDPISet", {in("dpiStage"), buf("src8", 8)}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_11H_SetDPISet(a.b(0), a.p(1)); return kVoid; }},
        {{"hid_12H_SetKeyMatrix", {buf("src64", 64), in("index")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_12H_SetKeyMatrix(a.p(0), a.b(1)); return kVoid; }},
        {{"hid_13H_SetMacroKey", {in("macroId"), buf("src128", 128)}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_13H_SetMacroKey(a.b(0), a.p(1)); return kVoid; }},
        {{"hid_80H_GetFWVersion", {text("version")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_80H_GetFWVersion(a.s(0)); return kVoid; }},
        {{"hid_81H_GetReportRate", {ref("rate")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_81H_GetReportRate(a.b(0)); return kVoid; }},
        {{"hid_82H_GetCurrentProfile", {ref("profile")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_82H_GetCurrentProfile(a.b(0)); return kVoid; }},
        {{"hid_83H_GetFunctionOption", {ref("type"), ref("option1"), ref("option2")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_83H_GetFunctionOption(a.b(0), a.b(1), a.b(2)); return kVoid; }},
        {{"hid_87H_GetLEDInstructFunction", {in("type"), ref("option1"), ref("option2"), ref("option3")}, Returns::Bool},
         [](Hid_Thread &h, CallArgs &a) { return QJsonValue(h.hid_87H_GetLEDInstructFunction(a.b(0), a.b(1), a.b(2), a.b(3))); }},
        {{"hid_8BH_GetCurrentDPIStage", {ref("dpiStage")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_8BH_GetCurrentDPIStage(a.b(0)); return kVoid; }},
        {{"hid_8DH_GetRGBLedEffect", {ref("effect"), ref("option1"), ref("option2")}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_8DH_GetRGBLedEffect(a.b(0), a.b(1), a.b(2)); return kVoid; }},
        {{"hid_90H_GetLED8StageColor", {in("type"), buf("src24", 24)}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_90H_GetLED8StageColor(a.b(0), a.p(1)); return kVoid; }},
        {{"hid_91H_GetDPISet", {ref("dpiMAXStage"), buf("src8", 8)}, Returns::Bool},
         [](Hid_Thread &h, CallArgs &a) { return QJsonValue(h.hid_91H_GetDPISet(a.b(0), a.p(1))); }},
        {{"hid_92H_GetKeyMatrix", {buf("src64", 64)}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_92H_GetKeyMatrix(a.p(0)); return kVoid; }},
        {{"hid_93H_GetMacroKey", {in("macroId"), buf("src128", 128)}, Returns::Void},
         [](Hid_Thread &h, CallArgs &a) { h.hid_93H_GetMacroKey(a.b(0), a.p(1)); return kVoid; }},
    };
    return rows;
}
// clang-format on

const Row *findRow(const QString &method)
{
    for (const Row &row : table()) {
        if (method == QLatin1String(row.signature.name))
            return &row;
    }
    return nullptr;
}

QJsonValue outputValue(const Param &param, int i, CallArgs &args)
{
    switch (param.kind) {
    case Kind::ByteRef:
        return int(args.b(i));
    case Kind::StringRef:
        return args.s(i);
    case Kind::Buffer: {
        QJsonArray array;
        for (uchar byte : args.buffers[size_t(i)])
            array.append(int(byte));
        return array;
    }
    case Kind::Byte:
        break;
    }
    return {};
}

} // namespace

HidCallTarget::HidCallTarget(Hid_Thread *hid) : hid(hid) {}

QList<HidCallTarget::Signature> HidCallTarget::signatures()
{
    QList<Signature> list;
    for (const Row &row : table())
        list.append(row.signature);
    return list;
}

PreparedCall HidCallTarget::prepare(const QString &method, const QJsonArray &args,
                                    QString *error) const
{
    const Row *row = findRow(method);
    if (!row) {
        *error = QStringLiteral("no such device command");
        return {};
    }
    const QList<Param> &params = row->signature.params;
    if (args.size() != params.size()) {
        *error =
            QStringLiteral("expected %1 argument(s), got %2").arg(params.size()).arg(args.size());
        return {};
    }

    auto storage = std::make_shared<CallArgs>(params.size());
    for (int i = 0; i < params.size(); ++i) {
        const Param &param = params.at(i);
        const QJsonValue &value = args.at(i);
        QString reason;
        bool ok = true;
        switch (param.kind) {
        case Kind::Byte:
        case Kind::ByteRef:
            ok = callargs::toByte(value, &storage->b(i), &reason);
            break;
        case Kind::StringRef:
            ok = value.isString();
            if (ok)
                storage->s(i) = value.toString();
            else
                reason = QStringLiteral("expected a string, got %1").arg(callargs::typeName(value));
            break;
        case Kind::Buffer:
            ok = callargs::toBytes(value, param.length, &storage->buffers[size_t(i)], &reason);
            break;
        }
        if (!ok) {
            *error = QStringLiteral("argument %1 (%2): %3")
                         .arg(i + 1)
                         .arg(QLatin1String(param.name), reason);
            return {};
        }
    }

    Hid_Thread *target = hid;
    return [target, row, storage]() {
        CallOutput output;
        output.append({QStringLiteral("return"), row->invoke(*target, *storage)});
        const QList<Param> &params = row->signature.params;
        for (int i = 0; i < params.size(); ++i) {
            if (params.at(i).kind != Kind::Byte)
                output.append(
                    {QLatin1String(params.at(i).name), outputValue(params.at(i), i, *storage)});
        }
        return output;
    };
}
