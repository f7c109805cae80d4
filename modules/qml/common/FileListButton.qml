import QtQuick

// A drop-down whose list is a FileList. Opening asks the page to refill the
// items first (requestToUpdateList), so the list always shows what is on disk.
Item {
    id: fileButton

    property var mdItems: ListModel {}
    property bool isSelect: false
    property int curIndex: -1
    property int visibleRows: 6
    property int modelRevision: 0

    signal listElementClicked(int index)
    signal requestToUpdateList
    signal listOpened
    signal listClosed

    function setCurIndex(index) {
        curIndex = index;
        files.lvItems.currentIndex = index;
    }
    function getCurIndex() {
        return curIndex;
    }
    function showList() {
        if (isSelect)
            return;
        requestToUpdateList();
        files.lvItems.currentIndex = curIndex;
        isSelect = true;
        listOpened();
        slide.stop();
        slide.from = listBox.height;
        slide.to = Math.max(1, Math.min(itemCount(), visibleRows)) * files.rowHeight;
        slide.start();
    }
    function closeList() {
        if (!isSelect)
            return;
        isSelect = false;
        slide.stop();
        slide.from = listBox.height;
        slide.to = 0;
        slide.start();
    }
    function itemCount() {
        return mdItems ? mdItems.count : 0;
    }

    implicitWidth: field.implicitWidth
    implicitHeight: field.implicitHeight
    z: isSelect ? 50 : 0
    opacity: enabled ? 1.0 : 0.2

    Connections {
        target: fileButton.mdItems
        ignoreUnknownSignals: true
        function onDataChanged() {
            fileButton.modelRevision++;
        }
        function onCountChanged() {
            fileButton.modelRevision++;
        }
    }

    Image {
        id: field
        anchors.fill: parent
        source: root.skinPath + ((fieldArea.containsMouse || fileButton.isSelect) ? "common/dropdown_1.png" : "common/dropdown_0.png")
    }

    Text {
        anchors.left: parent.left
        anchors.leftMargin: 8
        anchors.right: arrow.left
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        text: {
            fileButton.modelRevision;
            if (fileButton.curIndex >= 0 && fileButton.curIndex < fileButton.itemCount())
                return fileButton.mdItems.get(fileButton.curIndex).textX;
            return "【 " + root.globalSetting_stringList[1] + " 】";
        }
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size
        color: fileButton.isSelect ? root.globalSetting_color : root.globalSetting_color_enable
    }

    Text {
        id: arrow
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        text: "▼"
        font.pixelSize: root.globalSetting_size - 2
        color: fieldArea.containsMouse ? root.globalSetting_color : root.globalSetting_color_enable
    }

    MouseArea {
        id: fieldArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: fileButton.isSelect ? fileButton.closeList() : fileButton.showList()
    }

    Rectangle {
        id: listBox
        y: fileButton.height
        width: fileButton.width
        height: 0
        visible: height > 0
        clip: true
        color: "#E6101418"
        border.color: root.globalSetting_color_enable
        border.width: 1

        FileList {
            id: files
            width: parent.width
            height: Math.max(1, Math.min(fileButton.itemCount(), fileButton.visibleRows)) * rowHeight
            mdItems: fileButton.mdItems
            onListElementClicked: index => {
                fileButton.curIndex = index;
                fileButton.closeList();
                fileButton.listElementClicked(index);
            }
        }
    }

    NumberAnimation {
        id: slide
        target: listBox
        property: "height"
        easing.type: Easing.OutCubic
        duration: root.animation_speed * (0.1 + 0.05 * fileButton.itemCount())
        onStopped: {
            if (!fileButton.isSelect && listBox.height === 0)
                fileButton.listClosed();
        }
    }
}
