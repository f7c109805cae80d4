#pragma once

#include "sim/firmware.h"
#include "sim/sim_options.h"

#include <memory>

// The firmware that z4sim and the in-process VirtualMouse run for the given
// options (mouse, or keyboard with SimOptions::keyboard).
std::unique_ptr<Firmware> createFirmware(const SimOptions &options);
