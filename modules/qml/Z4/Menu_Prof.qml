import QtQuick

// Ten profile rows "P01"…"P10". A left click switches profile; a right click
// opens LOAD / SAVE / RESET / CANCEL for that row.
Item {
    id: menuProf

    property int currentIndex: 0
    property int menuRow: -1
    property var labels: [root.globalSetting_stringList[84], root.globalSetting_stringList[85], root.globalSetting_stringList[77], root.globalSetting_stringList[78]]

    signal profileSelected(int index)
    signal loadClicked(int index)
    signal saveClicked(int index)
    signal resetClicked(int index)

    function translateStrings() {
        labels = Qt.binding(() => [root.globalSetting_stringList[84], root.globalSetting_stringList[85], root.globalSetting_stringList[77], root.globalSetting_stringList[78]]);
    }
    function choose(index) {
        if (index === currentIndex)
            return;
        currentIndex = index;
        profileSelected(index);
    }
    function openMenu(row, pointerX, pointerY) {
        menuRow = row;
        contextMenu.x = list.x + pointerX - 45;
        contextMenu.y = row * 26 + pointerY + 85;
        fadeOut.stop();
        contextMenu.visible = true;
        fadeIn.restart();
    }
    function closeMenu() {
        if (!contextMenu.visible)
            return;
        fadeIn.stop();
        fadeOut.restart();
    }
    function menuAction(action) {
        const row = menuRow;
        closeMenu();
        if (action === 0)
            loadClicked(row);
        else if (action === 1)
            saveClicked(row);
        else if (action === 2)
            resetClicked(row);
    }

    width: container.implicitWidth
    height: container.implicitHeight
    opacity: 0.2 + 0.8 * enabled
    onEnabledChanged: {
        if (!enabled)
            closeMenu();
    }

    Image {
        id: container
        source: root.skinPath + "list_pf/listPfContainer.png"
    }

    Column {
        id: list
        x: 23
        y: 97
        Repeater {
            model: 10
            delegate: Item {
                id: row
                required property int index
                readonly property bool selected: index === menuProf.currentIndex
                objectName: "profileRow" + index
                width: 49
                height: 26
                Image {
                    anchors.fill: parent
                    source: root.skinPath + ((row.selected || rowArea.containsMouse) ? "list_pf/profileFW_1.png" : "list_pf/profileFW_0.png")
                }
                Text {
                    anchors.centerIn: parent
                    text: "P" + (row.index + 1 < 10 ? "0" : "") + (row.index + 1)
                    font.family: "Arial"
                    font.pixelSize: root.globalSetting_size + 1
                    font.bold: true
                    color: row.selected ? root.globalSetting_color : root.globalSetting_color_enable
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onClicked: mouse => {
                        if (mouse.button === Qt.RightButton)
                            menuProf.openMenu(row.index, mouse.x, mouse.y);
                        else
                            menuProf.choose(row.index);
                    }
                }
            }
        }
    }

    Rectangle {
        id: contextMenu
        objectName: "profileContextMenu"
        visible: false
        opacity: 0
        width: 45
        height: 4 * 20
        z: 10
        color: Qt.rgba(0, 0, 0, 32 / 255)
        // The faint backing alone gets lost over the rows beneath it.
        border.width: 1
        border.color: root.globalSetting_color_enable

        Column {
            Repeater {
                model: 4
                delegate: Item {
                    id: item
                    required property int index
                    objectName: "profileMenuItem" + index
                    width: 45
                    height: 20
                    Text {
                        anchors.centerIn: parent
                        text: menuProf.labels[item.index] === undefined ? "" : menuProf.labels[item.index]
                        font.family: root.globalSetting_fontFamily
                        font.pixelSize: root.globalSetting_size - 2
                        font.bold: true
                        style: Text.Outline
                        styleColor: "#C0000000"
                        color: itemArea.containsMouse ? root.globalSetting_color : root.globalSetting_color_enable
                    }
                    MouseArea {
                        id: itemArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: menuProf.menuAction(item.index)
                    }
                }
            }
        }
    }

    NumberAnimation {
        id: fadeIn
        target: contextMenu
        property: "opacity"
        from: 0
        to: 1
        easing.type: Easing.OutExpo
        duration: 1.5 * root.animation_speed
    }
    NumberAnimation {
        id: fadeOut
        target: contextMenu
        property: "opacity"
        from: 1
        to: 0
        easing.type: Easing.OutExpo
        duration: root.animation_speed
        onStopped: {
            if (contextMenu.opacity === 0)
                contextMenu.visible = false;
        }
    }
}
