import QtQuick

// The four page buttons. A click on the selected button closes its page
// (index -1); any other click selects that page.
Item {
    id: menuFunc

    property int currentIndex: -1
    property string iconBase: root.skinPath + "list_fn/"
    property var labels: [root.globalSetting_stringList[74], root.globalSetting_stringList[75], root.globalSetting_stringList[76], root.globalSetting_stringList[86]]
    readonly property var icons: ["fnKeydefine", "fnMacro", "fnColor", "fnSensor"]

    signal funcChosen(int index)

    function setSkin() {
        iconBase = Qt.binding(() => root.skinPath + "list_fn/");
    }
    function translateStrings() {
        labels = Qt.binding(() => [root.globalSetting_stringList[74], root.globalSetting_stringList[75], root.globalSetting_stringList[76], root.globalSetting_stringList[86]]);
    }
    function choose(index) {
        currentIndex = (index === currentIndex) ? -1 : index;
        funcChosen(currentIndex);
    }

    width: 150
    height: column.height

    Column {
        id: column
        spacing: 13
        Repeater {
            model: 4
            delegate: Item {
                id: button
                required property int index
                readonly property bool selected: index === menuFunc.currentIndex
                objectName: "funcButton" + index
                width: 150
                height: 37

                Image {
                    anchors.fill: parent
                    source: root.skinPath + (buttonArea.containsMouse ? "list_fn/listFnBtn_1.png" : "list_fn/listFnBtn_0.png")
                }
                Image {
                    id: icon
                    x: button.width / 15
                    anchors.verticalCenter: parent.verticalCenter
                    source: menuFunc.iconBase + menuFunc.icons[button.index] + (button.selected ? "_1.png" : "_0.png")
                }
                Text {
                    anchors.left: icon.right
                    anchors.leftMargin: 15
                    anchors.verticalCenter: parent.verticalCenter
                    anchors.verticalCenterOffset: 4
                    text: menuFunc.labels[button.index] === undefined ? "" : menuFunc.labels[button.index]
                    font.family: root.globalSetting_fontFamily
                    font.pixelSize: root.globalSetting_size + 2
                    font.bold: true
                    color: (button.selected || buttonArea.containsMouse) ? root.globalSetting_color : root.globalSetting_color_enable
                }
                MouseArea {
                    id: buttonArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: menuFunc.choose(button.index)
                }
            }
        }
    }
}
