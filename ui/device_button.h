#pragma once
// A checkable button that shows the device's state, not the operator's
// click: the click is reported (pressed, clicked) but leaves the checked
// state alone; only the program changes it, from the device's report. So a
// command the device never answers leaves the button as the device last
// said.
//
//   DeviceButton<QToolButton>   a two-state speed button (mute, smoothing)
//   DeviceButton<QRadioButton>  a radio button checked by the device only

template <class Button>
class DeviceButton : public Button {
public:
    using Button::Button;

protected:
    void nextCheckState() override {}
};
