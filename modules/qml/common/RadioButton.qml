import QtQuick

// Radio button: reports its index only; the page decides which one is
// selected, so a group stays consistent with the page's state.
Item {
    id: radio

    property bool isSelect: false
    property string chkStr: ""
    property int index: 0

    signal clicked(int index)

    implicitWidth: dot.width + 6 + label.implicitWidth
    implicitHeight: Math.max(dot.height, label.implicitHeight)
    opacity: (mouseArea.pressed || !enabled) ? 0.2 : 1.0

    Image {
        id: dot
        anchors.verticalCenter: parent.verticalCenter
        source: root.skinPath + (radio.isSelect ? "common/radio_1.png" : "common/radio_0.png")
    }

    Text {
        id: label
        anchors.left: dot.right
        anchors.leftMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        text: radio.chkStr
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size
        color: (radio.isSelect || mouseArea.containsMouse) ? root.globalSetting_color : root.globalSetting_color_enable
    }

    MouseArea {
        id: mouseArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            ui_View.playMedia_Index(4);
            radio.clicked(radio.index);
        }
    }
}
