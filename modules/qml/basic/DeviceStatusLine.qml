import QtQuick
import ".."

// The mouse's state in the header, always in view: its name and firmware
// version while connected, "DISCONNECTED" when it is not.
Item {
    id: status

    property bool connected: false
    property string name: ""
    property string firmware: ""

    width: row.implicitWidth
    height: row.implicitHeight

    Accessible.role: Accessible.StaticText
    Accessible.name: label.text

    Row {
        id: row
        spacing: 7

        Rectangle {
            id: lamp
            objectName: "statusLamp"
            width: 9
            height: 9
            radius: 4.5
            anchors.verticalCenter: parent.verticalCenter
            color: status.connected ? "#35E08A" : "#F05A4E"
            border.color: Qt.darker(color, 1.6)
        }
        Label {
            id: label
            objectName: "statusText"
            text: status.connected
                  ? (status.name + (status.firmware !== "" ? "  ·  FW " + status.firmware : ""))
                  : Theme.text("disconnected")
            font.bold: true
            color: status.connected ? Theme.colorEnable : "#F05A4E"
        }
    }
}
