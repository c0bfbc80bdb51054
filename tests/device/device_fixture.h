#pragma once
// A device component held connected without a transport (ForceConn), every
// event recorded by name, replies fed straight into its parser.

#include "zeph350_d.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

struct Recorder {
    QStringList events;  // event names in the order raised
    QStringList sent;    // sentString at each OnSentString

    void attach(TZEPH350_d& z)
    {
        for (int i = 0; i < TZEPH350_d::EventCount; ++i) {
            const auto e = static_cast<TZEPH350_d::Event>(i);
            z.setHandler(e, [this, e](TZEPH350_d* s, int) {
                events << QString::fromLatin1(TZEPH350_d::eventName(e));
                if (e == TZEPH350_d::Event::OnSentString) sent << s->sentString;
            });
        }
    }
    void clear()
    {
        events.clear();
        sent.clear();
    }
};

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rec.attach(z);
        z.SetForceConn(true);
        z.LinkTimerTick();  // state 2: connected
        ASSERT_TRUE(z.Connected());
        rec.clear();
    }
    // Feeds one chunk to the parser, as a transport does.
    void feed(const QByteArray& chunk) { z.receive(chunk); }
    void reply(const char* line) { feed(QByteArray(line) + "\r\n"); }

    TZEPH350_d z;
    Recorder rec;
};
