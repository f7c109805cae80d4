import QtQuick
import ".."

// The mouse's part of the window: the sliding page area with its four pages,
// the function menu that picks the page and the profile menu.
Item {
    id: mainZ4

    property int lastPressKeyCode: 0
    // Names of the mouse's key positions; until a language gives its own,
    // the built-in layout in the texts of the string table.
    property var _ProductLayoutStringList: builtInLayout()
    property var deviceApConfig: [8]
    property bool menusEnabled: true
    // The mouse, for the panel shown while no page is chosen.
    property string deviceName: ""
    property string deviceFirmware: ""
    readonly property int pageAreaTop: pageArea.y
    readonly property int curID: pageArea.curID

    signal msg_KB(bool isDown, int usbCode)

    width: 1000
    height: 600

    function initUI() {
        const config = App.view.loadDeviceApConfig();
        deviceApConfig = (config && config.length > 0) ? config : [8];
        page_Keydefine.initUI();
        page_Macro.initUI();
        page_Color.initUI(deviceApConfig);
        page_Sensor.initUI();
    }

    // The seven keys of the mouse (left, right, middle, backward, forward, DPI
    // switch, fire) named by the string table; the other positions do not
    // exist.
    function builtInLayout() {
        const layout = [];
        for (const index of [51, 52, 53, 54, 55, 95, 123])
            layout.push(Theme.str(index));
        while (layout.length < 16)
            layout.push("");
        return layout;
    }

    // A language without key names (or whose file is gone) keeps the
    // built-in layout, so the key page never loses its keys.
    function translateStrings(code) {
        const layout = App.view.getProductLayoutStrings_Z4(code);
        let named = false;
        for (let i = 0; layout && i < layout.length; ++i)
            named = named || String(layout[i]) !== "";
        _ProductLayoutStringList = named ? layout : builtInLayout();
        page_Keydefine.translateStrings();
        page_Macro.translateStrings();
        page_Color.translateStrings();
        menu_Func.translateStrings();
        menu_Prof.translateStrings();
    }

    // The profile files changed under the pages: switch the live profile and
    // read the pages again.
    function reloadProfile(index) {
        App.view.ui_02H_SetCurrentProfile(index);
        page_Keydefine.initUI();
        page_Color.refresh();
        page_Sensor.initUI();
    }

    function powerOn() {
        pageArea.visible = true;
        menu_Func.visible = true;
        menu_Prof.visible = true;
        pageArea.curID = menu_Func.currentIndex;
        pageArea.pendingIndex = menu_Func.currentIndex;
        pageContent.x = -2 * pageArea.width;
        powerOnAnimation.restart();
    }

    function show(index) {
        pageArea.show(index);
    }

    // A key captured anywhere on the desktop, for the pages that wait for
    // one.
    function keyCaptured(isDown, usbCode) {
        if (isDown)
            lastPressKeyCode = usbCode;
        msg_KB(isDown, usbCode);
    }
    onMsg_KB: (isDown, usbCode) => {
        page_Keydefine.detectKeyboard(isDown, usbCode);
        page_Macro.detectKeyboard(isDown, usbCode);
    }

    // A press on the window's empty area ends what the pages have open.
    function emptyAreaPressed() {
        page_Keydefine.commitPending();
        page_Macro.closeFileMenu();
    }

    // ALL RESET and ALL SAVE of the bottom bar: each page resets or sends
    // itself, without a lock of its own.
    function resetPages() {
        page_Keydefine.resetAll();
        page_Color.reset();
        page_Sensor.loadDefaults();
    }
    function applyPages() {
        page_Keydefine.sendKeyMatrix();
        page_Color.sendEffect();
        page_Sensor.sendSettings();
    }

    // Declared before the page area so that the keyboard's focus chain runs
    // from the function menu through the shown page to the profile menu.
    Menu_Func {
        id: menu_Func
        objectName: "menu_Func"
        x: -150
        y: 180
        visible: false
        enabled: mainZ4.menusEnabled
        opacity: 0.2 + 0.8 * enabled
        onFuncChosen: index => pageArea.show(index)
    }

    Item {
        id: pageArea
        objectName: "pageArea"

        property int curID: -1
        property int pendingIndex: -1

        function show(index) {
            App.view.playMedia_Index(2);
            if (slideOut.running) {
                pendingIndex = index;
                slideOut.complete();
                return;
            }
            if (slideIn.running) {
                curID = index;
                slideIn.complete();
                return;
            }
            if (index < 0) {
                pendingIndex = index;
                slideOut.start();
            } else if (pendingIndex < 0) {
                pendingIndex = index;
                curID = index;
                slideIn.start();
            } else {
                pendingIndex = index;
                slideOut.start();
            }
        }

        x: 171
        y: 96
        width: 759
        height: 442
        clip: true
        visible: false
        enabled: mainZ4.menusEnabled
        opacity: 0.2 + 0.8 * enabled

        Item {
            id: pageContent
            objectName: "pageContent"
            width: pageArea.width
            height: pageArea.height

            DevicePanel {
                objectName: "devicePanel"
                anchors.fill: parent
                visible: pageArea.curID < 0
                name: mainZ4.deviceName
                firmware: mainZ4.deviceFirmware
                connected: App.deviceConnected
            }
            Image {
                anchors.fill: parent
                visible: pageArea.curID >= 0
                // Sized by the page area: decoded on a worker thread.
                asynchronous: true
                source: Theme.skin("list_center/pageBackground.png")
            }
            Caption {
                x: 24
                y: 12
                visible: pageArea.curID >= 0
                text: pageArea.curID >= 0 ? menu_Func.labels[pageArea.curID] : ""
                sizeStep: 5
                font.letterSpacing: 2
            }

            Page_Keydefine {
                id: page_Keydefine
                objectName: "page_Keydefine"
                y: 46
                layoutNames: mainZ4._ProductLayoutStringList
                visible: pageArea.curID === 0
            }
            Page_Macro {
                id: page_Macro
                objectName: "page_Macro"
                y: 46
                visible: pageArea.curID === 1
            }
            Page_Color {
                id: page_Color
                objectName: "page_Color"
                y: 46
                visible: pageArea.curID === 2
            }
            Page_Sensor {
                id: page_Sensor
                objectName: "page_Sensor"
                y: 46
                visible: pageArea.curID === 3
            }
        }

        NumberAnimation {
            id: slideIn
            target: pageContent
            property: "x"
            from: -2 * pageArea.width
            to: 0
            easing.type: Easing.OutCubic
            duration: 0.5 * Theme.animationSpeed
        }
        NumberAnimation {
            id: slideOut
            target: pageContent
            property: "x"
            from: 0
            to: -2 * pageArea.width
            easing.type: Easing.InCubic
            duration: 0.5 * Theme.animationSpeed
            // The next page slides in, or the device panel when no page is
            // chosen.
            onStopped: {
                pageArea.curID = pageArea.pendingIndex;
                slideIn.start();
            }
        }
    }

    Menu_Prof {
        id: menu_Prof
        objectName: "menu_Prof"
        x: 1000
        y: 95
        visible: false
        enabled: mainZ4.menusEnabled && pageArea.curID !== 1
        onProfileSelected: index => mainZ4.reloadProfile(index)
        onLoadClicked: index => {
            App.view.loadProfile(index);
            if (index === menu_Prof.currentIndex)
                mainZ4.reloadProfile(index);
        }
        onSaveClicked: index => App.view.saveProfile(index)
        onResetClicked: index => {
            if (!App.confirm("confirmProfileReset", menu_Prof.profileName(index)))
                return;
            App.deviceAction("reset", () => {
                App.view.resetProfile(index);
                if (index === menu_Prof.currentIndex)
                    mainZ4.reloadProfile(index);
            });
        }
    }

    SequentialAnimation {
        id: powerOnAnimation
        ParallelAnimation {
            NumberAnimation {
                target: menu_Prof
                property: "x"
                from: 1000
                to: 1000 - menu_Prof.width - 8
                easing.type: Easing.OutElastic
                duration: Theme.animationSpeed
            }
            NumberAnimation {
                target: menu_Func
                property: "x"
                from: -150
                to: 8
                easing.type: Easing.OutElastic
                duration: Theme.animationSpeed
            }
        }
        ScriptAction {
            script: slideIn.restart()
        }
    }
}
