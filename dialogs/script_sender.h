#pragma once
// The console's script sender: the lines of a text file sent to the device
// one line per tick of its timer, or one character per tick.
//
// A script whose first line has 9 characters or fewer is a list of
// commands and goes line by line, every `delay + 30` ms, each line without
// a line end (an empty line sends nothing). A longer first line marks a
// text that goes character by character, every `delay + 10` ms: the lines
// each followed by CR LF, the CR and LF as characters of their own, except
// the final LF, which is never sent.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>

class ScriptSender : public QObject {
public:
    enum class Mode { Line, Character };
    static constexpr int LineDelay = 30;
    static constexpr int CharacterDelay = 10;
    static constexpr int FirstLineMax = 9;  // longest first line of a line-mode script

    // `send` receives each line or character.
    explicit ScriptSender(std::function<void(const QByteArray&)> send, QObject* parent = nullptr);

    // Takes a script's lines and starts sending them with `delay` added to
    // the mode's pause. A script without lines leaves the sender idle;
    // false then.
    bool start(const QList<QByteArray>& lines, int delay);
    void stop();
    // The operator moved the delay: once a script with lines is loaded, the
    // pause becomes `delay` + the mode's part.
    bool setDelay(int delay);
    // One tick of the timer (`evenement_tempo`).
    void tick();

    bool running() const { return timer_.isActive(); }
    bool loaded() const { return !lines_.isEmpty(); }
    Mode mode() const { return mode_; }
    int index() const { return index_; }
    const QTimer& timer() const { return timer_; }
    void setInterval(int ms) { timer_.setInterval(ms); }

    // Runs when a script has been sent to its end.
    std::function<void()> onFinished;

private:
    int pause(int delay) const { return delay + (mode_ == Mode::Line ? LineDelay : CharacterDelay); }

    std::function<void(const QByteArray&)> send_;
    QTimer timer_;
    QList<QByteArray> lines_;
    QByteArray text_;  // character mode: the lines with CR LF
    Mode mode_ = Mode::Line;
    int index_ = 0;  // line mode from 0; character mode from 1
};
