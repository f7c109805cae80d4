import QtQuick
import ".."

// Opaque background of an open list or menu, drawn by the skin.
BorderImage {
    source: Theme.skin("common/popup.png")
    border.left: 2
    border.top: 2
    border.right: 2
    border.bottom: 2
}
