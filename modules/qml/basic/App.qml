pragma Singleton
import QtQuick
import ".."

// What the parts of the scene share with the window around them: the
// backend ("ui_View", "ui_Ctl"), the key-name table, the mouse's connection
// and the window's busy lock. The window fills it in.
QtObject {
    id: app

    property var view: null
    property var ctl: null
    property KeyCodeString keyNames: null
    property bool deviceConnected: true

    // Kinds of work the busy lock waits for.
    readonly property string loading: "loading"
    readonly property string saving: "saving"

    // A part asks the window to take no input for `interval` ms while the
    // mouse is loading or saving.
    signal lockRequested(int interval, string action)

    function lock(interval: int, action: string) {
        lockRequested(interval, action);
    }
    // The sound of every control's click.
    function click() {
        view.playMedia_Index(4);
    }
    // A user action that may write to the mouse: its outcome comes back as
    // one notice once its last command has ended.
    function deviceAction(name: string, work) {
        view.beginAction(name);
        try {
            work();
        } finally {
            view.endAction();
        }
    }
    // Asks the user; `name` is a question of the feedback texts, `arg` fills
    // its %1.
    function confirm(name: string, arg): bool {
        return view.confirm(Theme.text("confirmTitle"), Theme.text(name).replace("%1", arg === undefined ? "" : arg));
    }
    // Whether a key press means "press this control".
    function isActivation(event): bool {
        return event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space;
    }
}
