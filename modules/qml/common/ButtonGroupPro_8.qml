import QtQuick

// Eight DPI stages. Stages at or above maxStage are hidden; a stage holding 0
// is switched off, shows "×" and cannot be selected. Each stage's "▼" opens
// a three-column menu of the first menuCounter values of valueForMenuIndex.
Item {
    id: group

    property var valueForIndex: [0, 0, 0, 0, 0, 0, 0, 0]
    property int currentIndex: 0
    property int maxStage: 8
    property var valueForMenuIndex: []
    property int menuCounter: 18
    property int currentMenuIndex: -1

    readonly property int stageWidth: 72
    readonly property int stageSpacing: 18
    readonly property int menuCellWidth: 52
    readonly property int menuCellHeight: 20

    signal clicked(int index)
    signal valueChanged(int index, int value)

    function setCurIndex(index) {
        currentIndex = index;
    }
    function getCurIndex() {
        return currentIndex;
    }
    function valueText(value) {
        return Number(value) === 0 ? "×" : String(value);
    }
    function selectStage(index) {
        if (index < 0 || index >= maxStage || Number(valueForIndex[index]) === 0)
            return false;
        currentIndex = index;
        clicked(index);
        return true;
    }
    function toggleMenu(index) {
        currentMenuIndex = (currentMenuIndex === index) ? -1 : index;
    }
    function chooseMenuValue(menuIndex) {
        const stage = currentMenuIndex;
        if (stage < 0)
            return;
        const value = Number(valueForMenuIndex[menuIndex]);
        const values = valueForIndex.slice();
        values[stage] = value;
        valueForIndex = values;
        currentMenuIndex = -1;
        valueChanged(stage, value);
    }

    implicitWidth: 8 * stageWidth + 7 * stageSpacing
    implicitHeight: 30
    opacity: enabled ? 1.0 : 0.2
    z: currentMenuIndex >= 0 ? 50 : 0

    Row {
        id: stages
        spacing: group.stageSpacing
        Repeater {
            model: 8
            delegate: Item {
                id: stage
                required property int index
                readonly property int value: Number(group.valueForIndex[index])
                readonly property bool selectable: value !== 0
                visible: index < group.maxStage
                width: group.stageWidth
                height: 30

                Image {
                    id: picture
                    width: parent.width - 16
                    height: parent.height
                    fillMode: Image.Stretch
                    opacity: stageArea.pressed ? 0.2 : (stage.selectable ? 1.0 : 0.5)
                    source: root.skinPath + ((stage.index === group.currentIndex || (stageArea.containsMouse && stage.selectable)) ? "common/btnStage_1.png" : "common/btnStage_0.png")
                    Text {
                        anchors.centerIn: parent
                        text: group.valueText(stage.value)
                        font.family: root.globalSetting_fontFamily
                        font.pixelSize: root.globalSetting_size
                        font.bold: stage.index === group.currentIndex
                        color: stage.index === group.currentIndex ? root.globalSetting_color : (stage.selectable ? root.globalSetting_color_enable : root.globalSetting_color_disable)
                    }
                    MouseArea {
                        id: stageArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: {
                            if (stage.selectable)
                                ui_View.playMedia_Index(4);
                            group.selectStage(stage.index);
                        }
                    }
                }

                Text {
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    width: 14
                    horizontalAlignment: Text.AlignHCenter
                    text: "▼"
                    font.pixelSize: root.globalSetting_size - 1
                    color: (arrowArea.containsMouse || group.currentMenuIndex === stage.index) ? root.globalSetting_color : root.globalSetting_color_enable
                    MouseArea {
                        id: arrowArea
                        anchors.fill: parent
                        anchors.margins: -3
                        hoverEnabled: true
                        onClicked: group.toggleMenu(stage.index)
                    }
                }
            }
        }
    }

    Rectangle {
        id: menu
        visible: group.currentMenuIndex >= 0
        x: Math.min(Math.max(0, group.currentMenuIndex) * (group.stageWidth + group.stageSpacing), group.width - width)
        y: 32
        width: 3 * group.menuCellWidth + 8
        height: Math.ceil(Math.min(group.menuCounter, group.valueForMenuIndex.length) / 3) * group.menuCellHeight + 8
        color: "#F0101418"
        border.color: root.globalSetting_color_enable
        border.width: 1

        Grid {
            x: 4
            y: 4
            columns: 3
            Repeater {
                model: Math.min(group.menuCounter, group.valueForMenuIndex.length)
                delegate: Rectangle {
                    id: cell
                    required property int index
                    width: group.menuCellWidth
                    height: group.menuCellHeight
                    color: cellArea.containsMouse ? "#40FFFFFF" : "transparent"
                    Text {
                        anchors.centerIn: parent
                        text: group.valueText(group.valueForMenuIndex[cell.index])
                        font.family: root.globalSetting_fontFamily
                        font.pixelSize: root.globalSetting_size
                        color: cellArea.containsMouse ? root.globalSetting_color : root.globalSetting_color_enable
                    }
                    MouseArea {
                        id: cellArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: group.chooseMenuValue(cell.index)
                    }
                }
            }
        }
    }
}
