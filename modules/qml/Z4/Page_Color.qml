pragma ComponentBehavior: Bound
import QtQuick
import ".."

// Lighting page: the LED effect with its brightness or speed, and the
// palette of the lighting stages. The effect is sent by apply; a palette
// colour as soon as it changes.
Item {
    id: page

    property int initCount: 0
    property int refreshCount: 0
    // Number of palette stages the device offers (device table).
    property int colorMaxStage: 8
    property var paletteColors: [255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 0, 255, 0, 255, 255, 255, 255, 0, 255, 255, 255, 255, 127, 0]
    readonly property int effect: effectList.curIndex < 0 ? 0 : effectList.curIndex

    readonly property int effectOff: 0
    readonly property int effectStatic: 1
    readonly property int effectBreathing: 2
    readonly property int effectNeon: 3

    width: 759
    height: 396

    function translateStrings() {
        const texts = [Theme.str(32), Theme.str(13), Theme.str(14), Theme.str(20)];
        if (effectItems.count !== texts.length) {
            effectItems.clear();
            for (let i = 0; i < texts.length; ++i)
                effectItems.append({ textX: texts[i] });
        } else {
            for (let i = 0; i < texts.length; ++i)
                effectItems.setProperty(i, "textX", texts[i]);
        }
    }

    function initUI(deviceApConfig) {
        initCount++;
        if (deviceApConfig && deviceApConfig.length > 0) {
            const stages = Number(deviceApConfig[0]);
            colorMaxStage = (stages >= 0 && stages <= 8) ? stages : 8;
        }
        readSettings();
    }
    function refresh() {
        refreshCount++;
        readSettings();
    }
    function readSettings() {
        const colours = App.view.ui_90H_GetLED8StageColor(0);
        if (colours && colours.length === 24)
            paletteColors = colours.map(Number);
        const configs = App.view.ui_8DH_GetRGBLedEffect();
        if (configs && configs.length === 3) {
            effectList.setCurIndex(Math.min(Math.max(Number(configs[0]), 0), 3));
            brightnessSlider.setCurIndex(Number(configs[1]));
            speedSlider.setCurIndex(Number(configs[2]));
        }
    }

    // Halves round up.
    function roundHalfUp(x) {
        return Math.floor(x + 0.5);
    }
    function option1For(effectIndex, brightness, speed) {
        switch (effectIndex) {
        case effectStatic:
            return 1 + roundHalfUp(brightness * 9 / 7);
        case effectBreathing:
            return 1 + roundHalfUp((7 - speed) * 4 / 7);
        case effectNeon:
            return 1 + roundHalfUp(speed * 29 / 7);
        default:
            return brightness;
        }
    }

    function sendEffect() {
        const b = brightnessSlider.currentIndex;
        const s = speedSlider.currentIndex;
        App.view.ui_0DH_SetRGBLedEffect(effect, option1For(effect, b, s), 2, [effect, b, s]);
    }
    function apply() {
        App.lock(800, App.saving);
        App.deviceAction("apply", () => sendEffect());
    }
    function reset() {
        effectList.setCurIndex(effectBreathing);
        brightnessSlider.setCurIndex(7);
        speedSlider.setCurIndex(7);
    }

    function setPaletteColor(stage, r, g, b) {
        if (stage < 0 || stage >= colorMaxStage)
            return;
        const colours = paletteColors.slice();
        colours[3 * stage] = r & 0xFF;
        colours[3 * stage + 1] = g & 0xFF;
        colours[3 * stage + 2] = b & 0xFF;
        paletteColors = colours;
        App.view.ui_10H_SetLED8StageColor(0, colours);
    }

    ListModel { id: effectItems }

    Component.onCompleted: translateStrings()

    Column {
        x: 24
        y: 10
        spacing: 10

        Caption {
            text: Theme.str(7)
        }
        DropdownList {
            id: effectList
            objectName: "ledEffectList"
            Accessible.description: Theme.str(7)
            width: 200
            height: 24
            z: 50
            defaultIndex: 0
            mdItems: effectItems
        }
        Caption {
            text: Theme.str(4)
            opacity: brightnessSlider.enabled ? 1.0 : 0.2
        }
        Slider {
            id: brightnessSlider
            objectName: "ledBrightnessSlider"
            Accessible.name: Theme.str(4)
            width: 168
            currentIndex: 7
            enabled: page.effect === page.effectStatic
        }
        Caption {
            text: Theme.str(3)
            opacity: speedSlider.enabled ? 1.0 : 0.2
        }
        Slider {
            id: speedSlider
            objectName: "ledSpeedSlider"
            Accessible.name: Theme.str(3)
            width: 168
            currentIndex: 4
            enabled: page.effect === page.effectBreathing || page.effect === page.effectNeon
        }

        // Not shown on this product: one swatch per lighting stage.
        Row {
            id: paletteRow
            objectName: "ledPalette"
            visible: false
            spacing: 6
            Repeater {
                model: page.colorMaxStage
                delegate: Rectangle {
                    required property int index
                    width: 18
                    height: 18
                    color: Qt.rgba(page.paletteColors[3 * index] / 255, page.paletteColors[3 * index + 1] / 255, page.paletteColors[3 * index + 2] / 255, 1)
                }
            }
        }
    }

    PageButtons {
        name: "Color"
        anchors.right: parent.right
        anchors.rightMargin: 24
        y: 350
        applyEnabled: App.deviceConnected
        onResetClicked: page.reset()
        onApplyClicked: page.apply()
    }
}
