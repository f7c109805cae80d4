import QtQuick
import ".."

// The window's background: the user's own picture when chosen, otherwise the
// skin's, with the skin's frame drawn over it.
Item {
    id: environment

    property bool custom: false
    property string customSource: ""

    width: 1000
    height: 600

    Image {
        anchors.fill: parent
        fillMode: Image.Stretch
        // Sized by the layout, not by the picture: decoded on a worker thread
        // while the window starts.
        asynchronous: true
        source: environment.custom ? environment.customSource : Theme.skin("background.png")
    }

    Image {
        anchors.fill: parent
        asynchronous: true
        source: Theme.skin("frame/frameBackground.png")
    }
}
