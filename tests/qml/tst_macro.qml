import QtQuick
import QtTest

// The macro page: the lines each tool makes and saves, clipboard, recording,
// the file menu and enabled states.
Item {
    width: 800
    height: 460

    PageCase {
        name: "MacroPage"
        source: "Page_Macro.qml"

        readonly property string down: "    [Down]"
        readonly property string up: "      [Up]"
        readonly property string delay: "   [Delay]"

        // Opens the library with macro "M" holding `lines`, selected.
        function openWith(lines) {
            open(v => {
                v.addMacro("Another", -1, 1, ["Z" + down]);
                v.addMacro("M", -1, 1, lines);
            });
            clickRow(part("macroFiles"), 1);
            compare(page.selectedFile, 1);
            view.clear();
        }
        function clickRow(list, row) {
            // Rows appear with the view's next layout.
            list.lvItems.forceLayout();
            mouseClick(list, 20, (row + 0.5) * list.rowHeight);
        }
        function lastSaved() {
            const call = view.last("saveMacroIni");
            verify(call !== null, "nothing saved");
            return call[2];
        }
        function press(usage, isDown) {
            harness.product.msg_KB(isDown, usage);
        }
        function setKeyField(usage) {
            const field = part("macroKeyField");
            mouseClick(field);
            press(usage, true);
            press(usage, false);
            compare(field.tmpKeycodeUSB, usage);
        }

        function test_insert_mouse_button_data() {
            return [
                { tag: "LEFT", pos: 0, name: "MS-L" },
                { tag: "RIGHT", pos: 1, name: "MS-R" },
                { tag: "MIDDLE", pos: 2, name: "MS-M" },
                { tag: "BACKWARD", pos: 3, name: "MS-B4" },
                { tag: "FORWARD", pos: 4, name: "MS-B5" }
            ];
        }
        function test_insert_mouse_button(data) {
            openWith([]);
            const list = part("mouseButtonList");
            verify(!part("btnInsertMouse").enabled);
            list.setCurIndex(data.pos);
            mouseClick(part("btnInsertMouse"));
            compare(lastSaved(), [data.name + down, data.name + up]);
        }

        function test_delay_commit_data() {
            return [
                { tag: "typed 5", typed: "5", line: "10" + delay },
                { tag: "typed 65535", typed: "65535", line: "65535" + delay },
                { tag: "typed 99999", typed: "99999", line: "65535" + delay },
                { tag: "left empty", typed: "", line: "10" + delay },
                { tag: "default", typed: null, line: "1000" + delay }
            ];
        }
        function test_delay_commit(data) {
            openWith([]);
            const field = part("delayField");
            if (data.typed !== null)
                field.input.text = data.typed;
            mouseClick(part("btnInsertDelay"));
            compare(lastSaved(), [data.line]);
        }

        function test_cut_allows_one_paste() {
            openWith(["A" + down, "A" + up, "B" + down]);
            clickRow(part("actionList"), 0);
            mouseClick(part("btnCut"));
            compare(lastSaved(), ["A" + up, "B" + down]);
            verify(!page.isUnlimitedCopy);
            verify(part("btnPaste").enabled);
            mouseClick(part("btnPaste"));
            compare(lastSaved(), ["A" + up, "B" + down, "A" + down]);
            compare(page.scrapbook, "");
            verify(!part("btnPaste").enabled);
            view.clear();
            page.pasteRow();
            compare(view.count("saveMacroIni"), 0);
        }

        function test_copy_allows_many_pastes() {
            openWith(["A" + down, "B" + down]);
            clickRow(part("actionList"), 1);
            mouseClick(part("btnCopy"));
            compare(view.count("saveMacroIni"), 0, "copy changes nothing");
            verify(page.isUnlimitedCopy);
            mouseClick(part("btnPaste"));
            mouseClick(part("btnPaste"));
            clickRow(part("actionList"), 0);
            mouseClick(part("btnPaste")); // before the selected row
            compare(lastSaved(), ["B" + down, "A" + down, "B" + down, "B" + down, "B" + down]);
            compare(page.scrapbook, "B" + down);
        }

        // A save that fails leaves the page without lines, not with lines the file lacks.
        function test_delete_row_and_failed_save() {
            openWith(["A" + down, "B" + down, "C" + down]);
            verify(!part("btnDeleteRow").enabled);
            clickRow(part("actionList"), 0);
            mouseClick(part("btnDeleteRow"));
            compare(lastSaved(), ["B" + down, "C" + down]);
            compare(page.selectedAction, -1);
            verify(!part("btnDeleteRow").enabled);
            view.failSave = true;
            clickRow(part("actionList"), 0);
            mouseClick(part("btnDeleteRow"));
            compare(view.count("saveMacroIni"), 2);
            compare(page.md_MacroActions.count, 0);
        }

        function test_recording_keeps_named_keys_only() {
            openWith(["OLD" + down]);
            mouseClick(part("btnRecord"));
            verify(page.isRecordStart);
            compare(page.md_MacroActions.count, 0);
            verify(!part("macroFiles").enabled);
            verify(!part("btnAddMacro").enabled);
            verify(!part("btnRecord").enabled);
            verify(part("btnStop").enabled);
            press(0xE0, true);
            press(0x04, true);
            press(0x32, true); // no name
            press(0x32, false);
            press(0xF0, true); // a mouse button code is not a key name
            press(0x04, false);
            press(0xE0, false);
            compare(view.count("saveMacroIni"), 0, "nothing is saved while recording");
            mouseClick(part("btnStop"));
            verify(!page.isRecordStart);
            const expected = ["L Ctrl" + down, "A" + down, "A" + up, "L Ctrl" + up];
            compare(lastSaved(), expected);
            compare(view.macros["M"].lines, expected);
            verify(part("macroFiles").enabled);
        }

        // The tools that are enabled, of all of them.
        function enabledTools() {
            return ["btnAddMacro", "btnDeleteMacro", "btnRecord", "btnStop", "btnInsertKey", "btnInsertMouse", "btnInsertDelay", "btnDeleteRow", "btnCut", "btnCopy", "btnPaste"].filter(n => part(n).enabled);
        }
        function test_enabled_states() {
            openWith(["A" + down]);
            page.selectFile(-1);
            page.scrapbook = "A" + down;
            compare(enabledTools(), ["btnAddMacro"], "paste needs a selected file");
            page.scrapbook = "";
            clickRow(part("macroFiles"), 1);
            compare(enabledTools(), ["btnAddMacro", "btnDeleteMacro", "btnRecord", "btnInsertDelay"]);
            setKeyField(0x04);
            clickRow(part("actionList"), 0);
            compare(enabledTools(), ["btnAddMacro", "btnDeleteMacro", "btnRecord", "btnInsertKey", "btnInsertDelay", "btnDeleteRow", "btnCut", "btnCopy"]);
        }

        function test_add_and_delete_file_data() {
            return [{ tag: "deleted", answer: true }, { tag: "delete refused", answer: false }];
        }
        function test_add_and_delete_file(data) {
            open(v => v.addMacro("Macro. 001", -1, 1, ["A" + down]));
            mouseClick(part("btnAddMacro"));
            compare(view.count("createMacroIni"), 1);
            compare(page.md_MacroFile.count, 2);
            compare(page.selectedName(), "Macro. 002");
            compare(page.md_MacroActions.count, 0);
            view.confirmAnswer = data.answer;
            mouseClick(part("btnDeleteMacro"));
            verify(view.last("confirm")[2].indexOf("Macro. 002") >= 0, "the question names the file");
            compare(view.count("deleteMacroIni"), data.answer ? 1 : 0);
            compare(page.md_MacroFile.count, data.answer ? 1 : 2);
            compare(page.selectedFile, data.answer ? -1 : 1);
            compare(page.md_MacroActions.count, 0);
        }

        function test_file_menu_save_and_cancel() {
            openWith([]);
            part("macroFiles").listElementRightBtnClicked(0);
            verify(part("fileMenu").visible);
            mouseClick(part("menuSave"));
            compare(view.last("saveMacroIniToFile"), ["saveMacroIniToFile", "Another"]);
            verify(!part("fileMenu").visible);
            part("macroFiles").listElementRightBtnClicked(0);
            mouseClick(part("menuCancel"));
            verify(!part("fileMenu").visible);
            compare(view.count("saveMacroIniToFile"), 1);
        }

        function test_file_menu_load_reloads_selected_and_lists_new_file() {
            openWith(["A" + down]);
            view.importName = "Imported";
            part("macroFiles").listElementRightBtnClicked(1);
            mouseClick(part("menuLoad"));
            compare(view.count("loadMacroIniFromFile"), 1);
            compare(page.md_MacroFile.count, 3);
            compare(page.selectedName(), "M");
            compare(view.last("loadMacroIni"), ["loadMacroIni", "M"]);
            compare(page.lines(), ["A" + down]);
        }

        function test_rename_data() {
            return [
                { tag: "accepted", refuse: false, shown: "Renamed" },
                { tag: "refused by the file system", refuse: true, shown: "M" }
            ];
        }
        function test_rename(data) {
            openWith(["A" + down]);
            view.refuseRename = data.refuse;
            const files = part("macroFiles");
            files.listElementRightBtnClicked(1);
            mouseClick(part("menuRename"));
            compare(files.editingIndex, 1);
            files.finishEdit(1, "Renamed");
            compare(view.last("renameMacroIniFile"), ["renameMacroIniFile", "M", "Renamed"]);
            compare(page.selectedName(), data.shown);
            const names = [];
            for (let i = 0; i < page.md_MacroFile.count; ++i)
                names.push(page.md_MacroFile.get(i).textX);
            verify(names.indexOf(data.shown) >= 0);
            verify(names.indexOf(data.refuse ? "Renamed" : "M") < 0);
            compare(page.lines(), ["A" + down]);
        }
    }
}
