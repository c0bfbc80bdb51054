#pragma once
// The device's behaviours beyond store-and-echo, one factory per page.

#include "simdevice.h"

#include <memory>

namespace zeph {

// Installs every standard behaviour (called by the SimDevice constructor).
void installStandardBehaviours(SimDevice& device);

// Image page: a STORE of the image settings ends by itself after
// SimDevice::storeMs() with STORE reported false.
std::unique_ptr<SimBehaviour> makeImageStoreBehaviour();

// Inputs: a preselected input (ICHP) is taken onto the output (ICHM) after
// a moment with TAKE true meanwhile, and its measurements are reported; a
// requested reference (REFREQ) comes into force with its family and rate.
std::unique_ptr<SimBehaviour> makeInputSwitchBehaviour();
// The measured signal of the input on the output at start (a PAL picture);
// --set changes it.
void describeInputSignal(SimDevice& device);

}  // namespace zeph
