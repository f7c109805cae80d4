import QtQuick
import "qrc:/modules/qml"

// The window around one page: shared state, a recording ui_View, the window's
// signals and the product item's layout names and captured keys.
Item {
    id: harness

    property alias source: loader.source
    readonly property alias page: loader.item
    readonly property alias view: ui_View
    readonly property alias product: product

    // What the product item calls on this page for ALL RESET and ALL SAVE.
    property string resetFunction: ""
    property string applyFunction: ""

    signal emptyAreaPressed
    signal btnTotalResetClicked
    signal btnTotalApplyClicked

    // A page function, when the page has it.
    function forward(name, args) {
        if (page && typeof page[name] === "function")
            page[name].apply(page, args || []);
    }
    onEmptyAreaPressed: {
        forward("commitPending");
        forward("closeFileMenu");
    }
    onBtnTotalResetClicked: forward(resetFunction)
    onBtnTotalApplyClicked: forward(applyFunction)

    width: 800
    height: 460

    FakeView {
        id: ui_View
    }
    KeyCodeString {
        id: keyNames
    }
    Binding { target: App; property: "view"; value: ui_View }
    Binding { target: App; property: "keyNames"; value: keyNames }
    Binding { target: Theme; property: "skinPath"; value: "file:modules/img/skin1/" }
    Binding { target: Theme; property: "animationSpeed"; value: 10 }
    Connections {
        target: App
        function onLockRequested(interval) {
            ui_View.calls.push(["setProtectUI", interval]);
        }
    }
    QtObject {
        id: product
        property var _ProductLayoutStringList: ["LEFT", "RIGHT", "MIDDLE", "BACKWARD", "FORWARD", "DPI SWITCH", "FIRE", "", "", "", "", "", "", "", "", ""]
        signal msg_KB(bool isDown, int usbCode)
        onMsg_KB: (isDown, usbCode) => harness.forward("detectKeyboard", [isDown, usbCode])
    }
    Loader {
        id: loader
        onLoaded: {
            if (item.layoutNames !== undefined)
                item.layoutNames = Qt.binding(() => product._ProductLayoutStringList);
        }
    }
}
