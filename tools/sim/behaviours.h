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

// Logo page: "1LS" stores the output (LMODE 2, into the frame slot) or the
// logo (LMODE 1, into slot LCURRENT), or erases slot LCURRENT (LMODE 4, 0
// for all slots). The device reports the picture's size at once and LSTORE
// false once the store is done, after SimDevice::logoStoreMs(); by then the
// slot's LEMPTY is reported, and after an erase each input that showed an
// erased slot is reported showing none. "1LA" ends a store at once,
// leaving the slot as it was.
std::unique_ptr<SimBehaviour> makeLogoStoreBehaviour();

}  // namespace zeph
