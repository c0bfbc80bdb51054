#include "behaviours.h"

namespace zeph {

void installStandardBehaviours(SimDevice& device)
{
    device.addBehaviour(makeImageStoreBehaviour());
    device.addBehaviour(makeAudioFollowBehaviour());
    device.addBehaviour(makeEffectsAvailableBehaviour());
    device.addBehaviour(makeInputSwitchBehaviour());
    describeInputSignal(device);
    device.addBehaviour(makeLogoStoreBehaviour());
}

}  // namespace zeph
