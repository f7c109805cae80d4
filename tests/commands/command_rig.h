#pragma once

// The names the command and dispatcher tests use for the one device stand-in:
// a device under test is its firmware behind the recording bus.
#include "device/fake_hid_bus.h"

using CommandRig = ScannedLink;
using FirmwareBus = FakeHidBus;
using Report = BusEvent;
