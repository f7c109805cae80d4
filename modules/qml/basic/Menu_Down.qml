import QtQuick
import ".."

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
        source: Theme.skin("list_dn/listDnContainer.png")
    }

    Button_2state {
        id: resetButton
        objectName: "btnTotalReset"
        x: 350
        y: 13
        source0: Theme.skin("list_dn/btnReset_0.png")
        source1: Theme.skin("list_dn/btnReset_1.png")
        Accessible.name: resetLabel.text
        onClicked: {
            App.lock(800, App.loading);
            menuDown.btnTotalResetClicked();
        }
    }
    Label {
        id: resetLabel
        anchors.left: resetButton.right
        anchors.leftMargin: 6
        anchors.verticalCenter: resetButton.verticalCenter
        text: Theme.str(113)
        sizeStep: 1
        font.bold: true
        color: (resetButton.mouse.containsMouse || resetButton.activeFocus) ? Theme.color : Theme.colorEnable
    }

    Button_2state {
        id: applyButton
        objectName: "btnTotalApply"
        x: 350 + resetButton.width + resetLabel.width + 35
        y: 13
        source0: Theme.skin("list_dn/btnApply_0.png")
        source1: Theme.skin("list_dn/btnApply_1.png")
        Accessible.name: applyLabel.text
        onClicked: {
            App.lock(2000, App.saving);
            menuDown.btnTotalApplyClicked();
        }
    }
    Label {
        id: applyLabel
        anchors.left: applyButton.right
        anchors.leftMargin: 6
        anchors.verticalCenter: applyButton.verticalCenter
        text: Theme.str(114)
        sizeStep: 1
        font.bold: true
        color: (applyButton.mouse.containsMouse || applyButton.activeFocus) ? Theme.color : Theme.colorEnable
    }
}
