#pragma once
// The main window with the link held connected, every command it sends
// recorded: the "Input" page, the input buttons, the input status and the
// renamable labels.

#include "window_fixture.h"

#include "gfx_radiogroup.h"
#include "inputs_controller.h"
#include "logos_controller.h"
#include "names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

#include <initializer_list>
#include <map>

// Answers the input boxes from a script: each question takes the next
// answer (nullopt: Cancel); the questions are recorded.
struct NamingPrompter : FakePrompter {
    struct Question {
        QString title, prompt, initial;
    };
    QList<Question> questions;
    QList<std::optional<QString>> answers;
    std::optional<QString> inputBox(QWidget*, const QString& title, const QString& prompt,
                                    const QString& initial) override
    {
        questions.push_back({title, prompt, initial});
        // Out of answers: cancel, so that a test never loops for ever.
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }
};

class InputsPage : public WindowTest {
public:
    // What the table rows of the tests look at.
    template <class T = QWidget>
    T* find(const QString& name)
    {
        return w().findChild<T*>(name);
    }
    LogosController& logos() { return w().logos(); }

protected:
    void SetUp() override
    {
        setPrompter(&naming);
        start();
        connect();
        z().setHandler(TZEPH350_d::Event::OnSentString, [this](TZEPH350_d* d, int) { sent << d->sentString; });
        sent.clear();
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        setPrompter(nullptr);
    }
    void replies(std::initializer_list<const char*> lines)
    {
        for (const char* l : lines) reply(l);
    }
    InputsController& in() { return w().inputs(); }
    NamesController& nm() { return w().names(); }
    QColor listColour(const QComboBox* c) const { return c->palette().color(QPalette::Button); }

    NamingPrompter naming;
    QStringList sent;
};
