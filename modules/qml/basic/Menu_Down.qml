import QtQuick
import "../common"

// "ALL RESET" and "ALL SAVE": every page resets or applies itself on these
// signals.
Item {
    id: menuDown

    signal btnTotalResetClicked
    signal btnTotalApplyClicked

    width: container.implicitWidth + 18
    height: container.implicitHeight + 18

    Image {
        id: container
        anchors.centerIn: parent
        source: root.skinPath + "list_dn/listDnContainer.png"
    }

    Button_2state {
        id: resetButton
        objectName: "btnTotalReset"
        x: 350
        y: 13
        source0: root.skinPath + "list_dn/btnReset_0.png"
        source1: root.skinPath + "list_dn/btnReset_1.png"
        Accessible.name: resetLabel.text
        onClicked: {
            root.setProtectUI(800);
            menuDown.btnTotalResetClicked();
        }
    }
    Text {
        id: resetLabel
        anchors.left: resetButton.right
        anchors.leftMargin: 6
        anchors.verticalCenter: resetButton.verticalCenter
        text: root.globalSetting_stringList[113]
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size + 1
        font.bold: true
        color: (resetButton.mouse.containsMouse || resetButton.activeFocus) ? root.globalSetting_color : root.globalSetting_color_enable
    }

    Button_2state {
        id: applyButton
        objectName: "btnTotalApply"
        x: 350 + resetButton.width + resetLabel.width + 35
        y: 13
        source0: root.skinPath + "list_dn/btnApply_0.png"
        source1: root.skinPath + "list_dn/btnApply_1.png"
        Accessible.name: applyLabel.text
        onClicked: {
            root.setProtectUI(2000);
            menuDown.btnTotalApplyClicked();
        }
    }
    Text {
        id: applyLabel
        anchors.left: applyButton.right
        anchors.leftMargin: 6
        anchors.verticalCenter: applyButton.verticalCenter
        text: root.globalSetting_stringList[114]
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size + 1
        font.bold: true
        color: (applyButton.mouse.containsMouse || applyButton.activeFocus) ? root.globalSetting_color : root.globalSetting_color_enable
    }
}
