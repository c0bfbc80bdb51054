#pragma once
// Every modal question the windows ask goes through one prompter: message
// boxes, Yes/No questions, input boxes, colour and file dialogs and modal
// dialogs. Tests install their own to answer without blocking.

#include <QColor>
#include <QString>

#include <optional>

class QDialog;
class QWidget;

class Prompter {
public:
    enum class Icon { None, Information, Warning, Error, Question };

    virtual ~Prompter() = default;
    // A message box with one OK button.
    virtual void message(QWidget* parent, const QString& title, const QString& text, Icon icon);
    // A Yes/No question; true for Yes.
    virtual bool question(QWidget* parent, const QString& title, const QString& text);
    // A message box with OK and Cancel; true for OK.
    virtual bool confirm(QWidget* parent, const QString& title, const QString& text, Icon icon);
    virtual std::optional<QString> inputBox(QWidget* parent, const QString& title, const QString& prompt,
                                            const QString& initial);
    virtual std::optional<QColor> color(QWidget* parent, const QColor& initial);
    // File dialogs; an empty result means cancelled. `filter` is in the
    // "Description (*.ext)|*.ext" form. The open dialog starts in `folder`
    // when one is given, else where the last file dialog was. The save dialog completes a name
    // typed without an extension with `defaultSuffix` before it asks
    // whether to replace an existing file, so the question is about the
    // file that will really be written.
    virtual QString openFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& folder = QString());
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& defaultSuffix);
    // Shows a dialog modally and gives its result code.
    virtual int execDialog(QDialog* dialog);
};

// The prompter in use (a real one unless a test installed its own; the
// prompter is not owned).
Prompter& prompter();
void setPrompter(Prompter* p);

// The application's error report: a message box titled with the
// application title and the error icon.
void reportError(const QString& text);
