// The audio that follows the video: while the audio mode AMOD is 0, the
// input heard (ACHAN) is the input on the output (ICHM). After any command
// that leaves them apart (AMOD set to 0, another audio input asked for,
// another input switched to the output) the device brings ACHAN back and
// reports it.
#include "behaviours.h"

namespace zeph {

namespace {

class AudioFollow : public SimBehaviour {
public:
    void afterCommand(SimDevice& device, const SimCommand&, QByteArray& out) override
    {
        if (device.value(Reg::AMOD) != 0) return;
        const uint32_t shown = device.value(Reg::ICHM);
        if (shown < 1 || shown > 8 || device.value(Reg::ACHAN) == shown) return;
        device.setValue(Reg::ACHAN, shown);
        out.append(device.replyLine(Reg::ACHAN));
    }
};

}  // namespace

std::unique_ptr<SimBehaviour> makeAudioFollowBehaviour()
{
    return std::make_unique<AudioFollow>();
}

}  // namespace zeph
