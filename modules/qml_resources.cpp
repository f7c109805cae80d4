#include <QtGlobal>

// Keeps the compiled QML in a library that the program and the QML tests
// share; Q_INIT_RESOURCE must run from code outside any namespace.
void z4InitQmlResources()
{
    Q_INIT_RESOURCE(qml);
}
