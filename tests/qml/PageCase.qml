import QtQuick
import QtTest

// The test case of one page of Z4/: each case opens it afresh in a PageHarness.
TestCase {
    property string source
    property string resetFunction
    property string applyFunction
    property var harness: null
    property var page: null
    property var view: null

    when: windowShown

    Component {
        id: harnessComponent
        PageHarness {}
    }

    function part(name) {
        const found = findChild(page, name);
        verify(found !== null, "no item " + name);
        return found;
    }
    // `setup(view, harness)` gives the stand-in its answers before initUI(...args).
    function open(setup, args) {
        harness = createTemporaryObject(harnessComponent, parent, {
            source: "qrc:/modules/qml/Z4/" + source,
            resetFunction: resetFunction,
            applyFunction: applyFunction
        });
        page = harness.page;
        view = harness.view;
        verify(page !== null, "page did not load");
        if (setup)
            setup(view, harness);
        page.initUI.apply(page, args || []);
        view.clear();
    }
}
