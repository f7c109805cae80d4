pragma ComponentBehavior: Bound
import QtQuick
import ".."

// Ten profile rows "P01"…"P10". A left click switches profile; a right click
// opens LOAD / SAVE / RESET / CANCEL for that row, beside the column so that
// the row stays in sight.
//
// Keyboard: the rows are one stop of the focus chain. Up and Down mark a
// row, Return or Space switch to it, the Menu key or Shift+F10 open its
// menu; in the menu Up and Down mark an item, Return or Space choose it and
// Escape closes it.
Item {
    id: menuProf

    property int currentIndex: 0
    property int menuRow: -1
    // Row marked by the keyboard.
    property int keyIndex: 0
    // Item marked by the keyboard in the open menu.
    property int menuKeyIndex: 0
    property var labels: [Theme.str(84), Theme.str(85), Theme.str(77), Theme.str(78)]
    readonly property int menuItemHeight: Math.max(20, Theme.size + 9)

    signal profileSelected(int index)
    signal loadClicked(int index)
    signal saveClicked(int index)
    signal resetClicked(int index)

    function translateStrings() {
        labels = Qt.binding(() => [Theme.str(84), Theme.str(85), Theme.str(77), Theme.str(78)]);
    }
    function choose(index) {
        keyIndex = index;
        if (index === currentIndex)
            return;
        currentIndex = index;
        profileSelected(index);
    }
    function profileName(index) {
        return "P" + (index + 1 < 10 ? "0" : "") + (index + 1);
    }
    // The menu opens to the left of the column, level with its row, and
    // inside the window.
    function openMenu(row) {
        menuRow = row;
        keyIndex = row;
        menuKeyIndex = 0;
        let window = menuProf;
        while (window.parent)
            window = window.parent;
        contextMenu.x = -contextMenu.width - 6;
        contextMenu.y = Math.min(list.y + row * 26, menuProf.mapFromItem(window, 0, window.height).y - contextMenu.height);
        fadeOut.stop();
        contextMenu.visible = true;
        contextMenu.forceActiveFocus();
        fadeIn.restart();
    }
    function closeMenu() {
        if (!contextMenu.visible)
            return;
        if (contextMenu.activeFocus)
            list.forceActiveFocus();
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
        source: Theme.skin("list_pf/listPfContainer.png")
    }

    // The stack drawn at the top of the column: a button that opens the
    // menu of the current profile.
    Item {
        id: menuButton
        objectName: "btnProfileMenu"
        function activate() {
            App.click();
            menuProf.openMenu(menuProf.currentIndex);
        }
        x: 19
        y: 24
        width: 57
        height: 56
        activeFocusOnTab: true
        Accessible.role: Accessible.ButtonMenu
        Accessible.name: Theme.str(152) + " " + menuProf.profileName(menuProf.currentIndex)
        Accessible.focusable: true
        Accessible.onPressAction: activate()
        Keys.onPressed: event => {
            if (App.isActivation(event)) {
                event.accepted = true;
                if (!event.isAutoRepeat)
                    activate();
            }
        }
        Rectangle {
            anchors.fill: parent
            radius: 6
            color: menuButtonArea.pressed ? "#40FFFFFF" : "#20FFFFFF"
            border.color: Theme.color
            visible: menuButtonArea.containsMouse
        }
        MouseArea {
            id: menuButtonArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: menuButton.activate()
        }
        FocusMark {}
    }

    Column {
        id: list
        objectName: "profileList"
        x: 23
        y: 97
        activeFocusOnTab: true

        Accessible.role: Accessible.List
        Accessible.name: menuProf.profileName(menuProf.keyIndex)
        Accessible.focusable: true

        Keys.onPressed: event => {
            switch (event.key) {
            case Qt.Key_Up:
                menuProf.keyIndex = Math.max(0, menuProf.keyIndex - 1);
                break;
            case Qt.Key_Down:
                menuProf.keyIndex = Math.min(9, menuProf.keyIndex + 1);
                break;
            case Qt.Key_Return:
            case Qt.Key_Enter:
            case Qt.Key_Space:
                if (!event.isAutoRepeat) {
                    App.click();
                    menuProf.choose(menuProf.keyIndex);
                }
                break;
            case Qt.Key_Menu:
                menuProf.openMenu(menuProf.keyIndex);
                break;
            case Qt.Key_F10:
                if (!(event.modifiers & Qt.ShiftModifier))
                    return;
                menuProf.openMenu(menuProf.keyIndex);
                break;
            default:
                return;
            }
            event.accepted = true;
        }

        Repeater {
            model: 10
            delegate: Item {
                id: row
                required property int index
                readonly property bool selected: index === menuProf.currentIndex
                objectName: "profileRow" + index
                width: 49
                height: 26
                Accessible.role: Accessible.ListItem
                Accessible.name: rowText.text
                Accessible.selected: row.selected
                Accessible.onPressAction: menuProf.choose(row.index)
                Image {
                    anchors.fill: parent
                    source: Theme.skin((row.selected || rowArea.containsMouse) ? "list_pf/profileFW_1.png" : "list_pf/profileFW_0.png")
                }
                Text {
                    id: rowText
                    anchors.centerIn: parent
                    text: menuProf.profileName(row.index)
                    font.family: "Arial"
                    font.pixelSize: Theme.size + 1
                    font.bold: true
                    color: row.selected ? Theme.color : Theme.colorEnable
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onClicked: mouse => {
                        if (mouse.button === Qt.RightButton)
                            menuProf.openMenu(row.index);
                        else
                            menuProf.choose(row.index);
                    }
                }
                FocusMark {
                    margin: 0
                    visible: list.activeFocus && row.index === menuProf.keyIndex
                }
            }
        }
    }

    Item {
        id: contextMenu
        objectName: "profileContextMenu"
        visible: false
        opacity: 0
        width: Math.ceil(Math.max(45, items.widest + 20))
        height: 4 * menuProf.menuItemHeight + 4
        z: 10
        onActiveFocusChanged: {
            if (!activeFocus)
                menuProf.closeMenu();
        }

        Accessible.role: Accessible.PopupMenu
        Accessible.name: menuProf.profileName(menuProf.menuRow)

        Keys.onPressed: event => {
            switch (event.key) {
            case Qt.Key_Up:
                menuProf.menuKeyIndex = Math.max(0, menuProf.menuKeyIndex - 1);
                break;
            case Qt.Key_Down:
                menuProf.menuKeyIndex = Math.min(3, menuProf.menuKeyIndex + 1);
                break;
            case Qt.Key_Return:
            case Qt.Key_Enter:
            case Qt.Key_Space:
                menuProf.menuAction(menuProf.menuKeyIndex);
                break;
            case Qt.Key_Escape:
                menuProf.closeMenu();
                break;
            default:
                return;
            }
            event.accepted = true;
        }

        PopupBackground {
            anchors.fill: parent
        }

        Column {
            id: items
            property real widest: 0
            function measure() {
                let w = 0;
                for (let i = 0; i < menuItems.count; ++i) {
                    const it = menuItems.itemAt(i);
                    if (it)
                        w = Math.max(w, it.textWidth);
                }
                widest = w;
            }
            x: 2
            y: 2
            Repeater {
                id: menuItems
                model: 4
                delegate: Item {
                    id: item
                    required property int index
                    readonly property bool marked: itemArea.containsMouse || (contextMenu.activeFocus && item.index === menuProf.menuKeyIndex)
                    readonly property real textWidth: itemText.implicitWidth
                    objectName: "profileMenuItem" + index
                    width: contextMenu.width - 4
                    onTextWidthChanged: items.measure()
                    height: menuProf.menuItemHeight
                    Accessible.role: Accessible.MenuItem
                    Accessible.name: itemText.text
                    Accessible.onPressAction: menuProf.menuAction(item.index)
                    Rectangle {
                        anchors.fill: parent
                        color: item.marked ? "#40FFFFFF" : "transparent"
                    }
                    Label {
                        id: itemText
                        anchors.centerIn: parent
                        text: menuProf.labels[item.index] === undefined ? "" : menuProf.labels[item.index]
                        font.bold: true
                        color: item.marked ? Theme.color : Theme.colorEnable
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
        duration: 1.5 * Theme.animationSpeed
    }
    NumberAnimation {
        id: fadeOut
        target: contextMenu
        property: "opacity"
        from: 1
        to: 0
        easing.type: Easing.OutExpo
        duration: Theme.animationSpeed
        onStopped: {
            if (contextMenu.opacity === 0)
                contextMenu.visible = false;
        }
    }
}
