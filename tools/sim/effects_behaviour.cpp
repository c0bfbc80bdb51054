// The effects: they can be used only while the output switches seamlessly,
// so a change of the requested reference (9 and above: a seamless
// computer reference) also sets and reports EFFAV.
#include "behaviours.h"

namespace zeph {

namespace {

class EffectsAvailable : public SimBehaviour {
public:
    void afterCommand(SimDevice& device, const SimCommand& c, QByteArray& out) override
    {
        if (c.reg != Reg::REFREQ || !c.hasValue) return;
        device.setValue(Reg::EFFAV, device.value(Reg::REFREQ) >= 9 ? 1 : 0);
        out += device.replyLine(Reg::EFFAV);
    }
};

}  // namespace

std::unique_ptr<SimBehaviour> makeEffectsAvailableBehaviour()
{
    return std::make_unique<EffectsAvailable>();
}

}  // namespace zeph
