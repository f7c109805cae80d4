import QtQuick
import ".."

// A heading: bold, in the highlight colour.
Label {
    font.bold: true
    color: Theme.color
}
