import QtQuick
import ".."

// What the page area shows while no page is chosen: the mouse as the skin
// draws it, its name, firmware version and connection, and where to begin.
Item {
    id: panel

    property string name: ""
    property string firmware: ""
    property bool connected: false

    Accessible.role: Accessible.StaticText
    Accessible.name: name + ", " + stateText.text + (firmware !== "" ? ", " + firmware : "")

    Image {
        anchors.fill: parent
        asynchronous: true
        source: Theme.skin("list_center/pageBackground.png")
    }
    Caption {
        objectName: "deviceName"
        x: 24
        y: 12
        text: panel.name
        sizeStep: 5
        font.letterSpacing: 2
    }
    Image {
        id: picture
        objectName: "devicePicture"
        x: 70
        y: 46 + (parent.height - 46 - height) / 2
        source: Theme.skin("model_ms/mouse.png")
    }

    Column {
        x: picture.x + picture.width + 60
        anchors.verticalCenter: picture.verticalCenter
        spacing: 14

        Row {
            spacing: 8
            Rectangle {
                width: 10
                height: 10
                radius: 5
                anchors.verticalCenter: parent.verticalCenter
                color: panel.connected ? "#35E08A" : "#F05A4E"
                border.color: Qt.darker(color, 1.6)
            }
            Label {
                id: stateText
                objectName: "deviceState"
                text: Theme.text(panel.connected ? "connected" : "disconnected")
                sizeStep: 3
                font.bold: true
                color: panel.connected ? Theme.colorEnable : "#F05A4E"
            }
        }
        Label {
            objectName: "deviceFirmware"
            visible: panel.firmware !== ""
            text: Theme.text("firmware") + "  " + panel.firmware
            sizeStep: 1
        }
        Item {
            width: 1
            height: 24
        }
        Caption {
            objectName: "deviceHint"
            text: "◄  " + Theme.text("choosePage")
            sizeStep: 1
        }
    }
}
