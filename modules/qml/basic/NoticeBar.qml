import QtQuick
import ".."

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
    // The text follows a change of language while it is shown.
    function show(n) {
        if (bar.textOf(n) === "")
            return;
        notice = n;
        failed = !n.ok;
        canRetry = Boolean(n.retry);
        opacity = 1;
        hideTimer.interval = failed ? 12000 : 3500;
        hideTimer.restart();
    }

    // One sentence per kind of failure, or "Saved to the mouse." when the
    // action sent something and nothing failed; "" when there is nothing to
    // say.
    function textOf(n): string {
        const parts = [];
        const groups = [];
        for (const f of n.failed || []) {
            const key = (f.reason === "notSent" ? "notSent" : (f.write ? "notSaved" : "notRead"));
            let group = groups.find(g => g.key === key && g.reason === f.reason);
            if (!group) {
                group = {key: key, reason: f.reason, names: []};
                groups.push(group);
            }
            const name = Theme.commandName(f.code);
            if (group.names.indexOf(name) < 0)
                group.names.push(name);
        }
        for (const g of groups)
            parts.push(Theme.text(g.key).replace("%1", g.names.join(", ")).replace("%2", Theme.text(g.reason)));
        if ((n.files || []).length > 0)
            parts.push(Theme.text("fileNotSaved").replace("%1", n.files.join(", ")));
        if ((n.pointer || []).length > 0)
            parts.push(Theme.text("pointerRefused").replace("%1", n.pointer.map(p => Theme.text(p)).join(", ")));
        // The mouse's part is told even when a file or the desktop failed.
        if (groups.length === 0 && n.sent > 0)
            parts.unshift(Theme.text("saved"));
        return parts.join("  ");
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

    Label {
        id: label
        objectName: "noticeText"
        text: bar.textOf(bar.notice)
        x: 14
        width: bar.width - buttons.width - 32
        anchors.verticalCenter: parent.verticalCenter
        wrapMode: Text.WordWrap
        font.bold: true
        color: bar.failed ? "#FFB4AC" : Theme.colorEnable
    }

    Row {
        id: buttons
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        spacing: 12

        Caption {
            id: retryLabel
            objectName: "noticeRetry"
            visible: bar.canRetry
            text: Theme.text("retry")
            sizeStep: 1
            font.underline: retryArea.containsMouse || retryLabel.activeFocus
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
            font.pixelSize: Theme.size + 1
            color: closeArea.containsMouse ? Theme.color : Theme.colorEnable
            Accessible.role: Accessible.Button
            Accessible.name: Theme.text("close")
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
