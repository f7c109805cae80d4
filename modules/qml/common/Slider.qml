pragma ComponentBehavior: Bound
import QtQuick
import ".."

// Eight positions 0…7 drawn as seven segments (position 0 lights none); a
// press-and-release picks the position under the pointer. Slider_11 draws
// one segment per position instead.
Item {
    id: slider

    property int currentIndex: 7
    property int positions: 8
    property int segments: positions - 1
    // Segments lit at position 0.
    readonly property int litAtZero: segments - positions + 1

    // For screen readers, which read a slider's value and range.
    readonly property int value: currentIndex
    readonly property int from: 0
    readonly property int to: positions - 1

    signal sliderClicked(int index)

    function setCurIndex(index) {
        currentIndex = Math.max(0, Math.min(positions - 1, index));
    }
    function getCurIndex() {
        return currentIndex;
    }
    // Moves by keyboard and reports the new position as a click does.
    function step(delta) {
        const before = currentIndex;
        setCurIndex(Math.max(0, currentIndex) + delta);
        if (currentIndex !== before)
            sliderClicked(currentIndex);
    }
    function positionAt(x) {
        const cx = Math.max(0, Math.min(width - 1, x));
        return Math.max(0, Math.ceil(segments * cx / (width - 1)) - litAtZero);
    }

    implicitWidth: 168
    implicitHeight: 14
    opacity: (mouseArea.pressed || !enabled) ? 0.2 : 1.0
    activeFocusOnTab: true

    Accessible.role: Accessible.Slider
    Accessible.focusable: true
    Accessible.onIncreaseAction: step(1)
    Accessible.onDecreaseAction: step(-1)

    Keys.onPressed: event => {
        switch (event.key) {
        case Qt.Key_Left:
        case Qt.Key_Down:
            step(-1);
            break;
        case Qt.Key_Right:
        case Qt.Key_Up:
            step(1);
            break;
        case Qt.Key_Home:
            step(-positions);
            break;
        case Qt.Key_End:
            step(positions);
            break;
        default:
            return;
        }
        event.accepted = true;
    }

    Row {
        anchors.fill: parent
        spacing: 2
        Repeater {
            model: slider.segments
            delegate: Image {
                required property int index
                width: (slider.width - 2 * (slider.segments - 1)) / slider.segments
                height: slider.height
                fillMode: Image.Stretch
                source: Theme.skin(index < slider.currentIndex + slider.litAtZero ? "common/slider_1.png" : "common/slider_0.png")
            }
        }
    }

    MouseArea {
        id: mouseArea
        anchors.fill: parent
        onReleased: mouse => {
            slider.currentIndex = slider.positionAt(mouse.x);
            slider.sliderClicked(slider.currentIndex);
        }
    }

    FocusMark {}
}
