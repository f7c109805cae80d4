import QtQuick
import ".."

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
        source: Theme.skin("list_up/listUpContainer.png")

        Item {
            id: settingsButton
            objectName: "btnSettings"
            function activate() {
                App.view.playMedia_Index(2);
                menuUp.settingsClicked();
            }
            x: 5
            y: -3
            width: settingsPicture.implicitWidth
            height: settingsPicture.implicitHeight
            opacity: (settingsArea.pressed || !enabled) ? 0.2 : 1.0
            activeFocusOnTab: true
            Accessible.role: Accessible.Button
            // The icons have no text; screen readers read these names.
            Accessible.name: Theme.str(129)
            Accessible.checkable: true
            Accessible.checked: menuUp.settingsOpen
            Accessible.focusable: true
            Accessible.onPressAction: activate()
            Keys.onPressed: event => {
                if (App.isActivation(event)) {
                    event.accepted = true;
                    if (!event.isAutoRepeat)
                        activate();
                }
            }
            Image {
                id: settingsPicture
                source: Theme.skin((menuUp.settingsOpen || settingsArea.containsMouse || settingsButton.activeFocus) ? "list_up/applicationSetting_1.png" : "list_up/applicationSetting_0.png")
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
            source0: Theme.skin("list_up/applicationMinimize_0.png")
            source1: Theme.skin("list_up/applicationMinimize_1.png")
            Accessible.name: Theme.str(130)
            onClicked: menuUp.closeClicked()
        }
    }
}
