pragma ComponentBehavior: Bound
import QtQuick
import ".."

// Scrolling list of names (textX) with a right-hand note (textR). A left
// click toggles the selection, a right click is reported, and a row can be
// renamed in place.
//
// Keyboard: Up, Down, Home and End select a row as a click does; Space or
// Return toggles the selection of the row last moved to; the Menu key or
// Shift+F10 reports a right click on it.
Item {
    id: fileList

    property var mdItems: ListModel {}
    property alias lvItems: listView
    property int rowHeight: 22
    property int editingIndex: -1
    // Row the arrows last moved to; Space toggles it.
    property int keyIndex: -1
    // Name read to screen readers for the whole list.
    property string accessibleName: ""

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
        // The editor that had the focus is gone; the list keeps it.
        forceActiveFocus();
        editFileName_completed(oldName, newName);
    }

    // A click on `index` by keyboard: selects it, or deselects it when it was
    // selected.
    function toggle(index) {
        if (index < 0 || index >= listView.count)
            return;
        keyIndex = index;
        listView.currentIndex = (listView.currentIndex === index) ? -1 : index;
        listElementClicked(listView.currentIndex);
    }
    function selectByKey(index) {
        const count = listView.count;
        if (count === 0)
            return;
        keyIndex = Math.max(0, Math.min(count - 1, index));
        listView.positionViewAtIndex(keyIndex, ListView.Contain);
        if (listView.currentIndex !== keyIndex) {
            listView.currentIndex = keyIndex;
            listElementClicked(keyIndex);
        }
    }
    function handleKey(event) {
        const from = listView.currentIndex >= 0 ? listView.currentIndex : keyIndex;
        switch (event.key) {
        case Qt.Key_Up:
            selectByKey(from < 0 ? listView.count - 1 : from - 1);
            break;
        case Qt.Key_Down:
            selectByKey(from + 1);
            break;
        case Qt.Key_Home:
            selectByKey(0);
            break;
        case Qt.Key_End:
            selectByKey(listView.count - 1);
            break;
        case Qt.Key_Space:
        case Qt.Key_Return:
        case Qt.Key_Enter:
            toggle(keyIndex >= 0 ? keyIndex : 0);
            break;
        case Qt.Key_Menu:
            if (from >= 0)
                listElementRightBtnClicked(from);
            break;
        case Qt.Key_F10:
            if (!(event.modifiers & Qt.ShiftModifier))
                return false;
            if (from >= 0)
                listElementRightBtnClicked(from);
            break;
        default:
            return false;
        }
        return true;
    }

    implicitWidth: 200
    implicitHeight: 6 * rowHeight
    opacity: enabled ? 1.0 : 0.2
    activeFocusOnTab: true

    Accessible.role: Accessible.List
    Accessible.name: accessibleName
    Accessible.focusable: true

    Keys.onPressed: event => event.accepted = handleKey(event)

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
            Accessible.role: Accessible.ListItem
            Accessible.name: row.model.textX + (row.model.textR === undefined ? "" : " " + String(row.model.textR).trim())
            Accessible.selected: row.selected
            border.color: row.selected ? Theme.color : "transparent"
            border.width: 1

            Label {
                anchors.left: parent.left
                anchors.leftMargin: 6
                anchors.right: note.left
                anchors.verticalCenter: parent.verticalCenter
                visible: fileList.editingIndex !== row.index
                elide: Text.ElideRight
                text: row.model.textX
                color: (row.selected || rowArea.containsMouse) ? Theme.color : Theme.colorEnable
            }
            Label {
                id: note
                anchors.right: parent.right
                anchors.rightMargin: 6
                anchors.verticalCenter: parent.verticalCenter
                text: row.model.textR === undefined ? "" : row.model.textR
                sizeStep: -1
                color: Theme.colorDisable
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
                    fileList.keyIndex = row.index;
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
                font.family: Theme.fontFamily
                font.pixelSize: Theme.size
                color: Theme.color
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

    ScrollBar_V {
        id: scrollBar
        view: listView
        anchors.right: parent.right
        height: parent.height
    }

    FocusMark {}
}
