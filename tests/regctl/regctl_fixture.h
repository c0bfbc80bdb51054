#pragma once
// The image page offscreen on plain page widgets, with the real device
// component held connected without a transport: replies go through the
// real parser and change events, and every command sent is recorded.

#include "image_controller.h"
#include "prompter.h"
#include "registers.h"
#include "zeph350_d.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QStringList>
#include <QWidget>

#include <memory>

// Answers every question with `answer` and records what was asked.
struct FakePrompter : Prompter {
    bool answer = false;
    QStringList questions;
    QStringList messages;
    void message(QWidget*, const QString&, const QString& text, Icon) override { messages << text; }
    bool question(QWidget*, const QString&, const QString& text) override
    {
        questions << text;
        return answer;
    }
};

// The reply line the device sends for a register value.
inline QByteArray replyLine(int reg, uint32_t value)
{
    const auto code = zeph::Registers[size_t(reg)].reply;
    return QByteArray(code.data(), qsizetype(code.size())) + QByteArray::number(value) + "\r\n";
}

// The command the device receives when a register is written.
inline QString command(int reg, uint32_t value)
{
    const auto code = zeph::Registers[size_t(reg)].command;
    return QString::number(value) + QString::fromLatin1(code.data(), qsizetype(code.size()));
}

class ImagePageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setPrompter(&prompt);
        main.resize(788, 503);
        imagePage = new QWidget(&main);
        logoPage = new QWidget(&main);
        outputPage = new QWidget(&main);
        ctl = std::make_unique<ImageController>(z, imagePage, logoPage, outputPage, &main);
        waitWindow.setObjectName(QStringLiteral("Form_wait_storing_settings"));
        ctl->setWaitWindow(&waitWindow);
        z.setHandler(TZEPH350_d::Event::OnSentString, [this](TZEPH350_d* s, int) { sent << s->sentString; });
        z.SetForceConn(true);
        z.LinkTimerTick();
        ASSERT_TRUE(z.Connected());
        sent.clear();
    }
    void TearDown() override
    {
        ctl.reset();
        setPrompter(nullptr);
    }

    void reply(int reg, uint32_t value) { z.receive(replyLine(reg, value)); }
    template <class T = QWidget>
    T* find(const char* name) const
    {
        return main.findChild<T*>(QString::fromLatin1(name));
    }
    ScrollBarEx* bar(const char* name) const { return find<ScrollBarEx>(name); }
    QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
    // Types a text and presses Enter, as the operator does.
    void enter(const char* editName, const QString& text)
    {
        QLineEdit* e = edit(editName);
        ASSERT_NE(e, nullptr) << editName;
        e->setText(text);
        emit e->returnPressed();
    }

    FakePrompter prompt;
    TZEPH350_d z;
    QWidget main;
    QWidget* imagePage = nullptr;
    QWidget* logoPage = nullptr;
    QWidget* outputPage = nullptr;
    QWidget waitWindow;
    std::unique_ptr<ImageController> ctl;
    QStringList sent;
};

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
