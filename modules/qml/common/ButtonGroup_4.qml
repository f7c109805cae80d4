import QtQuick

// Four buttons in a row, exactly one selected.
Item {
    id: group

    property var valueForIndex: ["", "", "", ""]
    property int currentIndex: 0

    signal clicked(int index)

    function setCurIndex(index) {
        currentIndex = index;
    }
    function getCurIndex() {
        return currentIndex;
    }

    implicitWidth: buttons.implicitWidth
    implicitHeight: buttons.implicitHeight
    opacity: enabled ? 1.0 : 0.2

    Row {
        id: buttons
        spacing: 6
        Repeater {
            model: 4
            delegate: Item {
                id: cell
                required property int index
                width: picture.implicitWidth
                height: picture.implicitHeight
                opacity: cellArea.pressed ? 0.2 : 1.0
                Image {
                    id: picture
                    source: root.skinPath + ((cell.index === group.currentIndex || cellArea.containsMouse) ? "common/btnGroup_1.png" : "common/btnGroup_0.png")
                }
                Text {
                    anchors.centerIn: parent
                    text: group.valueForIndex[cell.index] === undefined ? "" : group.valueForIndex[cell.index]
                    font.family: root.globalSetting_fontFamily
                    font.pixelSize: root.globalSetting_size
                    font.bold: cell.index === group.currentIndex
                    color: cell.index === group.currentIndex ? root.globalSetting_color : root.globalSetting_color_enable
                }
                MouseArea {
                    id: cellArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        ui_View.playMedia_Index(4);
                        group.currentIndex = cell.index;
                        group.clicked(cell.index);
                    }
                }
            }
        }
    }
}
