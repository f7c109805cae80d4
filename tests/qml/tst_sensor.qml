import QtQuick
import QtTest

// The sensor page: stage bytes, where stored numbers out of range land, stage
// selection, and reset with damaged factory values.
Item {
    width: 800
    height: 460

    PageCase {
        name: "SensorPage"
        source: "Page_Sensor.qml"
        resetFunction: "loadDefaults"

        function test_stage_bytes_data() {
            return [
                { tag: "sensor 0", type: 0, menu: 12, pairs: [[250, 0x01], [2000, 0x08], [2500, 0x45], [4000, 0x48]] },
                { tag: "sensor 1", type: 1, menu: 11, pairs: [[500, 0x02], [2500, 0x0A], [3500, 0x0E], [4000, 0x48], [7000, 0x4E]] },
                { tag: "sensor 2", type: 2, menu: 10, pairs: [[250, 0x02], [1250, 0x0A], [1500, 0x46], [2750, 0x4B]] },
                { tag: "sensor 3", type: 3, menu: 17, pairs: [[600, 0x05], [4500, 0x2C], [5000, 0x31], [6000, 0x5D], [10000, 0x71]] }
            ];
        }
        function test_stage_bytes(data) {
            open(v => v.sensorType = data.type);
            for (const [value, code] of data.pairs.concat([[0, 0x80], [1234, 0x80]]))
                compare(page.dpiValueToDpiSet(data.type, value), code, "value " + value);
            const stages = part("dpiStages");
            compare(stages.menuCounter, data.menu + 1);
            compare(stages.valueForMenuIndex[0], 0);
            for (const value of stages.valueForMenuIndex.slice(1))
                verify(page.dpiValueToDpiSet(data.type, value) !== 0x80, "value " + value);
            compare(stages.valueForMenuIndex[data.menu], data.pairs[data.pairs.length - 1][0]);
        }

        function test_unknown_sensor_offers_nothing() {
            open(v => v.sensorType = 7);
            compare(part("dpiStages").menuCounter, 0);
            compare(part("dpiStages").valueForIndex, [0, 0, 0, 0, 0, 0, 0, 0]);
            compare(page.dpiValueToDpiSet(7, 1000), 0x80);
        }

        // Stored rate and stage numbers out of range land on the nearest row.
        function test_shown_from_reads_data() {
            const dpi = [400, 800, 1200, 1600, 2000, 2400, 2800, 3200];
            return [
                { tag: "rate nothing stored", set: { reportRate: 0 }, check: { rate: 3 } },
                { tag: "500 Hz", set: { reportRate: 2 }, check: { rate: 2 } },
                { tag: "250 Hz", set: { reportRate: 4 }, check: { rate: 1 } },
                { tag: "rate out of range", set: { reportRate: 0x80 }, check: { rate: 0 } },
                { tag: "stage 0", set: { currentStage: 0, dpiSet: dpi }, check: { stage: 0 } },
                { tag: "stage 4", set: { currentStage: 4, dpiSet: dpi }, check: { stage: 3 } },
                { tag: "stage 9", set: { currentStage: 9, dpiSet: dpi }, check: { stage: 7 } },
                { tag: "4 stages", set: { stageCount: 4 }, check: { maxStage: 4, shown: 4 } },
                { tag: "stage count not read", set: { stageCount: 0 }, check: { maxStage: 8, shown: 8 } }
            ];
        }
        function test_shown_from_reads(data) {
            open(v => { for (const key in data.set) v[key] = data.set[key]; });
            const stages = part("dpiStages");
            const shown = {
                rate: part("rateGroup").currentIndex,
                stage: stages.currentIndex,
                maxStage: stages.maxStage,
                shown: Array.from(stages.children[0].children).filter(c => c.value !== undefined && c.visible).length
            };
            for (const key in data.check)
                compare(shown[key], data.check[key], key);
        }

        function test_switching_off_the_selected_stage_moves_the_selection() {
            open(v => v.currentStage = 2);
            compare(part("dpiStages").currentIndex, 1);
            page.setStageValue(1, 0);
            compare(part("dpiStages").currentIndex, 0);
        }

        // Sensor 1's own stages replace what the factory file lacks.
        function test_reset_with_damaged_factory_values_data() {
            const none = ["", "", "", "", "", "", "", ""];
            const backwards = ["7", "6", "5", "4", "3", "2", "1", "0"];
            const own = { values: [1000, 2500, 3500, 7000, 0, 0, 0, 0], bytes: [0x04, 0x0A, 0x0E, 0x4E, 0x80, 0x80, 0x80, 0x80] };
            const rgb = Array.from({ length: 24 }, (_, i) => 10 * (i + 1));
            return [
                { tag: "no factory file", dpi: none, indices: none, dpiSent: own, colours: [2, [0, 1, 2, 3, 4, 5, 6, 7]] },
                { tag: "no DPI list", dpi: none, indices: backwards, dpiSent: own, colours: [2, [7, 6, 5, 4, 3, 2, 1, 0]] },
                { tag: "short DPI list", dpi: ["500", "6000", "", "", "", "", "", ""], indices: ["7", "99", "", "4", "3", "2", "1", "0"],
                  dpiSent: { values: [500, 6000, 3500, 7000, 0, 0, 0, 0], bytes: [0x02, 0x4C, 0x0E, 0x4E, 0x80, 0x80, 0x80, 0x80] }, colours: [2, [7, 1, 2, 4, 3, 2, 1, 0]] },
                { tag: "stage and colour numbers in the DPI list", dpi: ["3", "4", "5000", "9", "0", "", "0", "0"], indices: backwards, dpiSent: own, colours: [2, [7, 6, 5, 4, 3, 2, 1, 0]] },
                { tag: "no logo LED: the RGB colours", noLogo: true, dpi: ["1000", "2500", "3500", "7000", "0", "0", "0", "0"], rgb: rgb, indices: backwards, dpiSent: own, colours: [1, rgb] }
            ];
        }
        function test_reset_with_damaged_factory_values(data) {
            open(v => {
                v.sensorType = 1;
                v.logoLedWorks = !data.noLogo;
                v.dpiSet = [500, 500, 500, 500, 0, 0, 0, 0];
                v.sensorDefaults = ["2", "5", "2", "5"].concat(data.dpi, ["2"], data.rgb || new Array(24).fill(""), data.indices);
            });
            harness.btnTotalResetClicked();
            compare(view.calls, [["loadDefaultProfile", 3], ["ui_11H_SetDPISet", 8, data.dpiSent.bytes, data.dpiSent.values], ["ui_10H_SetLED8StageColor"].concat(data.colours)]);
            compare(part("dpiStages").currentIndex, 1);
            compare(part("rateGroup").currentIndex, 2);
        }

        function test_indicator_colour_follows_logo_led_data() {
            return [
                { tag: "indices", logo: true, sent: [2, [0, 0, 7, 0, 0, 0, 0, 0]] },
                { tag: "rgb", logo: false, sent: [1, [1, 1, 1, 2, 2, 2, 255, 127, 0, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8]] }
            ];
        }
        function test_indicator_colour_follows_logo_led(data) {
            open(v => {
                v.logoLedWorks = data.logo;
                v.currentStage = 3;
                v.ledColors = { 1: [1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8], 2: [0, 0, 0, 0, 0, 0, 0, 0] };
            });
            page.chooseStageColor(7);
            compare(view.last("ui_10H_SetLED8StageColor"), ["ui_10H_SetLED8StageColor"].concat(data.sent));
        }
    }
}
