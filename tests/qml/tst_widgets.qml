import QtQuick
import QtTest
import "qrc:/modules/qml"

Item {
    width: 900
    height: 600

    PageHarness {} // the window's shared state, without a page

    Slider {
        id: slider
        y: 0
        width: 168
    }
    Slider_11 {
        id: slider11
        y: 20
        width: 231
    }
    // A long list in an area that clips it, as the pages clip theirs.
    Item {
        id: clipBox
        x: 200
        y: 300
        width: 220
        height: 200
        clip: true
        DropdownList {
            id: longList
            y: 20
            width: 200
            height: 24
            mdItems: ListModel {
                id: longItems
                Component.onCompleted: {
                    for (let i = 0; i < 18; ++i)
                        append({ textX: "ITEM " + i });
                }
            }
        }
    }
    FileList {
        id: fileList
        x: 450
        y: 0
        width: 200
        height: 132
        mdItems: ListModel {
            id: files
            ListElement { textX: "alpha"; textR: "" }
            ListElement { textX: "beta"; textR: "" }
            ListElement { textX: "gamma"; textR: "" }
        }
    }
    ButtonGroupPro_8 {
        id: stages
        y: 200
        valueForIndex: [500, 1000, 0, 2000, 3000, 0, 0, 0]
        valueForMenuIndex: [0, 250, 500, 750, 1000, 1250]
        currentIndex: 1
    }
    KeyInput_2 {
        id: keyInput
        y: 300
        width: 200
        height: 26
    }
    SignalSpy {
        id: spy
    }
    SignalSpy {
        id: spy2
    }

    TestCase {
        name: "Widgets"
        when: windowShown

        function init() {
            spy.clear();
            Theme.animationSpeed = 10;
            longList.closeList();
            tryVerify(() => !box().visible);
            longList.setCurIndex(-1);
            view().contentY = 0; // each case opens a list scrolled to its top
            fileList.lvItems.currentIndex = -1;
            fileList.keyIndex = -1;
            stages.maxStage = 8;
            stages.currentIndex = 1;
            stages.currentMenuIndex = -1;
            stages.valueForIndex = [500, 1000, 0, 2000, 3000, 0, 0, 0];
            spy2.clear();
            keyInput.isSelect = false;
            keyInput.tmpKeycodeUSB = 0;
            keyInput.tmpKeyString = "";
        }

        function test_slider_ends_data() {
            return [
                { tag: "Slider released beyond the right end", item: slider, at: 1.2, expected: 7 },
                { tag: "Slider released beyond the left end", item: slider, at: -0.5, expected: 0 },
                { tag: "Slider_11 right end", item: slider11, at: 1, expected: 10 },
                { tag: "Slider_11 middle", item: slider11, at: 0.5, expected: 5 }
            ];
        }
        function test_slider_ends(data) {
            const item = data.item;
            item.setCurIndex(3);
            spy.target = item;
            spy.signalName = "sliderClicked";
            const x = data.at * (item.width - 1);
            mousePress(item, Math.max(0, Math.min(item.width - 1, x)), item.height / 2);
            mouseRelease(item, x, item.height / 2);
            compare(spy.count, 1);
            compare(spy.signalArguments[0][0], data.expected);
            compare(item.getCurIndex(), data.expected);
        }

        function test_positions_cover_every_step() {
            for (const [item, steps] of [[slider, 8], [slider11, 11]]) {
                const seen = new Set();
                for (let x = 0; x < item.width; ++x)
                    seen.add(item.positionAt(x));
                compare(seen.size, steps);
            }
        }

        function box() {
            return findChild(longList, "listBox");
        }
        function view() {
            return findChild(longList, "listRows");
        }
        // Where row `index` is, in the list box's coordinates.
        function rowTop(index) {
            return index * longList.itemHeight - view().contentY;
        }
        function openWithClick() {
            mouseClick(longList, 20, 12);
            verify(longList.isSelect);
            tryVerify(() => box().height === longList.shownRows * longList.itemHeight, 3000);
        }

        // End shows the last row, Return chooses it.
        function test_end_key_reaches_the_last_row() {
            openWithClick();
            keyClick(Qt.Key_End);
            tryVerify(() => rowTop(17) >= 0 && rowTop(17) + longList.itemHeight <= box().height, 1000, "row at " + rowTop(17));
            keyClick(Qt.Key_Return);
            compare(longList.curIndex, 17);
        }

        function test_opening_keeps_the_chosen_row_in_view_data() {
            return [{ tag: "second row", row: 1, top: 0 }, { tag: "last row", row: 17 }];
        }
        function test_opening_keeps_the_chosen_row_in_view(data) {
            Theme.animationSpeed = 800;
            longList.setCurIndex(data.row);
            openWithClick();
            if (data.top !== undefined)
                compare(view().contentY, data.top);
            verify(rowTop(data.row) >= 0 && rowTop(data.row) + longList.itemHeight <= box().height, "row at " + rowTop(data.row));
        }

        function test_stage_group_skips_stages_that_are_off_and_opens_the_menu() {
            spy.target = stages;
            spy.signalName = "valueChanged";
            stages.forceActiveFocus();
            keyClick(Qt.Key_Right);
            compare(stages.currentIndex, 3);
            keyClick(Qt.Key_Return);
            compare(stages.currentMenuIndex, 3);
            keyClick(Qt.Key_Right);
            keyClick(Qt.Key_Right);
            keyClick(Qt.Key_Space);
            compare(spy.count, 1);
            compare(spy.signalArguments[0][0], 3);
            compare(spy.signalArguments[0][1], 500);
            compare(stages.currentMenuIndex, -1);
            keyClick(Qt.Key_Down);
            compare(stages.currentMenuIndex, 3);
            keyClick(Qt.Key_Escape);
            compare(stages.currentMenuIndex, -1);
            compare(spy.count, 1);
        }

        function test_file_list_selects_toggles_and_opens_its_menu() {
            spy.target = fileList;
            spy.signalName = "listElementClicked";
            spy2.target = fileList;
            spy2.signalName = "listElementRightBtnClicked";
            fileList.forceActiveFocus();
            keyClick(Qt.Key_Down);
            keyClick(Qt.Key_Down);
            compare(fileList.lvItems.currentIndex, 1);
            keyClick(Qt.Key_Space);
            compare(fileList.lvItems.currentIndex, -1);
            compare(spy.count, 3);
            compare(spy.signalArguments[2][0], -1);
            keyClick(Qt.Key_Space);
            keyClick(Qt.Key_Menu);
            compare(spy2.count, 1);
            compare(spy2.signalArguments[0][0], 1);
        }

        function test_key_field_arms_on_release() {
            keyInput.isSelect = false;
            keyInput.forceActiveFocus();
            keyPress(Qt.Key_Return);
            verify(!keyInput.isSelect);
            keyRelease(Qt.Key_Return);
            verify(keyInput.isSelect);
            // While armed, Tab belongs to the capture.
            keyClick(Qt.Key_Tab);
            verify(keyInput.activeFocus);
            keyInput.detectKeyboard(true, 0x04);
            compare(keyInput.tmpKeyString, "A");
            mouseClick(keyInput);
            verify(keyInput.isSelect);
            keyPress(Qt.Key_Return);
            keyInput.detectKeyboard(true, 0x28);
            keyRelease(Qt.Key_Return);
            compare(keyInput.tmpKeyString, "Enter");
            verify(!keyInput.isSelect);
        }

        // Return takes the typed name; Escape, or editing another row, keeps the old one.
        function test_rename_in_place() {
            spy.target = fileList;
            spy.signalName = "editFileName_completed";
            fileList.editFileName(0);
            keyClick(Qt.Key_Q);
            fileList.editFileName(1);
            compare(spy.count, 0);
            compare(files.get(0).textX, "alpha");
            compare(fileList.editingIndex, 1);
            keyClick(Qt.Key_X);
            keyClick(Qt.Key_Y);
            keyClick(Qt.Key_Return);
            compare(spy.count, 1);
            compare(Array.from(spy.signalArguments[0]), ["beta", "xy"]);
            compare(files.get(1).textX, "xy");
            compare(fileList.editingIndex, -1);
            files.setProperty(1, "textX", "beta");
            fileList.editFileName(2);
            keyClick(Qt.Key_Escape);
            fileList.forceActiveFocus();
            compare(fileList.editingIndex, -1);
            compare(files.get(2).textX, "gamma");
            compare(spy.count, 1);
        }

        function stageX(index) {
            return index * (stages.stageWidth + stages.stageSpacing);
        }
        function test_stage_of_value_zero_is_refused() {
            spy.target = stages;
            spy.signalName = "clicked";
            mouseClick(stages, stageX(2) + 20, 15);
            compare(spy.count, 0);
            compare(stages.currentIndex, 1);
            mouseClick(stages, stageX(3) + 20, 15);
            compare(spy.count, 1);
            compare(stages.currentIndex, 3);
        }

        // A click empties the field; a key without a name (or a mouse button) leaves it empty.
        function test_click_empties_the_field_data() {
            return [{ tag: "no name", usb: 0x32 }, { tag: "mouse button", usb: 0xF0 }];
        }
        function test_click_empties_the_field(data) {
            keyInput.setKeycodeUSB(0x29);
            compare(keyInput.tmpKeyString, "Esc");
            mouseClick(keyInput);
            compare(keyInput.tmpKeycodeUSB, 0);
            compare(keyInput.tmpKeyString, "");
            keyInput.detectKeyboard(true, data.usb);
            verify(!keyInput.isSelect);
            compare(keyInput.tmpKeycodeUSB, 0);
            compare(keyInput.tmpKeyString, "");
        }
    }
}
