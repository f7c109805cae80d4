import QtQuick

// The window's background: the user's own picture when chosen, otherwise the
// skin's, with the skin's frame drawn over it.
Item {
    width: 1000
    height: 600

    Image {
        anchors.fill: parent
        fillMode: Image.Stretch
        // Sized by the layout, not by the picture: decoded on a worker thread
        // while the window starts.
        asynchronous: true
        source: root.isCustomBackground ? root.sourceCustomBackground : root.skinPath + "background.png"
    }

    Image {
        anchors.fill: parent
        asynchronous: true
        source: root.skinPath + "frame/frameBackground.png"
    }
}
