import QtQuick
import QtTest
import "qrc:/modules/qml/basic"

TestCase {
    name: "KeyCodeString"

    KeyCodeString {
        id: keys
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
