// Runs the Qt Quick tests of this folder against the QML compiled into the
// program's resources, with FakeView.qml standing in for "ui_View".
#include <QtQuickTest>

QUICK_TEST_MAIN(z4qml)
