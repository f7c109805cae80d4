// Runs the Qt Quick tests of this folder against the QML compiled into the
// program's resources. The tests supply their own recording stand-ins for
// "ui_View" and "ui_Ctl".
#include <QtQuickTest>

QUICK_TEST_MAIN(z4qml)
