import QtQuick
import "../common"

// Settings and close buttons on a small container.
Item {
    id: menuUp

    property bool settingsOpen: false

    signal settingsClicked
    signal closeClicked

    width: container.implicitWidth + 16
    height: container.implicitHeight + 16

    Image {
        id: container
        anchors.centerIn: parent
        source: root.skinPath + "list_up/listUpContainer.png"

        Item {
            id: settingsButton
            objectName: "btnSettings"
            x: 5
            y: -3
            width: settingsPicture.implicitWidth
            height: settingsPicture.implicitHeight
            opacity: (settingsArea.pressed || !enabled) ? 0.2 : 1.0
            Image {
                id: settingsPicture
                source: root.skinPath + ((menuUp.settingsOpen || settingsArea.containsMouse) ? "list_up/applicationSetting_1.png" : "list_up/applicationSetting_0.png")
            }
            MouseArea {
                id: settingsArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: {
                    ui_View.playMedia_Index(2);
                    menuUp.settingsClicked();
                }
            }
        }

        Button_2state {
            id: closeButton
            objectName: "btnClose"
            x: container.width - width - 5
            y: -3
            source0: root.skinPath + "list_up/applicationMinimize_0.png"
            source1: root.skinPath + "list_up/applicationMinimize_1.png"
            onClicked: menuUp.closeClicked()
        }
    }
}
