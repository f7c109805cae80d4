import QtQuick
import "basic"
import "Z4"

// Root of the scene: window drag, busy lock, background, the product item,
// menus, logo and the sliding global-settings panel. The backend calls the
// untyped functions initUI, run, setProtectUI, detectKeyboard and
// detectMouse by name.
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
        enabled: !root.isGlobalSettingSelect
        opacity: 0.2 + 0.8 * enabled
        onBtnTotalResetClicked: root.btnTotalResetClicked()
        onBtnTotalApplyClicked: root.btnTotalApplyClicked()
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

    Image {
        id: logo
        objectName: "logo"
        anchors.horizontalCenter: parent.horizontalCenter
        y: 270
        opacity: 0
        source: root.skinPath + (logoArea.containsMouse ? "frame/web_1.png" : "frame/web_0.png")
        MouseArea {
            id: logoArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: {
                ui_View.playMedia_Index(3);
                Qt.openUrlExternally(root.globalSetting_url);
            }
        }
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
