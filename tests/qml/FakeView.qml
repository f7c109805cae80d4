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
}
