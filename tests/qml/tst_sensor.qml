import QtQuick
import QtTest

// The sensor page: stage bytes, where stored numbers out of range land, stage
// selection, and reset with damaged factory values.
Item {
    id: top
    width: 800
    height: 460

    Component {
        id: harnessComponent
        PageHarness {
            source: "qrc:/modules/qml/Z4/Page_Sensor.qml"
            resetFunction: "loadDefaults"
            applyFunction: "sendSettings"
        }
    }

    TestCase {
        id: test
        name: "SensorPage"
        when: windowShown

        property var harness: null
        property var page: null
        property var view: null

        function part(name) {
            const found = findChild(page, name);
            verify(found !== null, "no item " + name);
            return found;
        }

        // A fresh page; `setup` fills the stand-in's answers before initUI.
        function open(setup) {
            harness = createTemporaryObject(harnessComponent, top);
            page = harness.page;
            view = harness.view;
            verify(page !== null, "page did not load");
            if (setup)
                setup(view);
            page.initUI();
            view.clear();
        }

        function visibleStages() {
            const row = part("dpiStages").children[0];
            let count = 0;
            for (let i = 0; i < row.children.length; ++i) {
                const child = row.children[i];
                if (child.value !== undefined && child.visible)
                    count++;
            }
            return count;
        }

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
            for (const [value, code] of data.pairs)
                compare(page.dpiValueToDpiSet(data.type, value), code, "value " + value);
            compare(page.dpiValueToDpiSet(data.type, 0), 0x80);
            compare(page.dpiValueToDpiSet(data.type, 1234), 0x80);
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
                { tag: "1000 Hz", set: { reportRate: 1 }, check: { rate: 3 } },
                { tag: "500 Hz", set: { reportRate: 2 }, check: { rate: 2 } },
                { tag: "250 Hz", set: { reportRate: 4 }, check: { rate: 1 } },
                { tag: "rate out of range", set: { reportRate: 0x80 }, check: { rate: 0 } },
                { tag: "stage 0", set: { currentStage: 0, dpiSet: dpi }, check: { currentIndex: 0 } },
                { tag: "stage 4", set: { currentStage: 4, dpiSet: dpi }, check: { currentIndex: 3 } },
                { tag: "stage 9", set: { currentStage: 9, dpiSet: dpi }, check: { currentIndex: 7 } }
            ];
        }
        function test_shown_from_reads(data) {
            open(v => { for (const key in data.set) v[key] = data.set[key]; });
            for (const key in data.check)
                compare(key === "rate" ? part("rateGroup").currentIndex : part("dpiStages")[key], data.check[key], key);
        }

        function test_stage_count_hides_stages_data() {
            return [
                { tag: "4 stages", count: 4, shown: 4 },
                { tag: "8 stages", count: 8, shown: 8 },
                { tag: "failed read", count: 0, shown: 8 }
            ];
        }
        function test_stage_count_hides_stages(data) {
            open(v => v.stageCount = data.count);
            compare(part("dpiStages").maxStage, data.shown);
            compare(visibleStages(), data.shown);
        }

        function test_switching_off_the_selected_stage_moves_the_selection() {
            open(v => v.currentStage = 2);
            const stages = part("dpiStages");
            compare(stages.currentIndex, 1);
            page.setStageValue(1, 0);
            compare(stages.currentIndex, 0);
        }

        function test_reset_without_logo_led_sends_rgb_colours() {
            const rgb = [];
            for (let i = 1; i <= 24; ++i)
                rgb.push(i * 10);
            open(v => {
                v.sensorType = 3;
                v.sensorDefaults = [4, 6, 3, 7, 800, 1600, 0, 3200, 0, 0, 0, 0, 3].concat(rgb, [7, 6, 5, 4, 3, 2, 1, 0]);
            });
            harness.btnTotalResetClicked();
            compare(view.last("ui_10H_SetLED8StageColor"), ["ui_10H_SetLED8StageColor", 1, rgb]);
        }

        function damagedDefaults(dpi, colourIndices) {
            const list = ["2", "5", "2", "5"].concat(dpi, ["2"]);
            for (let i = 0; i < 24; ++i)
                list.push("");
            return list.concat(colourIndices);
        }

        function test_reset_with_damaged_factory_values_data() {
            const none = ["", "", "", "", "", "", "", ""];
            return [
                { tag: "no factory file", dpi: none, indices: none, values: [1000, 2500, 3500, 7000, 0, 0, 0, 0], bytes: [0x04, 0x0A, 0x0E, 0x4E, 0x80, 0x80, 0x80, 0x80], sentIndices: [0, 1, 2, 3, 4, 5, 6, 7] },
                { tag: "no DPI list", dpi: none, indices: ["7", "6", "5", "4", "3", "2", "1", "0"], values: [1000, 2500, 3500, 7000, 0, 0, 0, 0], bytes: [0x04, 0x0A, 0x0E, 0x4E, 0x80, 0x80, 0x80, 0x80], sentIndices: [7, 6, 5, 4, 3, 2, 1, 0] },
                { tag: "short DPI list", dpi: ["500", "6000", "", "", "", "", "", ""], indices: ["7", "99", "", "4", "3", "2", "1", "0"], values: [500, 6000, 3500, 7000, 0, 0, 0, 0], bytes: [0x02, 0x4C, 0x0E, 0x4E, 0x80, 0x80, 0x80, 0x80], sentIndices: [7, 1, 2, 4, 3, 2, 1, 0] },
                { tag: "stage and colour numbers in the DPI list", dpi: ["3", "4", "5000", "9", "0", "", "0", "0"], indices: ["7", "6", "5", "4", "3", "2", "1", "0"], values: [1000, 2500, 3500, 7000, 0, 0, 0, 0], bytes: [0x04, 0x0A, 0x0E, 0x4E, 0x80, 0x80, 0x80, 0x80], sentIndices: [7, 6, 5, 4, 3, 2, 1, 0] }
            ];
        }
        function test_reset_with_damaged_factory_values(data) {
            open(v => {
                v.sensorType = 1;
                v.logoLedWorks = true;
                v.dpiSet = [500, 500, 500, 500, 0, 0, 0, 0];
                v.sensorDefaults = damagedDefaults(data.dpi, data.indices);
            });
            harness.btnTotalResetClicked();
            compare(view.names(), ["loadDefaultProfile", "ui_11H_SetDPISet", "ui_10H_SetLED8StageColor"]);
            compare(view.calls[1], ["ui_11H_SetDPISet", 8, data.bytes, data.values]);
            compare(view.calls[2], ["ui_10H_SetLED8StageColor", 2, data.sentIndices]);
            compare(part("dpiStages").currentIndex, 1);
            compare(part("rateGroup").currentIndex, 2);
        }

        function test_indicator_colour_follows_logo_led_data() {
            return [
                { tag: "indices", logo: true },
                { tag: "rgb", logo: false }
            ];
        }
        function test_indicator_colour_follows_logo_led(data) {
            open(v => {
                v.logoLedWorks = data.logo;
                v.currentStage = 3;
                v.ledColors = { 1: [1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8], 2: [0, 0, 0, 0, 0, 0, 0, 0] };
            });
            page.chooseStageColor(7);
            const call = view.last("ui_10H_SetLED8StageColor");
            if (data.logo)
                compare(call, ["ui_10H_SetLED8StageColor", 2, [0, 0, 7, 0, 0, 0, 0, 0]]);
            else
                compare(call, ["ui_10H_SetLED8StageColor", 1, [1, 1, 1, 2, 2, 2, 255, 127, 0, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8]]);
        }
    }
}
