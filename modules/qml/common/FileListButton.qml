import QtQuick
import ".."

// A drop-down whose list is a FileList. Opening asks the page to refill the
// items first (requestToUpdateList), so the list always shows what is on disk.
// The open list shows as many rows as fit inside the window (at most
// visibleRows) and scrolls through the rest. Keyboard as DropdownList.
Item {
    id: fileButton

    property var mdItems: ListModel {}
    property bool isSelect: false
    property int curIndex: -1
    property int visibleRows: 6
    property int modelRevision: 0
    // Rows of the open list (set when it opens).
    property int shownRows: 1

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
        files.keyIndex = curIndex;
        isSelect = true;
        forceActiveFocus();
        listOpened();
        shownRows = rowsThatFit();
        if (curIndex >= 0)
            files.lvItems.positionViewAtIndex(curIndex, ListView.Contain);
        slide.stop();
        slide.from = listBox.height;
        slide.to = shownRows * files.rowHeight;
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
    function choose(index) {
        curIndex = index;
        closeList();
        listElementClicked(index);
    }
    // Room below the field inside every ancestor that clips.
    function roomBelow() {
        let bottom = Infinity;
        for (let p = fileButton.parent; p; p = p.parent) {
            if (p.clip || !p.parent)
                bottom = Math.min(bottom, p.mapToItem(fileButton, 0, p.height).y);
        }
        return bottom - fileButton.height;
    }
    function rowsThatFit() {
        const room = Math.floor(roomBelow() / files.rowHeight);
        return Math.max(1, Math.min(itemCount(), visibleRows, room));
    }

    implicitWidth: field.implicitWidth
    implicitHeight: field.implicitHeight
    z: isSelect ? 50 : 0
    opacity: enabled ? 1.0 : 0.2
    activeFocusOnTab: true
    onActiveFocusChanged: {
        if (!activeFocus)
            closeList();
    }

    Accessible.role: Accessible.ComboBox
    Accessible.name: fieldText.text
    Accessible.focusable: true
    Accessible.onPressAction: isSelect ? closeList() : showList()

    Keys.onPressed: event => {
        if (!isSelect) {
            if (App.isActivation(event) || event.key === Qt.Key_Down) {
                showList();
                event.accepted = true;
            }
            return;
        }
        const view = files.lvItems;
        const count = view.count;
        let mark = files.keyIndex;
        switch (event.key) {
        case Qt.Key_Up:
            mark = mark < 0 ? count - 1 : mark - 1;
            break;
        case Qt.Key_Down:
            mark = mark + 1;
            break;
        case Qt.Key_Home:
            mark = 0;
            break;
        case Qt.Key_End:
            mark = count - 1;
            break;
        case Qt.Key_Return:
        case Qt.Key_Enter:
        case Qt.Key_Space:
            if (mark >= 0 && mark < count)
                choose(mark);
            event.accepted = true;
            return;
        case Qt.Key_Escape:
            closeList();
            event.accepted = true;
            return;
        default:
            return;
        }
        if (count > 0) {
            files.keyIndex = Math.max(0, Math.min(count - 1, mark));
            view.currentIndex = files.keyIndex;
            view.positionViewAtIndex(files.keyIndex, ListView.Contain);
        }
        event.accepted = true;
    }

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
        source: Theme.skin((fieldArea.containsMouse || fileButton.isSelect) ? "common/dropdown_1.png" : "common/dropdown_0.png")
    }

    Label {
        id: fieldText
        anchors.left: parent.left
        anchors.leftMargin: 8
        anchors.right: arrow.left
        anchors.rightMargin: 4
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        text: {
            fileButton.modelRevision;
            if (fileButton.curIndex >= 0 && fileButton.curIndex < fileButton.itemCount())
                return fileButton.mdItems.get(fileButton.curIndex).textX;
            return "【 " + Theme.str(1) + " 】";
        }
        color: fileButton.isSelect ? Theme.color : Theme.colorEnable
    }

    Text {
        id: arrow
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        text: "▼"
        font.pixelSize: Theme.size - 2
        color: fieldArea.containsMouse ? Theme.color : Theme.colorEnable
    }

    MouseArea {
        id: fieldArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: fileButton.isSelect ? fileButton.closeList() : fileButton.showList()
    }

    FocusMark {}

    Item {
        id: listBox
        objectName: "listBox"
        y: fileButton.height
        width: fileButton.width
        height: 0
        visible: height > 0
        clip: true

        PopupBackground {
            anchors.fill: parent
        }

        FileList {
            id: files
            width: parent.width
            height: fileButton.shownRows * rowHeight
            mdItems: fileButton.mdItems
            // The button holds the focus and steers the list.
            activeFocusOnTab: false
            onListElementClicked: index => fileButton.choose(index)
        }
    }

    NumberAnimation {
        id: slide
        target: listBox
        property: "height"
        easing.type: Easing.OutCubic
        duration: Theme.animationSpeed * (0.1 + 0.05 * fileButton.itemCount())
        onStopped: {
            if (!fileButton.isSelect && listBox.height === 0)
                fileButton.listClosed();
        }
    }
}
