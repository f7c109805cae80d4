// The interface's texts in English, written once: the string table of a
// language that has no file (or lacks an entry), and the list that the
// shipped English language file repeats ("strings/i" is entry i). Entry 0 is
// the font family. Indexes 1…114 are fixed; later texts are only appended.
export const english = [
    "Arial", "OPTIONS", "LOOP", "SPEED", "BRIGHTNESS", "DIRECTION", "PAINTING", "EFFECTS",
    "USER DEFINE 1", "USER DEFINE 2", "USER DEFINE 3", "USER DEFINE 4", "USER DEFINE 5",
    "STATIC", "BREATHING", "WAVE", "INDUCTION DARKEN", "MARQUEE", "RIPPLE",
    "INDUCTION BRIGHTEN", "NEON", "MARQUEE COLORFUL", "RAINING", "MARQUEE CIRCLE", "SPOTLIGHT",
    "ROTATION", "SKIN", "SOUND", "ANIMATED", "LANGUAGE", "BACKGROUND", "ON", "OFF", "TEXT",
    "SIZE", "COLOR", "BRIGHTNESS", "NORMAL", "LARGER", "SKIN 1", "SKIN 2", "SKIN 3", "SKIN 4",
    "SKIN 5", "MACRO", "ACTION", "KEYBOARD", "MOUSE", "MEDIA", "COMBO KEY", "MACRO", "LEFT",
    "RIGHT", "MIDDLE", "BACKWARD", "FORWARD", "NEXT TRACK", "PREVIOUS TRACK", "STOP",
    "PLAY / PAUSE", "MUTE", "VOLUME UP", "VOLUME DOWN", "MEDIA SELECT", "MAIL", "CALCULATOR",
    "MY COMPUTER", "WWW SEARCH", "WWW HOME", "WWW BACK", "WWW FORWARD", "WWW STOP",
    "WWW REFRESH", "WWW FAVORITES", "KEY", "MACRO", "COLOR", "RESET", "CANCEL", "GAMING MODE",
    "DELETE", "CUT", "PASTE", "COPY", "LOAD", "SAVE", "SENSOR", "LED POWER ON", "TWINKLING",
    "GLIDING", "FINGER MOVING", "VERTICAL FLIPPING", "YO-YO", "FIRE KEY", "TRIPLE CLICK",
    "DPI SWITCH", "NORMAL PLAY", "TIMES", "ALWAYS REPEAT", "REPEAT ON PRESSED", "POLLING RATE",
    "CURSOR SPEED", "VERTICAL SCROLL SPEED", "DOUBLE CLICK SPEED", "DPI LEVEL",
    "DPI INDICATOR LED", "DEFAULT", "APPLY", "SCROLL SWAP", "SCROLL UP", "SCROLL DOWN",
    "LED CONTROL", "RENAME", "ALL RESET", "ALL SAVE",
    // 115…130: the labels of the pages' own controls.
    "PRESS ANY", "INSERT", "GUN KEY", "DPI +", "DPI -", "LOOP SWITCH", "TWO GUN LOOP",
    "THREE GUN LOOP", "FIRE", "times", "REC", "STOP", "DELAY", "ms", "SETTINGS", "CLOSE",
    // 131…157: the mouse's state, the notices, the questions, the busy lock
    // and the device panel.
    "DISCONNECTED", "THE MOUSE IS DISCONNECTED: PLUG IT IN TO SEND CHANGES",
    "Saved to the mouse.", "Not saved to the mouse: %1 (%2).",
    "Could not read from the mouse: %1 (%2).", "%1 not sent: the mouse could not be read first.",
    "Could not be saved: %1", "This desktop did not take: %1.", "RETRY",
    "the mouse is not connected", "the mouse could not be opened", "the mouse was busy",
    "the mouse stopped answering", "the mouse did not answer", "the mouse did not confirm it",
    "the program is closing", "PLEASE CONFIRM", "Reset every page to its factory values?",
    "Reset profile %1 to its factory values? Its settings are lost.", "Delete the macro \"%1\"?",
    "POINTER ACCELERATION", "PROFILE", "FIRMWARE", "LOADING", "SAVING", "CONNECTED",
    "CHOOSE A FUNCTION ON THE LEFT"
];

// Texts of the window's feedback by name: their entries in the string table.
// Failure reasons that read alike share one text.
export const feedback = {
    disconnected: 131, goneBanner: 132, saved: 133, notSaved: 134, notRead: 135, notSent: 136,
    fileNotSaved: 137, pointerRefused: 138, retry: 139, close: 130,
    notConnected: 140, openRefused: 141, busy: 142, sendFailed: 143, writeFailed: 143,
    noReply: 144, readFailed: 144, noAcknowledge: 145, closed: 146,
    confirmTitle: 147, confirmAllReset: 148, confirmProfileReset: 149, confirmMacroDelete: 150,
    cursorSpeed: 101, verticalScrollLines: 102, doubleClickSpeed: 103, acceleration: 151,
    firmware: 153, loading: 154, saving: 155, connected: 156, choosePage: 157
};

// Names of the device commands in notices, by command code (a get's code is
// its set's plus 80H).
export const commands = {
    1: 100, 129: 100, 2: 152, 130: 152, 3: 86, 131: 86, 4: 93, 7: 111, 135: 111,
    11: 104, 139: 104, 13: 7, 141: 7, 16: 35, 144: 35, 17: 104, 145: 104, 18: 74, 146: 74,
    19: 44, 147: 44, 128: 153
};
