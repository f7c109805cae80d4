pragma ComponentBehavior: Bound
import QtQuick
import ".."
import "texts.mjs" as Texts

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
    property var _StringList: Texts.english
    property string _FontFamily: "Arial"
    property string _Url: ""
    property int skin_No: 1
    property bool isCustomBackground: false
    property string sourceCustomBackground: ""

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

    // Entries of the settings list (loadApConfig, saveApConfig); the seven
    // preset colours take three entries each from `presetsAt`.
    readonly property var at: ({
            version: 0,
            skin: 1,
            sound: 2,
            animation: 3,
            language: 4,
            customBackground: 5,
            backgroundPath: 6,
            size: 7,
            presetsAt: 8,
            selectedPreset: 29,
            brightness: 30,
            url: 31
        })

    signal languageSelected(string code)
    // The settings were stored: the panel may close.
    signal applied

    width: 340
    height: 420

    function initUI() {
        const config = App.view.loadApConfig();
        if (config && config.length > 0)
            applyConfig(config);
        else
            fillLanguages(); // without stored settings the user can still pick a language
        skinListVisible = App.view.getIsSkinShow();
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
        selectSkin(entryInt(config, at.skin, skin_No, 1, 99) - 1);

        const sound = entryInt(config, at.sound, 0, 0, 1);
        App.view.setEnableAudio(sound === 0);
        soundPos = sound;
        soundList.setCurIndex(sound);

        selectAnimation(entryInt(config, at.animation, 0, 0, 1));

        fillLanguages();
        const language = entryInt(config, at.language, -1, -1, 9999);
        if (language >= 0 && language < languageCodes.length)
            selectLanguage(language);

        isCustomBackground = entryBool(config, at.customBackground);
        sourceCustomBackground = String(entry(config, at.backgroundPath, ""));

        selectSize(entryInt(config, at.size, 0, 0, 1));

        presetColors = presetColors.map((rgb, i) => rgb.map((c, k) => entryInt(config, at.presetsAt + 3 * i + k, c, 0, 255)));
        selectPreset(entryInt(config, at.selectedPreset, 0, 0, 6));

        brightnessPos = entryInt(config, at.brightness, 7, 0, 7);
        brightnessSlider.setCurIndex(brightnessPos);

        if (config.length > at.url)
            _Url = String(config[at.url]);
    }

    // The list in the order of `at`.
    function apply() {
        const list = [1, skin_No, soundPos, animationPos, languagePos, isCustomBackground, sourceCustomBackground, sizePos];
        for (const rgb of presetColors)
            list.push(rgb[0], rgb[1], rgb[2]);
        list.push(selectedPreset, brightnessPos, _Url);
        App.view.saveApConfig(list);
        applied();
    }

    function reset() {
        selectSound(1);
        App.view.resetApconfig();
        initUI();
        App.view.playMedia_Index(0);
    }

    function selectSkin(index) {
        skin_No = index + 1;
        skinList.setCurIndex(index);
    }
    function selectSound(index) {
        soundPos = index;
        soundList.setCurIndex(index);
        if (index === 0) {
            App.view.setEnableAudio(true);
            App.view.playMedia_Index(0);
        } else {
            App.view.setEnableAudio(false);
            App.view.clearAllMedia();
        }
    }
    function selectAnimation(index) {
        animationPos = index;
        animationList.setCurIndex(index);
        _AnimationSpeed = index === 0 ? 800 : 10;
    }
    function fillLanguages() {
        const map = App.view.chkLanguages();
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
        const strings = App.view.getGlobalStrings(code);
        const merged = Texts.english.slice();
        for (let i = 0; strings && i < strings.length; ++i) {
            if (strings[i] !== undefined && String(strings[i]) !== "")
                merged[i] = String(strings[i]);
        }
        _StringList = merged;
        _FontFamily = merged[0];
        languageSelected(code);
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
            const path = App.view.getCustomFilePath();
            if (path !== undefined && String(path) !== "") {
                sourceCustomBackground = "file:" + path;
                isCustomBackground = true;
            } else {
                sourceCustomBackground = "";
                isCustomBackground = false;
            }
        } else {
            sourceCustomBackground = "";
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
                model.setProperty(i, "textX", Theme.str(indexes[i]));
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
        source: Theme.skin("list_center/panelBackground.png")
    }

    // Clicks on the panel's empty parts must not reach the window's drag area.
    MouseArea {
        anchors.fill: parent
    }

    component RowLabel: Label {
        x: 22
        width: 118
        height: 24
        verticalAlignment: Text.AlignVCenter
        font.bold: true
    }

    // Rows are declared top-down, which is the keyboard's order; an open
    // list raises itself over the rows below.
    RowLabel {
        y: 16
        visible: globalPage.skinListVisible
        text: Theme.str(26)
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
        Accessible.description: Theme.str(26)
        onListElementClicked: index => globalPage.selectSkin(index)
    }

    RowLabel {
        y: 46
        text: Theme.str(27)
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
        Accessible.description: Theme.str(27)
        onListElementClicked: index => globalPage.selectSound(index)
    }

    RowLabel {
        y: 76
        text: Theme.str(28)
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
        Accessible.description: Theme.str(28)
        onListElementClicked: index => globalPage.selectAnimation(index)
    }

    RowLabel {
        y: 106
        text: Theme.str(29)
    }
    DropdownList {
        id: languageList
        objectName: "languageList"
        x: 146
        y: 106
        width: 170
        height: 24
        mdItems: languageModel
        Accessible.description: Theme.str(29)
        onListElementClicked: index => globalPage.selectLanguage(index)
    }

    RowLabel {
        y: 136
        text: Theme.str(30)
    }
    Label {
        id: backgroundSwitch
        objectName: "backgroundSwitch"
        function toggle() {
            App.click();
            globalPage.toggleBackground();
        }
        x: 146
        y: 136
        height: 24
        verticalAlignment: Text.AlignVCenter
        text: "【 " + (globalPage.isCustomBackground ? Theme.str(31) : Theme.str(32)) + " 】"
        font.bold: true
        color: (globalPage.isCustomBackground || backgroundArea.containsMouse) ? Theme.color : Theme.colorEnable
        activeFocusOnTab: true
        Accessible.role: Accessible.CheckBox
        Accessible.name: Theme.str(30)
        Accessible.checkable: true
        Accessible.checked: globalPage.isCustomBackground
        Accessible.focusable: true
        Accessible.onPressAction: toggle()
        Accessible.onToggleAction: toggle()
        Keys.onPressed: event => {
            if (App.isActivation(event)) {
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

    RowLabel {
        y: 166
        text: Theme.str(33) + " " + Theme.str(34)
    }
    RadioButton {
        objectName: "sizeNormal"
        x: 146
        y: 170
        index: 0
        chkStr: Theme.str(37)
        isSelect: globalPage.sizePos === 0
        onClicked: index => globalPage.selectSize(index)
    }
    RadioButton {
        objectName: "sizeLarger"
        x: 238
        y: 170
        index: 1
        chkStr: Theme.str(38)
        isSelect: globalPage.sizePos === 1
        onClicked: index => globalPage.selectSize(index)
    }

    RowLabel {
        y: 196
        text: Theme.str(35)
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
        Accessible.name: Theme.str(35) + " " + (globalPage.selectedPreset + 1)
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
                App.click();
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
                Accessible.name: Theme.str(35) + " " + (swatch.index + 1)
                Accessible.checkable: true
                Accessible.checked: swatch.index === globalPage.selectedPreset
                Accessible.onPressAction: globalPage.selectPreset(swatch.index)
                FocusMark {
                    visible: presets.activeFocus && swatch.index === globalPage.selectedPreset
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: {
                        App.click();
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
        Accessible.name: Theme.str(35)
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
            Label {
                anchors.verticalCenter: parent.verticalCenter
                text: channel.modelData
                font.bold: true
            }
            Rectangle {
                x: 18
                width: 46
                height: 22
                radius: 3
                color: "#60000000"
                border.width: field.activeFocus ? 2 : 1
                border.color: field.activeFocus ? Theme.color : "#50FFFFFF"
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
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.size
                    color: Theme.color
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
            font.family: Theme.fontFamily
            font.pixelSize: 26
            font.bold: true
            color: globalPage._Color
        }
    }

    RowLabel {
        y: 330
        text: Theme.str(36)
    }
    Slider {
        id: brightnessSlider
        objectName: "brightnessSlider"
        x: 146
        y: 335
        width: 170
        currentIndex: 7
        Accessible.name: Theme.str(36)
        onSliderClicked: index => globalPage.brightnessPos = index
    }

    Button_2state {
        id: defaultButton
        objectName: "btnDefault"
        x: 22
        y: 378
        source0: Theme.skin("common/btnDefault_0.png")
        source1: Theme.skin("common/btnDefault_1.png")
        Accessible.name: Theme.str(106)
        onClicked: globalPage.reset()
    }
    Button_2state {
        id: applyButton
        objectName: "btnApply"
        x: 340 - 22 - width
        y: 378
        source0: Theme.skin("common/btnApply_0.png")
        source1: Theme.skin("common/btnApply_1.png")
        Accessible.name: Theme.str(107)
        onClicked: globalPage.apply()
    }
    Caption {
        anchors.centerIn: parent
        anchors.verticalCenterOffset: 392 - parent.height / 2
        visible: defaultButton.mouse.containsMouse || applyButton.mouse.containsMouse || defaultButton.activeFocus || applyButton.activeFocus
        text: (defaultButton.mouse.containsMouse || (defaultButton.activeFocus && !applyButton.mouse.containsMouse)) ? Theme.str(106) : Theme.str(107)
    }
}
