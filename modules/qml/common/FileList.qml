import QtQuick

// Scrolling list of names (textX) with a right-hand note (textR). A left
// click toggles the selection, a right click is reported, and a row can be
// renamed in place.
Item {
    id: fileList

    property var mdItems: ListModel {}
    property alias lvItems: listView
    property int rowHeight: 22
    property int editingIndex: -1

    signal listElementClicked(int index)
    signal listElementRightBtnClicked(int index)
    signal editFileName_start(int tarIndex)
    signal editFileName_completed(string oldName, string newName)

    function editFileName(index) {
        if (index < 0 || index >= listView.count)
            return;
        listView.positionViewAtIndex(index, ListView.Contain);
        editingIndex = index;
        editFileName_start(index);
    }

    function finishEdit(index, newName) {
        if (index !== editingIndex)
            return;
        const oldName = mdItems.get(index).textX;
        editingIndex = -1;
        mdItems.setProperty(index, "textX", newName);
        editFileName_completed(oldName, newName);
    }

    implicitWidth: 200
    implicitHeight: 6 * rowHeight
    opacity: enabled ? 1.0 : 0.2

    ListView {
        id: listView
        anchors.fill: parent
        anchors.rightMargin: scrollBar.visible ? scrollBar.width + 2 : 0
        clip: true
        model: fileList.mdItems
        currentIndex: -1
        boundsBehavior: Flickable.StopAtBounds
        highlightFollowsCurrentItem: false

        delegate: Rectangle {
            id: row
            required property int index
            required property var model
            readonly property bool selected: ListView.isCurrentItem
            width: listView.width
            height: fileList.rowHeight
            color: row.selected ? "#3300E5FF" : (rowArea.containsMouse ? "#22FFFFFF" : "transparent")
            border.color: row.selected ? root.globalSetting_color : "transparent"
            border.width: 1

            Text {
                anchors.left: parent.left
                anchors.leftMargin: 6
                anchors.right: note.left
                anchors.verticalCenter: parent.verticalCenter
                visible: fileList.editingIndex !== row.index
                elide: Text.ElideRight
                text: row.model.textX
                font.family: root.globalSetting_fontFamily
                font.pixelSize: root.globalSetting_size
                color: (row.selected || rowArea.containsMouse) ? root.globalSetting_color : root.globalSetting_color_enable
            }
            Text {
                id: note
                anchors.right: parent.right
                anchors.rightMargin: 6
                anchors.verticalCenter: parent.verticalCenter
                text: row.model.textR === undefined ? "" : row.model.textR
                font.family: root.globalSetting_fontFamily
                font.pixelSize: root.globalSetting_size - 1
                color: root.globalSetting_color_disable
            }

            MouseArea {
                id: rowArea
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                onClicked: mouse => {
                    if (mouse.button === Qt.RightButton) {
                        fileList.listElementRightBtnClicked(row.index);
                        return;
                    }
                    listView.currentIndex = (listView.currentIndex === row.index) ? -1 : row.index;
                    fileList.listElementClicked(listView.currentIndex);
                }
            }

            TextInput {
                id: editor
                anchors.fill: parent
                anchors.leftMargin: 6
                verticalAlignment: TextInput.AlignVCenter
                // A removed row's index turns -1, the "no edit" value: a
                // dying row must not open its editor and take the focus.
                visible: fileList.editingIndex >= 0 && fileList.editingIndex === row.index
                selectByMouse: true
                font.family: root.globalSetting_fontFamily
                font.pixelSize: root.globalSetting_size
                color: root.globalSetting_color
                selectionColor: "#6600E5FF"
                onVisibleChanged: {
                    if (visible) {
                        text = row.model.textX;
                        forceActiveFocus();
                        selectAll();
                    }
                }
                onAccepted: fileList.finishEdit(row.index, text)
                // Leaving the field without Enter drops the edit.
                onActiveFocusChanged: {
                    if (!activeFocus && fileList.editingIndex === row.index)
                        fileList.editingIndex = -1;
                }
            }
        }
    }

    function syncThumb() {
        if (thumbArea.drag.active)
            return;
        const range = listView.contentHeight - listView.height;
        thumb.y = range > 0 ? (listView.contentY - listView.originY) / range * (scrollBar.height - thumb.height) : 0;
    }

    Connections {
        target: listView
        function onContentYChanged() {
            fileList.syncThumb();
        }
        function onContentHeightChanged() {
            fileList.syncThumb();
        }
    }

    Rectangle {
        id: scrollBar
        anchors.right: parent.right
        width: 6
        height: parent.height
        radius: 3
        color: "#30FFFFFF"
        visible: listView.contentHeight > listView.height

        Rectangle {
            id: thumb
            width: parent.width
            radius: 3
            color: thumbArea.pressed ? root.globalSetting_color : root.globalSetting_color_enable
            height: Math.max(16, scrollBar.height * listView.height / Math.max(1, listView.contentHeight))
            onYChanged: {
                if (thumbArea.drag.active)
                    listView.contentY = listView.originY + y / Math.max(1, scrollBar.height - height) * (listView.contentHeight - listView.height);
            }
            MouseArea {
                id: thumbArea
                anchors.fill: parent
                drag.target: thumb
                drag.axis: Drag.YAxis
                drag.minimumY: 0
                drag.maximumY: scrollBar.height - thumb.height
            }
        }
    }
}
