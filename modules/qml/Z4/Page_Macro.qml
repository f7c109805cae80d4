pragma ComponentBehavior: Bound
import QtQuick
import ".."

// Macro library page: the macro files on the left, the selected macro's
// lines on the right with recording, insertion and clipboard tools. Every
// change of the lines is written to the macro file at once.
Item {
    id: page

    property int initCount: 0
    property bool isRecordStart: false
    // One line of the action list; emptied by the paste that follows a cut.
    property string scrapbook: ""
    property bool isUnlimitedCopy: false
    // Row of the file list the context menu was opened on.
    property int menuRow: -1
    // Item of the context menu marked by the keyboard.
    property int menuKeyIndex: 0

    readonly property string cmdDown: "    [Down]"
    readonly property string cmdUp: "      [Up]"
    readonly property string cmdDelay: "   [Delay]"

    property alias md_MacroFile: fileItems
    property alias md_MacroActions: actionItems
    readonly property int selectedFile: fileList.lvItems.currentIndex
    readonly property int selectedAction: actionList.lvItems.currentIndex
    readonly property bool hasFile: selectedFile >= 0 && selectedFile < fileItems.count
    readonly property bool hasAction: selectedAction >= 0 && selectedAction < actionItems.count

    width: 759
    height: 396

    function translateStrings() {
        const mouse = Theme.str(47);
        const keep = mouseButtonList.curIndex;
        mouseButtonItems.clear();
        // LEFT, RIGHT, MIDDLE, BACKWARD, FORWARD
        for (let i = 0; i < 5; ++i)
            mouseButtonItems.append({ textX: mouse + "【 " + Theme.str(51 + i) + " 】" });
        mouseButtonList.setCurIndex(keep);
    }

    function initUI() {
        initCount++;
        stopRecording(false);
        reloadFileNames("");
    }

    function selectedName() {
        return hasFile ? fileItems.get(selectedFile).textX : "";
    }

    // Re-reads the names from disk; `keep` names the file to select after.
    function reloadFileNames(keep) {
        const files = App.view.getMacroIniNames();
        fileItems.clear();
        let select = -1;
        for (let i = 0; files && i < files.length; ++i) {
            const name = String(files[i]).slice(0, -4);
            fileItems.append({ textX: name, textR: "" });
            if (name === keep)
                select = i;
        }
        fileList.lvItems.currentIndex = select;
        loadActions();
    }

    function splitLine(line) {
        const text = String(line);
        if (text.length < 10)
            return { textX: text, textR: "" };
        return { textX: text.slice(0, text.length - 10), textR: text.slice(text.length - 10) };
    }
    function lines() {
        const all = [];
        for (let i = 0; i < actionItems.count; ++i) {
            const row = actionItems.get(i);
            all.push(row.textX + row.textR);
        }
        return all;
    }

    function loadActions() {
        actionItems.clear();
        actionList.lvItems.currentIndex = -1;
        if (!hasFile)
            return;
        const stored = App.view.loadMacroIni(selectedName());
        for (let i = 0; stored && i < stored.length; ++i)
            actionItems.append(splitLine(stored[i]));
    }

    // A macro file that cannot be written any more shows no lines rather
    // than lines that are not on disk.
    function saveActions() {
        if (!hasFile)
            return;
        const saved = App.view.saveMacroIni(selectedName(), lines());
        if (!saved) {
            actionItems.clear();
            actionList.lvItems.currentIndex = -1;
        }
    }

    function selectFile(index) {
        fileList.lvItems.currentIndex = index;
        loadActions();
    }

    function addFile() {
        if (isRecordStart)
            return;
        const name = String(App.view.createMacroIni());
        if (name === "")
            return;
        reloadFileNames(name);
    }

    function deleteFile() {
        if (!hasFile || isRecordStart)
            return;
        if (!App.confirm("confirmMacroDelete", selectedName()))
            return;
        if (App.view.deleteMacroIni(selectedName()))
            reloadFileNames("");
    }

    function startRecording() {
        if (!hasFile || isRecordStart)
            return;
        actionItems.clear();
        actionList.lvItems.currentIndex = -1;
        isRecordStart = true;
    }
    function stopRecording(save) {
        if (!isRecordStart)
            return;
        isRecordStart = false;
        if (save !== false)
            saveActions();
    }

    function detectKeyboard(isDown, usbCode) {
        if (isRecordStart) {
            const name = App.keyNames.keycodeTostr(Number(usbCode));
            if (name !== undefined)
                actionItems.append({ textX: name, textR: isDown ? cmdDown : cmdUp });
            return;
        }
        if (keyField.isSelect)
            keyField.detectKeyboard(isDown, usbCode);
    }

    // New rows go before the selected row, or at the end without one.
    function insertRows(rows) {
        if (!hasFile)
            return;
        let at = hasAction ? selectedAction : actionItems.count;
        for (let i = 0; i < rows.length; ++i)
            actionItems.insert(at++, rows[i]);
        saveActions();
    }
    function insertKey() {
        const name = App.keyNames.keycodeTostr(keyField.tmpKeycodeUSB);
        if (name === undefined)
            return;
        insertRows([{ textX: name, textR: cmdDown }, { textX: name, textR: cmdUp }]);
    }
    function insertMouseButton() {
        const position = mouseButtonList.curIndex;
        if (position < 0)
            return;
        const name = App.keyNames.mousecodeTostr(0xF0 + position);
        if (name === undefined)
            return;
        insertRows([{ textX: name, textR: cmdDown }, { textX: name, textR: cmdUp }]);
    }
    function insertDelay() {
        delayField.commit();
        insertRows([{ textX: String(delayField.value), textR: cmdDelay }]);
    }

    function deleteRow() {
        if (!hasAction)
            return;
        actionItems.remove(selectedAction);
        actionList.lvItems.currentIndex = -1;
        saveActions();
    }
    function cutRow() {
        if (!hasAction)
            return;
        const row = actionItems.get(selectedAction);
        scrapbook = row.textX + row.textR;
        isUnlimitedCopy = false;
        actionItems.remove(selectedAction);
        actionList.lvItems.currentIndex = -1;
        saveActions();
    }
    function copyRow() {
        if (!hasAction)
            return;
        const row = actionItems.get(selectedAction);
        scrapbook = row.textX + row.textR;
        isUnlimitedCopy = true;
    }
    function pasteRow() {
        if (scrapbook === "" || !hasFile)
            return;
        const line = scrapbook;
        if (!isUnlimitedCopy)
            scrapbook = "";
        insertRows([splitLine(line)]);
    }

    function openFileMenu(row, position) {
        menuRow = row;
        menuKeyIndex = 0;
        fileMenu.x = Math.min(position.x, page.width - fileMenu.width);
        fileMenu.y = Math.min(position.y, page.height - fileMenu.height);
        fileMenu.visible = true;
        fileMenu.forceActiveFocus();
    }
    function closeFileMenu() {
        if (fileMenu.visible && fileMenu.activeFocus)
            fileList.forceActiveFocus();
        fileMenu.visible = false;
    }
    function menuAction(index) {
        if (index === 0)
            menuLoad();
        else if (index === 1)
            menuSave();
        else if (index === 2)
            menuRename();
        else
            closeFileMenu();
    }
    function menuLoad() {
        closeFileMenu();
        const wasSelected = menuRow === selectedFile;
        const keep = selectedName();
        const imported = String(App.view.loadMacroIniFromFile());
        // The import may add a file; the list shows what is on disk.
        reloadFileNames(keep);
        if (wasSelected && imported !== "")
            loadActions();
    }
    function menuSave() {
        closeFileMenu();
        if (menuRow >= 0 && menuRow < fileItems.count)
            App.view.saveMacroIniToFile(fileItems.get(menuRow).textX);
    }
    function menuRename() {
        closeFileMenu();
        if (menuRow >= 0 && menuRow < fileItems.count)
            fileList.editFileName(menuRow);
    }
    // The file system may refuse the name: the list shows what is on disk.
    function renameFile(oldName, newName) {
        const wasSelected = selectedName() === newName;
        if (oldName !== newName && newName !== "")
            App.view.renameMacroIniFile(oldName, newName);
        const names = App.view.getMacroIniNames();
        const renamed = names && names.indexOf(newName + ".bin") >= 0;
        reloadFileNames(wasSelected ? (renamed ? newName : oldName) : selectedName());
    }

    Component.onCompleted: translateStrings()

    ListModel { id: fileItems }
    ListModel { id: actionItems }
    ListModel { id: mouseButtonItems }

    component TextButton: Rectangle {
        id: button
        property string label: ""
        signal clicked
        function activate() {
            App.click();
            button.clicked();
        }
        width: Math.max(70, caption.implicitWidth + 16)
        height: Math.max(24, caption.implicitHeight + 8)
        color: area.containsMouse && enabled ? "#3300E5FF" : "transparent"
        border.color: enabled ? Theme.colorEnable : Theme.colorDisable
        border.width: 1
        opacity: (area.pressed || !enabled) ? 0.2 : 1.0
        activeFocusOnTab: true
        Accessible.role: Accessible.Button
        Accessible.name: button.label
        Accessible.focusable: true
        Accessible.onPressAction: activate()
        Keys.onPressed: event => {
            if (App.isActivation(event)) {
                event.accepted = true;
                if (!event.isAutoRepeat)
                    activate();
            }
        }
        FocusMark {}
        Label {
            id: caption
            anchors.centerIn: parent
            text: button.label
            color: area.containsMouse ? Theme.color : Theme.colorEnable
        }
        MouseArea {
            id: area
            anchors.fill: parent
            hoverEnabled: true
            onClicked: button.activate()
        }
    }

    // Files
    Caption {
        x: 24
        y: 8
        text: Theme.str(44)
    }
    FileList {
        id: fileList
        objectName: "macroFiles"
        accessibleName: Theme.str(44)
        x: 24
        y: 30
        width: 200
        height: 286
        enabled: !page.isRecordStart
        mdItems: fileItems
        onListElementClicked: index => page.loadActions()
        onListElementRightBtnClicked: index => page.openFileMenu(index, fileList.mapToItem(page, 40, (index + 1) * fileList.rowHeight - fileList.lvItems.contentY))
        onEditFileName_completed: (oldName, newName) => page.renameFile(oldName, newName)
    }
    Row {
        x: 24
        y: 326
        spacing: 10
        TextButton {
            objectName: "btnAddMacro"
            label: "+"
            enabled: !page.isRecordStart
            onClicked: page.addFile()
        }
        TextButton {
            objectName: "btnDeleteMacro"
            label: Theme.str(80)
            enabled: page.hasFile && !page.isRecordStart
            onClicked: page.deleteFile()
        }
    }

    // Lines of the selected macro
    Caption {
        x: 250
        y: 8
        text: Theme.str(45)
    }
    FileList {
        id: actionList
        objectName: "actionList"
        accessibleName: Theme.str(45)
        x: 250
        y: 30
        width: 220
        height: 286
        mdItems: actionItems
    }
    Row {
        x: 250
        y: 326
        spacing: 6
        TextButton {
            objectName: "btnDeleteRow"
            label: Theme.str(80)
            enabled: page.hasAction
            onClicked: page.deleteRow()
        }
        TextButton {
            objectName: "btnCut"
            label: Theme.str(81)
            enabled: page.hasAction
            onClicked: page.cutRow()
        }
        TextButton {
            objectName: "btnCopy"
            label: Theme.str(83)
            enabled: page.hasAction
            onClicked: page.copyRow()
        }
        TextButton {
            objectName: "btnPaste"
            label: Theme.str(82)
            enabled: page.scrapbook !== "" && page.hasFile
            onClicked: page.pasteRow()
        }
    }

    // Recording and insertion; clear of the profile column that overlaps
    // the page area's right edge.
    Column {
        x: 490
        y: 30
        spacing: 12
        Row {
            spacing: 10
            TextButton {
                objectName: "btnRecord"
                label: "● " + Theme.str(125)
                enabled: page.hasFile && !page.isRecordStart
                onClicked: page.startRecording()
            }
            TextButton {
                objectName: "btnStop"
                label: "■ " + Theme.str(126)
                enabled: page.isRecordStart
                onClicked: page.stopRecording()
            }
        }
        KeyInput_2 {
            id: keyField
            objectName: "macroKeyField"
            width: 220
            height: 26
        }
        TextButton {
            objectName: "btnInsertKey"
            label: Theme.str(116)
            enabled: page.hasFile && keyField.tmpKeycodeUSB !== 0
            onClicked: page.insertKey()
        }
        DropdownList {
            id: mouseButtonList
            objectName: "mouseButtonList"
            width: 220
            height: 24
            z: isSelect ? 50 : 0
            mdItems: mouseButtonItems
        }
        TextButton {
            objectName: "btnInsertMouse"
            label: Theme.str(116)
            enabled: page.hasFile && mouseButtonList.curIndex >= 0
            onClicked: page.insertMouseButton()
        }
        Row {
            id: delayField
            objectName: "delayField"
            property int value: 1000
            property alias input: delayInput
            function commit() {
                const typed = parseInt(delayInput.text, 10);
                value = isNaN(typed) ? 10 : Math.max(10, Math.min(65535, typed));
                delayInput.text = String(value);
            }
            spacing: 2
            Label {
                text: Theme.str(127) + "【 "
            }
            TextInput {
                id: delayInput
                width: 5 * (Theme.size + 1)
                horizontalAlignment: TextInput.AlignHCenter
                maximumLength: 5
                validator: RegularExpressionValidator { regularExpression: /[0-9]*/ }
                selectByMouse: true
                activeFocusOnTab: true
                Accessible.role: Accessible.EditableText
                Accessible.name: Theme.str(127) + " " + Theme.str(128)
                text: "1000"
                font.family: Theme.fontFamily
                font.pixelSize: Theme.size
                color: activeFocus ? Theme.color : Theme.colorEnable
                onEditingFinished: delayField.commit()
                FocusMark {}
            }
            Label {
                text: " 】" + Theme.str(128)
            }
        }
        TextButton {
            objectName: "btnInsertDelay"
            label: Theme.str(116)
            enabled: page.hasFile
            onClicked: page.insertDelay()
        }
    }

    // Context menu of a file row; as wide as its longest text. Keyboard: Up
    // and Down mark an item, Return or Space choose it, Escape closes.
    Item {
        id: fileMenu
        objectName: "fileMenu"
        readonly property int itemHeight: Math.max(20, Theme.size + 9)
        visible: false
        z: 100
        width: Math.ceil(Math.max(70, menuColumn.widest + 20))
        height: menuColumn.height + 4
        onActiveFocusChanged: {
            if (!activeFocus)
                page.closeFileMenu();
        }
        Accessible.role: Accessible.PopupMenu
        Keys.onPressed: event => {
            switch (event.key) {
            case Qt.Key_Up:
                page.menuKeyIndex = Math.max(0, page.menuKeyIndex - 1);
                break;
            case Qt.Key_Down:
                page.menuKeyIndex = Math.min(3, page.menuKeyIndex + 1);
                break;
            case Qt.Key_Return:
            case Qt.Key_Enter:
            case Qt.Key_Space:
                page.menuAction(page.menuKeyIndex);
                break;
            case Qt.Key_Escape:
                page.closeFileMenu();
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
            id: menuColumn
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
                model: [
                    { name: "menuLoad", text: Theme.str(84) },
                    { name: "menuSave", text: Theme.str(85) },
                    { name: "menuRename", text: Theme.str(112) },
                    { name: "menuCancel", text: Theme.str(78) }
                ]
                delegate: Item {
                    id: item
                    required property int index
                    required property var modelData
                    readonly property bool marked: itemArea.containsMouse || (fileMenu.activeFocus && item.index === page.menuKeyIndex)
                    readonly property real textWidth: itemText.implicitWidth
                    objectName: modelData.name
                    width: fileMenu.width - 4
                    height: fileMenu.itemHeight
                    onTextWidthChanged: menuColumn.measure()
                    Accessible.role: Accessible.MenuItem
                    Accessible.name: itemText.text
                    Accessible.onPressAction: page.menuAction(item.index)
                    Rectangle {
                        anchors.fill: parent
                        color: item.marked ? "#40FFFFFF" : "transparent"
                    }
                    Label {
                        id: itemText
                        anchors.centerIn: parent
                        text: item.modelData.text
                        color: item.marked ? Theme.color : Theme.colorEnable
                    }
                    MouseArea {
                        id: itemArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: page.menuAction(item.index)
                    }
                }
            }
        }
    }
}
