#pragma once

class Hid_Thread;

using uchar = unsigned char;

// Sends the press-gun setting of one slot to the mouse: the enable bit in
// the function options (03H) and the offsets (04H). Writes no file; the page
// saves the gun tables and the slot record before it calls this.
class PressGunOperation
{
public:
    explicit PressGunOperation(Hid_Thread &hid) : hid(hid) {}

    // Parameters in the order the press-gun page passes them. The options
    // are read back first; false (nothing sent) when that read failed.
    bool send(uchar xOffset, uchar yOffset, uchar times, uchar enable, uchar cursorBack,
              uchar slot);

private:
    Hid_Thread &hid;
};
