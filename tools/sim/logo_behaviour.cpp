// The logo page's store: "1LS" starts a capture or an erase by LMODE, the
// device answers "LSTO1" with the picture's size, and reports "LSTO0" once
// the store is done, the time growing with the picture.
#include "behaviours.h"

#include <QPointer>
#include <QSize>
#include <QTimer>

#include <algorithm>

namespace zeph {

namespace {

// The output picture of each output format (OFMT 0 to 15).
const QSize OutputPictures[16] = {
    {640, 480},   {800, 600},   {1024, 768},  {1280, 1024}, {1400, 1050}, {640, 480},   {800, 600},  {1024, 768},
    {1280, 1024}, {1365, 1024}, {1365, 768},  {852, 480},   {1280, 720},  {1365, 1024}, {1365, 768}, {1400, 1050},
};

class LogoStore : public SimBehaviour {
public:
    void afterCommand(SimDevice& device, const SimCommand& c, QByteArray& out) override
    {
        const bool set = c.hasValue && (c.value & 0xFFu) != 0;
        if (c.reg == Reg::LSTORE && set) start(device, out);
        else if (c.reg == Reg::LABORT && set && running_) abort(device, out);
    }

private:
    void start(SimDevice& device, QByteArray& out)
    {
        const uint32_t mode = device.value(Reg::LMODE);
        running_ = true;
        erase_ = mode == 4;
        // A new store is not aborted (yet).
        device.setValue(Reg::LABORT, 0);
        out.append(device.replyLine(Reg::LABORT));
        uint64_t bytes = 0;
        if (!erase_) {
            const uint32_t ofmt = device.value(Reg::OFMT);
            const QSize output = OutputPictures[ofmt < 16 ? ofmt : 0];
            QSize picture = output;
            if (mode != 2) {
                // The logo's size is given in 256ths of the output picture.
                picture = QSize(std::max<int>(1, int(device.value(Reg::LHSIZ) * uint32_t(output.width()) / 256)),
                                std::max<int>(1, int(device.value(Reg::LVSIZ) * uint32_t(output.height()) / 256)));
            }
            device.setValue(Reg::LPIXELSIZ, uint32_t(picture.width()));
            device.setValue(Reg::LLINESIZ, uint32_t(picture.height()));
            device.setValue(Reg::LSTYLE, mode == 2 ? 0 : 1);
            device.setValue(Reg::LOFMT, ofmt);
            for (int r : {Reg::LPIXELSIZ, Reg::LLINESIZ, Reg::LSTYLE, Reg::LOFMT}) out.append(device.replyLine(r));
            bytes = uint64_t(picture.width()) * uint64_t(picture.height()) * 3;
        }
        ++generation_;
        const unsigned mine = generation_;
        QPointer<SimDevice> alive(&device);
        QTimer::singleShot(device.logoStoreMs(bytes), &device, [this, alive, mine] {
            if (!alive || mine != generation_ || !running_) return;
            finish(*alive);
        });
    }

    void finish(SimDevice& device)
    {
        running_ = false;
        const uint32_t slot = device.value(Reg::LCURRENT);
        if (erase_) {
            device.setLempty(int(slot), true);
            clearAssignments(device, slot);
        } else if (slot >= 1 && slot <= 9) {
            device.setLempty(int(slot), false);
        }
        device.report(Reg::LEMPTY);
        device.setValue(Reg::LSTORE, 0);
        device.report(Reg::LSTORE);
    }

    // Inputs that showed an erased slot show none; each change is reported
    // after the pointers that name it, which are then set back.
    static void clearAssignments(SimDevice& device, uint32_t slot)
    {
        const uint32_t pchan = device.value(Reg::PCHAN), lindex = device.value(Reg::LINDEX);
        bool moved = false;
        for (int input = 1; input <= 8; ++input) {
            for (uint32_t layer = 0; layer <= 1; ++layer) {
                const uint32_t shown = device.lplogo(input, int(layer));
                if (shown == 0 || (slot != 0 && shown != slot)) continue;
                device.setValue(Reg::PCHAN, uint32_t(input));
                device.setValue(Reg::LINDEX, layer);
                device.setValue(Reg::LPLOGO, 0);
                for (int r : {Reg::PCHAN, Reg::LINDEX, Reg::LPLOGO}) device.report(r);
                moved = true;
            }
        }
        if (!moved) return;
        device.setValue(Reg::PCHAN, pchan);
        device.setValue(Reg::LINDEX, lindex);
        device.report(Reg::PCHAN);
        device.report(Reg::LINDEX);
    }

    void abort(SimDevice& device, QByteArray& out)
    {
        running_ = false;
        ++generation_;
        device.setValue(Reg::LSTORE, 0);
        out.append(device.replyLine(Reg::LSTORE));
    }

    bool running_ = false;
    bool erase_ = false;
    unsigned generation_ = 0;
};

}  // namespace

std::unique_ptr<SimBehaviour> makeLogoStoreBehaviour()
{
    return std::make_unique<LogoStore>();
}

}  // namespace zeph
