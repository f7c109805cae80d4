import QtQuick
import ".."

// Check box that keeps its own state and reports the new one. Space or
// Return toggles it from the keyboard.
Item {
    id: checkbox

    property bool isSelect: false
    property string chkStr: ""

    signal clicked(bool select)

    function toggle() {
        App.click();
        checkbox.isSelect = !checkbox.isSelect;
        checkbox.clicked(checkbox.isSelect);
    }

    implicitWidth: box.width + 6 + label.implicitWidth
    implicitHeight: Math.max(box.height, label.implicitHeight)
    opacity: (mouseArea.pressed || !enabled) ? 0.2 : 1.0
    activeFocusOnTab: true

    Accessible.role: Accessible.CheckBox
    Accessible.name: chkStr
    Accessible.checkable: true
    Accessible.checked: isSelect
    Accessible.focusable: true
    Accessible.onPressAction: toggle()
    Accessible.onToggleAction: toggle()

    Keys.onPressed: event => {
        if (App.isActivation(event)) {
            event.accepted = true;
            if (!event.isAutoRepeat)
                toggle();
        }
    }

    Image {
        id: box
        anchors.verticalCenter: parent.verticalCenter
        source: Theme.skin(checkbox.isSelect ? "common/checkbox_1.png" : "common/checkbox_0.png")
    }

    Label {
        id: label
        anchors.left: box.right
        anchors.leftMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        text: checkbox.chkStr
        color: (checkbox.isSelect || mouseArea.containsMouse) ? Theme.color : Theme.colorEnable
    }

    MouseArea {
        id: mouseArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: checkbox.toggle()
    }

    FocusMark {}
}
