import QtQuick

// Recording stand-in for the window controller "ui_Ctl".
QtObject {
    property var calls: []

    function onXChanged(x) {
        calls.push(["onXChanged", x]);
    }
    function onYChanged(y) {
        calls.push(["onYChanged", y]);
    }
    function onMinimize() {
        calls.push(["onMinimize"]);
    }
    function setBusy(busyTime) {
        calls.push(["setBusy", busyTime]);
    }
}
