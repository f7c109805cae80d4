import QtQuick
import QtTest

// The lighting page against a recording ui_View: option1 for every effect and
// slider position, which slider each effect enables, and the palette.
Item {
    id: top
    width: 800
    height: 460

    Component {
        id: harnessComponent
        PageHarness {
            source: "qrc:/modules/qml/Z4/Page_Color.qml"
            resetFunction: "reset"
            applyFunction: "sendEffect"
        }
    }

    TestCase {
        name: "ColorPage"
        when: windowShown

        property var harness: null
        property var page: null
        property var view: null

        function part(name) {
            const found = findChild(page, name);
            verify(found !== null, "no item " + name);
            return found;
        }
        function open(setup, deviceConfig) {
            harness = createTemporaryObject(harnessComponent, top);
            page = harness.page;
            view = harness.view;
            verify(page !== null, "page did not load");
            if (setup)
                setup(view);
            page.initUI(deviceConfig === undefined ? [8] : deviceConfig);
            view.clear();
        }

        function test_option1_for_every_position_data() {
            return [
                { tag: "OFF", effect: 0, slider: "ledBrightnessSlider", values: [0, 1, 2, 3, 4, 5, 6, 7], enabled: [false, false] },
                { tag: "STATIC", effect: 1, slider: "ledBrightnessSlider", values: [1, 2, 4, 5, 6, 7, 9, 10], enabled: [true, false] },
                { tag: "BREATHING", effect: 2, slider: "ledSpeedSlider", values: [5, 4, 4, 3, 3, 2, 2, 1], enabled: [false, true] },
                { tag: "NEON", effect: 3, slider: "ledSpeedSlider", values: [1, 5, 9, 13, 18, 22, 26, 30], enabled: [false, true] }
            ];
        }
        function test_option1_for_every_position(data) {
            open();
            part("ledEffectList").setCurIndex(data.effect);
            // The slider the effect uses is the one enabled.
            compare([part("ledBrightnessSlider").enabled, part("ledSpeedSlider").enabled], data.enabled);
            for (let position = 0; position < 8; ++position) {
                part(data.slider).setCurIndex(position);
                view.clear();
                harness.btnTotalApplyClicked();
                compare(view.calls.length, 1);
                const call = view.calls[0];
                compare(call[0], "ui_0DH_SetRGBLedEffect");
                compare(call[1], data.effect);
                compare(call[2], data.values[position], "position " + position);
                compare(call[3], 2);
                const b = part("ledBrightnessSlider").currentIndex;
                const s = part("ledSpeedSlider").currentIndex;
                compare(call[4], [data.effect, b, s]);
            }
        }

        function test_lists_of_the_wrong_length_are_ignored() {
            open(v => {
                v.ledEffect = [1, 3];
                v.ledColors = { 0: [1, 2, 3] };
            });
            compare(part("ledEffectList").curIndex, 0);
            compare(page.paletteColors.length, 24);
            compare(page.paletteColors[0], 255);
        }

        function test_palette_change_is_sent_at_once() {
            open(v => v.ledColors = { 0: [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0] }, [2]);
            page.setPaletteColor(1, 255, 127, 0);
            compare(view.calls, [["ui_10H_SetLED8StageColor", 0, [0, 0, 0, 255, 127, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]]]);
            // A stage the device does not have is not written.
            page.setPaletteColor(2, 1, 1, 1);
            compare(view.calls.length, 1);
        }
    }
}
