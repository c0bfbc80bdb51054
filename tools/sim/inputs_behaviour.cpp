// The inputs: the device measures the signal of the input on the output and
// reports it; a preselected input (ICHP) is taken onto the output after a
// moment, with TAKE true meanwhile; a requested reference (REFREQ) comes
// into force at once with its family and frame rate.
#include "behaviours.h"

#include <QPointer>
#include <QTimer>

#include <cmath>

namespace zeph {

namespace {

// The measurements, in the order the device reports them after a switch.
constexpr int Measured[] = {Reg::IFAMM, Reg::IPSIGM, Reg::IOORM, Reg::ISYNCM, Reg::IHPOLM,
                            Reg::IVPOLM, Reg::IINTM,  Reg::ILDM,  Reg::IFDM};

class InputSwitch : public SimBehaviour {
public:
    void afterCommand(SimDevice& device, const SimCommand& c, QByteArray& out) override
    {
        if (!c.hasValue) return;
        if (c.reg == Reg::ICHP && c.value >= 1 && c.value <= 8) take(device, c.value, out);
        if (c.reg == Reg::REFREQ && c.value <= 10) reference(device, c.value, out);
    }

private:
    void take(SimDevice& device, uint32_t input, QByteArray& out)
    {
        device.setValue(Reg::TAKE, 1);
        out += device.replyLine(Reg::TAKE);
        ++generation_;
        const unsigned mine = generation_;
        QPointer<SimDevice> alive(&device);
        QTimer::singleShot(SwitchMs, &device, [this, alive, mine, input] {
            // A later switch takes over.
            if (!alive || mine != generation_) return;
            alive->setValue(Reg::ICHM, input);
            alive->report(Reg::ICHM);
            for (int reg : Measured) alive->report(reg);
            alive->setValue(Reg::TAKE, 0);
            alive->report(Reg::TAKE);
        });
    }

    static void reference(SimDevice& device, uint32_t requested, QByteArray& out)
    {
        // An input followed gives its measured family and frame rate; the
        // computer references an SVGA output at 60 Hz.
        uint32_t family = 0, rate = 60;
        if (requested >= 1 && requested <= 8) {
            family = device.value(Reg::IFAMM);
            const uint32_t ildm = device.value(Reg::ILDM), ifdm = device.value(Reg::IFDM);
            if (ildm != 0 && ifdm != 0)
                rate = uint32_t(std::lround(double(device.value(Reg::UNITY)) / ildm * 1000.0 / ifdm));
        } else if (requested >= 9) {
            family = 17;
        }
        device.setValue(Reg::REFSTA, requested);
        device.setValue(Reg::REFFAM, family);
        device.setValue(Reg::REFFRQ, rate);
        for (int reg : {Reg::REFSTA, Reg::REFFAM, Reg::REFFRQ}) out += device.replyLine(reg);
    }

    static constexpr int SwitchMs = 300;
    unsigned generation_ = 0;
};

}  // namespace

void describeInputSignal(SimDevice& device)
{
    // A PAL picture, composite sync, interlaced: 15.625 kHz lines (UNITY
    // 27 MHz / ILDM in kHz) and 312 lines per field.
    device.setValue(Reg::IPSIGM, 1);
    device.setValue(Reg::IOORM, 0);
    device.setValue(Reg::IFAMM, 4);
    device.setValue(Reg::ISYNCM, 1);
    device.setValue(Reg::IINTM, 1);
    device.setValue(Reg::ILDM, 1728000);
    device.setValue(Reg::IFDM, 312);
}

std::unique_ptr<SimBehaviour> makeInputSwitchBehaviour()
{
    return std::make_unique<InputSwitch>();
}

}  // namespace zeph
