import QtQuick

// A short notice under the header: what became of the user's last action
// ("Saved to the mouse", or what failed and why, with RETRY), or what could
// not be written to disk. It never blocks: it fades after a while, sooner
// when all went well, and can be closed.
Item {
    id: bar

    property var notice: ({})
    property bool failed: false
    property bool canRetry: false
    property alias message: label.text

    signal retryClicked

    visible: opacity > 0
    opacity: 0
    width: Math.min(680, label.implicitWidth + buttons.width + 46)
    height: Math.max(34, label.implicitHeight + 16)

    Behavior on opacity {
        NumberAnimation { duration: 200 }
    }

    // Shows the notice of a map from the backend; a notice with nothing to
    // say (an action that sent nothing and failed nowhere) shows nothing.
    function show(n) {
        const text = root.noticeText(n);
        if (text === "")
            return;
        notice = n;
        failed = !n.ok;
        canRetry = Boolean(n.retry);
        label.text = text;
        opacity = 1;
        hideTimer.interval = failed ? 12000 : 3500;
        hideTimer.restart();
    }

    function hide() {
        hideTimer.stop();
        opacity = 0;
    }

    Accessible.role: Accessible.AlertMessage
    Accessible.name: label.text

    Timer {
        id: hideTimer
        onTriggered: bar.hide()
    }

    Rectangle {
        anchors.fill: parent
        radius: 5
        color: "#F2101A22"
        border.width: 1
        border.color: bar.failed ? "#F05A4E" : "#35E08A"
    }

    MouseArea {
        // Keeps clicks on the notice from reaching the window behind it.
        anchors.fill: parent
    }

    Text {
        id: label
        objectName: "noticeText"
        x: 14
        width: bar.width - buttons.width - 32
        anchors.verticalCenter: parent.verticalCenter
        wrapMode: Text.WordWrap
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size
        font.bold: true
        color: bar.failed ? "#FFB4AC" : root.globalSetting_color_enable
    }

    Row {
        id: buttons
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        spacing: 12

        Text {
            id: retryLabel
            objectName: "noticeRetry"
            visible: bar.canRetry
            text: root.text("retry")
            font.family: root.globalSetting_fontFamily
            font.pixelSize: root.globalSetting_size + 1
            font.bold: true
            font.underline: retryArea.containsMouse || retryLabel.activeFocus
            color: root.globalSetting_color
            activeFocusOnTab: visible
            Accessible.role: Accessible.Button
            Accessible.name: text
            Keys.onReturnPressed: bar.retry()
            Keys.onSpacePressed: bar.retry()
            MouseArea {
                id: retryArea
                anchors.fill: parent
                anchors.margins: -4
                hoverEnabled: true
                cursorShape: Qt.PointingHandCursor
                onClicked: bar.retry()
            }
        }
        Text {
            objectName: "noticeClose"
            text: "\u2715"
            font.pixelSize: root.globalSetting_size + 1
            color: closeArea.containsMouse ? root.globalSetting_color : root.globalSetting_color_enable
            Accessible.role: Accessible.Button
            Accessible.name: root.text("close")
            MouseArea {
                id: closeArea
                anchors.fill: parent
                anchors.margins: -4
                hoverEnabled: true
                onClicked: bar.hide()
            }
        }
    }

    function retry() {
        hide();
        bar.retryClicked();
    }
}
