// Runs the Qt Quick tests of the setting pages against the QML compiled into
// the program's resources; the tests bring their own recording "ui_View".
#include <QtQuickTest>

QUICK_TEST_MAIN(z4qml_pages)
