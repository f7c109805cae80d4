import QtQuick
import ".."

// Frame around the control that has the keyboard focus. Place it inside the
// control; it follows the control's size.
Rectangle {
    property int margin: 2

    anchors.fill: parent
    anchors.margins: -margin
    visible: parent && parent.activeFocus
    color: "transparent"
    radius: 3
    border.width: 2
    border.color: Theme.color
    z: 100
}
