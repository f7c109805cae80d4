// Runs the Qt Quick tests of this folder against the QML compiled into the
// program's resources. The tests supply their own recording stand-ins for
// "ui_View" and "ui_Ctl".
#include <QtQuickTest>

void z4InitQmlResources();

class Setup : public QObject
{
    Q_OBJECT

public slots:
    void applicationAvailable() { z4InitQmlResources(); }
};

QUICK_TEST_MAIN_WITH_SETUP(z4qml, Setup)

#include "tst_qml.moc"
