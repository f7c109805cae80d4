import QtQuick

// Recording stand-in for "ui_View": calls logged as [name, args...], getters
// answer from the properties; macros kept in memory with the backend's rules.
QtObject {
    property var calls: []
    property bool enabled: true
    property bool confirmAnswer: true // confirm() and the fool-proofing question

    property var apConfig: []
    property var languages: ({})
    property var globalStrings: ({})
    property bool skinShow: true
    property string customFilePath: ""
    property string imageFolderUrl: "file:modules/img/" // the build's skins, seen from bin/
    property var defaultKeys: []
    property var keydefine: []
    property var macros: ({})
    property bool failSave: false
    property bool refuseRename: false
    property string importName: ""
    property var sensorType: 0
    property bool logoLedWorks: false
    property int stageCount: 8
    property var reportRate: 0
    property var currentStage: 0
    property var dpiSet: []
    property var sensorDefaults: []
    property var ledColors: ({})
    property var ledEffect: []

    function record(name, args) { calls.push([name].concat(Array.from(args))); }
    function clear() { calls = []; }
    function names() { return calls.map(c => c[0]); }
    function callsTo(name) { return calls.filter(c => c[0] === name); }
    function count(name) { return callsTo(name).length; }
    function last(name) { const found = callsTo(name); return found.length > 0 ? found[found.length - 1] : null; }
    function addMacro(name, index, repeat, lines) {
        macros[name] = { index: index, repeat: repeat, lines: lines ? lines.slice() : [] };
    }

    function playMedia_Index(index) { record("playMedia_Index", arguments); }
    function setEnableAudio(isEnable) { record("setEnableAudio", arguments); }
    function clearAllMedia() { record("clearAllMedia", arguments); }
    function beginAction(name) { record("beginAction", arguments); }
    function endAction() { record("endAction", arguments); }
    function retryFailed() { record("retryFailed", arguments); }
    function saveApConfig(list) { record("saveApConfig", arguments); }
    function resetApconfig() { record("resetApconfig", arguments); }
    function ui_02H_SetCurrentProfile(profile) { record("ui_02H_SetCurrentProfile", arguments); }
    function loadProfile(profile) { record("loadProfile", arguments); }
    function saveProfile(profile) { record("saveProfile", arguments); }
    function resetProfile(profile) { record("resetProfile", arguments); }
    function ui_12H_SetKeyMatrix(src64) { record("ui_12H_SetKeyMatrix", arguments); }
    function ui_13H_SetMacroKey(macroId, name) { record("ui_13H_SetMacroKey", arguments); }
    function saveMacroIniToFile(name) { record("saveMacroIniToFile", arguments); }
    function ui_01H_SetReportRate(rate) { record("ui_01H_SetReportRate", arguments); }
    function setCursorSpeed(v) { record("setCursorSpeed", arguments); }
    function setVerticalScrollLines(v) { record("setVerticalScrollLines", arguments); }
    function setDoubleClickSpeed(v) { record("setDoubleClickSpeed", arguments); }
    function ui_0BH_SetCurrentDPIStage(stage) { record("ui_0BH_SetCurrentDPIStage", arguments); }
    function ui_11H_SetDPISet(dpiStage, src8, valueForIndex) { record("ui_11H_SetDPISet", arguments); }
    function ui_10H_SetLED8StageColor(type, src) { record("ui_10H_SetLED8StageColor", arguments); }
    function ui_0DH_SetRGBLedEffect(effect, option1, option2, configs) { record("ui_0DH_SetRGBLedEffect", arguments); }

    function confirm(title, text) { record("confirm", arguments); return confirmAnswer; }
    function getMsgAns_FoolProofing() { record("getMsgAns_FoolProofing", arguments); return confirmAnswer; }
    function setEnabled(enable) { record("setEnabled", arguments); enabled = enable; }
    function loadApConfig() { record("loadApConfig", arguments); return apConfig; }
    function loadDeviceApConfig() { record("loadDeviceApConfig", arguments); return [8]; }
    function getIsSkinShow() { record("getIsSkinShow", arguments); return skinShow; }
    function getCustomFilePath() { record("getCustomFilePath", arguments); return customFilePath; }
    function chkLanguages() { record("chkLanguages", arguments); return languages; }
    function getGlobalStrings(code) {
        record("getGlobalStrings", arguments);
        return globalStrings[code] === undefined ? [""] : globalStrings[code];
    }
    function getProductLayoutStrings_Z4(code) {
        record("getProductLayoutStrings_Z4", arguments);
        return new Array(16).fill("");
    }
    function loadDefaultProfile(uiPageId) {
        record("loadDefaultProfile", arguments);
        return uiPageId === 0 ? defaultKeys.map(String) : uiPageId === 3 ? sensorDefaults : [];
    }
    function getKeydefine(matrixId) {
        record("getKeydefine", arguments);
        const entry = keydefine[Number(matrixId)];
        return entry === undefined ? [] : entry.map(String);
    }

    function sortedNames() {
        const key = n => n.toLowerCase();
        return Object.keys(macros).sort((a, b) => key(a) < key(b) ? -1 : key(a) > key(b) ? 1 : 0);
    }
    function getMacroIniNames() { record("getMacroIniNames", arguments); return sortedNames().map(n => n + ".bin"); }
    function createMacroIni() {
        record("createMacroIni", arguments);
        for (let n = 1;; ++n) {
            const name = "Macro. " + String(n).padStart(3, "0");
            if (macros[name] === undefined) {
                addMacro(name, -1, 1, []);
                return name;
            }
        }
    }
    function deleteMacroIni(name) {
        record("deleteMacroIni", arguments);
        return macros[name] !== undefined && delete macros[name];
    }
    function loadMacroIni(name) {
        record("loadMacroIni", arguments);
        return macros[name] === undefined ? [] : macros[name].lines.slice();
    }
    function saveMacroIni(name, lines) {
        record("saveMacroIni", arguments);
        if (failSave || macros[name] === undefined)
            return false;
        macros[name].lines = lines.slice();
        return true;
    }
    function loadMacroIniConfig(name) {
        record("loadMacroIniConfig", arguments);
        const macro = macros[name];
        return macro === undefined ? [] : [macro.index, macro.repeat];
    }
    function setMacroIniConfig(name, config) {
        record("setMacroIniConfig", arguments);
        if (macros[name] !== undefined) {
            macros[name].index = Number(config[0]);
            macros[name].repeat = Number(config[1]);
        }
    }
    function renameMacroIniFile(oldName, newName) {
        record("renameMacroIniFile", arguments);
        if (refuseRename || macros[oldName] === undefined || macros[newName] !== undefined)
            return;
        macros[newName] = macros[oldName];
        delete macros[oldName];
    }
    function loadMacroIniFromFile() {
        record("loadMacroIniFromFile", arguments);
        if (importName !== "")
            addMacro(importName, -1, 1, ["B    [Down]", "B      [Up]"]);
        return importName;
    }

    function getSensorType() { record("getSensorType", arguments); return sensorType; }
    function chkIsLogoLedWork() { record("chkIsLogoLedWork", arguments); return logoLedWorks; }
    function ui_91H_SyncDPI() { record("ui_91H_SyncDPI", arguments); return stageCount; }
    function ui_81H_GetReportRate() { record("ui_81H_GetReportRate", arguments); return reportRate; }
    function getCursorSpeed() { record("getCursorSpeed", arguments); return 0; }
    function getVerticalScrollLines() { record("getVerticalScrollLines", arguments); return 0; }
    function getDoubleClickSpeed() { record("getDoubleClickSpeed", arguments); return 0; }
    function ui_8BH_GetCurrentDPIStage() { record("ui_8BH_GetCurrentDPIStage", arguments); return currentStage; }
    function ui_91H_GetDPISet() { record("ui_91H_GetDPISet", arguments); return dpiSet.map(String); }
    function ui_90H_GetLED8StageColor(type) {
        record("ui_90H_GetLED8StageColor", arguments);
        return ledColors[type] === undefined ? [] : ledColors[type];
    }
    function ui_8DH_GetRGBLedEffect() { record("ui_8DH_GetRGBLedEffect", arguments); return ledEffect; }
}
