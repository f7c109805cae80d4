pragma ComponentBehavior: Bound
import QtQuick
import ".."

// Key assignment page: the mouse's buttons on the left, the function of the
// selected button in the middle. Entries live in the model until apply sends
// all sixteen; macro bindings are uploaded at once.
Item {
    id: page

    property alias model: keyModel
    // Names of the mouse's sixteen key positions; empty = no such key.
    property var layoutNames: []
    property int initCount: 0
    property bool initialised: false
    // 0: mouse button list, 1: key field.
    property int fireRadio: 0
    property int playMode: 0

    width: 759
    height: 396

    function fill(listModel, texts) {
        if (listModel.count !== texts.length) {
            listModel.clear();
            for (let i = 0; i < texts.length; ++i)
                listModel.append({ textX: texts[i] });
        } else {
            for (let i = 0; i < texts.length; ++i)
                listModel.setProperty(i, "textX", texts[i]);
        }
    }

    // The lists' texts by their entries in the string table (the media keys
    // are 56…73, in the order of the model's codes).
    function translateStrings() {
        const texts = indexes => indexes.map(index => Theme.str(index));
        fill(funcItems, texts([46, 47, 48, 49, 50, 93, 117]));
        fill(mouseItems, texts([51, 52, 53, 54, 55, 94, 118, 119, 95, 109, 110]));
        fill(mediaItems, keyModel.mediaCodes.map((code, i) => Theme.str(56 + i)));
        const key = Theme.str(74);
        fill(modifierItems, ["×"].concat(["L Ctrl", "L Shift", "L Alt", "L Win", "R Ctrl", "R Shift", "R Alt", "R Win"].map(name => key + "【 " + name + " 】")));
        fill(fireButtonItems, texts([51, 52, 53, 54, 55]));
        fill(gunItems, texts([120, 121, 122]));
        keyModel.buildMapping(page.layoutNames);
        const count = keyModel.mapping_for_keyId.length;
        if (keyModel.curKeyMatrix >= count) {
            keyModel.curKeyMatrix = count - 1;
        } else if (initialised && keyModel.curKeyMatrix < 0 && count > 0) {
            // Keys appeared where there were none: the first is selected.
            keyModel.curKeyMatrix = 0;
            showEntry();
        }
    }

    function initUI() {
        initCount++;
        keyModel.setDefaults(App.view.loadDefaultProfile(0));
        keyModel.buildMapping(page.layoutNames);
        refreshMacroList();
        for (let i = 0; i < keyModel.keyCount; ++i) {
            const stored = App.view.getKeydefine(i);
            // A profile without the key holds the factory entry.
            if (stored && stored.length >= 4)
                keyModel.setEntry(i, [Number(stored[0]), Number(stored[1]), Number(stored[2]), Number(stored[3])]);
            else
                keyModel.setEntry(i, keyModel.defaultEntry(i));
        }
        const count = keyModel.mapping_for_keyId.length;
        if (!initialised || keyModel.curKeyMatrix < 0 || keyModel.curKeyMatrix >= count)
            keyModel.curKeyMatrix = Math.min(3, count - 1);
        initialised = true;
        showEntry();
    }

    // The macro list of the page, re-read from disk; the selection follows
    // the name, not the row.
    function refreshMacroList() {
        const selected = macroList.curIndex >= 0 && macroList.curIndex < keyModel.macroNames.length ? keyModel.macroNames[macroList.curIndex] : "";
        const files = App.view.getMacroIniNames();
        const names = [];
        for (let i = 0; files && i < files.length; ++i)
            names.push(String(files[i]).slice(0, -4));
        keyModel.macroNames = names;
        macroItems.clear();
        for (let i = 0; i < names.length; ++i)
            macroItems.append({ textX: names[i], textR: "" });
        macroList.setCurIndex(selected === "" ? -1 : names.indexOf(selected));
    }

    function selectedKeyId() {
        return keyModel.selectedKeyId();
    }
    function currentEntry() {
        const keyId = selectedKeyId();
        return keyId < 0 ? [0, 0, 0, 0] : keyModel.entry(keyId);
    }
    function writeEntry(codes) {
        const keyId = selectedKeyId();
        if (keyId >= 0)
            keyModel.setEntry(keyId, codes);
    }

    function foolProofing() {
        if (!keyModel.isLastLeftButton(selectedKeyId()))
            return true;
        return App.view.getMsgAns_FoolProofing();
    }

    // A key that held a macro gives it up; the macro's slot is freed when no
    // other key uses it.
    function dropMacroEntry() {
        const keyId = selectedKeyId();
        if (keyId < 0 || !keyModel.isMacroEntry(keyModel.entry(keyId)))
            return;
        keyModel.setEntry(keyId, [0, 0, 0, 0]);
        keyModel.refreshMacroIndex();
    }

    function disarmKeyFields(except) {
        const fields = [keyField, comboKey1, comboKey2, fireKeyField];
        for (let i = 0; i < fields.length; ++i) {
            if (fields[i] !== except)
                fields[i].isSelect = false;
        }
    }

    function clearControls() {
        disarmKeyFields(null);
        keyField.setKeycodeUSB(0);
        comboKey1.setKeycodeUSB(0);
        comboKey2.setKeycodeUSB(0);
        fireKeyField.setKeycodeUSB(0);
        mouseList.setCurIndex(-1);
        mediaList.setCurIndex(-1);
        modifierList.setCurIndex(-1);
        macroList.setCurIndex(-1);
        fireButtonList.setCurIndex(-1);
        gunList.setCurIndex(-1);
        playMode = 0;
        playCount.setValue(1);
        fireRadio = 0;
        fireCount.setValue(10);
        fireSpeed.currentIndex = -1;
    }

    // Display rule: the selected key's entry decides the function and the
    // second-level controls.
    function showEntry() {
        closeLists();
        clearControls();
        const keyId = selectedKeyId();
        if (keyId < 0) {
            funcList.setCurIndex(-1);
            return;
        }
        const shown = keyModel.describe(keyModel.entry(keyId));
        funcList.setCurIndex(shown.func);
        switch (shown.func) {
        case keyModel.funcKeyboard:
            keyField.setKeycodeUSB(shown.key);
            break;
        case keyModel.funcMouse:
            mouseList.setCurIndex(shown.mouse);
            break;
        case keyModel.funcMedia:
            mediaList.setCurIndex(shown.media);
            break;
        case keyModel.funcCombo:
            modifierList.setCurIndex(shown.modifier);
            comboKey1.setKeycodeUSB(shown.key1);
            comboKey2.setKeycodeUSB(shown.key2);
            break;
        case keyModel.funcMacro: {
            refreshMacroList();
            const bound = keyModel.macroForSlot(shown.slot);
            macroList.setCurIndex(bound.index);
            playMode = shown.playMode;
            playCount.setValue(bound.repeat);
            break;
        }
        case keyModel.funcFire:
            fireRadio = shown.byRadio;
            if (shown.byRadio === 0)
                fireButtonList.setCurIndex(shown.button);
            else
                fireKeyField.setKeycodeUSB(shown.key);
            fireSpeed.setCurIndex(shown.speed);
            fireCount.setValue(shown.count);
            break;
        case keyModel.funcGun:
            gunList.setCurIndex(shown.gun);
            break;
        }
    }

    function closeLists() {
        const lists = [funcList, mouseList, mediaList, modifierList, fireButtonList, gunList, macroList];
        for (let i = 0; i < lists.length; ++i)
            lists[i].closeList();
    }

    // Typed numbers take effect when committed: Enter, leaving the field,
    // a click on an empty area, or before the page resets, applies or
    // changes key.
    function commitPending() {
        if (playCount.dirty)
            playCount.commit();
        if (fireCount.dirty)
            fireCount.commit();
    }

    function selectKey(position) {
        commitPending();
        if (position < 0 || position >= keyModel.mapping_for_keyId.length)
            return;
        keyModel.curKeyMatrix = position;
        showEntry();
    }

    function chooseFunction(index) {
        commitPending();
        if (!foolProofing()) {
            funcList.setCurIndex(keyModel.funcMouse);
            return;
        }
        clearControls();
        funcList.setCurIndex(index);
        dropMacroEntry();
        if (index === keyModel.funcMacro)
            refreshMacroList();
    }

    function chooseMouse(position) {
        const wanted = keyModel.mouseEntry(position);
        if (keyModel.sameEntry(currentEntry(), wanted))
            return;
        if (!foolProofing()) {
            mouseList.setCurIndex(0);
            return;
        }
        writeEntry(wanted);
    }

    function chooseKeyboard(usage) {
        if (usage !== 0)
            writeEntry(keyModel.keyboardEntry(usage));
    }

    function chooseMedia(position) {
        writeEntry(keyModel.mediaEntry(position));
    }

    function writeCombo() {
        writeEntry(keyModel.comboEntry(Math.max(0, modifierList.curIndex), comboKey1.tmpKeycodeUSB, comboKey2.tmpKeycodeUSB));
    }

    function bindMacro() {
        const keyId = selectedKeyId();
        if (keyId < 0)
            return;
        const index = macroList.curIndex;
        const name = index >= 0 && index < keyModel.macroNames.length ? keyModel.macroNames[index] : "";
        // A key that changes to another macro gives up the old one first, so
        // that the old macro's slot is freed before the new one looks for a
        // slot; otherwise both files would claim the same slot.
        const before = keyModel.entry(keyId);
        if (keyModel.isMacroEntry(before)) {
            const held = keyModel.macroForSlot(before[2] - 1);
            if (held.index < 0 || keyModel.macroNames[held.index] !== name) {
                keyModel.setEntry(keyId, [0, 0, 0, 0]);
                keyModel.refreshMacroIndex();
            }
        }
        keyModel.setMacro(keyId, name, playMode, playCount.value);
    }
    function choosePlayMode(mode) {
        playMode = mode;
        bindMacro();
    }

    // The fire key needs its key first: a button choice or a key press.
    function writeFire() {
        const hasKey = fireRadio === 0 ? fireButtonList.curIndex >= 0 : fireKeyField.tmpKeycodeUSB !== 0;
        if (!hasKey)
            return;
        // The speed slider shows no position until it is used; what is sent
        // is its default, and the slider shows that from now on.
        if (fireSpeed.currentIndex < 0)
            fireSpeed.setCurIndex(7);
        writeEntry(keyModel.fireEntry(fireRadio, fireButtonList.curIndex, fireKeyField.tmpKeycodeUSB, fireCount.value, fireSpeed.currentIndex));
    }

    function chooseGun(position) {
        writeEntry(keyModel.gunEntry(position));
    }

    function resetKey() {
        commitPending();
        const keyId = selectedKeyId();
        if (keyId < 0 || !foolProofing())
            return;
        dropMacroEntry();
        keyModel.setEntry(keyId, keyModel.defaultEntry(keyId));
        showEntry();
    }

    function sendKeyMatrix() {
        commitPending();
        App.view.ui_12H_SetKeyMatrix(keyModel.allCodes());
    }
    function apply() {
        App.lock(800, App.saving);
        App.deviceAction("apply", () => sendKeyMatrix());
    }
    function resetAll() {
        commitPending();
        keyModel.resetAll();
        showEntry();
    }

    function detectKeyboard(isDown, usbCode) {
        const fields = [keyField, comboKey1, comboKey2, fireKeyField];
        for (let i = 0; i < fields.length; ++i) {
            if (fields[i].visible && fields[i].isSelect)
                fields[i].detectKeyboard(isDown, usbCode);
        }
    }

    Model_KeyDefine_Z4 {
        id: keyModel
    }

    ListModel { id: funcItems }
    ListModel { id: mouseItems }
    ListModel { id: mediaItems }
    ListModel { id: modifierItems }
    ListModel { id: fireButtonItems }
    ListModel { id: gunItems }
    ListModel { id: macroItems }

    Component.onCompleted: translateStrings()

    // A number typed in a field, committed by Enter or by leaving the field.
    component NumberField: Item {
        id: field

        property int value: 0
        property int minimum: 0
        property int maximum: 65535
        property int digits: 5
        property string prefix: ""
        property string suffix: ""
        property alias input: editor
        readonly property bool dirty: editor.text !== String(value)

        signal committed(int value)

        function setValue(v) {
            value = v;
            editor.text = String(v);
        }
        function commit() {
            const typed = parseInt(editor.text, 10);
            setValue(isNaN(typed) ? minimum : Math.max(minimum, Math.min(maximum, typed)));
            committed(value);
        }

        implicitWidth: row.implicitWidth
        implicitHeight: 24

        Row {
            id: row
            anchors.verticalCenter: parent.verticalCenter
            spacing: 2
            Label {
                text: field.prefix
            }
            TextInput {
                id: editor
                width: field.digits * (Theme.size + 1)
                horizontalAlignment: TextInput.AlignHCenter
                maximumLength: field.digits
                validator: RegularExpressionValidator { regularExpression: /[0-9]*/ }
                selectByMouse: true
                activeFocusOnTab: true
                text: String(field.value)
                font.family: Theme.fontFamily
                font.pixelSize: Theme.size
                color: activeFocus ? Theme.color : Theme.colorEnable
                onEditingFinished: field.commit()
                Accessible.role: Accessible.EditableText
                Accessible.name: (field.prefix + " " + field.suffix).replace(/[【】]/g, " ").trim()
                FocusMark {}
            }
            Label {
                text: field.suffix
            }
        }
    }

    // Mouse buttons named by the layout of the current language.
    // The keys are one stop of the keyboard's focus chain: Up and Down
    // select the neighbouring key.
    Column {
        id: keyList
        objectName: "keyList"
        x: 24
        y: 12
        spacing: 4
        activeFocusOnTab: true
        Accessible.role: Accessible.List
        Accessible.name: {
            const labels = page.layoutNames;
            const keyId = keyModel.selectedKeyId();
            return labels && keyId >= 0 && labels[keyId] !== undefined ? String(labels[keyId]) : "";
        }
        Accessible.focusable: true
        Keys.onPressed: event => {
            if (event.key === Qt.Key_Up && keyModel.curKeyMatrix > 0)
                page.selectKey(keyModel.curKeyMatrix - 1);
            else if (event.key === Qt.Key_Down && keyModel.curKeyMatrix < keyModel.mapping_for_keyId.length - 1)
                page.selectKey(keyModel.curKeyMatrix + 1);
            else if (event.key !== Qt.Key_Up && event.key !== Qt.Key_Down)
                return;
            App.click();
            event.accepted = true;
        }
        Repeater {
            model: keyModel.mapping_for_keyId
            delegate: Rectangle {
                id: keyRow
                required property int index
                required property var modelData
                readonly property bool selected: index === keyModel.curKeyMatrix
                objectName: "keyRow" + index
                width: 170
                height: 26
                color: selected ? "#3300E5FF" : (rowArea.containsMouse ? "#22FFFFFF" : "transparent")
                border.color: selected ? Theme.color : Theme.colorDisable
                border.width: 1
                Accessible.role: Accessible.ListItem
                Accessible.name: keyText.text
                Accessible.selected: keyRow.selected
                Accessible.onPressAction: page.selectKey(keyRow.index)
                FocusMark {
                    visible: keyList.activeFocus && keyRow.selected
                }
                Label {
                    id: keyText
                    anchors.left: parent.left
                    anchors.leftMargin: 10
                    anchors.right: parent.right
                    anchors.rightMargin: 6
                    anchors.verticalCenter: parent.verticalCenter
                    elide: Text.ElideRight
                    text: {
                        const labels = page.layoutNames;
                        return labels && labels[keyRow.modelData] !== undefined ? String(labels[keyRow.modelData]) : "";
                    }
                    font.bold: keyRow.selected
                    color: keyRow.selected || rowArea.containsMouse ? Theme.color : Theme.colorEnable
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        App.click();
                        page.selectKey(keyRow.index);
                    }
                }
            }
        }
    }

    Item {
        id: controls
        x: 230
        y: 12
        width: 500
        height: 340

        DropdownList {
            id: funcList
            objectName: "funcList"
            x: 0
            y: 0
            width: 200
            height: 24
            z: isSelect ? 60 : 10
            mdItems: funcItems
            onListElementClicked: index => page.chooseFunction(index)
        }

        // KEYBOARD
        KeyInput_2 {
            id: keyField
            objectName: "keyField"
            x: 0
            y: 40
            width: 240
            height: 26
            visible: funcList.curIndex === keyModel.funcKeyboard
            onIsSelectChanged: if (isSelect) page.disarmKeyFields(keyField)
            onInputComplete: usbCode => page.chooseKeyboard(usbCode)
        }

        // MOUSE
        DropdownList {
            id: mouseList
            objectName: "mouseList"
            x: 0
            y: 40
            width: 200
            height: 24
            visible: funcList.curIndex === keyModel.funcMouse
            mdItems: mouseItems
            onListElementClicked: index => page.chooseMouse(index)
        }

        // MEDIA
        DropdownList {
            id: mediaList
            objectName: "mediaList"
            x: 0
            y: 40
            width: 200
            height: 24
            visible: funcList.curIndex === keyModel.funcMedia
            mdItems: mediaItems
            onListElementClicked: index => page.chooseMedia(index)
        }

        // COMBO KEY
        Item {
            id: comboGroup
            y: 40
            width: 500
            height: 120
            visible: funcList.curIndex === keyModel.funcCombo
            z: modifierList.isSelect ? 50 : 0
            DropdownList {
                id: modifierList
                objectName: "comboModifierList"
                width: 200
                height: 24
                mdItems: modifierItems
                onListElementClicked: index => page.writeCombo()
            }
            KeyInput_2 {
                id: comboKey1
                objectName: "comboKey1"
                y: 36
                width: 240
                height: 26
                onIsSelectChanged: if (isSelect) page.disarmKeyFields(comboKey1)
                onInputComplete: page.writeCombo()
            }
            KeyInput_2 {
                id: comboKey2
                objectName: "comboKey2"
                y: 72
                width: 240
                height: 26
                onIsSelectChanged: if (isSelect) page.disarmKeyFields(comboKey2)
                onInputComplete: page.writeCombo()
            }
        }

        // MACRO
        Item {
            id: macroGroup
            y: 40
            width: 500
            height: 160
            visible: funcList.curIndex === keyModel.funcMacro
            z: macroList.isSelect ? 50 : 0
            Column {
                y: 36
                spacing: 10
                Row {
                    spacing: 12
                    RadioButton {
                        objectName: "playMode0"
                        index: 0
                        isSelect: page.playMode === 0
                        chkStr: Theme.str(96)
                        onClicked: index => page.choosePlayMode(index)
                    }
                    NumberField {
                        id: playCount
                        objectName: "playCount"
                        value: 1
                        minimum: 0
                        maximum: 65535
                        digits: 5
                        suffix: Theme.str(97)
                        onCommitted: {
                            if (page.playMode === 0)
                                page.bindMacro();
                        }
                    }
                }
                RadioButton {
                    objectName: "playMode1"
                    index: 1
                    isSelect: page.playMode === 1
                    chkStr: Theme.str(98)
                    onClicked: index => page.choosePlayMode(index)
                }
                RadioButton {
                    objectName: "playMode2"
                    index: 2
                    isSelect: page.playMode === 2
                    chkStr: Theme.str(99)
                    onClicked: index => page.choosePlayMode(index)
                }
            }
            FileListButton {
                id: macroList
                objectName: "macroList"
                width: 200
                height: 24
                mdItems: macroItems
                onRequestToUpdateList: page.refreshMacroList()
                onListElementClicked: index => page.bindMacro()
            }
        }

        // FIRE KEY
        Item {
            id: fireGroup
            y: 40
            width: 500
            height: 200
            visible: funcList.curIndex === keyModel.funcFire
            z: fireButtonList.isSelect ? 50 : 0
            RadioButton {
                objectName: "fireRadio0"
                y: 4
                index: 0
                Accessible.name: Theme.str(47)
                isSelect: page.fireRadio === 0
                onClicked: index => page.fireRadio = index
            }
            DropdownList {
                id: fireButtonList
                objectName: "fireButtonList"
                x: 28
                width: 200
                height: 24
                z: isSelect ? 50 : 0
                enabled: page.fireRadio === 0
                mdItems: fireButtonItems
                onListElementClicked: index => page.writeFire()
            }
            RadioButton {
                objectName: "fireRadio1"
                y: 41
                index: 1
                Accessible.name: Theme.str(46)
                isSelect: page.fireRadio === 1
                onClicked: index => page.fireRadio = index
            }
            KeyInput_2 {
                id: fireKeyField
                objectName: "fireKeyField"
                x: 28
                y: 36
                width: 240
                height: 26
                enabled: page.fireRadio === 1
                onIsSelectChanged: if (isSelect) page.disarmKeyFields(fireKeyField)
                onInputComplete: page.writeFire()
            }
            NumberField {
                id: fireCount
                objectName: "fireCount"
                y: 76
                value: 10
                minimum: 0
                maximum: 255
                digits: 3
                prefix: Theme.str(123) + "【"
                suffix: "】" + Theme.str(124)
                onCommitted: page.writeFire()
            }
            Label {
                y: 114
                text: Theme.str(3)
            }
            Slider {
                id: fireSpeed
                objectName: "fireSpeed"
                Accessible.name: Theme.str(3)
                x: 80
                y: 114
                width: 168
                onSliderClicked: index => page.writeFire()
            }
        }

        // GUN
        DropdownList {
            id: gunList
            objectName: "gunList"
            x: 0
            y: 40
            width: 200
            height: 24
            visible: funcList.curIndex === keyModel.funcGun
            mdItems: gunItems
            onListElementClicked: index => page.chooseGun(index)
        }
    }

    PageButtons {
        name: "Key"
        anchors.right: parent.right
        anchors.rightMargin: 24
        y: 350
        applyEnabled: App.deviceConnected
        onResetClicked: page.resetKey()
        onApplyClicked: page.apply()
    }
}
