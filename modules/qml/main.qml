import QtQuick
import "basic"
import "common"
import "Z4"

// Root of the scene: window drag, busy lock, background, the product item,
// menus, logo, the sliding global-settings panel, the mouse's status and the
// notices. The backend calls the untyped functions initUI, run,
// setProtectUI, detectKeyboard, detectMouse, setDeviceStatus and showNotice
// by name.
Item {
    id: root

    property int globalSetting_size: page_Globalsetting._Size
    property color globalSetting_color: page_Globalsetting._Color
    property color globalSetting_color_enable: page_Globalsetting._ColorEnable
    property color globalSetting_color_disable: page_Globalsetting._ColorDisable
    property int animation_speed: page_Globalsetting._AnimationSpeed
    property var globalSetting_stringList: page_Globalsetting._StringList
    property string globalSetting_fontFamily: page_Globalsetting._FontFamily
    property string globalSetting_url: page_Globalsetting._Url
    property int skin_No: page_Globalsetting.skin_No
    property bool isCustomBackground: page_Globalsetting.isCustomBackground
    property string sourceCustomBackground: ""
    readonly property string skinPath: ui_View.imageFolderUrl + "skin" + skin_No + "/"

    property bool isGlobalSettingSelect: false

    // The mouse as the backend last reported it.
    property bool deviceConnected: true
    property string deviceName: ""
    property string deviceFirmware: ""

    // Texts of the status line, the notices and the confirmations, by key:
    // [index in the string table, built-in English].
    readonly property var feedbackTexts: ({
        "disconnected": [0, "DISCONNECTED"],
        "goneBanner": [0, "THE MOUSE IS DISCONNECTED: PLUG IT IN TO SEND CHANGES"],
        "saved": [0, "Saved to the mouse."],
        "notSaved": [0, "Not saved to the mouse: %1 (%2)."],
        "notRead": [0, "Could not read from the mouse: %1 (%2)."],
        "notSent": [0, "%1 not sent: the mouse could not be read first."],
        "fileNotSaved": [0, "Could not be saved: %1"],
        "pointerRefused": [0, "This desktop did not take: %1."],
        "retry": [0, "RETRY"],
        "close": [0, "CLOSE"],
        "notConnected": [0, "the mouse is not connected"],
        "openRefused": [0, "the mouse could not be opened"],
        "busy": [0, "the mouse was busy"],
        "sendFailed": [0, "the mouse stopped answering"],
        "writeFailed": [0, "the mouse stopped answering"],
        "noReply": [0, "the mouse did not answer"],
        "readFailed": [0, "the mouse did not answer"],
        "noAcknowledge": [0, "the mouse did not confirm it"],
        "closed": [0, "the program is closing"],
        "confirmTitle": [0, "PLEASE CONFIRM"],
        "confirmAllReset": [0, "Reset every page to its factory values?"],
        "confirmProfileReset": [0, "Reset profile %1 to its factory values? Its settings are lost."],
        "confirmMacroDelete": [0, "Delete the macro \"%1\"?"],
        "cursorSpeed": [101, "CURSOR SPEED"],
        "verticalScrollLines": [102, "VERTICAL SCROLL SPEED"],
        "doubleClickSpeed": [103, "DOUBLE CLICK SPEED"],
        "acceleration": [0, "POINTER ACCELERATION"]
    })
    // Names of the device commands in notices, by code.
    readonly property var commandTexts: ({
        1: [100, "POLLING RATE"], 129: [100, "POLLING RATE"],
        2: [0, "PROFILE"], 130: [0, "PROFILE"],
        3: [86, "SENSOR"], 131: [86, "SENSOR"],
        4: [93, "FIRE KEY"],
        7: [111, "LED CONTROL"], 135: [111, "LED CONTROL"],
        11: [104, "DPI LEVEL"], 139: [104, "DPI LEVEL"],
        13: [7, "EFFECTS"], 141: [7, "EFFECTS"],
        16: [35, "COLOR"], 144: [35, "COLOR"],
        17: [104, "DPI LEVEL"], 145: [104, "DPI LEVEL"],
        18: [74, "KEY"], 146: [74, "KEY"],
        19: [44, "MACRO"], 147: [44, "MACRO"],
        128: [0, "FIRMWARE"]
    })

    signal emptyAreaPressed
    signal msg_KB(bool isDown, int usbCode)
    signal btnTotalResetClicked
    signal btnTotalApplyClicked

    width: 1000
    height: 600
    visible: false
    clip: true

    function initUI() {
        page_Globalsetting.initUI();
        product_Z4.initUI();
    }

    function run() {
        openingAnimation.restart();
    }

    function setProtectUI(interval) {
        busyIndicator.visible = true;
        ui_View.setEnabled(false);
        protectTimer.interval = (interval === undefined) ? 1000 : Math.max(0, Number(interval));
        protectTimer.restart();
    }

    function detectKeyboard(isDown, usbCode) {
        root.msg_KB(Boolean(isDown), Number(usbCode));
    }

    function detectMouse(isDown, code, x, y) {
        // Captured mouse events are not used by any page.
    }

    function setSkin() {
        product_Z4.setSkin();
    }

    function tableText(entry, fallback) {
        if (entry === undefined)
            return fallback;
        const s = globalSetting_stringList[entry[0]];
        return (entry[0] > 0 && s !== undefined && String(s) !== "") ? String(s) : entry[1];
    }
    function text(key) {
        return tableText(feedbackTexts[key], key);
    }
    function commandText(code) {
        const hex = ("0" + Number(code).toString(16).toUpperCase()).slice(-2) + "H";
        return tableText(commandTexts[code], hex);
    }

    function setDeviceStatus(status) {
        root.deviceConnected = Boolean(status.connected);
        root.deviceName = String(status.name || "");
        root.deviceFirmware = String(status.firmware || "");
    }

    function showNotice(notice) {
        noticeBar.show(notice);
    }

    // One sentence per kind of failure, or "Saved to the mouse." when the
    // action sent something and nothing failed; "" when there is nothing to
    // say.
    function noticeText(n) {
        const parts = [];
        const groups = [];
        const failed = n.failed || [];
        for (let i = 0; i < failed.length; ++i) {
            const f = failed[i];
            const key = (f.reason === "notSent" ? "notSent" : (f.write ? "notSaved" : "notRead"));
            let group = groups.find(g => g.key === key && g.reason === f.reason);
            if (!group) {
                group = {key: key, reason: f.reason, names: []};
                groups.push(group);
            }
            const name = commandText(f.code);
            if (group.names.indexOf(name) < 0)
                group.names.push(name);
        }
        for (const g of groups)
            parts.push(text(g.key).replace("%1", g.names.join(", ")).replace("%2", text(g.reason)));
        if ((n.files || []).length > 0)
            parts.push(text("fileNotSaved").replace("%1", n.files.join(", ")));
        if ((n.pointer || []).length > 0)
            parts.push(text("pointerRefused").replace("%1", n.pointer.map(p => text(p)).join(", ")));
        // The mouse's part is told even when a file or the desktop failed.
        if (groups.length === 0 && n.sent > 0)
            parts.unshift(text("saved"));
        return parts.join("  ");
    }

    // A user action that may write to the mouse: its outcome comes back as
    // one notice once its last command has ended.
    function deviceAction(name, work) {
        ui_View.beginAction(name);
        try {
            work();
        } finally {
            ui_View.endAction();
        }
    }

    function confirm(key, arg) {
        return ui_View.confirm(text("confirmTitle"), text(key).replace("%1", arg === undefined ? "" : arg));
    }

    function allSave() {
        deviceAction("save", () => root.btnTotalApplyClicked());
    }

    function allReset() {
        if (!confirm("confirmAllReset"))
            return;
        deviceAction("reset", () => root.btnTotalResetClicked());
    }

    function translateStrings(code) {
        page_Globalsetting.translateStrings();
        product_Z4.translateStrings(code);
    }

    function openSettingsPanel() {
        if (panelClosing.running) {
            panelClosing.complete();
            openSettingsPanel();
            return;
        }
        if (panelOpening.running) {
            panelOpening.complete();
            return;
        }
        settingsPanel.visible = true;
        panelOpening.start();
    }

    function closeSettingsPanel() {
        if (panelClosing.running) {
            panelClosing.complete();
            return;
        }
        if (panelOpening.running) {
            panelOpening.complete();
            closeSettingsPanel();
            return;
        }
        panelClosing.start();
    }

    onIsGlobalSettingSelectChanged: isGlobalSettingSelect ? openSettingsPanel() : closeSettingsPanel()

    KeyCodeString {
        id: _KeyCodeString
    }

    MouseArea {
        id: dragArea
        property point pressPosition

        anchors.fill: parent
        onPressed: mouse => {
            pressPosition = Qt.point(mouse.x, mouse.y);
            root.emptyAreaPressed();
        }
        onPositionChanged: mouse => {
            if (!pressed)
                return;
            ui_Ctl.onXChanged(Math.round(mouse.x - pressPosition.x));
            ui_Ctl.onYChanged(Math.round(mouse.y - pressPosition.y));
        }
    }

    BusyIndicator {
        id: busyIndicator
        objectName: "busyIndicator"
        anchors.centerIn: parent
        z: 99
    }

    Timer {
        id: protectTimer
        repeat: false
        onTriggered: {
            ui_View.setEnabled(true);
            busyIndicator.visible = false;
        }
    }

    Environment {
        id: environment
        objectName: "environment"
        opacity: 0
    }

    Main_Z4 {
        id: product_Z4
        objectName: "product_Z4"
        menusEnabled: !root.isGlobalSettingSelect
    }

    Environment_Decoration {
        id: decoration
        objectName: "decoration"
        opacity: 0
    }

    Menu_Down {
        id: menu_Down
        objectName: "menu_Down"
        x: 0
        y: 600
        enabled: !root.isGlobalSettingSelect && root.deviceConnected
        opacity: 0.2 + 0.8 * enabled
        onBtnTotalResetClicked: root.allReset()
        onBtnTotalApplyClicked: root.allSave()
    }

    Menu_Up {
        id: menu_Up
        objectName: "menu_Up"
        x: 0
        y: -600
        settingsOpen: root.isGlobalSettingSelect
        onSettingsClicked: root.isGlobalSettingSelect = !root.isGlobalSettingSelect
        onCloseClicked: closingAnimation.restart()
    }

    DeviceStatusLine {
        id: deviceStatus
        objectName: "deviceStatus"
        anchors.right: parent.right
        anchors.rightMargin: 22
        y: 14
        opacity: decoration.opacity
        connected: root.deviceConnected
        name: root.deviceName
        firmware: root.deviceFirmware
    }

    Text {
        id: goneBanner
        objectName: "goneBanner"
        anchors.horizontalCenter: parent.horizontalCenter
        y: 68
        // A notice in the same place says more; the header still says it.
        visible: !root.deviceConnected && decoration.opacity > 0 && !noticeBar.visible
        text: root.text("goneBanner")
        font.family: root.globalSetting_fontFamily
        font.pixelSize: root.globalSetting_size + 1
        font.bold: true
        color: "#F05A4E"
    }

    NoticeBar {
        id: noticeBar
        objectName: "noticeBar"
        anchors.horizontalCenter: parent.horizontalCenter
        // Between the header's arrows, above the page: it covers no control.
        y: 58
        z: 98
        onRetryClicked: ui_View.retryFailed()
    }

    // The logo is a link only while there is an address to open.
    Image {
        id: logo
        objectName: "logo"
        readonly property bool isLink: root.globalSetting_url !== ""
        function open() {
            ui_View.playMedia_Index(3);
            Qt.openUrlExternally(root.globalSetting_url);
        }
        anchors.horizontalCenter: parent.horizontalCenter
        y: 270
        opacity: 0
        source: root.skinPath + ((logo.isLink && (logoArea.containsMouse || logo.activeFocus)) ? "frame/web_1.png" : "frame/web_0.png")
        activeFocusOnTab: isLink
        Accessible.role: isLink ? Accessible.Link : Accessible.Graphic
        Accessible.name: isLink ? root.globalSetting_url : "Z4"
        Accessible.onPressAction: if (isLink) open()
        Keys.onPressed: event => {
            if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space) {
                event.accepted = true;
                if (!event.isAutoRepeat)
                    logo.open();
            }
        }
        MouseArea {
            id: logoArea
            anchors.fill: parent
            enabled: logo.isLink
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: logo.open()
        }
        FocusMark {}
    }

    Item {
        id: settingsPanel
        objectName: "settingsPanel"
        x: 5
        y: 27
        width: 340
        height: 420
        clip: true
        visible: false

        Page_Globalsetting {
            id: page_Globalsetting
            objectName: "page_Globalsetting"
            x: 340
        }
    }

    NumberAnimation {
        id: panelOpening
        target: page_Globalsetting
        property: "x"
        from: 340
        to: 0
        easing.type: Easing.OutCubic
        duration: 0.8 * root.animation_speed
    }
    NumberAnimation {
        id: panelClosing
        target: page_Globalsetting
        property: "x"
        from: 0
        to: 340
        easing.type: Easing.OutCubic
        duration: 0.8 * root.animation_speed
        onStopped: settingsPanel.visible = false
    }

    SequentialAnimation {
        id: openingAnimation
        ScriptAction {
            script: {
                ui_View.playMedia_Index(1);
                root.visible = true;
            }
        }
        NumberAnimation {
            target: logo
            property: "opacity"
            from: 0
            to: 1
            easing.type: Easing.InCirc
            duration: root.animation_speed
        }
        NumberAnimation {
            target: logo
            property: "y"
            from: 270
            to: 4
            easing.type: Easing.OutExpo
            duration: 1.5 * root.animation_speed
        }
        ParallelAnimation {
            NumberAnimation {
                target: environment
                property: "opacity"
                from: 0
                to: 1
                easing.type: Easing.OutCirc
                duration: root.animation_speed
            }
            NumberAnimation {
                target: decoration
                property: "opacity"
                from: 0
                to: 1
                easing.type: Easing.OutCirc
                duration: root.animation_speed
            }
        }
        ScriptAction {
            script: {
                menusIn.restart();
                product_Z4.powerOn();
            }
        }
    }

    ParallelAnimation {
        id: menusIn
        NumberAnimation {
            target: menu_Up
            property: "y"
            from: -600
            to: 0
            easing.type: Easing.OutElastic
            duration: root.animation_speed
        }
        NumberAnimation {
            target: menu_Down
            property: "y"
            from: 600
            to: 600 - menu_Down.height
            easing.type: Easing.OutElastic
            duration: root.animation_speed
        }
    }

    SequentialAnimation {
        id: closingAnimation
        NumberAnimation {
            target: root
            property: "height"
            from: 600
            to: 0
            easing.type: Easing.InOutCubic
            duration: root.animation_speed
        }
        ScriptAction {
            script: ui_Ctl.onMinimize()
        }
    }
}
