import QtQuick
import "../common"

// The application's own settings. Every change acts at once; only APPLY
// stores them (saveApConfig), so closing the panel keeps them for this run.
Item {
    id: globalPage

    // Page-wide values that the root re-exports as globalSetting_*.
    property int _Size: 11
    property color _Color: Qt.rgba(paletteColor[0] / 255, paletteColor[1] / 255, paletteColor[2] / 255, textAlpha / 255)
    property color _ColorEnable: "#FFAAAAAA"
    property color _ColorDisable: "#80FFFFFF"
    property int _AnimationSpeed: 800
    property var _StringList: defaultStrings
    property string _FontFamily: "Arial"
    property string _Url: ""
    property int skin_No: 1
    property bool isCustomBackground: false

    // Positions of the lists, as stored in the settings list.
    property int soundPos: 0
    property int animationPos: 0
    property int languagePos: -1
    property int sizePos: 0
    property var languageCodes: []
    property bool skinListVisible: false

    property var presetColors: [[0, 255, 255], [255, 200, 150], [255, 180, 0], [200, 200, 100], [200, 170, 255], [255, 180, 180], [160, 190, 160]]
    property int selectedPreset: 0
    property var paletteColor: [0, 255, 255]
    property int brightnessPos: 7
    readonly property int textAlpha: 45 + brightnessPos * 210 / 7

    readonly property var defaultStrings: [
        "Arial", "OPTIONS", "LOOP", "SPEED", "BRIGHTNESS", "DIRECTION", "PAINTING", "EFFECTS",
        "USER DEFINE 1", "USER DEFINE 2", "USER DEFINE 3", "USER DEFINE 4", "USER DEFINE 5",
        "STATIC", "BREATHING", "WAVE", "INDUCTION DARKEN", "MARQUEE", "RIPPLE",
        "INDUCTION BRIGHTEN", "NEON", "MARQUEE COLORFUL", "RAINING", "MARQUEE CIRCLE", "SPOTLIGHT",
        "ROTATION", "SKIN", "SOUND", "ANIMATED", "LANGUAGE", "BACKGROUND", "ON", "OFF", "TEXT",
        "SIZE", "COLOR", "BRIGHTNESS", "NORMAL", "LARGER", "SKIN 1", "SKIN 2", "SKIN 3", "SKIN 4",
        "SKIN 5", "MACRO", "ACTION", "KEYBOARD", "MOUSE", "MEDIA", "COMBO KEY", "MACRO", "LEFT",
        "RIGHT", "MIDDLE", "BACKWARD", "FORWARD", "NEXT TRACK", "PREVIOUS TRACK", "STOP",
        "PLAY / PAUSE", "MUTE", "VOLUME UP", "VOLUME DOWN", "MEDIA SELECT", "MAIL", "CALCULATOR",
        "MY COMPUTER", "WWW SEARCH", "WWW HOME", "WWW BACK", "WWW FORWARD", "WWW STOP",
        "WWW REFRESH", "WWW FAVORITES", "KEY", "MACRO", "COLOR", "RESET", "CANCEL", "GAMING MODE",
        "DELETE", "CUT", "PASTE", "COPY", "LOAD", "SAVE", "SENSOR", "LED POWER ON", "TWINKLING",
        "GLIDING", "FINGER MOVING", "VERTICAL FLIPPING", "YO-YO", "FIRE KEY", "TRIPLE CLICK",
        "DPI SWITCH", "NORMAL PLAY", "TIMES", "ALWAYS REPEAT", "REPEAT ON PRESSED", "POLLING RATE",
        "CURSOR SPEED", "VERTICAL SCROLL SPEED", "DOUBLE CLICK SPEED", "DPI LEVEL",
        "DPI INDICATOR LED", "DEFAULT", "APPLY", "SCROLL SWAP", "SCROLL UP", "SCROLL DOWN",
        "LED CONTROL", "RENAME", "ALL RESET", "ALL SAVE",
        // 115…130: the labels of the pages' own controls.
        "PRESS ANY", "INSERT", "GUN KEY", "DPI +", "DPI -", "LOOP SWITCH", "TWO GUN LOOP",
        "THREE GUN LOOP", "FIRE", "times", "REC", "STOP", "DELAY", "ms", "SETTINGS", "CLOSE"
    ]

    width: 340
    height: 420

    function str(index) {
        const s = _StringList[index];
        return s === undefined ? "" : s;
    }

    function initUI() {
        const config = ui_View.loadApConfig();
        if (config && config.length > 0)
            applyConfig(config);
        else
            fillLanguages(); // without stored settings the user can still pick a language
        skinListVisible = ui_View.getIsSkinShow();
    }

    function entry(config, index, fallback) {
        return index < config.length ? config[index] : fallback;
    }
    function entryInt(config, index, fallback, low, high) {
        const n = parseInt(entry(config, index, fallback), 10);
        return isNaN(n) ? fallback : Math.max(low, Math.min(high, n));
    }
    function entryBool(config, index) {
        const v = entry(config, index, false);
        return v === true || v === "true" || Number(v) === 1;
    }

    // Settings lists come back from the INI file as strings; a short or
    // damaged list keeps the current value for what it lacks.
    function applyConfig(config) {
        selectSkin(entryInt(config, 1, skin_No, 1, 99) - 1);

        const sound = entryInt(config, 2, 0, 0, 1);
        ui_View.setEnableAudio(sound === 0);
        soundPos = sound;
        soundList.setCurIndex(sound);

        selectAnimation(entryInt(config, 3, 0, 0, 1));

        fillLanguages();
        const language = entryInt(config, 4, -1, -1, 9999);
        if (language >= 0 && language < languageCodes.length)
            selectLanguage(language);

        isCustomBackground = entryBool(config, 5);
        root.sourceCustomBackground = String(entry(config, 6, ""));

        selectSize(entryInt(config, 7, 0, 0, 1));

        const presets = [];
        for (let i = 0; i < 7; ++i) {
            presets.push([entryInt(config, 8 + 3 * i, presetColors[i][0], 0, 255), entryInt(config, 9 + 3 * i, presetColors[i][1], 0, 255), entryInt(config, 10 + 3 * i, presetColors[i][2], 0, 255)]);
        }
        presetColors = presets;
        selectPreset(entryInt(config, 29, 0, 0, 6));

        brightnessPos = entryInt(config, 30, 7, 0, 7);
        brightnessSlider.setCurIndex(brightnessPos);

        if (config.length > 31)
            _Url = String(config[31]);
    }

    function apply() {
        const list = [1, skin_No, soundPos, animationPos, languagePos, isCustomBackground, root.sourceCustomBackground, sizePos];
        for (let i = 0; i < 7; ++i)
            list.push(presetColors[i][0], presetColors[i][1], presetColors[i][2]);
        list.push(selectedPreset, brightnessPos, _Url);
        ui_View.saveApConfig(list);
        root.isGlobalSettingSelect = false;
    }

    function reset() {
        selectSound(1);
        ui_View.resetApconfig();
        initUI();
        ui_View.playMedia_Index(0);
    }

    function selectSkin(index) {
        skin_No = index + 1;
        skinList.setCurIndex(index);
        root.setSkin();
    }
    function selectSound(index) {
        soundPos = index;
        soundList.setCurIndex(index);
        if (index === 0) {
            ui_View.setEnableAudio(true);
            ui_View.playMedia_Index(0);
        } else {
            ui_View.setEnableAudio(false);
            ui_View.clearAllMedia();
        }
    }
    function selectAnimation(index) {
        animationPos = index;
        animationList.setCurIndex(index);
        _AnimationSpeed = index === 0 ? 800 : 10;
    }
    function fillLanguages() {
        const map = ui_View.chkLanguages();
        const names = map ? Object.keys(map).sort() : [];
        const codes = [];
        languageModel.clear();
        for (const name of names) {
            languageModel.append({ "textX": name });
            codes.push(String(map[name]));
        }
        languageCodes = codes;
    }
    // A language file may lack strings (or be missing altogether); the
    // built-in English text stands in for every empty entry so that no label
    // goes blank.
    function selectLanguage(index) {
        languagePos = index;
        languageList.setCurIndex(index);
        const code = languageCodes[index];
        const strings = ui_View.getGlobalStrings(code);
        const merged = defaultStrings.slice();
        for (let i = 0; strings && i < strings.length; ++i) {
            if (strings[i] !== undefined && String(strings[i]) !== "")
                merged[i] = String(strings[i]);
        }
        _StringList = merged;
        _FontFamily = merged[0];
        root.translateStrings(code);
    }
    function selectSize(index) {
        sizePos = index;
        // Larger is a quarter larger: a step the eye sees, and every page
        // still fits.
        _Size = index === 0 ? 11 : 14;
    }
    function selectPreset(index) {
        selectedPreset = index;
        paletteColor = presetColors[index].slice();
    }
    function setPaletteColor(rgb) {
        paletteColor = rgb.slice();
        if (selectedPreset >= 0 && selectedPreset <= 6) {
            const presets = presetColors.slice();
            presets[selectedPreset] = rgb.slice();
            presetColors = presets;
        }
    }
    function toggleBackground() {
        if (!isCustomBackground) {
            const path = ui_View.getCustomFilePath();
            if (path !== undefined && String(path) !== "") {
                root.sourceCustomBackground = "file:" + path;
                isCustomBackground = true;
            } else {
                root.sourceCustomBackground = "";
                isCustomBackground = false;
            }
        } else {
            root.sourceCustomBackground = "";
            isCustomBackground = false;
        }
    }

    // Colour of the strip at `y` (0 = the black start, length - 1 = the end).
    function stripColor(y, length) {
        const rate = y / (length - 1) / 0.125;
        const level = Math.floor(rate);
        const c = Math.round((rate - level) * 255);
        switch (level) {
        case 0:
            return [c, 0, 0];
        case 1:
            return [255, c, 0];
        case 2:
            return [255 - c, 255, 0];
        case 3:
            return [0, 255, c];
        case 4:
            return [0, 255 - c, 255];
        case 5:
            return [c, 0, 255];
        case 6:
            return [255, c, 255];
        case 7:
            return [255 - c, 255 - c, 255 - c];
        default:
            return [0, 0, 0];
        }
    }

    function translateStrings() {
        const texts = [[skinModel, [39, 40]], [soundModel, [31, 32]], [animationModel, [31, 32]]];
        for (const [model, indexes] of texts) {
            for (let i = 0; i < indexes.length; ++i)
                model.setProperty(i, "textX", str(indexes[i]));
        }
    }

    ListModel {
        id: skinModel
        ListElement { textX: "SKIN 1" }
        ListElement { textX: "SKIN 2" }
    }
    ListModel {
        id: soundModel
        ListElement { textX: "ON" }
        ListElement { textX: "OFF" }
    }
    ListModel {
        id: animationModel
        ListElement { textX: "ON" }
        ListElement { textX: "OFF" }
    }
    ListModel {
        id: languageModel
    }

    Image {
        anchors.fill: parent
        // Sized by the panel: decoded on a worker thread.
        asynchronous: true
        source: root.skinPath + "list_center/panelBackground.png"
    }

    // Clicks on the panel's empty parts must not reach the window's drag area.
    MouseArea {
        anchors.fill: parent
    }

    component Label: Text {
        x: 22
        width: 118
        height: 24
        verticalAlignment: Text.AlignVCenter
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size
        font.bold: true
        color: root.globalSetting_color_enable
    }

    // Rows are declared top-down, which is the keyboard's order; an open
    // list raises itself over the rows below.
    Label {
        y: 16
        visible: globalPage.skinListVisible
        text: globalPage.str(26)
    }
    DropdownList {
        id: skinList
        objectName: "skinList"
        x: 146
        y: 16
        width: 170
        height: 24
        visible: globalPage.skinListVisible
        mdItems: skinModel
        defaultIndex: 0
        Accessible.description: globalPage.str(26)
        onListElementClicked: index => globalPage.selectSkin(index)
    }

    Label {
        y: 46
        text: globalPage.str(27)
    }
    DropdownList {
        id: soundList
        objectName: "soundList"
        x: 146
        y: 46
        width: 170
        height: 24
        mdItems: soundModel
        defaultIndex: 0
        Accessible.description: globalPage.str(27)
        onListElementClicked: index => globalPage.selectSound(index)
    }

    Label {
        y: 76
        text: globalPage.str(28)
    }
    DropdownList {
        id: animationList
        objectName: "animationList"
        x: 146
        y: 76
        width: 170
        height: 24
        mdItems: animationModel
        defaultIndex: 0
        Accessible.description: globalPage.str(28)
        onListElementClicked: index => globalPage.selectAnimation(index)
    }

    Label {
        y: 106
        text: globalPage.str(29)
    }
    DropdownList {
        id: languageList
        objectName: "languageList"
        x: 146
        y: 106
        width: 170
        height: 24
        mdItems: languageModel
        Accessible.description: globalPage.str(29)
        onListElementClicked: index => globalPage.selectLanguage(index)
    }

    Label {
        y: 136
        text: globalPage.str(30)
    }
    Text {
        id: backgroundSwitch
        objectName: "backgroundSwitch"
        function toggle() {
            ui_View.playMedia_Index(4);
            globalPage.toggleBackground();
        }
        x: 146
        y: 136
        height: 24
        verticalAlignment: Text.AlignVCenter
        text: "【 " + (globalPage.isCustomBackground ? globalPage.str(31) : globalPage.str(32)) + " 】"
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size
        font.bold: true
        color: (globalPage.isCustomBackground || backgroundArea.containsMouse) ? root.globalSetting_color : root.globalSetting_color_enable
        activeFocusOnTab: true
        Accessible.role: Accessible.CheckBox
        Accessible.name: globalPage.str(30)
        Accessible.checkable: true
        Accessible.checked: globalPage.isCustomBackground
        Accessible.focusable: true
        Accessible.onPressAction: toggle()
        Accessible.onToggleAction: toggle()
        Keys.onPressed: event => {
            if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space) {
                event.accepted = true;
                if (!event.isAutoRepeat)
                    toggle();
            }
        }
        MouseArea {
            id: backgroundArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: backgroundSwitch.toggle()
        }
        FocusMark {}
    }

    Label {
        y: 166
        text: globalPage.str(33) + " " + globalPage.str(34)
    }
    RadioButton {
        objectName: "sizeNormal"
        x: 146
        y: 170
        index: 0
        chkStr: globalPage.str(37)
        isSelect: globalPage.sizePos === 0
        onClicked: index => globalPage.selectSize(index)
    }
    RadioButton {
        objectName: "sizeLarger"
        x: 238
        y: 170
        index: 1
        chkStr: globalPage.str(38)
        isSelect: globalPage.sizePos === 1
        onClicked: index => globalPage.selectSize(index)
    }

    Label {
        y: 196
        text: globalPage.str(35)
    }
    // The seven presets are one stop: Left and Right choose the neighbour.
    Row {
        id: presets
        objectName: "presets"
        x: 146
        y: 199
        spacing: 4
        activeFocusOnTab: true
        Accessible.role: Accessible.Grouping
        Accessible.name: globalPage.str(35) + " " + (globalPage.selectedPreset + 1)
        Accessible.focusable: true
        Keys.onPressed: event => {
            let next = globalPage.selectedPreset;
            if (event.key === Qt.Key_Left || event.key === Qt.Key_Up)
                next = Math.max(0, next - 1);
            else if (event.key === Qt.Key_Right || event.key === Qt.Key_Down)
                next = Math.min(6, next + 1);
            else
                return;
            event.accepted = true;
            if (next !== globalPage.selectedPreset) {
                ui_View.playMedia_Index(4);
                globalPage.selectPreset(next);
            }
        }
        Repeater {
            model: 7
            delegate: Rectangle {
                id: swatch
                required property int index
                objectName: "preset" + index
                width: 20
                height: 18
                radius: 3
                color: Qt.rgba(globalPage.presetColors[index][0] / 255, globalPage.presetColors[index][1] / 255, globalPage.presetColors[index][2] / 255, 1)
                border.width: index === globalPage.selectedPreset ? 2 : 1
                border.color: index === globalPage.selectedPreset ? "#FFFFFFFF" : "#60FFFFFF"
                Accessible.role: Accessible.RadioButton
                Accessible.name: globalPage.str(35) + " " + (swatch.index + 1)
                Accessible.checkable: true
                Accessible.checked: swatch.index === globalPage.selectedPreset
                Accessible.onPressAction: globalPage.selectPreset(swatch.index)
                FocusMark {
                    visible: presets.activeFocus && swatch.index === globalPage.selectedPreset
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: {
                        ui_View.playMedia_Index(4);
                        globalPage.selectPreset(swatch.index);
                    }
                }
            }
        }
    }

    // From the keyboard, Up and Down walk the strip in sixteen steps.
    Rectangle {
        id: colorStrip
        objectName: "colorStrip"
        property int keyStep: 0
        function pick(y) {
            const at = Math.max(0, Math.min(colorStrip.height - 1, y));
            globalPage.setPaletteColor(globalPage.stripColor(at, colorStrip.height));
        }
        x: 146
        y: 226
        width: 16
        height: 96
        border.width: 1
        border.color: "#60FFFFFF"
        activeFocusOnTab: true
        Accessible.role: Accessible.Slider
        Accessible.name: globalPage.str(35)
        Accessible.focusable: true
        Keys.onPressed: event => {
            if (event.key === Qt.Key_Up)
                keyStep = Math.max(0, keyStep - 1);
            else if (event.key === Qt.Key_Down)
                keyStep = Math.min(16, keyStep + 1);
            else
                return;
            event.accepted = true;
            pick(keyStep * (height - 1) / 16);
        }
        gradient: Gradient {
            GradientStop { position: 0 / 8; color: "#000000" }
            GradientStop { position: 1 / 8; color: "#FF0000" }
            GradientStop { position: 2 / 8; color: "#FFFF00" }
            GradientStop { position: 3 / 8; color: "#00FF00" }
            GradientStop { position: 4 / 8; color: "#00FFFF" }
            GradientStop { position: 5 / 8; color: "#0000FF" }
            GradientStop { position: 6 / 8; color: "#FF00FF" }
            GradientStop { position: 7 / 8; color: "#FFFFFF" }
            GradientStop { position: 8 / 8; color: "#000000" }
        }
        FocusMark {}
        MouseArea {
            anchors.fill: parent
            onPressed: mouse => colorStrip.pick(mouse.y)
        }
    }

    Repeater {
        model: ["R", "G", "B"]
        delegate: Item {
            id: channel
            required property int index
            required property string modelData
            x: 176
            y: 226 + index * 26
            width: 90
            height: 22
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: channel.modelData
                font.family: root.globalSetting_fontFamily
                font.pixelSize: root.globalSetting_size
                font.bold: true
                color: root.globalSetting_color_enable
            }
            Rectangle {
                x: 18
                width: 46
                height: 22
                radius: 3
                color: "#60000000"
                border.width: field.activeFocus ? 2 : 1
                border.color: field.activeFocus ? root.globalSetting_color : "#50FFFFFF"
                TextInput {
                    id: field
                    objectName: "field" + channel.modelData
                    anchors.fill: parent
                    anchors.margins: 3
                    horizontalAlignment: TextInput.AlignHCenter
                    verticalAlignment: TextInput.AlignVCenter
                    maximumLength: 3
                    validator: IntValidator { bottom: 0; top: 255 }
                    selectByMouse: true
                    activeFocusOnTab: true
                    Accessible.role: Accessible.EditableText
                    Accessible.name: channel.modelData
                    font.family: root.globalSetting_fontFamily
                    font.pixelSize: root.globalSetting_size
                    color: root.globalSetting_color
                    text: String(globalPage.paletteColor[channel.index])
                    onEditingFinished: {
                        const rgb = globalPage.paletteColor.slice();
                        rgb[channel.index] = Math.max(0, Math.min(255, parseInt(text, 10) || 0));
                        globalPage.setPaletteColor(rgb);
                        text = Qt.binding(() => String(globalPage.paletteColor[channel.index]));
                    }
                }
            }
        }
    }

    Rectangle {
        x: 266
        y: 226
        width: 56
        height: 74
        radius: 4
        color: "#60000000"
        border.width: 1
        border.color: "#50FFFFFF"
        Text {
            anchors.centerIn: parent
            text: "Aa"
            font.family: root.globalSetting_fontFamily
            font.pixelSize: 26
            font.bold: true
            color: globalPage._Color
        }
    }

    Label {
        y: 330
        text: globalPage.str(36)
    }
    Slider {
        id: brightnessSlider
        objectName: "brightnessSlider"
        x: 146
        y: 335
        width: 170
        currentIndex: 7
        Accessible.name: globalPage.str(36)
        onSliderClicked: index => globalPage.brightnessPos = index
    }

    Button_2state {
        id: defaultButton
        objectName: "btnDefault"
        x: 22
        y: 378
        source0: root.skinPath + "common/btnDefault_0.png"
        source1: root.skinPath + "common/btnDefault_1.png"
        Accessible.name: globalPage.str(106)
        onClicked: globalPage.reset()
    }
    Button_2state {
        id: applyButton
        objectName: "btnApply"
        x: 340 - 22 - width
        y: 378
        source0: root.skinPath + "common/btnApply_0.png"
        source1: root.skinPath + "common/btnApply_1.png"
        Accessible.name: globalPage.str(107)
        onClicked: globalPage.apply()
    }
    Text {
        anchors.centerIn: parent
        anchors.verticalCenterOffset: 392 - parent.height / 2
        visible: defaultButton.mouse.containsMouse || applyButton.mouse.containsMouse || defaultButton.activeFocus || applyButton.activeFocus
        text: (defaultButton.mouse.containsMouse || (defaultButton.activeFocus && !applyButton.mouse.containsMouse)) ? globalPage.str(106) : globalPage.str(107)
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size
        font.bold: true
        color: root.globalSetting_color
    }
}
