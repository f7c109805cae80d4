pragma ComponentBehavior: Bound
import QtQuick

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
    property string sourceCustomBackground: page_Globalsetting.sourceCustomBackground
    // Every picture is "<skinPath><path>"; empty until the backend is known.
    readonly property string skinPath: App.view ? App.view.imageFolderUrl + "skin" + skin_No + "/" : ""

    property bool isGlobalSettingSelect: false

    // The mouse as the backend last reported it; its name stays while it is
    // away.
    property bool deviceConnected: true
    property string deviceName: ""
    property string deviceFirmware: ""

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

    // The busy lock; `action` (App.loading, App.saving) names what it waits
    // for, loading when not told.
    function setProtectUI(interval, action) {
        busyIndicator.action = action === App.saving ? App.saving : App.loading;
        busyIndicator.visible = true;
        App.view.setEnabled(false);
        protectTimer.interval = (interval === undefined) ? 1000 : Math.max(0, Number(interval));
        protectTimer.restart();
    }

    // The opening's first step.
    function appear() {
        App.view.playMedia_Index(1);
        visible = true;
    }

    function detectKeyboard(isDown, usbCode) {
        root.msg_KB(Boolean(isDown), Number(usbCode));
    }

    function detectMouse(isDown, code, x, y) {
        // Captured mouse events are not used by any page.
    }

    function setDeviceStatus(status) {
        root.deviceConnected = Boolean(status.connected);
        root.deviceName = String(status.name || root.deviceName);
        root.deviceFirmware = String(status.firmware || "");
    }

    function showNotice(notice) {
        noticeBar.show(notice);
    }

    function allSave() {
        App.deviceAction("save", () => root.btnTotalApplyClicked());
    }

    function allReset() {
        if (!App.confirm("confirmAllReset"))
            return;
        App.deviceAction("reset", () => root.btnTotalResetClicked());
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

    onMsg_KB: (isDown, usbCode) => product_Z4.keyCaptured(isDown, usbCode)
    onEmptyAreaPressed: product_Z4.emptyAreaPressed()
    onBtnTotalResetClicked: product_Z4.resetPages()
    onBtnTotalApplyClicked: product_Z4.applyPages()

    KeyCodeString {
        id: _KeyCodeString
    }

    // What every part of the scene shares, for as long as this window lives.
    // The backend objects are the host's context properties: this is the
    // one place the scene reads them.
    Binding { target: App; property: "view"; value: ui_View } // qmllint disable unqualified
    Binding { target: App; property: "ctl"; value: ui_Ctl } // qmllint disable unqualified
    Binding { target: App; property: "keyNames"; value: _KeyCodeString }
    Binding { target: App; property: "deviceConnected"; value: root.deviceConnected }
    Binding { target: Theme; property: "size"; value: root.globalSetting_size }
    Binding { target: Theme; property: "color"; value: root.globalSetting_color }
    Binding { target: Theme; property: "colorEnable"; value: root.globalSetting_color_enable }
    Binding { target: Theme; property: "colorDisable"; value: root.globalSetting_color_disable }
    Binding { target: Theme; property: "fontFamily"; value: root.globalSetting_fontFamily }
    Binding { target: Theme; property: "animationSpeed"; value: root.animation_speed }
    Binding { target: Theme; property: "strings"; value: root.globalSetting_stringList }
    Binding { target: Theme; property: "skinPath"; value: root.skinPath }
    Connections {
        target: App
        function onLockRequested(interval, action) {
            root.setProtectUI(interval, action);
        }
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
            App.ctl.onXChanged(Math.round(mouse.x - pressPosition.x));
            App.ctl.onYChanged(Math.round(mouse.y - pressPosition.y));
        }
    }

    BusyIndicator {
        id: busyIndicator
        objectName: "busyIndicator"
        // In the band between the header and the pages: over no control.
        anchors.horizontalCenter: parent.horizontalCenter
        y: product_Z4.pageAreaTop - height - 2
        z: 99
    }

    Timer {
        id: protectTimer
        repeat: false
        onTriggered: {
            App.view.setEnabled(true);
            busyIndicator.visible = false;
        }
    }

    Environment {
        id: environment
        objectName: "environment"
        opacity: 0
        custom: root.isCustomBackground
        customSource: root.sourceCustomBackground
    }

    Main_Z4 {
        id: product_Z4
        objectName: "product_Z4"
        menusEnabled: !root.isGlobalSettingSelect
        deviceName: root.deviceName
        deviceFirmware: root.deviceFirmware
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

    Label {
        id: goneBanner
        objectName: "goneBanner"
        anchors.horizontalCenter: parent.horizontalCenter
        y: 68
        // A notice in the same place says more, and the busy lock takes its
        // place while it runs; the header still says it.
        visible: !root.deviceConnected && decoration.opacity > 0 && !noticeBar.visible
                 && !busyIndicator.visible
        text: Theme.text("goneBanner")
        sizeStep: 1
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
        onRetryClicked: App.view.retryFailed()
    }

    // The logo is a link only while there is an address to open.
    Image {
        id: logo
        objectName: "logo"
        readonly property bool isLink: root.globalSetting_url !== ""
        function open() {
            App.view.playMedia_Index(3);
            Qt.openUrlExternally(root.globalSetting_url);
        }
        anchors.horizontalCenter: parent.horizontalCenter
        y: 270
        opacity: 0
        source: Theme.skin((logo.isLink && (logoArea.containsMouse || logo.activeFocus)) ? "frame/web_1.png" : "frame/web_0.png")
        activeFocusOnTab: isLink
        Accessible.role: isLink ? Accessible.Link : Accessible.Graphic
        Accessible.name: isLink ? root.globalSetting_url : "Z4"
        Accessible.onPressAction: if (isLink) open()
        Keys.onPressed: event => {
            if (App.isActivation(event)) {
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
            onLanguageSelected: code => root.translateStrings(code)
            onApplied: root.isGlobalSettingSelect = false
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
            script: root.appear()
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
            script: App.ctl.onMinimize()
        }
    }
}
