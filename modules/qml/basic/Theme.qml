pragma Singleton
import QtQuick
import "texts.mjs" as Texts

// The look every part of the scene shares: text size, colours and font, the
// animation time, the skin folder and the string table of the language in
// use. The window binds them to the global settings page; parts only read
// them.
QtObject {
    property int size: 11
    property color color: "#FF00FFFF"
    property color colorEnable: "#FFAAAAAA"
    property color colorDisable: "#80FFFFFF"
    property string fontFamily: "Arial"
    property int animationSpeed: 800
    property var strings: Texts.english
    property string skinPath: ""

    // Entry `index` of the string table; the English text where the
    // language has none.
    function str(index: int): string {
        const s = strings[index];
        if (s !== undefined && String(s) !== "")
            return String(s);
        return index >= 0 && index < Texts.english.length ? Texts.english[index] : "";
    }
    // A feedback text by name (texts.mjs).
    function text(name: string): string {
        return str(Texts.feedback[name] ?? -1);
    }
    // The name of a device command in notices; its code where it has none.
    function commandName(code: int): string {
        const index = Texts.commands[code];
        return index !== undefined ? str(index) : ("0" + code.toString(16).toUpperCase()).slice(-2) + "H";
    }
    // A picture of the skin in use; none until the skin folder is known.
    function skin(path: string): string {
        return skinPath === "" ? "" : skinPath + path;
    }
}
