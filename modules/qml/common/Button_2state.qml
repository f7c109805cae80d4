import QtQuick

// Picture button: the second picture while hovered, a click sound, then
// `clicked`. Sized by its first picture unless the user sets a size.
Item {
    id: button

    property url source0
    property url source1
    property alias mouse: mouseArea

    signal clicked

    implicitWidth: picture.implicitWidth
    implicitHeight: picture.implicitHeight
    opacity: (mouseArea.pressed || !enabled) ? 0.2 : 1.0

    Image {
        id: picture
        anchors.fill: parent
        source: (button.enabled && mouseArea.containsMouse) ? button.source1 : button.source0
    }

    MouseArea {
        id: mouseArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            ui_View.playMedia_Index(4);
            button.clicked();
        }
    }
}
