pragma ComponentBehavior: Bound
import QtQuick
import ".."

// Closed: the selected item's text (or "【 OPTIONS 】") and a "▼". Open: the
// items slide down below the field, as many as fit inside the window or the
// area that clips the list; the rest scroll (wheel, drag, scroll bar, arrow
// keys). Choosing one closes the list.
//
// Keyboard: Return, Space or Down opens the list; while open the arrows,
// Page Up/Down, Home and End move the marked row, Return or Space chooses it
// and Escape closes the list. An open list holds the focus and closes when
// it loses it.
Item {
    id: dropdown

    property var mdItems: ListModel {}
    property bool isSelect: false
    property int defaultIndex: -1
    property int curIndex: defaultIndex
    property int itemHeight: 22
    // Never more rows than this, even where there is room for more.
    property int maxVisibleRows: 12
    // Row marked by the keyboard while the list is open.
    property int keyIndex: -1
    // Rows of the open list (set when it opens).
    property int shownRows: 1
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
        forceActiveFocus();
        keyIndex = curIndex >= 0 && curIndex < itemCount() ? curIndex : 0;
        // The rows have their full height from the start (the sliding box
        // only uncovers them), so the chosen row is brought into view now.
        shownRows = rowsThatFit();
        rows.positionViewAtIndex(Math.max(0, keyIndex), ListView.Contain);
        listOpened();
        slide.stop();
        slide.from = listBox.height;
        slide.to = shownRows * itemHeight;
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
    function choose(index) {
        if (index < 0 || index >= itemCount())
            return;
        setCurIndex(index);
        closeList();
        listElementClicked(index);
    }
    function moveKey(step) {
        const count = itemCount();
        if (count === 0)
            return;
        keyIndex = Math.max(0, Math.min(count - 1, keyIndex + step));
        rows.positionViewAtIndex(keyIndex, ListView.Contain);
    }

    // Room below the field inside every ancestor that clips (the page area,
    // the settings panel, the window).
    function roomBelow() {
        let bottom = Infinity;
        for (let p = dropdown.parent; p; p = p.parent) {
            if (p.clip || !p.parent)
                bottom = Math.min(bottom, p.mapToItem(dropdown, 0, p.height).y);
        }
        return bottom - dropdown.height;
    }
    function rowsThatFit() {
        const room = Math.floor(roomBelow() / itemHeight);
        return Math.max(1, Math.min(itemCount(), maxVisibleRows, room));
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
        switch (event.key) {
        case Qt.Key_Up:
            moveKey(-1);
            break;
        case Qt.Key_Down:
            moveKey(1);
            break;
        case Qt.Key_PageUp:
            moveKey(-shownRows);
            break;
        case Qt.Key_PageDown:
            moveKey(shownRows);
            break;
        case Qt.Key_Home:
            moveKey(-itemCount());
            break;
        case Qt.Key_End:
            moveKey(itemCount());
            break;
        case Qt.Key_Return:
        case Qt.Key_Enter:
        case Qt.Key_Space:
            choose(keyIndex);
            break;
        case Qt.Key_Escape:
            closeList();
            break;
        default:
            return;
        }
        event.accepted = true;
    }

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
        source: Theme.skin((fieldArea.containsMouse || dropdown.isSelect) ? "common/dropdown_1.png" : "common/dropdown_0.png")
    }

    Label {
        id: fieldText
        objectName: "fieldText"
        anchors.left: parent.left
        anchors.leftMargin: 8
        anchors.right: arrow.left
        anchors.rightMargin: 4
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        text: {
            dropdown.modelRevision;
            if (dropdown.curIndex >= 0 && dropdown.curIndex < dropdown.itemCount())
                return dropdown.itemText(dropdown.curIndex);
            return "【 " + Theme.str(1) + " 】";
        }
        color: dropdown.isSelect ? Theme.color : Theme.colorEnable
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
        onClicked: dropdown.isSelect ? dropdown.closeList() : dropdown.showList()
    }

    FocusMark {}

    Item {
        id: listBox
        objectName: "listBox"
        y: dropdown.height
        width: dropdown.width
        height: 0
        visible: height > 0
        clip: true

        PopupBackground {
            anchors.fill: parent
        }

        ListView {
            id: rows
            objectName: "listRows"
            width: parent.width - (scrollBar.visible ? scrollBar.width + 4 : 0)
            height: dropdown.shownRows * dropdown.itemHeight
            clip: true
            model: dropdown.mdItems
            boundsBehavior: Flickable.StopAtBounds
            highlightFollowsCurrentItem: false
            delegate: Rectangle {
                id: row
                required property int index
                required property var model
                readonly property bool marked: rowArea.containsMouse || (row.index === dropdown.keyIndex && dropdown.activeFocus)
                width: rows.width
                height: dropdown.itemHeight
                color: marked ? "#40FFFFFF" : "transparent"
                Accessible.role: Accessible.ListItem
                Accessible.name: rowText.text
                Accessible.selected: row.index === dropdown.curIndex
                Label {
                    id: rowText
                    anchors.left: parent.left
                    anchors.leftMargin: 7
                    anchors.right: parent.right
                    anchors.rightMargin: 4
                    anchors.verticalCenter: parent.verticalCenter
                    elide: Text.ElideRight
                    text: row.model.textX
                    color: (row.marked || row.index === dropdown.curIndex) ? Theme.color : Theme.colorEnable
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: dropdown.choose(row.index)
                }
            }
        }

        ScrollBar_V {
            id: scrollBar
            objectName: "listScrollBar"
            view: rows
            anchors.right: parent.right
            anchors.rightMargin: 2
            y: 2
            height: rows.height - 4
        }
    }

    NumberAnimation {
        id: slide
        target: listBox
        property: "height"
        easing.type: Easing.OutCubic
        duration: Theme.animationSpeed * (0.1 + 0.05 * dropdown.itemCount())
        onStopped: {
            if (!dropdown.isSelect && listBox.height === 0)
                dropdown.listClosed();
        }
    }
}
