import QtQuick
import ".."

// Key field: a click empties it and arms it; the next captured key press
// (handed in through detectKeyboard) fills it when the key has a name.
// From the keyboard, releasing Return or Space arms it: the press of that
// key has been captured before, so only the next key fills the field.
Item {
    id: keyInput

    property bool isSelect: false
    property int tmpKeycodeUSB: 0
    property string tmpKeyString: ""
    property string text: Theme.str(74)

    signal inputComplete(int usbCode)

    function detectKeyboard(isDown, usbCode) {
        if (!isSelect || !isDown)
            return;
        setKeycodeUSB(usbCode);
        isSelect = false;
        inputComplete(tmpKeycodeUSB);
    }

    function setKeycodeUSB(keycode) {
        const name = App.keyNames.keycodeTostr(Number(keycode));
        if (name === undefined) {
            tmpKeycodeUSB = 0;
            tmpKeyString = "";
        } else {
            tmpKeycodeUSB = Number(keycode);
            tmpKeyString = name;
        }
    }

    // An armed field holds the focus, so that the key the user presses for
    // it does not also work a control that had the focus before.
    function arm() {
        keyInput.tmpKeycodeUSB = 0;
        keyInput.tmpKeyString = "";
        keyInput.isSelect = !keyInput.isSelect;
        if (keyInput.isSelect)
            keyInput.forceActiveFocus();
    }

    implicitWidth: field.implicitWidth
    implicitHeight: field.implicitHeight
    opacity: (mouseArea.pressed || !enabled) ? 0.2 : 1.0
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.name: label.text
    Accessible.focusable: true
    Accessible.onPressAction: arm()

    // Armed on the release of a Return or Space pressed while not armed; a
    // Return pressed while armed is the key the field takes.
    property bool armOnRelease: false
    Keys.onReleased: event => {
        if (armOnRelease && !event.isAutoRepeat) {
            armOnRelease = false;
            arm();
            event.accepted = true;
        }
    }
    // While armed every key belongs to the capture, not to the focus chain.
    Keys.onPressed: event => {
        const activating = App.isActivation(event);
        if (!isSelect && activating && !event.isAutoRepeat)
            armOnRelease = true;
        if (isSelect || activating)
            event.accepted = true;
    }

    Image {
        id: field
        anchors.fill: parent
        source: Theme.skin((keyInput.isSelect || mouseArea.containsMouse) ? "common/keyInput_1.png" : "common/keyInput_0.png")
    }

    Label {
        id: label
        anchors.centerIn: parent
        width: parent.width - 12
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideMiddle
        text: keyInput.tmpKeyString === "" ? keyInput.text + "【 " + Theme.str(115) + " 】" : keyInput.text + " 【 " + keyInput.tmpKeyString + " 】"
        color: keyInput.isSelect ? Theme.color : Theme.colorEnable

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
        onClicked: keyInput.arm()
    }

    FocusMark {}
}
