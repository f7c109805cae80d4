import QtQuick
import ".."

Item {
    width: 1000
    height: 600

    Image {
        x: 78 - width / 2
        y: 93 - height / 2
        source: Theme.skin("frame/decoration1.png")
    }

    Image {
        x: 923 - width / 2
        y: 93 - height / 2
        source: Theme.skin("frame/decoration2.png")
    }
}
