pragma ComponentBehavior: Bound
import QtQuick
import ".."

// The four page buttons. A click on the selected button closes its page
// (index -1); any other click selects that page. Each button is a stop of
// the keyboard's focus chain: Return or Space click it, Up and Down move to
// the neighbouring button.
Item {
    id: menuFunc

    property int currentIndex: -1
    property var labels: [Theme.str(74), Theme.str(75), Theme.str(76), Theme.str(86)]
    readonly property var icons: ["fnKeydefine", "fnMacro", "fnColor", "fnSensor"]

    signal funcChosen(int index)

    function translateStrings() {
        labels = Qt.binding(() => [Theme.str(74), Theme.str(75), Theme.str(76), Theme.str(86)]);
    }
    function choose(index) {
        currentIndex = (index === currentIndex) ? -1 : index;
        funcChosen(currentIndex);
    }
    function focusButton(index) {
        const button = buttons.itemAt(index);
        if (button)
            button.forceActiveFocus(Qt.TabFocusReason);
    }

    width: 150
    height: column.height

    Column {
        id: column
        spacing: 13
        Repeater {
            id: buttons
            model: 4
            delegate: Item {
                id: button
                required property int index
                readonly property bool selected: index === menuFunc.currentIndex
                objectName: "funcButton" + index
                width: 150
                height: 37
                activeFocusOnTab: true

                Accessible.role: Accessible.Button
                Accessible.name: label.text
                Accessible.checkable: true
                Accessible.checked: button.selected
                Accessible.focusable: true
                Accessible.onPressAction: menuFunc.choose(button.index)

                Keys.onPressed: event => {
                    switch (event.key) {
                    case Qt.Key_Return:
                    case Qt.Key_Enter:
                    case Qt.Key_Space:
                        if (!event.isAutoRepeat)
                            menuFunc.choose(button.index);
                        break;
                    case Qt.Key_Up:
                        menuFunc.focusButton(Math.max(0, button.index - 1));
                        break;
                    case Qt.Key_Down:
                        menuFunc.focusButton(Math.min(3, button.index + 1));
                        break;
                    default:
                        return;
                    }
                    event.accepted = true;
                }

                Image {
                    anchors.fill: parent
                    source: Theme.skin(buttonArea.containsMouse ? "list_fn/listFnBtn_1.png" : "list_fn/listFnBtn_0.png")
                }
                Image {
                    id: icon
                    x: button.width / 15
                    anchors.verticalCenter: parent.verticalCenter
                    source: Theme.skin("list_fn/" + menuFunc.icons[button.index] + (button.selected ? "_1.png" : "_0.png"))
                }
                Label {
                    id: label
                    anchors.left: icon.right
                    anchors.leftMargin: 15
                    anchors.verticalCenter: parent.verticalCenter
                    anchors.verticalCenterOffset: 4
                    text: menuFunc.labels[button.index] === undefined ? "" : menuFunc.labels[button.index]
                    sizeStep: 2
                    font.bold: true
                    color: (button.selected || buttonArea.containsMouse) ? Theme.color : Theme.colorEnable
                }
                MouseArea {
                    id: buttonArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: menuFunc.choose(button.index)
                }
                FocusMark {}
            }
        }
    }
}
