import QtQuick
import QtTest

// The lighting page against a recording ui_View: option1 for every effect and
// slider position, which slider each effect enables, and the palette.
Item {
    width: 800
    height: 460

    PageCase {
        name: "ColorPage"
        source: "Page_Color.qml"
        applyFunction: "sendEffect"

        function test_option1_for_every_position_data() {
            return [
                { tag: "OFF", effect: 0, slider: "ledBrightnessSlider", values: [0, 1, 2, 3, 4, 5, 6, 7], enabled: [false, false] },
                { tag: "STATIC", effect: 1, slider: "ledBrightnessSlider", values: [1, 2, 4, 5, 6, 7, 9, 10], enabled: [true, false] },
                { tag: "BREATHING", effect: 2, slider: "ledSpeedSlider", values: [5, 4, 4, 3, 3, 2, 2, 1], enabled: [false, true] },
                { tag: "NEON", effect: 3, slider: "ledSpeedSlider", values: [1, 5, 9, 13, 18, 22, 26, 30], enabled: [false, true] }
            ];
        }
        function test_option1_for_every_position(data) {
            open(null, [[8]]);
            part("ledEffectList").setCurIndex(data.effect);
            compare([part("ledBrightnessSlider").enabled, part("ledSpeedSlider").enabled], data.enabled);
            for (let position = 0; position < 8; ++position) {
                part(data.slider).setCurIndex(position);
                view.clear();
                harness.btnTotalApplyClicked();
                const levels = [data.effect, part("ledBrightnessSlider").currentIndex, part("ledSpeedSlider").currentIndex];
                compare(view.calls, [["ui_0DH_SetRGBLedEffect", data.effect, data.values[position], 2, levels]], "position " + position);
            }
        }

        function test_lists_of_the_wrong_length_are_ignored() {
            open(v => {
                v.ledEffect = [1, 3];
                v.ledColors = { 0: [1, 2, 3] };
            }, [[8]]);
            compare(part("ledEffectList").curIndex, 0);
            compare(page.paletteColors.length, 24);
            compare(page.paletteColors[0], 255);
        }

        function test_palette_change_is_sent_at_once() {
            const black = new Array(24).fill(0);
            open(v => v.ledColors = { 0: black }, [[2]]);
            page.setPaletteColor(1, 255, 127, 0);
            compare(view.calls, [["ui_10H_SetLED8StageColor", 0, [0, 0, 0, 255, 127, 0].concat(new Array(18).fill(0))]]);
            // A stage the device does not have is not written.
            page.setPaletteColor(2, 1, 1, 1);
            compare(view.calls.length, 1);
        }
    }
}
