import QtQuick
import ".."

// A page's DEFAULT and APPLY buttons, right-aligned, with the name of the
// one under the pointer (or with the focus) beside them. `name` makes their
// object names: "btn" + name + "Reset" and "btn" + name + "Apply".
Item {
    id: buttons

    property string name: ""
    property alias resetEnabled: resetButton.enabled
    property alias applyEnabled: applyButton.enabled
    readonly property int spacing: 16
    readonly property bool resetShown: resetButton.mouse.containsMouse || (resetButton.activeFocus && !applyButton.mouse.containsMouse)

    signal resetClicked
    signal applyClicked

    width: caption.implicitWidth + 10 + resetButton.width + spacing + applyButton.width
    height: resetButton.height

    Caption {
        id: caption
        anchors.right: resetButton.left
        anchors.rightMargin: 10
        anchors.verticalCenter: resetButton.verticalCenter
        visible: resetButton.mouse.containsMouse || applyButton.mouse.containsMouse || resetButton.activeFocus || applyButton.activeFocus
        text: buttons.resetShown ? Theme.str(106) : Theme.str(107)
    }
    Button_2state {
        id: resetButton
        objectName: "btn" + buttons.name + "Reset"
        anchors.right: applyButton.left
        anchors.rightMargin: buttons.spacing
        source0: Theme.skin("common/btnDefault_0.png")
        source1: Theme.skin("common/btnDefault_1.png")
        Accessible.name: Theme.str(106)
        onClicked: buttons.resetClicked()
    }
    Button_2state {
        id: applyButton
        objectName: "btn" + buttons.name + "Apply"
        anchors.right: parent.right
        source0: Theme.skin("common/btnApply_0.png")
        source1: Theme.skin("common/btnApply_1.png")
        Accessible.name: Theme.str(107)
        onClicked: buttons.applyClicked()
    }
}
