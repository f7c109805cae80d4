import QtQuick
import QtTest

// The key assignment page: the entry each choice writes and shows, the
// left-button protection, macro slots, and what reset restores.
Item {
    width: 800
    height: 460

    PageCase {
        name: "KeydefinePage"
        source: "Page_Keydefine.qml"
        resetFunction: "resetAll"

        property var model: null

        readonly property var factory: [
            [0x01, 0x00, 0xF0, 0x00], [0x01, 0x00, 0xF1, 0x00], [0x01, 0x00, 0xF2, 0x00], [0x01, 0x00, 0xF3, 0x00],
            [0x01, 0x00, 0xF4, 0x00], [0x07, 0x00, 0x03, 0x00], [0x0A, 0xF0, 0x21, 0x03], [0, 0, 0, 0],
            [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0]
        ]

        function flat(entries) { return [].concat(...entries); }
        // `stored` replaces the profile's factory entries by key number.
        function openKeys(stored, setup) {
            open((v, h) => {
                v.defaultKeys = flat(factory);
                v.keydefine = factory.map((e, id) => (stored || {})[id] || e.slice());
                if (setup)
                    setup(v, h);
            });
            model = page.model;
        }
        function entry(keyId) {
            return model.entry(keyId);
        }
        function selectKey(keyId) {
            page.selectKey(model.mapping_for_keyId.indexOf(keyId));
            compare(model.selectedKeyId(), keyId);
        }
        // Picks an item as a click on the list's row does.
        function pick(listName, index) {
            const list = part(listName);
            list.setCurIndex(index);
            list.listElementClicked(index);
        }
        function chooseFunction(index) {
            pick("funcList", index);
        }
        function press(usage) {
            harness.product.msg_KB(true, usage);
            harness.product.msg_KB(false, usage);
        }

        // Keys without a label are not listed; the first listed one is selected
        // when the labels arrive after the page opened.
        function test_only_named_keys_are_listed() {
            openKeys({ 0: [0x01, 0x00, 0xF1, 0x00] }, (v, h) => h.product._ProductLayoutStringList = new Array(16).fill(""));
            compare(model.mapping_for_keyId, []);
            compare(model.curKeyMatrix, -1);
            compare(part("funcList").curIndex, -1);
            harness.product._ProductLayoutStringList = ["A", "", "B", "", "C", "", "D", "E", "", "", "", "", "", "", "", "F"];
            page.translateStrings();
            compare(model.mapping_for_keyId, [0, 2, 4, 6, 7, 15]);
            compare(model.curKeyMatrix, 0);
            compare([part("funcList").curIndex, part("mouseList").curIndex], [1, 1]);
            mouseClick(part("keyRow5"));
            compare(model.selectedKeyId(), 15);
        }

        function test_list_choices_data() {
            const rows = [];
            const add = (func, list, choices) => choices.forEach(([tag, pos, entry]) => rows.push({ tag: tag, func: func, list: list, pos: pos, entry: entry }));
            add(1, "mouseList", [
                ["LEFT", 0, [0x01, 0x00, 0xF0, 0x00]], ["RIGHT", 1, [0x01, 0x00, 0xF1, 0x00]],
                ["MIDDLE", 2, [0x01, 0x00, 0xF2, 0x00]], ["BACKWARD", 3, [0x01, 0x00, 0xF3, 0x00]],
                ["FORWARD", 4, [0x01, 0x00, 0xF4, 0x00]], ["TRIPLE CLICK", 5, [0x0A, 0xF0, 0x21, 0x03]],
                ["DPI +", 6, [0x07, 0x00, 0x01, 0x00]], ["DPI -", 7, [0x07, 0x00, 0x02, 0x00]],
                ["DPI SWITCH", 8, [0x07, 0x00, 0x03, 0x00]], ["SCROLL UP", 9, [0x04, 0x00, 0x01, 0x00]],
                ["SCROLL DOWN", 10, [0x04, 0x00, 0x02, 0x00]]]);
            add(2, "mediaList", [
                ["NEXT TRACK", 0, [0x03, 0x00, 0xB5, 0x00]], ["PLAY / PAUSE", 3, [0x03, 0x00, 0xCD, 0x00]],
                ["MEDIA SELECT", 7, [0x03, 0x00, 0x83, 0x01]], ["MY COMPUTER", 10, [0x03, 0x00, 0x94, 0x01]],
                ["WWW SEARCH", 11, [0x03, 0x00, 0x21, 0x02]], ["WWW FAVORITES", 17, [0x03, 0x00, 0x2A, 0x02]]]);
            add(6, "gunList", [["GUN 1", 0, [0x08, 0x00, 0x01, 0x04]], ["GUN 2", 1, [0x08, 0x00, 0x01, 0x05]], ["GUN 3", 2, [0x08, 0x00, 0x01, 0x06]]]);
            return rows;
        }
        function test_list_choices(data) {
            openKeys({ 3: [0x00, 0x00, 0x04, 0x00] });
            chooseFunction(data.func);
            if (data.func === 1)
                compare(entry(3), [0x00, 0x00, 0x04, 0x00], "nothing is written before a choice");
            pick(data.list, data.pos);
            compare(entry(3), data.entry);
            compare(view.count("getMsgAns_FoolProofing"), 0);
            page.showEntry();
            compare(part("funcList").curIndex, data.func);
            compare(part(data.list).curIndex, data.pos);
        }

        function test_nameless_key_leaves_the_entry() {
            openKeys();
            chooseFunction(0);
            mouseClick(part("keyField"));
            press(0x32);
            compare(entry(3), [0x01, 0x00, 0xF3, 0x00]);
        }

        function test_combo_mask_data() {
            const rows = [];
            for (let p = 0; p <= 8; ++p)
                rows.push({ tag: "position " + p, pos: p, mask: p === 0 ? 0 : 1 << (p - 1) });
            return rows;
        }
        function test_combo_mask(data) {
            openKeys();
            chooseFunction(3);
            pick("comboModifierList", data.pos);
            compare(entry(3), [0x00, data.mask, 0x00, 0x00]);
            mouseClick(part("comboKey1"));
            press(0x06);
            compare(entry(3), [0x00, data.mask, 0x06, 0x00]);
            mouseClick(part("comboKey2"));
            press(0x07);
            compare(entry(3), [0x00, data.mask, 0x06, 0x07]);
            page.showEntry();
            compare(part("funcList").curIndex, 3);
            compare(part("comboModifierList").curIndex, data.pos);
            compare(part("comboKey1").tmpKeycodeUSB, 0x06);
            compare(part("comboKey2").tmpKeycodeUSB, 0x07);
        }

        function test_fire_key_on_left_button() {
            openKeys({}, v => v.confirmAnswer = true);
            selectKey(0);
            chooseFunction(5);
            compare(view.count("getMsgAns_FoolProofing"), 1);
            compare(entry(0), [0x01, 0x00, 0xF0, 0x00]);
            const count = part("fireCount");
            count.input.text = "3";
            count.commit();
            compare(entry(0), [0x01, 0x00, 0xF0, 0x00], "no key chosen yet");
            part("fireSpeed").setCurIndex(0);
            pick("fireButtonList", 0);
            compare(entry(0), [0x0A, 0xF0, 0xFF, 0x03]);
        }

        function test_fire_key_by_keyboard_key_and_speed() {
            openKeys();
            chooseFunction(5);
            mouseClick(part("fireRadio1"));
            compare(page.fireRadio, 1);
            mouseClick(part("fireKeyField"));
            press(0x2C);
            compare(entry(3), [0x0A, 0x2C, 10, 10], "speed and count at their defaults");
            compare(part("fireSpeed").currentIndex, 7);
            const slider = part("fireSpeed");
            mouseClick(slider, 0, slider.height / 2);
            compare(entry(3), [0x0A, 0x2C, 255, 10]);
            // A count is committed by a click on an empty area too.
            part("fireCount").input.text = "300";
            harness.emptyAreaPressed();
            compare(entry(3), [0x0A, 0x2C, 255, 255]);
        }

        function test_display_rule_data() {
            return [
                { tag: "keyboard", entry: [0x00, 0x00, 0x04, 0x00], func: 0, check: { keyField: ["tmpKeycodeUSB", 0x04] } },
                { tag: "combo", entry: [0x00, 0x06, 0x04, 0x05], func: 3, check: { comboModifierList: ["curIndex", 2], comboKey1: ["tmpKeycodeUSB", 0x04], comboKey2: ["tmpKeycodeUSB", 0x05] } },
                { tag: "empty entry is a combo", entry: [0x00, 0x00, 0x00, 0x00], func: 3, check: { comboModifierList: ["curIndex", 0] } },
                { tag: "keyboard key with second key", entry: [0x00, 0x00, 0x04, 0x05], func: 3, check: { comboModifierList: ["curIndex", 0], comboKey2: ["tmpKeycodeUSB", 0x05] } },
                { tag: "media high byte 1", entry: [0x03, 0x00, 0x8A, 0x01], func: 2, check: { mediaList: ["curIndex", 8] } },
                { tag: "media high byte 2", entry: [0x03, 0x00, 0x27, 0x02], func: 2, check: { mediaList: ["curIndex", 16] } },
                { tag: "media unknown code", entry: [0x03, 0x00, 0x99, 0x00], func: 2, check: { mediaList: ["curIndex", -1] } },
                { tag: "fire by button", entry: [0x0A, 0xF3, 0x2D, 0x05], func: 5, check: { fireButtonList: ["curIndex", 3], fireSpeed: ["currentIndex", 6], fireCount: ["value", 5] } },
                { tag: "fire by key", entry: [0x0A, 0x1E, 0x04, 0x10], func: 5, check: { fireKeyField: ["tmpKeycodeUSB", 0x1E], fireSpeed: ["currentIndex", 7], fireCount: ["value", 16] } },
                { tag: "fire slowest", entry: [0x0A, 0xF0, 0xFF, 0x01], func: 5, check: { fireSpeed: ["currentIndex", 0] } },
                { tag: "gun header", entry: [0x0B, 0x00, 0x00, 0x00], func: 6, check: { gunList: ["curIndex", -1] } },
                { tag: "gun old mode", entry: [0x08, 0x00, 0x01, 0x01], func: 6, check: { gunList: ["curIndex", -1] } },
                { tag: "unknown kind", entry: [0x05, 0x01, 0x02, 0x03], func: -1, check: {} },
                { tag: "mouse with modifier", entry: [0x01, 0x01, 0xF0, 0x00], func: -1, check: {} }
            ];
        }
        function test_display_rule(data) {
            openKeys({ 3: data.entry });
            compare(part("funcList").curIndex, data.func);
            for (const name in data.check)
                compare(part(name)[data.check[name][0]], data.check[name][1], name);
            if (data.func === 5)
                compare(page.fireRadio, data.entry[1] >= 0xF0 && data.entry[1] <= 0xF4 ? 0 : 1);
        }

        function test_protection_only_for_last_left_button_data() {
            return [
                { tag: "two left buttons", left: 2, key: 0, answer: false, asked: 0, action: "function" },
                { tag: "not a left button", left: 1, key: 3, answer: false, asked: 0, action: "function" },
                { tag: "last left, mouse list, refused", left: 1, key: 0, answer: false, asked: 1, action: "mouse" },
                { tag: "last left, reset, refused", left: 1, key: 0, answer: false, asked: 1, action: "reset" },
                { tag: "left on an unlisted key does not count", left: 1, key: 0, answer: false, asked: 1, action: "function", unlisted: true }
            ];
        }
        function test_protection_only_for_last_left_button(data) {
            const left = [0x01, 0x00, 0xF0, 0x00]; // key 0 has it from the factory
            openKeys({ 1: data.left === 2 ? left : factory[1], 9: data.unlisted ? left : factory[9] }, v => v.confirmAnswer = data.answer);
            selectKey(data.key);
            const before = entry(data.key);
            if (data.action === "function") {
                chooseFunction(2);
                if (part("funcList").curIndex === 2)
                    pick("mediaList", 0);
            } else if (data.action === "mouse") {
                pick("mouseList", 1);
            } else {
                model.setDefaults(flat(factory.map((e, i) => i === 0 ? [0x01, 0x00, 0xF1, 0x00] : e)));
                mouseClick(part("btnKeyReset"));
            }
            compare(view.count("getMsgAns_FoolProofing"), data.asked);
            if (data.asked === 1 && !data.answer) {
                compare(entry(data.key), before);
                if (data.action === "function")
                    compare(part("funcList").curIndex, 1);
                if (data.action === "mouse")
                    compare(part("mouseList").curIndex, 0);
            } else {
                verify(!model.sameEntry(entry(data.key), before));
            }
        }

        // A macro chosen for a key (or the key changed to KEYBOARD): the entry,
        // the slot and play count each macro then holds, and the uploads.
        function test_macro_slots_data() {
            const slot = n => [0x09, 0x00, n, 0x00];
            const all = {};
            const named = [];
            for (let i = 0; i < 12; ++i) {
                all[i] = slot(i + 1);
                named.push(["m" + String(i).padStart(2, "0"), i]);
            }
            return [
                { tag: "first macro", macros: [["M", -1]], bind: "M", entry: slot(1), slots: { M: [0, 1] }, uploads: [[1, "M"]] },
                { tag: "a second button shares the slot", stored: { 4: slot(1) }, macros: [["M", 0]], bind: "M", entry: slot(1), slots: { M: [0, 1] }, uploads: [[1, "M"]] },
                { tag: "the free slot between", stored: { 0: slot(1), 1: slot(3) }, macros: [["A", 0], ["C", 2], ["N", -1]], bind: "N", mode: 2,
                  entry: [0x09, 0x02, 0x02, 0x00], slots: { N: [1, 1] }, uploads: [[2, "N"]] },
                { tag: "all slots used", key: 13, stored: all, macros: named.concat([["new", -1]]), bind: "new", entry: [0, 0, 0, 0], slots: { new: [-1, 1] }, uploads: [] },
                { tag: "another macro frees the old one", stored: { 3: slot(1) }, macros: [["Old", 0], ["New", -1]], bind: "New", entry: slot(1),
                  slots: { Old: [-1, 1], New: [0, 1] }, uploads: [[1, "New"]] },
                { tag: "another macro, the old one still on key 6", stored: { 3: slot(1), 6: slot(1) }, macros: [["Old", 0], ["New", -1]], bind: "New", entry: slot(2),
                  slots: { Old: [0, 1], New: [1, 1] }, uploads: [[2, "New"]] },
                { tag: "keyboard frees the slot", stored: { 3: slot(1) }, macros: [["M", 0, 4]], entry: [0, 0, 0, 0], slots: { M: [-1, 1] }, uploads: [] },
                { tag: "keyboard, another key keeps the slot", stored: { 3: slot(1), 5: [0x09, 0x01, 0x01, 0x00] }, macros: [["M", 0, 4]], entry: [0, 0, 0, 0], slots: { M: [0, 4] }, uploads: [] }
            ];
        }
        function test_macro_slots(data) {
            const key = data.key === undefined ? 3 : data.key;
            openKeys(data.stored, (v, h) => {
                for (const [name, index, repeat] of data.macros)
                    v.addMacro(name, index, repeat || 1, []);
                if (key === 13)
                    h.product._ProductLayoutStringList = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"];
            });
            selectKey(key);
            if (!data.bind) {
                chooseFunction(0);
            } else {
                if (part("funcList").curIndex !== 4)
                    chooseFunction(4);
                if (data.mode !== undefined)
                    page.playMode = data.mode;
                pick("macroList", model.macroNames.indexOf(data.bind));
            }
            compare(entry(key), data.entry);
            for (const name in data.slots)
                compare([view.macros[name].index, view.macros[name].repeat], data.slots[name], name);
            compare(view.callsTo("ui_13H_SetMacroKey").map(c => c.slice(1)), data.uploads);
        }

        function test_macro_entry_shows_bound_macro_and_count() {
            openKeys({ 3: [0x09, 0x01, 0x02, 0x00] }, v => {
                v.addMacro("a", 1, 5, []);
                v.addMacro("b", 0, 2, []);
                v.addMacro("c", 1, 9, []);
            });
            compare(part("funcList").curIndex, 4);
            compare(part("macroList").curIndex, 2, "the last macro claiming the slot");
            compare(page.playMode, 1);
            compare(part("playCount").value, 9);
        }

        function test_play_count_ignored_outside_normal_play() {
            openKeys({ 3: [0x09, 0x00, 0x01, 0x00] }, v => v.addMacro("M", 0, 1, []));
            const count = part("playCount");
            mouseClick(part("playMode1"));
            compare(entry(3), [0x09, 0x01, 0x01, 0x00]);
            view.clear();
            count.input.text = "8";
            count.commit();
            compare(view.count("setMacroIniConfig"), 0, "the count only counts in normal play");
        }

        // The page's reset restores the selected key, the bottom one every key
        // and frees the macros; neither sends anything.
        function test_reset_restores_factory_entries() {
            openKeys({ 0: [0x00, 0x00, 0x04, 0x00], 3: [0x00, 0x00, 0x04, 0x00], 4: [0x09, 0x00, 0x01, 0x00] }, v => v.addMacro("M", 0, 1, []));
            mouseClick(part("btnKeyReset"));
            compare(entry(3), factory[3]);
            compare(entry(4), [0x09, 0x00, 0x01, 0x00]);
            compare([part("funcList").curIndex, part("mouseList").curIndex], [1, 3]);
            harness.btnTotalResetClicked();
            for (let i = 0; i < 16; ++i)
                compare(entry(i), factory[i], "key " + i);
            compare(view.macros["M"].index, -1);
            compare(part("mouseList").curIndex, 3);
            compare(view.count("getMsgAns_FoolProofing"), 0);
            compare(view.count("ui_12H_SetKeyMatrix"), 0);
        }
    }
}
