import QtQuick
import ".."

// Picture button: the second picture while hovered, a click sound, then
// `clicked`. Sized by its first picture unless the user sets a size. It has
// no text of its own: the page names it for screen readers with
// `Accessible.name`. Return or Space press it from the keyboard.
Item {
    id: button

    property url source0
    property url source1
    property alias mouse: mouseArea

    signal clicked

    function activate() {
        App.click();
        button.clicked();
    }

    implicitWidth: picture.implicitWidth
    implicitHeight: picture.implicitHeight
    opacity: (mouseArea.pressed || !enabled) ? 0.2 : 1.0
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.focusable: true
    Accessible.onPressAction: activate()

    Keys.onPressed: event => {
        if (App.isActivation(event)) {
            event.accepted = true;
            if (!event.isAutoRepeat)
                activate();
        }
    }

    Image {
        id: picture
        anchors.fill: parent
        source: (button.enabled && (mouseArea.containsMouse || button.activeFocus)) ? button.source1 : button.source0
    }

    MouseArea {
        id: mouseArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.activate()
    }

    FocusMark {}
}
