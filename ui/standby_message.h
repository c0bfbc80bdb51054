#pragma once
// The projector stand-by message state that the main window and the
// stand-by message dialog share: which message is meant, how many bytes the
// dialog recorded, the state of the main window's message sequencer, and
// the two recorded messages.

#include <array>
#include <cstdint>

struct StandbyMessageState {
    static constexpr int BufferSize = 129;
    // The dialog refuses keys once this many bytes are recorded (an Enter
    // at one below still records CR and LF).
    static constexpr int Limit = 50;

    // True for the power-on message, false for the power-off one.
    bool Standby_message_on = false;
    // Bytes recorded in the current buffer (one count for both).
    int32_t Standby_code_count = 0;
    // The sequencer: 0 idle, 1 start (set by the dialog's OK), 2 sending.
    int32_t Sequencer_state = 0;
    std::array<uint8_t, BufferSize> Code_on{};
    std::array<uint8_t, BufferSize> Code_off{};

    std::array<uint8_t, BufferSize>& current() { return Standby_message_on ? Code_on : Code_off; }
    const std::array<uint8_t, BufferSize>& current() const { return Standby_message_on ? Code_on : Code_off; }
};
