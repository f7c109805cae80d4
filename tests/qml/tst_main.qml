import QtQuick
import QtTest

// The window shell and the product item, each test on a fresh scene loaded
// from the resources exactly as the program loads it.
Item {
    id: harness

    readonly property var quickConfig: ["1", "1", "0", "1", "0", "false", "", "0", "0", "255", "255", "255", "200", "150", "255", "180", "0", "200", "200", "100", "200", "170", "255", "255", "180", "180", "160", "190", "160", "0", "7", "https://example.com/z4"]

    readonly property var storedConfig: ["1", "2", "0", "1", "1", "true", "file:/pictures/wall.png", "1", "0", "255", "255", "255", "200", "150", "255", "180", "0", "200", "200", "100", "200", "170", "255", "255", "180", "180", "10", "20", "30", "6", "3", "https://example.org/mouse"]

    width: 1000
    height: 600

    FakeView {
        id: ui_View
    }
    QtObject {
        id: ui_Ctl // the window controller, recording
        property var calls: []
        function onXChanged(x) { calls.push(["onXChanged", x]); }
        function onYChanged(y) { calls.push(["onYChanged", y]); }
        function onMinimize() { calls.push(["onMinimize"]); }
    }

    Component {
        id: sceneComponent
        Loader {
            source: "qrc:/modules/qml/main.qml"
        }
    }

    SignalSpy {
        id: spy
    }

    TestCase {
        id: test
        name: "MainWindow"
        when: windowShown

        property var main: null
        property var page: null // the settings page

        function part(name) {
            const found = findChild(main, name);
            verify(found !== null, "no item " + name);
            return found;
        }

        function openScene(config, skipRun) {
            ui_View.clear();
            ui_View.apConfig = config;
            ui_Ctl.calls = [];
            const loader = createTemporaryObject(sceneComponent, harness);
            main = loader.item;
            verify(main !== null, "main.qml did not load");
            main.initUI();
            if (!skipRun) {
                main.run();
                const menuDown = part("menu_Down");
                tryCompare(menuDown, "y", 600 - menuDown.height, 1000);
                const menuProf = part("menu_Prof");
                tryCompare(menuProf, "x", 1000 - menuProf.width - 8, 1000);
                tryCompare(part("pageContent"), "x", 0, 1000);
            }
            return main;
        }

        function clickFunction(index) {
            mouseClick(part("funcButton" + index));
        }

        function test_function_buttons_switch_and_close_pages() {
            openScene(harness.quickConfig);
            const pageArea = part("pageArea");
            const content = part("pageContent");
            compare(pageArea.curID, -1);
            clickFunction(0);
            tryCompare(content, "x", 0, 500);
            verify(part("page_Keydefine").visible);
            part("page_Globalsetting").selectAnimation(0); // slides slow enough to be watched
            const switches = [];
            const record = () => switches.push([pageArea.curID, content.x]);
            pageArea.curIDChanged.connect(record);
            clickFunction(2);
            compare(pageArea.curID, 0);
            tryCompare(pageArea, "curID", 2, 1000);
            tryCompare(content, "x", 0, 1000);
            pageArea.curIDChanged.disconnect(record);
            compare(switches, [[2, -1518]]); // one switch, once the old page is fully out
            verify(part("page_Color").visible);
            verify(!part("page_Keydefine").visible);
            part("page_Globalsetting").selectAnimation(1);
            clickFunction(2); // the selected button closes its page
            tryCompare(pageArea, "curID", -1, 500);
            compare(part("menu_Func").currentIndex, -1);
            verify(!part("page_Color").visible);
        }

        function test_profile_context_menu_data() {
            return [
                { tag: "LOAD on the selected profile", row: 0, item: 0, call: "loadProfile", reread: true },
                { tag: "LOAD on another profile", row: 6, item: 0, call: "loadProfile", reread: false },
                { tag: "SAVE on the selected profile", row: 0, item: 1, call: "saveProfile", reread: false },
                { tag: "RESET on the selected profile", row: 0, item: 2, call: "resetProfile", reread: true },
                { tag: "RESET on another profile", row: 9, item: 2, call: "resetProfile", reread: false },
                { tag: "CANCEL", row: 0, item: 3, call: "", reread: false }
            ];
        }
        function test_profile_context_menu(data) {
            openScene(harness.quickConfig);
            ui_View.clear();
            const rowItem = part("profileRow" + data.row);
            mouseClick(rowItem, 20, 10, Qt.RightButton);
            const menu = part("profileContextMenu");
            verify(menu.visible);
            const menuProf = part("menu_Prof");
            const box = menu.mapToItem(main, 0, 0, menu.width, menu.height);
            const row = rowItem.mapToItem(main, 0, 0, rowItem.width, rowItem.height);
            compare(box.y, row.y); // level with its row (the window tour checks it covers none)
            mouseClick(part("profileMenuItem" + data.item));
            tryCompare(menu, "visible", false, 500);
            const expected = data.call === "" ? [] : [data.call];
            if (data.reread)
                expected.push("ui_02H_SetCurrentProfile");
            // A reset asks first and is one action for the notices.
            if (data.call === "resetProfile") {
                expected.unshift("confirm", "beginAction");
                expected.push("endAction");
            }
            const pageReads = ["loadDefaultProfile", "getMacroIniNames", "getKeydefine", "ui_90H_GetLED8StageColor", "ui_8DH_GetRGBLedEffect", "getSensorType", "chkIsLogoLedWork", "ui_91H_SyncDPI", "ui_81H_GetReportRate", "getCursorSpeed", "getVerticalScrollLines", "getDoubleClickSpeed", "ui_8BH_GetCurrentDPIStage", "ui_91H_GetDPISet"];
            compare(ui_View.names().filter(n => n !== "playMedia_Index" && pageReads.indexOf(n) < 0), expected);
            compare(ui_View.count("getKeydefine"), data.reread ? 16 : 0);
            compare(ui_View.count("ui_91H_GetDPISet"), data.reread ? 1 : 0);
            compare(ui_View.count("ui_8DH_GetRGBLedEffect"), data.reread ? 1 : 0);
            if (data.call !== "")
                compare(ui_View.callsTo(data.call)[0][1], data.row);
            compare(part("page_Keydefine").initCount, data.reread ? 2 : 1);
            compare(part("page_Sensor").initCount, data.reread ? 2 : 1);
            compare(menuProf.currentIndex, 0);
        }

        function test_settings_panel_blocks_menus_and_pages() {
            openScene(harness.quickConfig);
            clickFunction(3);
            tryCompare(part("pageContent"), "x", 0, 500);
            mouseClick(part("btnSettings"));
            verify(main.isGlobalSettingSelect);
            verify(part("settingsPanel").visible);
            tryCompare(part("page_Globalsetting"), "x", 0, 500);
            for (const name of ["pageArea", "menu_Func", "menu_Prof", "menu_Down"])
                compare(part(name).opacity, 0.2, name);
            ui_View.clear();
            mouseClick(part("profileRow5"));
            mouseClick(part("btnTotalApply"));
            compare(ui_View.calls, []);
            compare(part("menu_Prof").currentIndex, 0);
            verify(!part("busyIndicator").visible);

            mouseClick(part("btnSettings"));
            verify(!main.isGlobalSettingSelect);
            tryCompare(part("settingsPanel"), "visible", false, 500);
            for (const name of ["pageArea", "menu_Func", "menu_Prof", "menu_Down"])
                compare(part(name).opacity, 1.0, name);
            mouseClick(part("profileRow5"));
            compare(ui_View.callsTo("ui_02H_SetCurrentProfile"), [["ui_02H_SetCurrentProfile", 5]]);
            // A left click on the selected profile reads nothing again.
            mouseClick(part("profileRow5"));
            compare(ui_View.count("ui_02H_SetCurrentProfile"), 1);
            compare(part("page_Keydefine").initCount, 2);
        }

        function test_busy_lock_says_what_and_covers_no_control_data() {
            return [
                { tag: "loading by default", action: undefined, text: "LOADING ......" },
                { tag: "saving", action: "saving", text: "SAVING ......" },
                { tag: "loading, translated", action: "loading", text: "LADEN ......", strings: { 154: "LADEN" } }
            ];
        }
        function test_busy_lock_says_what_and_covers_no_control(data) {
            openScene(harness.quickConfig);
            if (data.strings) {
                const strings = main.globalSetting_stringList.slice();
                for (const index in data.strings)
                    strings[index] = data.strings[index];
                part("page_Globalsetting")._StringList = strings;
            }
            main.setDeviceStatus({ connected: false, name: "Z4", firmware: "" });
            verify(part("goneBanner").visible);
            ui_View.clear();
            main.setProtectUI(300, data.action);
            const busy = part("busyIndicator");
            verify(busy.visible);
            compare(ui_View.calls, [["setEnabled", false]]);
            verify(!part("goneBanner").visible);
            compare(part("busyText").text, data.text);
            const box = busy.mapToItem(main, 0, 0, busy.width, busy.height);
            const pages = part("pageArea").mapToItem(main, 0, 0, 1, 1);
            verify(box.y + box.height <= pages.y, "over the pages");
            for (const name of ["menu_Up", "deviceStatus", "menu_Prof", "menu_Func"]) {
                const item = part(name);
                const other = item.mapToItem(main, 0, 0, item.width, item.height);
                verify(box.x + box.width <= other.x || other.x + other.width <= box.x || box.y + box.height <= other.y || other.y + other.height <= box.y, "over " + name);
            }
            wait(100);
            verify(!ui_View.enabled);
            tryCompare(busy, "visible", false, 1000);
            verify(ui_View.enabled);
            verify(part("goneBanner").visible);
        }

        // The device panel until a page is chosen, and the status line.
        function test_device_status() {
            openScene(harness.quickConfig);
            main.setDeviceStatus({ connected: true, name: "Z4 Gaming Mouse", firmware: "1.0A" });
            const panel = part("devicePanel");
            verify(panel.visible);
            compare(part("deviceName").text, "Z4 Gaming Mouse");
            compare(part("deviceFirmware").text, "FIRMWARE  1.0A");
            compare(part("deviceState").text, "CONNECTED");
            compare(part("statusText").text, "Z4 Gaming Mouse  ·  FW 1.0A");
            verify(part("menu_Down").enabled);
            tryCompare(part("devicePicture"), "status", Image.Ready, 1000);
            main.setDeviceStatus({ connected: false, name: "", firmware: "" });
            compare(part("deviceName").text, "Z4 Gaming Mouse");
            compare(part("deviceState").text, "DISCONNECTED");
            verify(!part("deviceFirmware").visible);
            compare(part("statusText").text, "DISCONNECTED");
            verify(part("goneBanner").visible);
            verify(!part("menu_Down").enabled);
            verify(!part("btnSensorApply").enabled);

            clickFunction(3);
            verify(!panel.visible);
            main.setDeviceStatus({ connected: true, name: "Z4", firmware: "1.0A" });
            verify(part("menu_Down").enabled);
            verify(!part("goneBanner").visible);
            clickFunction(3);
            tryCompare(part("pageArea"), "curID", -1, 500);
            tryCompare(part("pageContent"), "x", 0, 500);
            verify(panel.visible);
        }

        function test_bottom_menu_data() {
            return [
                { tag: "ALL SAVE", button: "btnTotalApply", signal: "btnTotalApplyClicked", answer: true, lock: 2000, calls: ["beginAction", "endAction"], action: "save" },
                { tag: "ALL RESET", button: "btnTotalReset", signal: "btnTotalResetClicked", answer: true, lock: 800, calls: ["confirm", "beginAction", "endAction"], action: "reset" },
                { tag: "ALL RESET cancelled", button: "btnTotalReset", signal: "btnTotalResetClicked", answer: false, lock: 0, calls: ["confirm"] }
            ];
        }
        function test_bottom_menu(data) {
            openScene(harness.quickConfig);
            spy.target = main;
            spy.signalName = data.signal;
            spy.clear();
            ui_View.confirmAnswer = data.answer;
            ui_View.clear();
            const started = Date.now();
            mouseClick(part(data.button));
            ui_View.confirmAnswer = true;
            compare(spy.count, data.answer ? 1 : 0);
            const bookkeeping = ["confirm", "beginAction", "endAction"];
            compare(ui_View.names().filter(n => bookkeeping.indexOf(n) >= 0), data.calls);
            if (!data.answer)
                return;
            compare(ui_View.callsTo("beginAction")[0][1], data.action);
            compare(ui_View.calls[0], ["playMedia_Index", 4]);
            compare(ui_View.calls[1], ["setEnabled", false]);
            tryCompare(ui_View, "enabled", true, data.lock + 1000);
            verify(Date.now() - started >= data.lock - 50);
        }

        function test_notice_texts_data() {
            return [
                { tag: "saved", notice: { action: "save", ok: true, sent: 3, failed: [], retry: false },
                  text: "Saved to the mouse.", retry: false },
                { tag: "nothing sent", notice: { action: "reset", ok: true, sent: 0, failed: [], retry: false },
                  text: "", retry: false },
                { tag: "failed writes", notice: { action: "apply", ok: false, sent: 2, retry: true,
                    failed: [{ code: 1, reason: "notConnected", write: true }, { code: 11, reason: "notConnected", write: true }] },
                  text: "Not saved to the mouse: POLLING RATE, DPI LEVEL (the mouse is not connected).", retry: true },
                { tag: "failed read, nothing sent", notice: { action: "", ok: false, sent: 0, retry: false,
                    failed: [{ code: 131, reason: "readFailed", write: false }, { code: 3, reason: "notSent", write: true }] },
                  text: "Could not read from the mouse: SENSOR (the mouse did not answer).  SENSOR not sent: the mouse could not be read first.", retry: false },
                { tag: "disk and desktop", notice: { action: "", ok: false, sent: 0, retry: false, failed: [],
                    files: ["/x/p1.bin"], pointer: ["cursorSpeed"] },
                  text: "Could not be saved: /x/p1.bin  This desktop did not take: CURSOR SPEED.", retry: false },
                { tag: "mouse saved, desktop refused", notice: { action: "save", ok: false, sent: 4, retry: false, failed: [],
                    pointer: ["doubleClickSpeed"] },
                  text: "Saved to the mouse.  This desktop did not take: DOUBLE CLICK SPEED.", retry: false }
            ];
        }
        function test_notice_texts(data) {
            openScene(harness.quickConfig);
            const bar = part("noticeBar");
            bar.hide();
            main.showNotice(data.notice);
            if (data.text === "") {
                compare(bar.opacity, 0);
                return;
            }
            tryCompare(bar, "opacity", 1, 1000);
            compare(part("noticeText").text, data.text);
            compare(part("noticeRetry").visible, data.retry);
            if (data.retry) {
                const strings = main.globalSetting_stringList.slice();
                strings[100] = "ABFRAGERATE";
                strings[134] = "Nicht gespeichert: %1 (%2).";
                strings[140] = "nicht verbunden";
                part("page_Globalsetting")._StringList = strings;
                compare(part("noticeText").text, "Nicht gespeichert: ABFRAGERATE, DPI LEVEL (nicht verbunden).");
                ui_View.clear();
                mouseClick(part("noticeRetry"));
                compare(ui_View.names(), ["retryFailed"]);
                tryCompare(bar, "opacity", 0, 1000);
            }
        }

        // A drag moves the window x first, then y; close shrinks, then minimizes.
        function test_drag_and_close() {
            openScene(harness.quickConfig);
            spy.target = main;
            spy.signalName = "emptyAreaPressed";
            spy.clear();
            mousePress(main, 100, 500);
            compare(spy.count, 1);
            mouseMove(main, 110, 495, -1, Qt.LeftButton);
            mouseRelease(main, 110, 495);
            compare(ui_Ctl.calls, [["onXChanged", 10], ["onYChanged", -5]]);
            ui_Ctl.calls = [];
            mouseClick(part("btnClose"));
            tryVerify(() => ui_Ctl.calls.length > 0, 500);
            compare(ui_Ctl.calls, [["onMinimize"]]);
            compare(main.height, 0);
        }

        function focusedName() {
            const item = test.Window.activeFocusItem;
            return item ? item.objectName : "";
        }

        function test_tab_runs_through_menus_and_bars() {
            openScene(harness.quickConfig);
            const order = [];
            for (let i = 0; i < 12; ++i) {
                keyClick(Qt.Key_Tab);
                order.push(focusedName());
            }
            compare(order, ["funcButton0", "funcButton1", "funcButton2", "funcButton3", "btnProfileMenu", "profileList", "btnTotalReset", "btnTotalApply", "btnSettings", "btnClose", "logo", "funcButton0"]);
            keyClick(Qt.Key_Backtab);
            compare(focusedName(), "logo");
        }

        function test_profile_rows_by_keyboard() {
            openScene(harness.quickConfig);
            const list = part("profileList");
            list.forceActiveFocus();
            ui_View.clear();
            keyClick(Qt.Key_Down);
            keyClick(Qt.Key_Down);
            compare(ui_View.count("ui_02H_SetCurrentProfile"), 0);
            keyClick(Qt.Key_Return);
            compare(ui_View.callsTo("ui_02H_SetCurrentProfile"), [["ui_02H_SetCurrentProfile", 2]]);
            compare(part("menu_Prof").currentIndex, 2);
            keyClick(Qt.Key_Menu);
            const menu = part("profileContextMenu");
            verify(menu.visible);
            verify(menu.activeFocus);
            keyClick(Qt.Key_Escape);
            tryCompare(menu, "visible", false, 500);
            verify(list.activeFocus);
            keyClick(Qt.Key_F10, Qt.ShiftModifier);
            verify(menu.visible);
            keyClick(Qt.Key_Down);
            keyClick(Qt.Key_Return); // SAVE
            compare(ui_View.callsTo("saveProfile"), [["saveProfile", 2]]);
        }

        function collectImages(item, out) {
            if (item.status !== undefined && item.sourceSize !== undefined && String(item.source) !== "")
                out.push(item);
            for (let i = 0; i < item.children.length; ++i)
                collectImages(item.children[i], out);
            return out;
        }

        function test_skin_pictures_load_data() {
            return [{ tag: "skin 1", skin: 0 }, { tag: "skin 2", skin: 1 }];
        }
        function test_skin_pictures_load(data) {
            openScene(harness.quickConfig);
            part("page_Globalsetting").selectSkin(data.skin);
            compare(main.skin_No, data.skin + 1);
            mouseClick(part("funcButton0"));
            const images = collectImages(main, []);
            verify(images.length > 40, "found " + images.length);
            for (const image of images) {
                verify(String(image.source).indexOf("skin" + (data.skin + 1) + "/") >= 0, image.source);
                tryVerify(() => image.status === Image.Ready, 1000, String(image.source));
            }
        }

        function openPage(config) {
            openScene(config, true);
            page = part("page_Globalsetting");
            main.visible = true;
            page._AnimationSpeed = 10;
            main.isGlobalSettingSelect = true;
            tryCompare(page, "x", 0, 500);
        }

        function chooseFromList(listName, row) {
            const list = part(listName);
            mouseClick(list);
            tryCompare(findChild(list, "listBox"), "height", list.itemCount() * list.itemHeight, 500);
            mouseClick(list, 20, list.height + (row + 0.5) * list.itemHeight);
        }

        function alphaOf(color) {
            return Math.round(color.a * 255);
        }

        function init() {
            ui_View.skinShow = true;
            ui_View.languages = {};
            ui_View.globalStrings = {};
            ui_View.customFilePath = "";
        }

        function test_empty_settings_keep_defaults_data() {
            return [{ tag: "skin list shown", skinShow: true }, { tag: "skin list hidden", skinShow: false }];
        }
        function test_empty_settings_keep_defaults(data) {
            ui_View.skinShow = data.skinShow;
            openPage([]);
            compare(part("skinList").visible, data.skinShow);
            compare(ui_View.count("setEnableAudio"), 0);
        }

        function test_stored_settings_are_applied() {
            ui_View.languages = { "ENGLISH": "031000", "CHINESE (Simp)": "025044" };
            ui_View.globalStrings = { "031000": ["Sans", "CHOICES"] };
            openPage(harness.storedConfig);
            compare(main.skin_No, 2);
            compare(ui_View.callsTo("setEnableAudio"), [["setEnableAudio", true]]);
            compare(main.animation_speed, 10);
            // Position 1 in name order is ENGLISH.
            compare(ui_View.callsTo("getGlobalStrings"), [["getGlobalStrings", "031000"]]);
            compare(ui_View.callsTo("getProductLayoutStrings_Z4"), [["getProductLayoutStrings_Z4", "031000"]]);
            compare(main.globalSetting_fontFamily, "Sans");
            compare(main.globalSetting_stringList[1], "CHOICES");
            // Strings the language lacks keep their English text.
            compare(main.globalSetting_stringList[113], "ALL RESET");
            verify(main.isCustomBackground);
            compare(main.sourceCustomBackground, "file:/pictures/wall.png");
            compare(main.globalSetting_size, 14);
            compare(page.selectedPreset, 6);
            compare(page.paletteColor, [10, 20, 30]);
            compare(alphaOf(main.globalSetting_color), 45 + 3 * 30);
            compare(main.globalSetting_url, "https://example.org/mouse");
            // APPLY writes the 32 entries back in their order.
            ui_View.clear();
            mouseClick(part("btnApply"));
            compare(ui_View.callsTo("saveApConfig"), [["saveApConfig", [1, 2, 0, 1, 1, true, "file:/pictures/wall.png", 1, 0, 255, 255, 255, 200, 150, 255, 180, 0, 200, 200, 100, 200, 170, 255, 255, 180, 180, 10, 20, 30, 6, 3, "https://example.org/mouse"]]]);
            verify(!main.isGlobalSettingSelect);
        }

        function test_colour_controls_and_text_size() {
            openPage([]);
            const slider = part("brightnessSlider");
            mousePress(slider, 0, slider.height / 2);
            mouseRelease(slider, 0, slider.height / 2);
            compare(alphaOf(main.globalSetting_color), 45);
            mousePress(slider, slider.width - 1, slider.height / 2);
            mouseRelease(slider, slider.width - 1, slider.height / 2);
            compare(alphaOf(main.globalSetting_color), 255);
            // A strip of 9 pixels puts every level boundary on a pixel.
            const levels = [[0, 0, 0], [255, 0, 0], [255, 255, 0], [0, 255, 0], [0, 255, 255], [0, 0, 255], [255, 0, 255], [255, 255, 255], [0, 0, 0]];
            for (let y = 0; y < 9; ++y)
                compare(page.stripColor(y, 9), levels[y], "level " + y);
            compare(page.stripColor(1, 17), [128, 0, 0]);
            compare(page.stripColor(15, 17), [127, 127, 127]);

            mouseClick(part("preset2"));
            compare(page.paletteColor, [255, 180, 0]);
            mouseDoubleClickSequence(part("fieldG"));
            for (const key of [Qt.Key_Backspace, Qt.Key_Backspace, Qt.Key_Backspace, Qt.Key_6, Qt.Key_4, Qt.Key_Return])
                keyClick(key);
            compare(page.paletteColor, [255, 64, 0]);
            compare(page.presetColors[2], [255, 64, 0]);
            compare(Math.round(main.globalSetting_color.g * 255), 64);
            mouseClick(part("sizeLarger"));
            compare(main.globalSetting_size, 14);
        }

        // Sound off stops everything at once; DEFAULT turns it off before the
        // settings are reset and read again.
        function test_sound_off_and_reset() {
            openPage([]);
            ui_View.clear();
            chooseFromList("soundList", 1);
            compare(ui_View.names().filter(n => n !== "playMedia_Index"), ["setEnableAudio", "clearAllMedia"]);
            compare(ui_View.callsTo("setEnableAudio")[0][1], false);
            ui_View.clear();
            chooseFromList("soundList", 0);
            compare(ui_View.calls, [["setEnableAudio", true], ["playMedia_Index", 0]]);

            ui_View.clear();
            ui_View.apConfig = harness.storedConfig;
            mouseClick(part("btnDefault"));
            compare(ui_View.names().slice(0, 5), ["playMedia_Index", "setEnableAudio", "clearAllMedia", "resetApconfig", "loadApConfig"]);
            compare(ui_View.calls[1], ["setEnableAudio", false]);
            compare(ui_View.calls[ui_View.calls.length - 1], ["playMedia_Index", 0]);
            compare(main.skin_No, 2);
        }

        function test_background_switch_data() {
            return [
                { tag: "picture chosen", path: "/home/user/wall.png", on: true, source: "file:/home/user/wall.png" },
                { tag: "dialog cancelled", path: "", on: false, source: "" }
            ];
        }
        function test_background_switch(data) {
            openPage([]);
            ui_View.customFilePath = data.path;
            const toggle = part("backgroundSwitch");
            mouseClick(toggle);
            compare(main.isCustomBackground, data.on);
            compare(main.sourceCustomBackground, data.source);
            compare(toggle.text, data.on ? "【 ON 】" : "【 OFF 】");
            if (data.on) {
                mouseClick(toggle);
                verify(!main.isCustomBackground);
                compare(main.sourceCustomBackground, "");
                compare(ui_View.count("getCustomFilePath"), 1);
            }
        }

        function test_language_change_retranslates() {
            ui_View.languages = { "ENGLISH": "031000", "GERMAN": "042000" };
            ui_View.globalStrings = { "042000": ["DejaVu Sans", "OPTIONEN"] };
            openPage([]);
            compare(part("languageList").itemCount(), 2);
            ui_View.clear();
            chooseFromList("languageList", 1);
            compare(ui_View.callsTo("getGlobalStrings"), [["getGlobalStrings", "042000"]]);
            compare(ui_View.callsTo("getProductLayoutStrings_Z4"), [["getProductLayoutStrings_Z4", "042000"]]);
            compare(main.globalSetting_stringList[1], "OPTIONEN");
            compare(main.globalSetting_fontFamily, "DejaVu Sans");
            compare(page.languagePos, 1);
            compare(findChild(part("languageList"), "fieldText").text, "GERMAN");
        }
    }
}
