import QtQuick

// "LOADING ......" pulsing while the interface is locked.
Item {
    id: busy

    visible: false
    width: label.implicitWidth + 40
    height: label.implicitHeight + 20

    Rectangle {
        anchors.fill: parent
        radius: 6
        color: "#C0000000"
    }

    Text {
        id: label
        anchors.centerIn: parent
        text: "LOADING ......"
        font.family: root.globalSetting_fontFamily
        font.pixelSize: 18
        font.bold: true
        color: root.globalSetting_color

        SequentialAnimation on opacity {
            running: busy.visible
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        }
    }
}
