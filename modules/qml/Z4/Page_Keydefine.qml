import QtQuick

// Stand-in page: holds the page's place and the functions that Main_Z4
// calls until the real page replaces this file.
Item {
    id: page

    property int initCount: 0

    width: 759
    height: 396

    function initUI() {
        initCount++;
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
