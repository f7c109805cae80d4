import QtQuick

// A stand-in root with the functions the backend calls, recording the calls.
Item {
    id: root
    width: 1000
    height: 600
    visible: false

    property var calls: []
    property bool initDone: false
    property bool initDoneBeforeRun: false
    property var keys: []

    function initUI() {
        initDone = true
        calls.push("initUI")
    }
    function run() {
        initDoneBeforeRun = initDone
        calls.push("run")
        visible = true
    }
    function setProtectUI(interval) {
        calls.push("setProtectUI " + interval)
        ui_View.enabled = false
        protectTimer.interval = interval
        protectTimer.restart()
    }
    function detectKeyboard(isDown, usbCode) {
        keys.push((isDown ? "down " : "up ") + usbCode)
    }
    function detectMouse(isDown, code, x, y) {}

    Timer {
        id: protectTimer
        onTriggered: ui_View.enabled = true
    }
}
