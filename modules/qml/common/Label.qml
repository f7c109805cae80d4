import QtQuick
import ".."

// Text in the scene's font at the user's text size (plus `sizeStep`), in
// the colour of enabled text unless told otherwise.
Text {
    property int sizeStep: 0

    font.family: Theme.fontFamily
    font.pixelSize: Theme.size + sizeStep
    color: Theme.colorEnable
}
