import QtQuick

// Key field: a click empties it and arms it; the next captured key press
// (handed in through detectKeyboard) fills it when the key has a name.
Item {
    id: keyInput

    property bool isSelect: false
    property int tmpKeycodeUSB: 0
    property string tmpKeyString: ""
    property string text: "KEY"

    signal inputComplete(int usbCode)

    function detectKeyboard(isDown, usbCode) {
        if (!isSelect || !isDown)
            return;
        setKeycodeUSB(usbCode);
        isSelect = false;
        inputComplete(tmpKeycodeUSB);
    }

    function setKeycodeUSB(keycode) {
        const name = _KeyCodeString.keycodeTostr(Number(keycode));
        if (name === undefined) {
            tmpKeycodeUSB = 0;
            tmpKeyString = "";
        } else {
            tmpKeycodeUSB = Number(keycode);
            tmpKeyString = name;
        }
    }

    implicitWidth: field.implicitWidth
    implicitHeight: field.implicitHeight
    opacity: (mouseArea.pressed || !enabled) ? 0.2 : 1.0

    Image {
        id: field
        anchors.fill: parent
        source: root.skinPath + ((keyInput.isSelect || mouseArea.containsMouse) ? "common/keyInput_1.png" : "common/keyInput_0.png")
    }

    Text {
        id: label
        anchors.centerIn: parent
        width: parent.width - 12
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideMiddle
        text: keyInput.tmpKeyString === "" ? keyInput.text + "【 PRESS ANY 】" : keyInput.text + " 【 " + keyInput.tmpKeyString + " 】"
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size
        color: keyInput.isSelect ? root.globalSetting_color : root.globalSetting_color_enable

        SequentialAnimation on opacity {
            running: keyInput.isSelect
            loops: Animation.Infinite
            onStopped: label.opacity = 1.0
            NumberAnimation { to: 0.35; duration: 400 }
            NumberAnimation { to: 1.0; duration: 400 }
        }
    }

    MouseArea {
        id: mouseArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            keyInput.tmpKeycodeUSB = 0;
            keyInput.tmpKeyString = "";
            keyInput.isSelect = !keyInput.isSelect;
        }
    }
}
