import QtQuick

// Recording stand-in for the backend object "ui_View": every call is logged
// as [name, arguments...]; the getters answer from the properties below.
QtObject {
    id: fake

    property var calls: []
    property var apConfig: []
    property var deviceApConfig: [8]
    property var languages: ({})
    property var globalStrings: ({})
    property bool skinShow: true
    property string customFilePath: ""
    property bool enabled: true
    // The build's skins, seen from the test's working directory (bin/).
    property string imageFolderUrl: "file:modules/img/"
    property bool confirmAnswer: true

    function record(name, args) {
        const entry = [name];
        for (let i = 0; i < args.length; ++i)
            entry.push(args[i]);
        calls.push(entry);
    }
    function clear() {
        calls = [];
    }
    function names() {
        return calls.map(c => c[0]);
    }
    function callsTo(name) {
        return calls.filter(c => c[0] === name);
    }
    function count(name) {
        return callsTo(name).length;
    }

    function playMedia_Index(index) {
        record("playMedia_Index", arguments);
    }
    function setEnableAudio(isEnable) {
        record("setEnableAudio", arguments);
    }
    function clearAllMedia() {
        record("clearAllMedia", arguments);
    }
    function confirm(title, text) {
        record("confirm", arguments);
        return confirmAnswer;
    }
    function beginAction(name) {
        record("beginAction", arguments);
    }
    function endAction() {
        record("endAction", arguments);
    }
    function retryFailed() {
        record("retryFailed", arguments);
    }
    function setEnabled(enable) {
        record("setEnabled", arguments);
        enabled = enable;
    }
    function loadApConfig() {
        record("loadApConfig", arguments);
        return apConfig;
    }
    function saveApConfig(list) {
        record("saveApConfig", arguments);
    }
    function resetApconfig() {
        record("resetApconfig", arguments);
    }
    function loadDeviceApConfig() {
        record("loadDeviceApConfig", arguments);
        return deviceApConfig;
    }
    function getIsSkinShow() {
        record("getIsSkinShow", arguments);
        return skinShow;
    }
    function getCustomFilePath() {
        record("getCustomFilePath", arguments);
        return customFilePath;
    }
    function chkLanguages() {
        record("chkLanguages", arguments);
        return languages;
    }
    function getGlobalStrings(code) {
        record("getGlobalStrings", arguments);
        return globalStrings[code] === undefined ? [""] : globalStrings[code];
    }
    function getProductLayoutStrings_Z4(code) {
        record("getProductLayoutStrings_Z4", arguments);
        const list = [];
        for (let i = 0; i < 16; ++i)
            list.push("");
        return list;
    }
    function ui_02H_SetCurrentProfile(profile) {
        record("ui_02H_SetCurrentProfile", arguments);
    }
    function loadProfile(profile) {
        record("loadProfile", arguments);
    }
    function saveProfile(profile) {
        record("saveProfile", arguments);
    }
    function resetProfile(profile) {
        record("resetProfile", arguments);
    }

    // The setting pages read these while the window initialises: an empty
    // profile, no macros, a sensor of type 0 with eight stages.
    function loadDefaultProfile(uiPageId) {
        record("loadDefaultProfile", arguments);
        return [];
    }
    function getKeydefine(matrixId) {
        record("getKeydefine", arguments);
        return [];
    }
    function getMacroIniNames() {
        record("getMacroIniNames", arguments);
        return [];
    }
    function loadMacroIniConfig(name) {
        record("loadMacroIniConfig", arguments);
        return [];
    }
    function setMacroIniConfig(name, config) {
        record("setMacroIniConfig", arguments);
    }
    function ui_12H_SetKeyMatrix(src64) {
        record("ui_12H_SetKeyMatrix", arguments);
    }
    function getSensorType() {
        record("getSensorType", arguments);
        return 0;
    }
    function chkIsLogoLedWork() {
        record("chkIsLogoLedWork", arguments);
        return false;
    }
    function ui_91H_SyncDPI() {
        record("ui_91H_SyncDPI", arguments);
        return 8;
    }
    function ui_81H_GetReportRate() {
        record("ui_81H_GetReportRate", arguments);
        return 0;
    }
    function getCursorSpeed() {
        record("getCursorSpeed", arguments);
        return 5;
    }
    function getVerticalScrollLines() {
        record("getVerticalScrollLines", arguments);
        return 2;
    }
    function getDoubleClickSpeed() {
        record("getDoubleClickSpeed", arguments);
        return 5;
    }
    function ui_8BH_GetCurrentDPIStage() {
        record("ui_8BH_GetCurrentDPIStage", arguments);
        return 0;
    }
    function ui_91H_GetDPISet() {
        record("ui_91H_GetDPISet", arguments);
        return [];
    }
    function ui_90H_GetLED8StageColor(type) {
        record("ui_90H_GetLED8StageColor", arguments);
        return [];
    }
    function ui_8DH_GetRGBLedEffect() {
        record("ui_8DH_GetRGBLedEffect", arguments);
        return [];
    }
    function ui_01H_SetReportRate(rate) {
        record("ui_01H_SetReportRate", arguments);
    }
    function setCursorSpeed(v) {
        record("setCursorSpeed", arguments);
    }
    function setVerticalScrollLines(v) {
        record("setVerticalScrollLines", arguments);
    }
    function setDoubleClickSpeed(v) {
        record("setDoubleClickSpeed", arguments);
    }
    function ui_0BH_SetCurrentDPIStage(stage) {
        record("ui_0BH_SetCurrentDPIStage", arguments);
    }
    function ui_11H_SetDPISet(dpiStage, src8, valueForIndex) {
        record("ui_11H_SetDPISet", arguments);
    }
    function ui_10H_SetLED8StageColor(type, src) {
        record("ui_10H_SetLED8StageColor", arguments);
    }
    function ui_0DH_SetRGBLedEffect(effect, option1, option2, configs) {
        record("ui_0DH_SetRGBLedEffect", arguments);
    }
}
