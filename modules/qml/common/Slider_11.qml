import QtQuick

// Eleven positions 0…10, one segment each; a press-and-release picks the
// segment under the pointer.
Slider {
    currentIndex: 5
    positions: 11
    segments: 11
    implicitWidth: 230
}
