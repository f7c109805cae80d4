import QtQuick
import "qrc:/modules/qml/basic"

// Stand-in for the window around one page: the root's global properties,
// signals and busy lock (id root), the product item's layout strings and key
// signal (id mainZ4), the key-name table and a recording "ui_View". The page
// itself is loaded from the resources by URL.
Item {
    id: root

    property alias source: loader.source
    readonly property alias page: loader.item
    readonly property alias view: ui_View
    readonly property alias product: mainZ4

    property int globalSetting_size: 11
    property color globalSetting_color: "#FF00FFFF"
    property color globalSetting_color_enable: "#FFAAAAAA"
    property color globalSetting_color_disable: "#80FFFFFF"
    property int animation_speed: 10
    property var globalSetting_stringList: ["Arial", "OPTIONS"]
    property string globalSetting_fontFamily: "Arial"
    readonly property string skinPath: "file:modules/img/skin1/"
    property bool deviceConnected: true

    signal emptyAreaPressed
    signal btnTotalResetClicked
    signal btnTotalApplyClicked

    // The busy lock is the window's; here it only joins the call log so that
    // its place among the backend calls can be checked.
    function setProtectUI(interval) {
        ui_View.calls.push(["setProtectUI", interval]);
    }

    function deviceAction(name, work) {
        work();
    }
    function confirm(key, arg) {
        return ui_View.confirm(key, arg);
    }

    width: 800
    height: 460

    RecordingView {
        id: ui_View
    }
    KeyCodeString {
        id: _KeyCodeString
    }
    Item {
        id: mainZ4
        property var _ProductLayoutStringList: ["LEFT", "RIGHT", "MIDDLE", "BACKWARD", "FORWARD", "DPI SWITCH", "FIRE", "", "", "", "", "", "", "", "", ""]
        signal msg_KB(bool isDown, int usbCode)
    }
    Loader {
        id: loader
    }
}
