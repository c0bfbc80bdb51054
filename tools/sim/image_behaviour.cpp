// The image page's store: "1STR" starts it, the device answers "STR1", and
// some time later reports "STR0" on its own.
#include "behaviours.h"

#include <QPointer>
#include <QTimer>

namespace zeph {

namespace {

class ImageStore : public SimBehaviour {
public:
    void afterCommand(SimDevice& device, const SimCommand& c, QByteArray&) override
    {
        if (c.reg != Reg::STORE || !c.hasValue || (c.value & 0xFFu) == 0) return;
        ++generation_;
        const unsigned mine = generation_;
        QPointer<SimDevice> alive(&device);
        QTimer::singleShot(device.storeMs(), &device, [this, alive, mine] {
            // A later store restarts the time.
            if (!alive || mine != generation_) return;
            alive->setValue(Reg::STORE, 0);
            alive->report(Reg::STORE);
        });
    }

private:
    unsigned generation_ = 0;
};

}  // namespace

std::unique_ptr<SimBehaviour> makeImageStoreBehaviour()
{
    return std::make_unique<ImageStore>();
}

}  // namespace zeph
