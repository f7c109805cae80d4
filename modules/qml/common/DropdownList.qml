import QtQuick

// Closed: the selected item's text (or "【 OPTIONS 】") and a "▼". Open: the
// items slide down below the field; choosing one closes the list.
Item {
    id: dropdown

    property var mdItems: ListModel {}
    property bool isSelect: false
    property int defaultIndex: -1
    property int curIndex: defaultIndex
    property int itemHeight: 22
    // Bumped whenever the model changes so that the field's text follows
    // renamed or re-translated items.
    property int modelRevision: 0

    signal listElementClicked(int index)
    signal listOpened
    signal listClosed

    function setCurIndex(index) {
        curIndex = index;
    }
    function getCurIndex() {
        return curIndex;
    }
    function showList() {
        if (isSelect)
            return;
        isSelect = true;
        listOpened();
        slide.stop();
        slide.from = listBox.height;
        slide.to = itemCount() * itemHeight;
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
    function itemText(index) {
        if (index < 0 || index >= itemCount())
            return "";
        return mdItems.get(index).textX;
    }

    implicitWidth: field.implicitWidth
    implicitHeight: field.implicitHeight
    z: isSelect ? 50 : 0
    opacity: enabled ? 1.0 : 0.2

    Connections {
        target: dropdown.mdItems
        ignoreUnknownSignals: true
        function onDataChanged() {
            dropdown.modelRevision++;
        }
        function onCountChanged() {
            dropdown.modelRevision++;
        }
    }

    Image {
        id: field
        anchors.fill: parent
        source: root.skinPath + ((fieldArea.containsMouse || dropdown.isSelect) ? "common/dropdown_1.png" : "common/dropdown_0.png")
    }

    Text {
        id: fieldText
        objectName: "fieldText"
        anchors.left: parent.left
        anchors.leftMargin: 8
        anchors.right: arrow.left
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        text: {
            dropdown.modelRevision;
            if (dropdown.curIndex >= 0 && dropdown.curIndex < dropdown.itemCount())
                return dropdown.itemText(dropdown.curIndex);
            return "【 " + root.globalSetting_stringList[1] + " 】";
        }
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size
        color: dropdown.isSelect ? root.globalSetting_color : root.globalSetting_color_enable
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
        onClicked: dropdown.isSelect ? dropdown.closeList() : dropdown.showList()
    }

    Rectangle {
        id: listBox
        objectName: "listBox"
        y: dropdown.height
        width: dropdown.width
        height: 0
        visible: height > 0
        clip: true
        color: "#E6101418"
        border.color: root.globalSetting_color_enable
        border.width: 1

        Column {
            width: parent.width
            Repeater {
                model: dropdown.mdItems
                delegate: Rectangle {
                    id: row
                    required property int index
                    required property var model
                    width: listBox.width
                    height: dropdown.itemHeight
                    color: rowArea.containsMouse ? "#40FFFFFF" : "transparent"
                    Text {
                        anchors.left: parent.left
                        anchors.leftMargin: 8
                        anchors.verticalCenter: parent.verticalCenter
                        text: row.model.textX
                        font.family: root.globalSetting_fontFamily
                        font.pixelSize: root.globalSetting_size
                        color: (rowArea.containsMouse || row.index === dropdown.curIndex) ? root.globalSetting_color : root.globalSetting_color_enable
                    }
                    MouseArea {
                        id: rowArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: {
                            dropdown.setCurIndex(row.index);
                            dropdown.closeList();
                            dropdown.listElementClicked(row.index);
                        }
                    }
                }
            }
        }
    }

    NumberAnimation {
        id: slide
        target: listBox
        property: "height"
        easing.type: Easing.OutCubic
        duration: root.animation_speed * (0.1 + 0.05 * dropdown.itemCount())
        onStopped: {
            if (!dropdown.isSelect && listBox.height === 0)
                dropdown.listClosed();
        }
    }
}
