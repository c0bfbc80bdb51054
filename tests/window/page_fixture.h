#pragma once
// One page of the main window under test: the window offscreen, the link
// held connected, every command sent recorded, replies by register.

#include "registers.h"
#include "window_fixture.h"

#include "regctl/scroll_bar.h"

#include <QLineEdit>
#include <QStringList>

class PageTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        start();
        connect();
        z().setHandler(TZEPH350_d::Event::OnSentString, [this](TZEPH350_d* s, int) { sent << s->sentString; });
    }

    using WindowTest::reply;
    // The device's reply for a register value ("OFMT3").
    void reply(int reg, uint32_t value)
    {
        const auto code = zeph::Registers[size_t(reg)].reply;
        z().receive(QByteArray(code.data(), qsizetype(code.size())) + QByteArray::number(value) + "\r\n");
    }
    // The command a register write sends ("3F").
    static QString command(int reg, uint32_t value)
    {
        const auto code = zeph::Registers[size_t(reg)].command;
        return QString::number(value) + QString::fromLatin1(code.data(), qsizetype(code.size()));
    }

    template <class T = QWidget>
    T* find(const char* name)
    {
        T* c = w().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    ScrollBarEx* bar(const char* name) { return find<ScrollBarEx>(name); }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
    // Types a text and presses Enter, as the operator does.
    void enter(const char* name, const QString& text)
    {
        QLineEdit* e = edit(name);
        e->setText(text);
        emit e->returnPressed();
    }

    QStringList sent;
};
