import QtQuick
import QtTest
import "qrc:/modules/qml/basic"

TestCase {
    name: "KeyCodeString"

    KeyCodeString {
        id: keys
    }

    function test_keycodeTostr_data() {
        return [
            { tag: "A", code: 0x04, name: "A" },
            { tag: "backslash", code: 0x31, name: "\\ |" },
            { tag: "KP 7 with blank", code: 0x5F, name: "KP 7 " },
            { tag: "left arrow", code: 0x50, name: "\u25C4" },
            { tag: "Intl'2", code: 0x88, name: "Intl'2" },
            { tag: "Int'l 2", code: 0x89, name: "Int'l 2" },
            { tag: "R Win", code: 0xE7, name: "R Win" },
            { tag: "32 has none", code: 0x32, name: undefined },
            { tag: "mouse code is no key", code: 0xF0, name: undefined },
            { tag: "0", code: 0, name: undefined },
            { tag: "E8", code: 0xE8, name: undefined },
        ];
    }

    function test_keycodeTostr(data) {
        compare(keys.keycodeTostr(data.code), data.name);
        if (data.name !== undefined)
            compare(keys.strTokeycode(data.name), data.code);
    }

    function test_names_are_exact_data() {
        return [
            { tag: "KP 7" , name: "KP 7" },
            { tag: "lower case", name: "a" },
            { tag: "leading blank", name: " A" },
            { tag: "mouse name", name: "MS-L" },
            { tag: "prototype", name: "constructor" },
            { tag: "toString", name: "toString" },
        ];
    }

    function test_names_are_exact(data) {
        verify(keys.strTokeycode(data.name) === undefined);
    }

    function test_mouse() {
        compare(keys.mousecodeTostr(0xF0), "MS-L");
        compare(keys.mousecodeTostr(0xF4), "MS-B5");
        verify(keys.mousecodeTostr(0xF5) === undefined);
        verify(keys.mousecodeTostr(0x04) === undefined);
        compare(keys.strTomousecode("MS-B4"), 0xF3);
        verify(keys.strTomousecode("A") === undefined);
    }

    function test_tables_are_inverse() {
        let count = 0;
        for (const code in keys.keycode2str) {
            compare(keys.str2keycode[keys.keycode2str[code]], Number(code));
            ++count;
        }
        compare(count, 127);
        compare(Object.keys(keys.str2keycode).length, 127);
        compare(Object.keys(keys.mousecode2str).length, 5);
        compare(Object.keys(keys.str2mousecode).length, 5);
    }

    function test_logByte_data() {
        return [
            { tag: "0x04", value: 0x04, position: 3 },
            { tag: "0x06", value: 0x06, position: 2 },
            { tag: "0", value: 0, position: 0 },
            { tag: "0x100", value: 0x100, position: 0 },
            { tag: "0x01", value: 0x01, position: 1 },
            { tag: "0x80", value: 0x80, position: 8 },
            { tag: "0x180", value: 0x180, position: 8 },
            { tag: "-1 as unsigned", value: -1, position: 1 },
            { tag: "-256 as unsigned", value: -256, position: 0 },
        ];
    }

    function test_logByte(data) {
        compare(keys.logByte(data.value), data.position);
    }
}
