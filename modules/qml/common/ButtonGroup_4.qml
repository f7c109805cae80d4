pragma ComponentBehavior: Bound
import QtQuick
import ".."

// Four buttons in a row, exactly one selected. From the keyboard the group is
// one stop: Left and Right (or Up and Down) select the neighbour.
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
    function choose(index) {
        if (index < 0 || index > 3)
            return;
        App.click();
        group.currentIndex = index;
        group.clicked(index);
    }
    function textAt(index) {
        return valueForIndex[index] === undefined ? "" : String(valueForIndex[index]);
    }

    implicitWidth: buttons.implicitWidth
    implicitHeight: buttons.implicitHeight
    opacity: enabled ? 1.0 : 0.2
    activeFocusOnTab: true

    Accessible.role: Accessible.Grouping
    Accessible.description: textAt(currentIndex)
    Accessible.focusable: true

    Keys.onPressed: event => {
        if (event.key === Qt.Key_Left || event.key === Qt.Key_Up) {
            if (currentIndex > 0)
                choose(currentIndex - 1);
        } else if (event.key === Qt.Key_Right || event.key === Qt.Key_Down) {
            if (currentIndex < 3)
                choose(currentIndex + 1);
        } else {
            return;
        }
        event.accepted = true;
    }

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
                Accessible.role: Accessible.RadioButton
                Accessible.name: group.textAt(cell.index)
                Accessible.checkable: true
                Accessible.checked: cell.index === group.currentIndex
                Accessible.onPressAction: group.choose(cell.index)
                Image {
                    id: picture
                    source: Theme.skin((cell.index === group.currentIndex || cellArea.containsMouse) ? "common/btnGroup_1.png" : "common/btnGroup_0.png")
                }
                Label {
                    anchors.centerIn: parent
                    text: group.textAt(cell.index)
                    font.bold: cell.index === group.currentIndex
                    color: cell.index === group.currentIndex ? Theme.color : Theme.colorEnable
                }
                FocusMark {
                    visible: group.activeFocus && cell.index === group.currentIndex
                }
                MouseArea {
                    id: cellArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: group.choose(cell.index)
                }
            }
        }
    }
}
