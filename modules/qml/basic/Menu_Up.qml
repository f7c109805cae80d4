import QtQuick
import "../common"

// Settings and close buttons on a small container.
Item {
    id: menuUp

    property bool settingsOpen: false

    signal settingsClicked
    signal closeClicked

    // The icons have no text; screen readers read these names.
    function tableText(index, fallback) {
        const s = root.globalSetting_stringList[index];
        return (s === undefined || String(s) === "") ? fallback : String(s);
    }

    width: container.implicitWidth + 16
    height: container.implicitHeight + 16

    Image {
        id: container
        anchors.centerIn: parent
        source: root.skinPath + "list_up/listUpContainer.png"

        Item {
            id: settingsButton
            objectName: "btnSettings"
            function activate() {
                ui_View.playMedia_Index(2);
                menuUp.settingsClicked();
            }
            x: 5
            y: -3
            width: settingsPicture.implicitWidth
            height: settingsPicture.implicitHeight
            opacity: (settingsArea.pressed || !enabled) ? 0.2 : 1.0
            activeFocusOnTab: true
            Accessible.role: Accessible.Button
            Accessible.name: menuUp.tableText(129, "SETTINGS")
            Accessible.checkable: true
            Accessible.checked: menuUp.settingsOpen
            Accessible.focusable: true
            Accessible.onPressAction: activate()
            Keys.onPressed: event => {
                if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space) {
                    event.accepted = true;
                    if (!event.isAutoRepeat)
                        activate();
                }
            }
            Image {
                id: settingsPicture
                source: root.skinPath + ((menuUp.settingsOpen || settingsArea.containsMouse || settingsButton.activeFocus) ? "list_up/applicationSetting_1.png" : "list_up/applicationSetting_0.png")
            }
            MouseArea {
                id: settingsArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: settingsButton.activate()
            }
            FocusMark {}
        }

        Button_2state {
            id: closeButton
            objectName: "btnClose"
            x: container.width - width - 5
            y: -3
            source0: root.skinPath + "list_up/applicationMinimize_0.png"
            source1: root.skinPath + "list_up/applicationMinimize_1.png"
            Accessible.name: menuUp.tableText(130, "CLOSE")
            onClicked: menuUp.closeClicked()
        }
    }
}
