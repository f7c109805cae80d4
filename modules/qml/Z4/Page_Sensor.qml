import QtQuick
import "../common"

// Sensor page: report rate, the three pointer settings of the desktop, the
// DPI stages of the sensor and the DPI indicator colours. DPI values and
// colours are sent when they change; the rest waits for apply.
Item {
    id: page

    property int initCount: 0
    property int sensorType: 0
    property bool isLogoLedWork: false
    property int dpiMAXStage: 8
    // DPI indicator colours of the eight stages: RGB triples (type 1) and
    // colour indices into `logoColors` (type 2).
    property var stageRgb: [255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 0, 255, 0, 255, 255, 255, 255, 0, 255, 255, 255, 255, 127, 0]
    property var stageColorIndex: [0, 1, 2, 3, 4, 5, 6, 7]

    readonly property var defaultStageValues: [
        [500, 1000, 1500, 2000, 0, 0, 0, 0],
        [1000, 2500, 3500, 7000, 0, 0, 0, 0],
        [500, 1000, 1500, 2500, 0, 0, 0, 0],
        [1000, 2000, 4000, 8000, 0, 0, 0, 0]
    ]
    readonly property var menuValues: [
        [0, 250, 500, 750, 1000, 1250, 1500, 1750, 2000, 2500, 3000, 3500, 4000],
        [0, 500, 1000, 1750, 2000, 2500, 3000, 3500, 4000, 5000, 6000, 7000],
        [0, 250, 500, 750, 1000, 1250, 1500, 1750, 2000, 2500, 2750],
        [0, 600, 800, 1000, 1200, 1600, 2000, 2400, 2800, 3200, 3600, 4000, 4500, 5000, 6000, 7000, 8000, 10000]
    ]
    // DPI value → stage byte per sensor type; a value not listed switches
    // the stage off (80).
    readonly property var dpiSetTables: [
        { 250: 0x01, 500: 0x02, 750: 0x03, 1000: 0x04, 1250: 0x05, 1500: 0x06, 1750: 0x07, 2000: 0x08, 2500: 0x45, 3000: 0x46, 3500: 0x47, 4000: 0x48 },
        { 500: 0x02, 1000: 0x04, 1750: 0x07, 2000: 0x08, 2500: 0x0A, 3000: 0x0C, 3500: 0x0E, 4000: 0x48, 5000: 0x4A, 6000: 0x4C, 7000: 0x4E },
        { 250: 0x02, 500: 0x04, 750: 0x06, 1000: 0x08, 1250: 0x0A, 1500: 0x46, 1750: 0x47, 2000: 0x48, 2500: 0x4A, 2750: 0x4B },
        { 600: 0x05, 800: 0x07, 1000: 0x09, 1200: 0x0B, 1600: 0x0F, 2000: 0x13, 2400: 0x17, 2800: 0x1B, 3200: 0x1F, 3600: 0x23, 4000: 0x27, 4500: 0x2C, 5000: 0x31, 6000: 0x5D, 7000: 0x62, 8000: 0x67, 10000: 0x71 }
    ]
    readonly property int stageOff: 0x80
    // The colours the logo LED can show, by index.
    readonly property var logoColors: [[255, 0, 0], [0, 255, 0], [0, 0, 255], [255, 0, 255], [0, 255, 255], [255, 255, 0], [255, 255, 255], [255, 127, 0]]

    width: 759
    height: 396

    function str(index, fallback) {
        const s = root.globalSetting_stringList[index];
        return (s === undefined || String(s) === "") ? fallback : String(s);
    }

    function knownSensor(type) {
        return type >= 0 && type <= 3;
    }
    function defaultValuesFor(type) {
        return knownSensor(type) ? defaultStageValues[type].slice() : [0, 0, 0, 0, 0, 0, 0, 0];
    }
    function dpiValueToDpiSet(type, value) {
        if (!knownSensor(type))
            return stageOff;
        const table = dpiSetTables[type];
        const key = Number(value);
        return Object.prototype.hasOwnProperty.call(table, key) ? table[key] : stageOff;
    }
    function dpiBytes() {
        const values = stages.valueForIndex;
        const bytes = [];
        for (let i = 0; i < 8; ++i)
            bytes.push(dpiValueToDpiSet(sensorType, values[i]));
        return bytes;
    }
    function ratePosition(rateByte) {
        return Math.min(Math.max(4 - _KeyCodeString.logByte(rateByte), 0), 3);
    }
    function rateByte(position) {
        return 1 << (3 - position);
    }
    function stagePosition(stage) {
        return Math.min(Math.max(Number(stage) - 1, 0), 7);
    }
    function toNumbers(list, count) {
        const numbers = [];
        for (let i = 0; i < count; ++i)
            numbers.push(Number(list[i]));
        return numbers;
    }

    function setSensorType(type) {
        sensorType = knownSensor(type) ? type : -1;
        stages.valueForMenuIndex = knownSensor(type) ? menuValues[type] : [];
        stages.menuCounter = stages.valueForMenuIndex.length;
    }

    function initUI() {
        initCount++;
        const type = Number(ui_View.getSensorType());
        setSensorType(isNaN(type) ? -1 : type);
        isLogoLedWork = Boolean(ui_View.chkIsLogoLedWork());
        const count = Number(ui_View.ui_91H_SyncDPI());
        // The device answers 1…8; anything else is a failed read.
        dpiMAXStage = (count >= 1 && count <= 8) ? count : 8;
        rateGroup.setCurIndex(ratePosition(ui_View.ui_81H_GetReportRate()));
        cursorSlider.setCurIndex(Number(ui_View.getCursorSpeed()));
        scrollSlider.setCurIndex(Number(ui_View.getVerticalScrollLines()));
        doubleClickSlider.setCurIndex(Number(ui_View.getDoubleClickSpeed()));
        const stage = ui_View.ui_8BH_GetCurrentDPIStage();
        const stored = ui_View.ui_91H_GetDPISet();
        // A profile without DPI values shows the sensor's defaults.
        stages.valueForIndex = (stored && stored.length >= 8) ? toNumbers(stored, 8) : defaultValuesFor(sensorType);
        stages.setCurIndex(stagePosition(stage));
        const rgb = ui_View.ui_90H_GetLED8StageColor(1);
        if (rgb && rgb.length === 24)
            stageRgb = toNumbers(rgb, 24);
        const indices = ui_View.ui_90H_GetLED8StageColor(2);
        if (indices && indices.length === 8)
            stageColorIndex = toNumbers(indices, 8);
    }

    function sendDpiSet() {
        ui_View.ui_11H_SetDPISet(dpiMAXStage, dpiBytes(), stages.valueForIndex.slice());
    }
    function sendStageColors() {
        if (isLogoLedWork)
            ui_View.ui_10H_SetLED8StageColor(2, stageColorIndex.slice());
        else
            ui_View.ui_10H_SetLED8StageColor(1, stageRgb.slice());
    }

    // The stage whose value was switched off cannot stay selected.
    function keepSelectionOn() {
        const values = stages.valueForIndex;
        if (Number(values[stages.currentIndex]) !== 0)
            return;
        for (let i = 0; i < dpiMAXStage; ++i) {
            if (Number(values[i]) !== 0) {
                stages.setCurIndex(i);
                return;
            }
        }
    }
    function dpiValueChosen(stage, value) {
        keepSelectionOn();
        sendDpiSet();
    }
    // Sets one stage's value as the stage's "▼" menu does.
    function setStageValue(stage, value) {
        const values = stages.valueForIndex.slice();
        values[stage] = Number(value);
        stages.valueForIndex = values;
        dpiValueChosen(stage, value);
    }

    function chooseStageColor(colorIndex) {
        const stage = stages.currentIndex;
        if (stage < 0 || stage > 7 || colorIndex < 0 || colorIndex > 7)
            return;
        const indices = stageColorIndex.slice();
        indices[stage] = colorIndex;
        stageColorIndex = indices;
        const rgb = stageRgb.slice();
        for (let k = 0; k < 3; ++k)
            rgb[3 * stage + k] = logoColors[colorIndex][k];
        stageRgb = rgb;
        sendStageColors();
    }
    function stageColor(stage) {
        if (isLogoLedWork) {
            const c = logoColors[Math.min(7, Math.max(0, Number(stageColorIndex[stage])))];
            return Qt.rgba(c[0] / 255, c[1] / 255, c[2] / 255, 1);
        }
        return Qt.rgba(stageRgb[3 * stage] / 255, stageRgb[3 * stage + 1] / 255, stageRgb[3 * stage + 2] / 255, 1);
    }

    function sendSettings() {
        ui_View.ui_01H_SetReportRate(rateByte(rateGroup.currentIndex));
        ui_View.setCursorSpeed(cursorSlider.currentIndex);
        ui_View.setVerticalScrollLines(scrollSlider.currentIndex);
        ui_View.setDoubleClickSpeed(doubleClickSlider.currentIndex);
        ui_View.ui_0BH_SetCurrentDPIStage(stages.currentIndex + 1);
    }
    function apply() {
        root.setProtectUI(1600);
        root.deviceAction("apply", () => sendSettings());
    }

    // Factory values: [rate, cursor, scroll, double-click, 8 DPI values,
    // stage, 24 colour values, 8 colour indices]. Without the factory file
    // only the five scalars arrive and the sensor's DPI defaults stand in.
    function loadDefaults() {
        const configs = ui_View.loadDefaultProfile(3);
        if (!configs || configs.length < 5)
            return;
        rateGroup.setCurIndex(ratePosition(configs[0]));
        cursorSlider.setCurIndex(Number(configs[1]));
        scrollSlider.setCurIndex(Number(configs[2]));
        doubleClickSlider.setCurIndex(Number(configs[3]));
        if (configs.length >= 13) {
            stages.valueForIndex = toNumbers(configs.slice(4, 12), 8);
            stages.setCurIndex(stagePosition(configs[12]));
        } else {
            stages.valueForIndex = defaultValuesFor(sensorType);
            stages.setCurIndex(stagePosition(configs[4]));
        }
        if (configs.length >= 37)
            stageRgb = toNumbers(configs.slice(13, 37), 24);
        if (configs.length >= 45)
            stageColorIndex = toNumbers(configs.slice(37, 45), 8);
        sendDpiSet();
        sendStageColors();
    }
    function reset() {
        root.setProtectUI(800);
        root.deviceAction("reset", () => loadDefaults());
    }

    Connections {
        target: root
        function onBtnTotalResetClicked() {
            page.loadDefaults();
        }
        function onBtnTotalApplyClicked() {
            page.sendSettings();
        }
    }

    component Caption: Text {
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size
        font.bold: true
        color: root.globalSetting_color
    }

    Column {
        x: 24
        y: 10
        spacing: 8

        Caption {
            text: page.str(100, "POLLING RATE")
        }
        ButtonGroup_4 {
            id: rateGroup
            objectName: "rateGroup"
            currentIndex: 2
            valueForIndex: ["125 Hz", "250 Hz", "500 Hz", "1000 Hz"]
        }

        Row {
            spacing: 30
            Column {
                spacing: 6
                Caption {
                    text: page.str(101, "CURSOR SPEED")
                }
                Slider_11 {
                    id: cursorSlider
                    objectName: "cursorSlider"
                    width: 200
                    currentIndex: 5
                }
            }
            Column {
                spacing: 6
                Caption {
                    text: page.str(102, "VERTICAL SCROLL SPEED")
                }
                Slider_11 {
                    id: scrollSlider
                    objectName: "scrollSlider"
                    width: 200
                    currentIndex: 2
                }
            }
            Column {
                spacing: 6
                Caption {
                    text: page.str(103, "DOUBLE CLICK SPEED")
                }
                Slider_11 {
                    id: doubleClickSlider
                    objectName: "doubleClickSlider"
                    width: 200
                    currentIndex: 5
                }
            }
        }

        Caption {
            text: page.str(104, "DPI LEVEL")
        }
        ButtonGroupPro_8 {
            id: stages
            objectName: "dpiStages"
            z: 50
            currentIndex: 1
            maxStage: page.dpiMAXStage
            valueForIndex: page.defaultStageValues[0]
            valueForMenuIndex: page.menuValues[0]
            menuCounter: page.menuValues[0].length
            onValueChanged: (index, value) => page.dpiValueChosen(index, value)
        }

        // Not shown on this product; the colour of the selected stage and the
        // eight colours the indicator can take.
        Column {
            id: dpiColors
            objectName: "dpiColors"
            visible: false
            spacing: 6
            Caption {
                text: page.str(105, "DPI INDICATOR LED")
            }
            Row {
                spacing: 6
                Rectangle {
                    width: 24
                    height: 24
                    color: page.stageColor(stages.currentIndex)
                    border.color: root.globalSetting_color
                }
                Repeater {
                    model: page.logoColors.length
                    delegate: Rectangle {
                        id: swatch
                        required property int index
                        objectName: "dpiColor" + index
                        width: 18
                        height: 18
                        color: Qt.rgba(page.logoColors[index][0] / 255, page.logoColors[index][1] / 255, page.logoColors[index][2] / 255, 1)
                        MouseArea {
                            anchors.fill: parent
                            onClicked: page.chooseStageColor(swatch.index)
                        }
                    }
                }
            }
        }
    }

    Button_2state {
        id: resetButton
        objectName: "btnSensorReset"
        enabled: root.deviceConnected
        x: 759 - 24 - 2 * width - 16
        y: 350
        source0: root.skinPath + "common/btnDefault_0.png"
        source1: root.skinPath + "common/btnDefault_1.png"
        onClicked: page.reset()
    }
    Button_2state {
        id: applyButton
        objectName: "btnSensorApply"
        enabled: root.deviceConnected
        x: 759 - 24 - width
        y: 350
        source0: root.skinPath + "common/btnApply_0.png"
        source1: root.skinPath + "common/btnApply_1.png"
        onClicked: page.apply()
    }
    Text {
        anchors.right: resetButton.left
        anchors.rightMargin: 10
        anchors.verticalCenter: resetButton.verticalCenter
        visible: resetButton.mouse.containsMouse || applyButton.mouse.containsMouse
        text: resetButton.mouse.containsMouse ? page.str(106, "DEFAULT") : page.str(107, "APPLY")
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size
        font.bold: true
        color: root.globalSetting_color
    }
}
