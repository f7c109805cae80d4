pragma ComponentBehavior: Bound
import QtQuick
import ".."
import "sensors.mjs" as Sensors

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
    // colour indices into the logo's colours (type 2).
    readonly property var factoryColorIndex: [0, 1, 2, 3, 4, 5, 6, 7]
    readonly property var factoryRgb: {
        const rgb = [];
        for (const i of factoryColorIndex)
            rgb.push(...Sensors.logoColors[i]);
        return rgb;
    }
    property var stageRgb: factoryRgb.slice()
    property var stageColorIndex: factoryColorIndex.slice()
    // Positions in the factory list of loadDefaultProfile(3).
    readonly property var at: ({
            rate: 0,
            cursor: 1,
            scroll: 2,
            doubleClick: 3,
            dpi: 4,
            stage: 12,
            rgb: 13,
            colorIndex: 37
        })

    width: 759
    height: 396

    function knownSensor(type) {
        return type >= 0 && type <= 3;
    }
    function defaultValuesFor(type) {
        return knownSensor(type) ? Sensors.defaultStages[type].slice() : [0, 0, 0, 0, 0, 0, 0, 0];
    }
    function dpiValueToDpiSet(type, value) {
        if (!knownSensor(type))
            return Sensors.stageOff;
        const table = Sensors.stageBytes[type];
        const key = Number(value);
        return Object.prototype.hasOwnProperty.call(table, key) ? table[key] : Sensors.stageOff;
    }
    function dpiBytes() {
        const values = stages.valueForIndex;
        const bytes = [];
        for (let i = 0; i < 8; ++i)
            bytes.push(dpiValueToDpiSet(sensorType, values[i]));
        return bytes;
    }
    function ratePosition(rateByte) {
        return Math.min(Math.max(4 - App.keyNames.logByte(rateByte), 0), 3);
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
        stages.valueForMenuIndex = knownSensor(type) ? Sensors.menus[type] : [];
        stages.menuCounter = stages.valueForMenuIndex.length;
    }

    function initUI() {
        initCount++;
        const type = Number(App.view.getSensorType());
        setSensorType(isNaN(type) ? -1 : type);
        isLogoLedWork = Boolean(App.view.chkIsLogoLedWork());
        const count = Number(App.view.ui_91H_SyncDPI());
        // The device answers 1…8; anything else is a failed read.
        dpiMAXStage = (count >= 1 && count <= 8) ? count : 8;
        rateGroup.setCurIndex(ratePosition(App.view.ui_81H_GetReportRate()));
        cursorSlider.setCurIndex(Number(App.view.getCursorSpeed()));
        scrollSlider.setCurIndex(Number(App.view.getVerticalScrollLines()));
        doubleClickSlider.setCurIndex(Number(App.view.getDoubleClickSpeed()));
        const stage = App.view.ui_8BH_GetCurrentDPIStage();
        const stored = App.view.ui_91H_GetDPISet();
        // A profile without DPI values shows the sensor's defaults.
        stages.valueForIndex = (stored && stored.length >= 8) ? toNumbers(stored, 8) : defaultValuesFor(sensorType);
        stages.setCurIndex(stagePosition(stage));
        const rgb = App.view.ui_90H_GetLED8StageColor(1);
        if (rgb && rgb.length === 24)
            stageRgb = toNumbers(rgb, 24);
        const indices = App.view.ui_90H_GetLED8StageColor(2);
        if (indices && indices.length === 8)
            stageColorIndex = toNumbers(indices, 8);
    }

    function sendDpiSet() {
        App.view.ui_11H_SetDPISet(dpiMAXStage, dpiBytes(), stages.valueForIndex.slice());
    }
    function sendStageColors() {
        if (isLogoLedWork)
            App.view.ui_10H_SetLED8StageColor(2, stageColorIndex.slice());
        else
            App.view.ui_10H_SetLED8StageColor(1, stageRgb.slice());
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
            rgb[3 * stage + k] = Sensors.logoColors[colorIndex][k];
        stageRgb = rgb;
        sendStageColors();
    }
    function stageColor(stage) {
        if (isLogoLedWork) {
            const c = Sensors.logoColors[Math.min(7, Math.max(0, Number(stageColorIndex[stage])))];
            return Qt.rgba(c[0] / 255, c[1] / 255, c[2] / 255, 1);
        }
        return Qt.rgba(stageRgb[3 * stage] / 255, stageRgb[3 * stage + 1] / 255, stageRgb[3 * stage + 2] / 255, 1);
    }

    function sendSettings() {
        App.view.ui_01H_SetReportRate(rateByte(rateGroup.currentIndex));
        App.view.setCursorSpeed(cursorSlider.currentIndex);
        App.view.setVerticalScrollLines(scrollSlider.currentIndex);
        App.view.setDoubleClickSpeed(doubleClickSlider.currentIndex);
        App.view.ui_0BH_SetCurrentDPIStage(stages.currentIndex + 1);
    }
    function apply() {
        App.lock(1600, App.saving);
        App.deviceAction("apply", () => sendSettings());
    }

    // Factory values: [rate, cursor, scroll, double-click, 8 DPI values,
    // stage, 24 colour values, 8 colour indices] at fixed positions, an empty
    // text for what the factory file lacks. DPI values that are missing take
    // the sensor's default for their stage; a list holding any value that is
    // not one of this sensor's (a file for another sensor, or one whose lists
    // are mixed up) gives way to the sensor's defaults altogether, so nothing
    // outside the sensor's table is ever sent or stored. Missing or
    // out-of-range colours keep the built-in ones.
    function loadDefaults() {
        const configs = App.view.loadDefaultProfile(3);
        if (!configs || configs.length < 4)
            return;
        const given = i => (i < configs.length && String(configs[i]) !== "" && isFinite(Number(configs[i]))) ? Number(configs[i]) : undefined;
        const orDefault = (i, fallback) => given(i) === undefined ? fallback : given(i);
        rateGroup.setCurIndex(ratePosition(orDefault(at.rate, 2)));
        cursorSlider.setCurIndex(orDefault(at.cursor, 5));
        scrollSlider.setCurIndex(orDefault(at.scroll, 2));
        doubleClickSlider.setCurIndex(orDefault(at.doubleClick, 5));

        const defaults = defaultValuesFor(sensorType);
        const allowed = stages.valueForMenuIndex;
        let values = [];
        for (let i = 0; i < 8; ++i) {
            const v = given(at.dpi + i);
            values.push(v === undefined ? defaults[i] : v);
        }
        if (values.some(v => allowed.indexOf(v) < 0))
            values = defaults;
        stages.valueForIndex = values;
        stages.setCurIndex(stagePosition(orDefault(at.stage, 2)));

        const rgb = factoryRgb.slice();
        for (let i = 0; i < 24; ++i) {
            const v = given(at.rgb + i);
            if (v !== undefined && v >= 0 && v <= 255)
                rgb[i] = v;
        }
        stageRgb = rgb;
        const indices = factoryColorIndex.slice();
        for (let i = 0; i < 8; ++i) {
            const v = given(at.colorIndex + i);
            if (v !== undefined && v >= 0 && v <= 7)
                indices[i] = v;
        }
        stageColorIndex = indices;
        sendDpiSet();
        sendStageColors();
    }
    function reset() {
        App.lock(800, App.loading);
        App.deviceAction("reset", () => loadDefaults());
    }

    Column {
        x: 24
        y: 10
        spacing: 8

        Caption {
            text: Theme.str(100)
        }
        ButtonGroup_4 {
            id: rateGroup
            objectName: "rateGroup"
            Accessible.name: Theme.str(100)
            currentIndex: 2
            valueForIndex: ["125 Hz", "250 Hz", "500 Hz", "1000 Hz"]
        }

        Row {
            spacing: 30
            Column {
                spacing: 6
                Caption {
                    text: Theme.str(101)
                }
                Slider_11 {
                    id: cursorSlider
                    objectName: "cursorSlider"
                    Accessible.name: Theme.str(101)
                    width: 200
                    currentIndex: 5
                }
            }
            Column {
                spacing: 6
                Caption {
                    text: Theme.str(102)
                }
                Slider_11 {
                    id: scrollSlider
                    objectName: "scrollSlider"
                    Accessible.name: Theme.str(102)
                    width: 200
                    currentIndex: 2
                }
            }
            Column {
                spacing: 6
                Caption {
                    text: Theme.str(103)
                }
                Slider_11 {
                    id: doubleClickSlider
                    objectName: "doubleClickSlider"
                    Accessible.name: Theme.str(103)
                    width: 200
                    currentIndex: 5
                }
            }
        }

        Caption {
            text: Theme.str(104)
        }
        ButtonGroupPro_8 {
            id: stages
            objectName: "dpiStages"
            Accessible.name: Theme.str(104)
            z: 50
            currentIndex: 1
            maxStage: page.dpiMAXStage
            valueForIndex: Sensors.defaultStages[0]
            valueForMenuIndex: Sensors.menus[0]
            menuCounter: Sensors.menus[0].length
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
                text: Theme.str(105)
            }
            Row {
                spacing: 6
                Rectangle {
                    width: 24
                    height: 24
                    color: page.stageColor(stages.currentIndex)
                    border.color: Theme.color
                }
                Repeater {
                    model: Sensors.logoColors.length
                    delegate: Rectangle {
                        id: swatch
                        required property int index
                        objectName: "dpiColor" + index
                        width: 18
                        height: 18
                        color: Qt.rgba(Sensors.logoColors[index][0] / 255, Sensors.logoColors[index][1] / 255, Sensors.logoColors[index][2] / 255, 1)
                        MouseArea {
                            anchors.fill: parent
                            onClicked: page.chooseStageColor(swatch.index)
                        }
                    }
                }
            }
        }
    }

    PageButtons {
        name: "Sensor"
        anchors.right: parent.right
        anchors.rightMargin: 24
        y: 350
        resetEnabled: App.deviceConnected
        applyEnabled: App.deviceConnected
        onResetClicked: page.reset()
        onApplyClicked: page.apply()
    }
}
