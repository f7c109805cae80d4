import QtQuick

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
    readonly property int curID: pageArea.curID

    signal msg_KB(bool isDown, int usbCode)

    width: 1000
    height: 600

    // Page functions are looked up before they are called so that a page
    // without one of them (a page still being built) does not stop the rest.
    function callPage(page, name, args) {
        if (page && typeof page[name] === "function")
            page[name].apply(page, args || []);
    }

    function initUI() {
        const config = ui_View.loadDeviceApConfig();
        deviceApConfig = (config && config.length > 0) ? config : [8];
        callPage(page_Keydefine, "initUI");
        callPage(page_Macro, "initUI");
        callPage(page_Color, "initUI", [deviceApConfig]);
        callPage(page_Sensor, "initUI");
    }

    // The seven keys of the mouse (left, right, middle, backward, forward, DPI
    // switch, fire) named by the string table; the other positions do not
    // exist.
    function builtInLayout() {
        const texts = root.globalSetting_stringList;
        const names = [[51, "LEFT"], [52, "RIGHT"], [53, "MIDDLE"], [54, "BACKWARD"], [55, "FORWARD"], [95, "DPI SWITCH"], [123, "FIRE"]];
        const layout = names.map(([index, fallback]) => texts && texts[index] ? String(texts[index]) : fallback);
        while (layout.length < 16)
            layout.push("");
        return layout;
    }

    // A language without key names (or whose file is gone) keeps the
    // built-in layout, so the key page never loses its keys.
    function translateStrings(code) {
        const layout = ui_View.getProductLayoutStrings_Z4(code);
        const named = layout && Array.prototype.some.call(layout, name => String(name) !== "");
        _ProductLayoutStringList = named ? layout : builtInLayout();
        callPage(page_Keydefine, "translateStrings");
        callPage(page_Macro, "translateStrings");
        callPage(page_Color, "translateStrings");
        menu_Func.translateStrings();
        menu_Prof.translateStrings();
    }

    function setSkin() {
        menu_Func.setSkin();
    }

    // The profile files changed under the pages: switch the live profile and
    // read the pages again.
    function reloadProfile(index) {
        ui_View.ui_02H_SetCurrentProfile(index);
        callPage(page_Keydefine, "initUI");
        callPage(page_Color, "refresh");
        callPage(page_Sensor, "initUI");
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

    Connections {
        target: root
        function onMsg_KB(isDown, usbCode) {
            if (isDown)
                mainZ4.lastPressKeyCode = usbCode;
            mainZ4.msg_KB(isDown, usbCode);
        }
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
            ui_View.playMedia_Index(2);
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

            Image {
                anchors.fill: parent
                visible: pageArea.curID >= 0
                // Sized by the page area: decoded on a worker thread.
                asynchronous: true
                source: root.skinPath + "list_center/pageBackground.png"
            }
            Text {
                x: 24
                y: 12
                visible: pageArea.curID >= 0
                text: pageArea.curID >= 0 ? menu_Func.labels[pageArea.curID] : ""
                font.family: root.globalSetting_fontFamily
                font.pixelSize: root.globalSetting_size + 5
                font.bold: true
                font.letterSpacing: 2
                color: root.globalSetting_color
            }

            Page_Keydefine {
                id: page_Keydefine
                objectName: "page_Keydefine"
                y: 46
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
            duration: 0.5 * root.animation_speed
        }
        NumberAnimation {
            id: slideOut
            target: pageContent
            property: "x"
            from: 0
            to: -2 * pageArea.width
            easing.type: Easing.InCubic
            duration: 0.5 * root.animation_speed
            onStopped: {
                pageArea.curID = pageArea.pendingIndex;
                if (pageArea.pendingIndex >= 0)
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
            ui_View.loadProfile(index);
            if (index === menu_Prof.currentIndex)
                mainZ4.reloadProfile(index);
        }
        onSaveClicked: index => ui_View.saveProfile(index)
        onResetClicked: index => {
            if (!root.confirm("confirmProfileReset", "P" + ("0" + (index + 1)).slice(-2)))
                return;
            root.deviceAction("reset", () => {
                ui_View.resetProfile(index);
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
                duration: root.animation_speed
            }
            NumberAnimation {
                target: menu_Func
                property: "x"
                from: -150
                to: 8
                easing.type: Easing.OutElastic
                duration: root.animation_speed
            }
        }
        ScriptAction {
            script: slideIn.restart()
        }
    }
}
