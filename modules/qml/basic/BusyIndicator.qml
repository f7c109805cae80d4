import QtQuick
import ".."

// "LOADING ......" or "SAVING ......", pulsing while the interface is
// locked, on the skin's opaque popup background so that it reads the same
// over any page.
Item {
    id: busy

    // App.loading or App.saving.
    property string action: App.loading

    visible: false
    width: label.implicitWidth + 40
    height: label.implicitHeight + 14

    Accessible.role: Accessible.Indicator
    Accessible.name: label.text

    PopupBackground {
        anchors.fill: parent
    }

    Label {
        id: label
        objectName: "busyText"
        anchors.centerIn: parent
        text: Theme.text(busy.action) + " ......"
        sizeStep: 5
        font.bold: true
        color: Theme.color

        SequentialAnimation on opacity {
            running: busy.visible
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        }
    }
}
