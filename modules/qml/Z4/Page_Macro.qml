import QtQuick
import "../common"

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

    function str(index, fallback) {
        const s = root.globalSetting_stringList[index];
        return (s === undefined || String(s) === "") ? fallback : String(s);
    }

    function translateStrings() {
        const names = ["LEFT", "RIGHT", "MIDDLE", "BACKWARD", "FORWARD"];
        mouseButtonItems.clear();
        for (let i = 0; i < names.length; ++i)
            mouseButtonItems.append({ textX: "MOUSE【 " + str(51 + i, names[i]) + " 】" });
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
        const files = ui_View.getMacroIniNames();
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
        const stored = ui_View.loadMacroIni(selectedName());
        for (let i = 0; stored && i < stored.length; ++i)
            actionItems.append(splitLine(stored[i]));
    }

    // A macro file that cannot be written any more shows no lines rather
    // than lines that are not on disk.
    function saveActions() {
        if (!hasFile)
            return;
        const saved = ui_View.saveMacroIni(selectedName(), lines());
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
        const name = String(ui_View.createMacroIni());
        if (name === "")
            return;
        reloadFileNames(name);
    }

    function deleteFile() {
        if (!hasFile || isRecordStart)
            return;
        if (!root.confirm("confirmMacroDelete", selectedName()))
            return;
        if (ui_View.deleteMacroIni(selectedName()))
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
            const name = _KeyCodeString.keycodeTostr(Number(usbCode));
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
        const name = _KeyCodeString.keycodeTostr(keyField.tmpKeycodeUSB);
        if (name === undefined)
            return;
        insertRows([{ textX: name, textR: cmdDown }, { textX: name, textR: cmdUp }]);
    }
    function insertMouseButton() {
        const position = mouseButtonList.curIndex;
        if (position < 0)
            return;
        const name = _KeyCodeString.mousecodeTostr(0xF0 + position);
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
        fileMenu.x = Math.min(position.x, page.width - fileMenu.width);
        fileMenu.y = Math.min(position.y, page.height - fileMenu.height);
        fileMenu.visible = true;
    }
    function closeFileMenu() {
        fileMenu.visible = false;
    }
    function menuLoad() {
        closeFileMenu();
        const wasSelected = menuRow === selectedFile;
        const keep = selectedName();
        const imported = String(ui_View.loadMacroIniFromFile());
        // The import may add a file; the list shows what is on disk.
        reloadFileNames(keep);
        if (wasSelected && imported !== "")
            loadActions();
    }
    function menuSave() {
        closeFileMenu();
        if (menuRow >= 0 && menuRow < fileItems.count)
            ui_View.saveMacroIniToFile(fileItems.get(menuRow).textX);
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
            ui_View.renameMacroIniFile(oldName, newName);
        const names = ui_View.getMacroIniNames();
        const renamed = names && names.indexOf(newName + ".bin") >= 0;
        reloadFileNames(wasSelected ? (renamed ? newName : oldName) : selectedName());
    }

    Component.onCompleted: translateStrings()

    Connections {
        target: mainZ4
        function onMsg_KB(isDown, usbCode) {
            page.detectKeyboard(isDown, usbCode);
        }
    }
    Connections {
        target: root
        function onEmptyAreaPressed() {
            page.closeFileMenu();
        }
    }

    ListModel { id: fileItems }
    ListModel { id: actionItems }
    ListModel { id: mouseButtonItems }

    component TextButton: Rectangle {
        id: button
        property string label: ""
        signal clicked
        width: Math.max(70, caption.implicitWidth + 16)
        height: 24
        color: area.containsMouse && enabled ? "#3300E5FF" : "transparent"
        border.color: enabled ? root.globalSetting_color_enable : root.globalSetting_color_disable
        border.width: 1
        opacity: (area.pressed || !enabled) ? 0.2 : 1.0
        Text {
            id: caption
            anchors.centerIn: parent
            text: button.label
            font.family: root.globalSetting_fontFamily
            font.pixelSize: root.globalSetting_size
            color: area.containsMouse ? root.globalSetting_color : root.globalSetting_color_enable
        }
        MouseArea {
            id: area
            anchors.fill: parent
            hoverEnabled: true
            onClicked: {
                ui_View.playMedia_Index(4);
                button.clicked();
            }
        }
    }

    // Files
    Text {
        x: 24
        y: 8
        text: page.str(44, "MACRO")
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size
        font.bold: true
        color: root.globalSetting_color
    }
    FileList {
        id: fileList
        objectName: "macroFiles"
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
            label: page.str(80, "DELETE")
            enabled: page.hasFile && !page.isRecordStart
            onClicked: page.deleteFile()
        }
    }

    // Lines of the selected macro
    Text {
        x: 250
        y: 8
        text: page.str(45, "ACTION")
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size
        font.bold: true
        color: root.globalSetting_color
    }
    FileList {
        id: actionList
        objectName: "actionList"
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
            label: page.str(80, "DELETE")
            enabled: page.hasAction
            onClicked: page.deleteRow()
        }
        TextButton {
            objectName: "btnCut"
            label: page.str(81, "CUT")
            enabled: page.hasAction
            onClicked: page.cutRow()
        }
        TextButton {
            objectName: "btnCopy"
            label: page.str(83, "COPY")
            enabled: page.hasAction
            onClicked: page.copyRow()
        }
        TextButton {
            objectName: "btnPaste"
            label: page.str(82, "PASTE")
            enabled: page.scrapbook !== "" && page.hasFile
            onClicked: page.pasteRow()
        }
    }

    // Recording and insertion
    Column {
        x: 500
        y: 30
        spacing: 12
        Row {
            spacing: 10
            TextButton {
                objectName: "btnRecord"
                label: "● REC"
                enabled: page.hasFile && !page.isRecordStart
                onClicked: page.startRecording()
            }
            TextButton {
                objectName: "btnStop"
                label: "■ STOP"
                enabled: page.isRecordStart
                onClicked: page.stopRecording()
            }
        }
        KeyInput_2 {
            id: keyField
            objectName: "macroKeyField"
            width: 230
            height: 26
        }
        TextButton {
            objectName: "btnInsertKey"
            label: "INSERT"
            enabled: page.hasFile && keyField.tmpKeycodeUSB !== 0
            onClicked: page.insertKey()
        }
        DropdownList {
            id: mouseButtonList
            objectName: "mouseButtonList"
            width: 230
            height: 24
            z: isSelect ? 50 : 0
            mdItems: mouseButtonItems
        }
        TextButton {
            objectName: "btnInsertMouse"
            label: "INSERT"
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
            Text {
                text: "DELAY【 "
                font.family: root.globalSetting_fontFamily
                font.pixelSize: root.globalSetting_size
                color: root.globalSetting_color_enable
            }
            TextInput {
                id: delayInput
                width: 5 * (root.globalSetting_size + 1)
                horizontalAlignment: TextInput.AlignHCenter
                maximumLength: 5
                validator: RegularExpressionValidator { regularExpression: /[0-9]*/ }
                selectByMouse: true
                text: "1000"
                font.family: root.globalSetting_fontFamily
                font.pixelSize: root.globalSetting_size
                color: activeFocus ? root.globalSetting_color : root.globalSetting_color_enable
                onEditingFinished: delayField.commit()
            }
            Text {
                text: " 】ms"
                font.family: root.globalSetting_fontFamily
                font.pixelSize: root.globalSetting_size
                color: root.globalSetting_color_enable
            }
        }
        TextButton {
            objectName: "btnInsertDelay"
            label: "INSERT"
            enabled: page.hasFile
            onClicked: page.insertDelay()
        }
    }

    // Context menu of a file row
    Rectangle {
        id: fileMenu
        objectName: "fileMenu"
        visible: false
        z: 100
        width: 70
        height: menuColumn.height
        color: Qt.rgba(0, 0, 0, 32 / 255)
        Column {
            id: menuColumn
            Repeater {
                model: [
                    { name: "menuLoad", text: page.str(84, "LOAD") },
                    { name: "menuSave", text: page.str(85, "SAVE") },
                    { name: "menuRename", text: page.str(112, "RENAME") },
                    { name: "menuCancel", text: page.str(78, "CANCEL") }
                ]
                delegate: Item {
                    id: item
                    required property int index
                    required property var modelData
                    objectName: modelData.name
                    width: fileMenu.width
                    height: 20
                    Text {
                        anchors.centerIn: parent
                        text: item.modelData.text
                        font.family: root.globalSetting_fontFamily
                        font.pixelSize: root.globalSetting_size
                        color: itemArea.containsMouse ? root.globalSetting_color : root.globalSetting_color_enable
                    }
                    MouseArea {
                        id: itemArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: {
                            if (item.index === 0)
                                page.menuLoad();
                            else if (item.index === 1)
                                page.menuSave();
                            else if (item.index === 2)
                                page.menuRename();
                            else
                                page.closeFileMenu();
                        }
                    }
                }
            }
        }
    }
}
