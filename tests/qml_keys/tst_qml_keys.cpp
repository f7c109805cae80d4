#include <QtQuickTest>

void z4InitQmlResources();

class Setup : public QObject
{
    Q_OBJECT

public slots:
    void applicationAvailable() { z4InitQmlResources(); }
};

QUICK_TEST_MAIN_WITH_SETUP(qml_keys, Setup)

#include "tst_qml_keys.moc"
