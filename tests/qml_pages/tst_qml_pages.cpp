// Runs the Qt Quick tests of the setting pages against the QML compiled into
// the program's resources; the tests bring their own recording "ui_View".
#include <QtQuickTest>

void z4InitQmlResources();

class Setup : public QObject
{
    Q_OBJECT

public slots:
    void applicationAvailable() { z4InitQmlResources(); }
};

QUICK_TEST_MAIN_WITH_SETUP(z4qml_pages, Setup)

#include "tst_qml_pages.moc"
