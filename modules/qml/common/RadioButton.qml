import QtQuick
import ".."

// Radio button: reports its index only; the page decides which one is
// selected, so a group stays consistent with the page's state. Space or
// Return press it from the keyboard.
Item {
    id: radio

    property bool isSelect: false
    property string chkStr: ""
    property int index: 0

    signal clicked(int index)

    function press() {
        App.click();
        radio.clicked(radio.index);
    }

    implicitWidth: dot.width + 6 + label.implicitWidth
    implicitHeight: Math.max(dot.height, label.implicitHeight)
    opacity: (mouseArea.pressed || !enabled) ? 0.2 : 1.0
    activeFocusOnTab: true

    Accessible.role: Accessible.RadioButton
    Accessible.name: chkStr
    Accessible.checkable: true
    Accessible.checked: isSelect
    Accessible.focusable: true
    Accessible.onPressAction: press()

    Keys.onPressed: event => {
        if (App.isActivation(event)) {
            event.accepted = true;
            if (!event.isAutoRepeat)
                press();
        }
    }

    Image {
        id: dot
        anchors.verticalCenter: parent.verticalCenter
        source: Theme.skin(radio.isSelect ? "common/radio_1.png" : "common/radio_0.png")
    }

    Label {
        id: label
        anchors.left: dot.right
        anchors.leftMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        text: radio.chkStr
        color: (radio.isSelect || mouseArea.containsMouse) ? Theme.color : Theme.colorEnable
    }

    MouseArea {
        id: mouseArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: radio.press()
    }

    FocusMark {}
}
