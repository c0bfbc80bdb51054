#include "script_sender.h"

ScriptSender::ScriptSender(std::function<void(const QByteArray&)> send, QObject* parent)
    : QObject(parent), send_(std::move(send))
{
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
}

bool ScriptSender::start(const QList<QByteArray>& lines, int delay)
{
    timer_.stop();
    lines_ = lines;
    text_.clear();
    if (lines_.isEmpty()) return false;
    if (lines_.front().size() <= FirstLineMax) {
        mode_ = Mode::Line;
        index_ = 0;
    } else {
        mode_ = Mode::Character;
        index_ = 1;
        for (const QByteArray& l : lines_) text_ += l + "\r\n";
    }
    timer_.setInterval(pause(delay));
    timer_.start();
    return true;
}

void ScriptSender::stop()
{
    timer_.stop();
}

bool ScriptSender::setDelay(int delay)
{
    if (lines_.isEmpty()) return false;
    timer_.setInterval(pause(delay));
    return true;
}

void ScriptSender::tick()
{
    const auto finish = [this](int restart) {
        index_ = restart;
        timer_.stop();
        if (onFinished) onFinished();
    };
    if (mode_ == Mode::Line) {
        if (index_ >= lines_.size()) return finish(0);
        const QByteArray line = lines_[index_++];
        if (!line.isEmpty()) send_(line);
    } else {
        // Characters count from 1; the last one (the final LF) is never sent.
        if (index_ >= text_.size()) return finish(1);
        send_(text_.mid(index_ - 1, 1));
        ++index_;
    }
}
