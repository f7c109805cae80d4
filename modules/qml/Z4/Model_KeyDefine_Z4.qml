import QtQuick
import ".."

// The sixteen key-matrix entries of the mouse as the key page edits them,
// their factory values, the tables that turn a choice into an entry and an
// entry back into a choice, and the macro-slot bookkeeping. Nothing here
// draws; the page shows what `describe` returns and writes what the entry
// builders return.
QtObject {
    id: model

    // One row per key number 0…15, roles keyCode0…keyCode3.
    property ListModel keys: ListModel {}
    property var keyCode_Default: []
    // List position → key number, for the keys the layout names.
    property var mapping_for_keyId: []
    property int curKeyMatrix: -1
    // Macro names (without ".bin") in the order of the library.
    property var macroNames: []

    readonly property int keyCount: 16
    readonly property int macroSlotCount: 12

    readonly property var mouseEntries: [
        [0x01, 0x00, 0xF0, 0x00], // LEFT
        [0x01, 0x00, 0xF1, 0x00], // RIGHT
        [0x01, 0x00, 0xF2, 0x00], // MIDDLE
        [0x01, 0x00, 0xF3, 0x00], // BACKWARD
        [0x01, 0x00, 0xF4, 0x00], // FORWARD
        [0x0A, 0xF0, 0x21, 0x03], // TRIPLE CLICK
        [0x07, 0x00, 0x01, 0x00], // DPI +
        [0x07, 0x00, 0x02, 0x00], // DPI -
        [0x07, 0x00, 0x03, 0x00], // DPI SWITCH
        [0x04, 0x00, 0x01, 0x00], // SCROLL UP
        [0x04, 0x00, 0x02, 0x00]  // SCROLL DOWN
    ]
    readonly property var mediaCodes: [0x00B5, 0x00B6, 0x00B7, 0x00CD, 0x00E2, 0x00E9, 0x00EA, 0x0183, 0x018A, 0x0192, 0x0194, 0x0221, 0x0223, 0x0224, 0x0225, 0x0226, 0x0227, 0x022A]
    readonly property var leftButtonEntry: [0x01, 0x00, 0xF0, 0x00]

    // Function positions of the page's first list.
    readonly property int funcKeyboard: 0
    readonly property int funcMouse: 1
    readonly property int funcMedia: 2
    readonly property int funcCombo: 3
    readonly property int funcMacro: 4
    readonly property int funcFire: 5
    readonly property int funcGun: 6

    Component.onCompleted: {
        for (let i = 0; i < keyCount; ++i)
            keys.append({ keyCode0: 0, keyCode1: 0, keyCode2: 0, keyCode3: 0 });
    }

    function toByte(value) {
        const n = Number(value);
        return isFinite(n) ? (n & 0xFF) : 0;
    }

    function entry(keyId) {
        const row = keys.get(keyId);
        return [row.keyCode0, row.keyCode1, row.keyCode2, row.keyCode3];
    }
    function setEntry(keyId, codes) {
        keys.set(keyId, { keyCode0: toByte(codes[0]), keyCode1: toByte(codes[1]), keyCode2: toByte(codes[2]), keyCode3: toByte(codes[3]) });
    }
    function sameEntry(a, b) {
        return a[0] === b[0] && a[1] === b[1] && a[2] === b[2] && a[3] === b[3];
    }
    function allCodes() {
        const codes = [];
        for (let i = 0; i < keyCount; ++i)
            codes.push.apply(codes, entry(i));
        return codes;
    }
    function defaultEntry(keyId) {
        const base = 4 * keyId;
        return [0, 1, 2, 3].map(k => toByte(keyCode_Default[base + k]));
    }

    // A factory list shorter than 64 leaves the missing codes 0 rather than
    // sending NaN to the device.
    function setDefaults(list) {
        const codes = [];
        for (let i = 0; i < 4 * keyCount; ++i)
            codes.push(list && i < list.length ? toByte(list[i]) : 0);
        keyCode_Default = codes;
    }

    function buildMapping(labels) {
        const mapping = [];
        for (let i = 0; i < keyCount; ++i) {
            if (labels && labels[i] !== undefined && String(labels[i]) !== "")
                mapping.push(i);
        }
        mapping_for_keyId = mapping;
    }
    function selectedKeyId() {
        if (curKeyMatrix < 0 || curKeyMatrix >= mapping_for_keyId.length)
            return -1;
        return mapping_for_keyId[curKeyMatrix];
    }

    function resetAll() {
        for (let i = 0; i < keyCount; ++i)
            setEntry(i, defaultEntry(i));
        refreshMacroIndex();
    }

    // Entry builders, one per second-level control.
    function keyboardEntry(usage) {
        return [0x00, 0x00, toByte(usage), 0x00];
    }
    function mouseEntry(position) {
        return mouseEntries[position].slice();
    }
    function mediaEntry(position) {
        const code = mediaCodes[position];
        return [0x03, 0x00, code & 0xFF, (code >> 8) & 0xFF];
    }
    function modifierMask(position) {
        return position > 0 ? (1 << (position - 1)) : 0;
    }
    function comboEntry(modifierPosition, key1, key2) {
        return [0x00, modifierMask(modifierPosition), toByte(key1), toByte(key2)];
    }
    function fireInterval(speed) {
        return (7 - speed) * 35 + 10;
    }
    function fireSpeed(interval) {
        return 7 - Math.floor((Math.max(interval, 10) - 10) / 35 + 0.5);
    }
    // byRadio 0: a mouse button (position 0…4 → F0…F4), 1: a keyboard usage.
    function fireEntry(byRadio, buttonPosition, usage, count, speed) {
        const key = byRadio === 0 ? 0xF0 + buttonPosition : toByte(usage);
        return [0x0A, key, fireInterval(speed), toByte(count)];
    }
    function gunEntry(position) {
        return [0x08, 0x00, 0x01, 4 + position];
    }
    function macroEntry(playMode, slot) {
        return [0x09, toByte(playMode), slot + 1, 0x00];
    }

    // Entry → what the page shows. `func` is -1 when no function fits; a
    // list position of -1 means the list shows no choice.
    function describe(codes) {
        const b0 = codes[0], b1 = codes[1], b2 = codes[2], b3 = codes[3];
        const shown = { func: -1 };
        switch (b0) {
        case 0x00:
            if (b1 === 0 && b2 !== 0 && b3 === 0)
                return { func: funcKeyboard, key: b2 };
            return { func: funcCombo, modifier: App.keyNames.logByte(b1), key1: b2, key2: b3 };
        case 0x01:
            if (b1 === 0 && b3 === 0 && b2 >= 0xF0 && b2 <= 0xF4)
                return { func: funcMouse, mouse: b2 - 0xF0 };
            break;
        case 0x03:
            if (b1 === 0 && b2 !== 0)
                return { func: funcMedia, media: mediaCodes.indexOf(b2 | (b3 << 8)) };
            break;
        case 0x04:
            if (b1 === 0 && b3 === 0 && (b2 === 1 || b2 === 2))
                return { func: funcMouse, mouse: 8 + b2 };
            break;
        case 0x07:
            if (b1 === 0 && b3 === 0 && b2 >= 1 && b2 <= 3)
                return { func: funcMouse, mouse: b2 + 5 };
            break;
        case 0x09:
            return { func: funcMacro, slot: b2 - 1, playMode: b1 };
        case 0x0A:
            if (b1 === 0xF0 && b2 === 0x21 && b3 === 0x03)
                return { func: funcMouse, mouse: 5 };
            if (b1 >= 0xF0 && b1 <= 0xF4)
                return { func: funcFire, byRadio: 0, button: b1 - 0xF0, speed: fireSpeed(b2), count: b3 };
            return { func: funcFire, byRadio: 1, key: b1, speed: fireSpeed(b2), count: b3 };
        case 0x0B:
            if (b1 === 0 && b2 === 0 && b3 === 0)
                return { func: funcGun, gun: -1 };
            break;
        case 0x08:
            return { func: funcGun, gun: (b3 > 3 && b3 - 4 <= 2) ? b3 - 4 : -1 };
        }
        return shown;
    }

    // True when the key holds the left-button function and no other listed
    // key does: changing it would leave the mouse without a left button.
    function isLastLeftButton(keyId) {
        if (keyId < 0 || !sameEntry(entry(keyId), leftButtonEntry))
            return false;
        let count = 0;
        for (let i = 0; i < mapping_for_keyId.length; ++i) {
            if (sameEntry(entry(mapping_for_keyId[i]), leftButtonEntry))
                count++;
        }
        return count <= 1;
    }

    function isMacroEntry(codes) {
        return codes[0] === 0x09;
    }
    // Slots (0…11) held by key entries, leaving out one key.
    function usedSlots(exceptKeyId) {
        const used = [];
        for (let i = 0; i < keyCount; ++i) {
            if (i === exceptKeyId)
                continue;
            const codes = entry(i);
            if (codes[0] === 0x09 && codes[3] === 0x00)
                used.push(codes[2] - 1);
        }
        return used;
    }
    function lowestFreeSlot(exceptKeyId) {
        const used = usedSlots(exceptKeyId);
        for (let slot = 0; slot < macroSlotCount; ++slot) {
            if (used.indexOf(slot) < 0)
                return slot;
        }
        return -1;
    }

    // Binds macro `name` to key `keyId` and uploads it. An empty name only
    // clears the key. A macro already bound keeps its slot.
    function setMacro(keyId, name, playMode, playCount) {
        setEntry(keyId, [0, 0, 0, 0]);
        if (name === undefined || name === null || String(name) === "")
            return;
        const config = App.view.loadMacroIniConfig(name);
        // A macro file that has gone away cannot be bound.
        if (!config || config.length < 1)
            return;
        const stored = Number(config[0]);
        if (stored < 0) {
            const slot = lowestFreeSlot(keyId);
            if (slot < 0)
                return;
            App.view.setMacroIniConfig(name, [slot, playCount]);
            App.view.ui_13H_SetMacroKey(slot + 1, name);
            setEntry(keyId, macroEntry(playMode, slot));
        } else {
            App.view.setMacroIniConfig(name, [stored, playCount]);
            App.view.ui_13H_SetMacroKey(stored + 1, name);
            setEntry(keyId, macroEntry(playMode, stored));
        }
    }

    // Every macro whose stored slot no key uses any more becomes unbound.
    function refreshMacroIndex() {
        const used = usedSlots(-1);
        for (let i = 0; i < macroNames.length; ++i) {
            const config = App.view.loadMacroIniConfig(macroNames[i]);
            if (!config || config.length < 1)
                continue;
            const slot = Number(config[0]);
            if (slot >= 0 && used.indexOf(slot) < 0)
                App.view.setMacroIniConfig(macroNames[i], [-1, 1]);
        }
    }

    // Position in `macroNames` of the macro bound to `slot` (the last one
    // when several claim it) and its play count.
    function macroForSlot(slot) {
        let found = -1;
        let repeat = 1;
        for (let i = 0; i < macroNames.length; ++i) {
            const config = App.view.loadMacroIniConfig(macroNames[i]);
            if (config && config.length >= 2 && Number(config[0]) === slot) {
                found = i;
                repeat = Number(config[1]);
            }
        }
        return { index: found, repeat: found < 0 ? 1 : repeat };
    }
}
