import QtQuick
import ".."

// Vertical scroll bar of a Flickable: shows which part is in view and can
// be dragged. Hidden while everything fits.
Rectangle {
    id: bar

    property Flickable view: null

    function sync() {
        if (!view || thumbArea.drag.active)
            return;
        const range = view.contentHeight - view.height;
        thumb.y = range > 0 ? (view.contentY - view.originY) / range * (bar.height - thumb.height) : 0;
    }

    width: 6
    radius: 3
    color: "#30FFFFFF"
    visible: view !== null && view.contentHeight > view.height + 0.5
    onHeightChanged: sync()

    Connections {
        target: bar.view
        function onContentYChanged() {
            bar.sync();
        }
        function onContentHeightChanged() {
            bar.sync();
        }
        function onHeightChanged() {
            bar.sync();
        }
    }

    Rectangle {
        id: thumb
        width: parent.width
        radius: 3
        color: thumbArea.pressed ? Theme.color : Theme.colorEnable
        height: bar.view ? Math.max(16, bar.height * bar.view.height / Math.max(1, bar.view.contentHeight)) : bar.height
        onYChanged: {
            if (thumbArea.drag.active && bar.view)
                bar.view.contentY = bar.view.originY + y / Math.max(1, bar.height - height) * (bar.view.contentHeight - bar.view.height);
        }
        MouseArea {
            id: thumbArea
            anchors.fill: parent
            drag.target: thumb
            drag.axis: Drag.YAxis
            drag.minimumY: 0
            drag.maximumY: bar.height - thumb.height
        }
    }
}
