#pragma once

class InputHook;
class Widget;

// Hands every key and mouse button the input hook captures to the view of
// the host window (and so to the QML root, queued).
void connectInputHook(InputHook &hook, Widget &host);
