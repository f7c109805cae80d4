import QtQuick
import QtTest

// The global settings page inside the real window, driven through its
// controls where the behaviour is the user's.
Item {
    id: harness

    readonly property var storedConfig: ["1", "2", "0", "1", "1", "true", "file:/pictures/wall.png", "1", "0", "255", "255", "255", "200", "150", "255", "180", "0", "200", "200", "100", "200", "170", "255", "255", "180", "180", "10", "20", "30", "6", "3", "https://example.org/mouse"]

    width: 1000
    height: 600

    FakeView {
        id: ui_View
    }
    FakeCtl {
        id: ui_Ctl
    }

    Component {
        id: sceneComponent
        Loader {
            source: "qrc:/modules/qml/main.qml"
        }
    }

    TestCase {
        name: "GlobalSettings"
        when: windowShown

        property var main: null
        property var page: null

        function part(name) {
            const found = findChild(main, name);
            verify(found !== null, "no item " + name);
            return found;
        }

        function openPage(config) {
            ui_View.clear();
            ui_View.apConfig = config;
            const loader = createTemporaryObject(sceneComponent, harness);
            main = loader.item;
            verify(main !== null);
            page = part("page_Globalsetting");
            main.initUI();
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
            compare(ui_View.names().slice(0, 3), ["loadApConfig", "chkLanguages", "getIsSkinShow"]);
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
        }

        function test_brightness_alpha_data() {
            return [{ tag: "left end", at: 0, alpha: 45 }, { tag: "right end", at: 1, alpha: 255 }];
        }
        function test_brightness_alpha(data) {
            openPage([]);
            const slider = part("brightnessSlider");
            const x = data.at * (slider.width - 1);
            mousePress(slider, x, slider.height / 2);
            mouseRelease(slider, x, slider.height / 2);
            compare(alphaOf(main.globalSetting_color), data.alpha);
        }

        function test_strip_levels_data() {
            // A strip of 9 pixels puts every level boundary on a pixel.
            return [
                { tag: "start", y: 0, length: 9, rgb: [0, 0, 0] },
                { tag: "red", y: 1, length: 9, rgb: [255, 0, 0] },
                { tag: "yellow", y: 2, length: 9, rgb: [255, 255, 0] },
                { tag: "green", y: 3, length: 9, rgb: [0, 255, 0] },
                { tag: "cyan", y: 4, length: 9, rgb: [0, 255, 255] },
                { tag: "blue", y: 5, length: 9, rgb: [0, 0, 255] },
                { tag: "magenta", y: 6, length: 9, rgb: [255, 0, 255] },
                { tag: "white", y: 7, length: 9, rgb: [255, 255, 255] },
                { tag: "end", y: 8, length: 9, rgb: [0, 0, 0] },
                { tag: "half way to red", y: 1, length: 17, rgb: [128, 0, 0] },
                { tag: "half way from white", y: 15, length: 17, rgb: [127, 127, 127] }
            ];
        }
        function test_strip_levels(data) {
            openPage([]);
            compare(page.stripColor(data.y, data.length), data.rgb);
        }

        function test_press_at_strip_bottom_gives_black() {
            openPage([]);
            const strip = part("colorStrip");
            mousePress(strip, strip.width / 2, strip.height - 1);
            mouseRelease(strip, strip.width / 2, strip.height - 1);
            compare(page.paletteColor, [0, 0, 0]);
            compare(page.presetColors[0], [0, 0, 0]);
            compare(main.globalSetting_color.r, 0);
            compare(main.globalSetting_color.g, 0);
            compare(main.globalSetting_color.b, 0);
            compare(part("fieldR").text, "0");
        }

        function test_typed_colour_field_and_text_size() {
            openPage([]);
            mouseClick(part("preset2"));
            compare(page.paletteColor, [255, 180, 0]);
            const field = part("fieldG");
            mouseDoubleClickSequence(field);
            keyClick(Qt.Key_Backspace);
            keyClick(Qt.Key_Backspace);
            keyClick(Qt.Key_Backspace);
            keyClick(Qt.Key_6);
            keyClick(Qt.Key_4);
            keyClick(Qt.Key_Return);
            compare(page.paletteColor, [255, 64, 0]);
            compare(page.presetColors[2], [255, 64, 0]);
            compare(Math.round(main.globalSetting_color.g * 255), 64);
            mouseClick(part("sizeLarger"));
            compare(main.globalSetting_size, 14);
        }

        function test_sound_off_stops_everything_at_once() {
            openPage([]);
            ui_View.clear();
            chooseFromList("soundList", 1);
            const names = ui_View.names().filter(n => n !== "playMedia_Index");
            compare(names, ["setEnableAudio", "clearAllMedia"]);
            compare(ui_View.callsTo("setEnableAudio")[0][1], false);
            ui_View.clear();
            chooseFromList("soundList", 0);
            compare(ui_View.calls, [["setEnableAudio", true], ["playMedia_Index", 0]]);
        }

        function test_apply_writes_32_entries_in_order() {
            ui_View.languages = { "ENGLISH": "031000", "CHINESE (Simp)": "025044" };
            openPage(harness.storedConfig);
            ui_View.clear();
            mouseClick(part("btnApply"));
            const saved = ui_View.callsTo("saveApConfig");
            compare(saved.length, 1);
            const list = saved[0][1];
            compare(list.length, 32);
            const expected = [1, 2, 0, 1, 1, true, "file:/pictures/wall.png", 1, 0, 255, 255, 255, 200, 150, 255, 180, 0, 200, 200, 100, 200, 170, 255, 255, 180, 180, 10, 20, 30, 6, 3, "https://example.org/mouse"];
            compare(list, expected);
            verify(!main.isGlobalSettingSelect);
        }

        function test_reset_order() {
            openPage([]);
            ui_View.clear();
            ui_View.apConfig = harness.storedConfig;
            mouseClick(part("btnDefault"));
            const names = ui_View.names();
            compare(names.slice(0, 5), ["playMedia_Index", "setEnableAudio", "clearAllMedia", "resetApconfig", "loadApConfig"]);
            compare(ui_View.calls[1][1], false);
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
        }
    }
}
