import QtQuick

// Stand-in page: holds the page's place and the functions that Main_Z4
// calls until the real page replaces this file.
Item {
    id: page

    property int initCount: 0
    property int refreshCount: 0
    property int colorMaxStage: 8

    width: 759
    height: 396

    function initUI(deviceApConfig) {
        initCount++;
        if (deviceApConfig && deviceApConfig.length > 0)
            colorMaxStage = Number(deviceApConfig[0]);
    }
    function refresh() {
        refreshCount++;
    }
    function translateStrings() {
    }

    Connections {
        target: root
        function onBtnTotalResetClicked() {
        }
        function onBtnTotalApplyClicked() {
        }
    }
}
