pragma ComponentBehavior: Bound
import QtQuick
import ".."

// Eight DPI stages. Stages at or above maxStage are hidden; a stage holding 0
// is switched off, shows "×" and cannot be selected. Each stage's "▼" opens
// a three-column menu of the first menuCounter values of valueForMenuIndex.
//
// Keyboard: the group is one stop. Left and Right select the neighbouring
// stage that is on; Return, Space or Down open the selected stage's menu, in
// which the arrows move the marked value, Return or Space choose it and
// Escape closes the menu.
Item {
    id: group

    property var valueForIndex: [0, 0, 0, 0, 0, 0, 0, 0]
    property int currentIndex: 0
    property int maxStage: 8
    property var valueForMenuIndex: []
    property int menuCounter: 18
    property int currentMenuIndex: -1
    // Value marked by the keyboard in the open menu.
    property int keyMenuIndex: -1
    readonly property int menuCount: Math.min(menuCounter, valueForMenuIndex.length)

    readonly property int stageWidth: 72
    readonly property int stageSpacing: 14
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
        if (currentMenuIndex >= 0) {
            keyMenuIndex = Math.max(0, valueForMenuIndex.indexOf(Number(valueForIndex[currentMenuIndex])));
            forceActiveFocus();
        }
    }
    // The next stage in `direction` that is shown and on, if any.
    function neighbour(direction) {
        for (let i = currentIndex + direction; i >= 0 && i < maxStage && i < 8; i += direction) {
            if (Number(valueForIndex[i]) !== 0)
                return i;
        }
        return -1;
    }
    function stageName(index) {
        return valueText(valueForIndex[index]);
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
    activeFocusOnTab: true
    onActiveFocusChanged: {
        if (!activeFocus)
            currentMenuIndex = -1;
    }

    Accessible.role: Accessible.Grouping
    Accessible.description: stageName(currentIndex)
    Accessible.focusable: true

    Keys.onPressed: event => {
        if (currentMenuIndex < 0) {
            switch (event.key) {
            case Qt.Key_Left:
            case Qt.Key_Right: {
                const next = neighbour(event.key === Qt.Key_Left ? -1 : 1);
                if (next >= 0) {
                    App.click();
                    selectStage(next);
                }
                break;
            }
            case Qt.Key_Return:
            case Qt.Key_Enter:
            case Qt.Key_Space:
            case Qt.Key_Down:
                if (currentIndex >= 0 && currentIndex < maxStage)
                    toggleMenu(currentIndex);
                break;
            default:
                return;
            }
            event.accepted = true;
            return;
        }
        const steps = { [Qt.Key_Left]: -1, [Qt.Key_Right]: 1, [Qt.Key_Up]: -3, [Qt.Key_Down]: 3 };
        if (steps[event.key] !== undefined) {
            const next = keyMenuIndex + steps[event.key];
            if (next >= 0 && next < menuCount)
                keyMenuIndex = next;
        } else if (App.isActivation(event)) {
            if (keyMenuIndex >= 0 && keyMenuIndex < menuCount)
                chooseMenuValue(keyMenuIndex);
        } else if (event.key === Qt.Key_Escape) {
            currentMenuIndex = -1;
        } else {
            return;
        }
        event.accepted = true;
    }

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
                Accessible.role: Accessible.RadioButton
                Accessible.name: group.valueText(stage.value)
                Accessible.checkable: true
                Accessible.checked: stage.index === group.currentIndex
                Accessible.onPressAction: group.selectStage(stage.index)

                Image {
                    id: picture
                    width: parent.width - 16
                    height: parent.height
                    fillMode: Image.Stretch
                    opacity: stageArea.pressed ? 0.2 : (stage.selectable ? 1.0 : 0.5)
                    source: Theme.skin((stage.index === group.currentIndex || (stageArea.containsMouse && stage.selectable)) ? "common/btnStage_1.png" : "common/btnStage_0.png")
                    Label {
                        anchors.centerIn: parent
                        text: group.valueText(stage.value)
                        font.bold: stage.index === group.currentIndex
                        color: stage.index === group.currentIndex ? Theme.color : (stage.selectable ? Theme.colorEnable : Theme.colorDisable)
                    }
                    FocusMark {
                        visible: group.activeFocus && stage.index === group.currentIndex
                    }
                    MouseArea {
                        id: stageArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: {
                            if (stage.selectable)
                                App.click();
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
                    Accessible.role: Accessible.ButtonMenu
                    Accessible.name: "▼ " + group.valueText(stage.value)
                    Accessible.onPressAction: group.toggleMenu(stage.index)
                    font.pixelSize: Theme.size - 1
                    color: (arrowArea.containsMouse || group.currentMenuIndex === stage.index) ? Theme.color : Theme.colorEnable
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

    Item {
        id: menu
        objectName: "stageMenu"
        visible: group.currentMenuIndex >= 0
        x: Math.min(Math.max(0, group.currentMenuIndex) * (group.stageWidth + group.stageSpacing), group.width - width)
        y: 32
        width: 3 * group.menuCellWidth + 8
        height: Math.ceil(group.menuCount / 3) * group.menuCellHeight + 8

        PopupBackground {
            anchors.fill: parent
        }

        Grid {
            x: 4
            y: 4
            columns: 3
            Repeater {
                model: group.menuCount
                delegate: Rectangle {
                    id: cell
                    required property int index
                    readonly property bool marked: cellArea.containsMouse || cell.index === group.keyMenuIndex
                    width: group.menuCellWidth
                    height: group.menuCellHeight
                    color: marked ? "#40FFFFFF" : "transparent"
                    Accessible.role: Accessible.MenuItem
                    Accessible.name: cellText.text
                    Accessible.onPressAction: group.chooseMenuValue(cell.index)
                    Label {
                        id: cellText
                        anchors.centerIn: parent
                        text: group.valueText(group.valueForMenuIndex[cell.index])
                        color: cell.marked ? Theme.color : Theme.colorEnable
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
