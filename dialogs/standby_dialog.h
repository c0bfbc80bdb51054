#pragma once
// TForm_register_code_standby_projector: records the byte string that the
// device sends to an attached projector to put it in stand-by ("Message
// ON") or to wake it ("Message OFF"). The operator types the bytes into a
// one-line memo (Enter records CR LF, Tab and Backspace their bytes;
// Shift+Tab, Ctrl+Tab and Ctrl+Shift+Tab leave it); the dialog keeps them in
// the shared message state and shows a readable echo of what it recorded.
// OK hands the message to the main window's sequencer, which sends it to the
// device byte by byte.
//
// The main window sets which message is meant before showing the dialog,
// and feeds it the bytes the device reports while recording.
//
// The window exists from the program's start with its name, title and
// width; its controls are built when it is first shown or first asked for.

#include "lazy_dialog.h"

#include <QChar>

#include <cstdint>
#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TZEPH350_d;
struct StandbyMessageState;

class TForm_register_code_standby_projector : public LazyDialog {
public:
    // `state` is the main window's stand-by message state (shared for the
    // lifetime of both windows).
    TForm_register_code_standby_projector(TZEPH350_d* device, StandbyMessageState* state,
                                          QWidget* mainWindow = nullptr);

    // Starts a new recording of the message meant: everything cleared, the
    // device told to record. Run by every show.
    void FormShow();
    // Records one byte. Sender is the memo for a typed key, anything else
    // for a byte the device reported (a CR from the device is recorded
    // alone). A refused key (the limit reached, or not a byte that can be
    // sent) beeps three times and comes back as the null character.
    void Memo_register_code_standby_projectorKeyPress(QObject* Sender, QChar& Key);
    // Adds the token of a byte the device reported to the memo's text.
    void appendToMemo(uint8_t byte);
    void BitBtn_okClick();
    void BitBtn_okMouseUp();
    void BitBtn1Click();
    void BitBtn_clearClick();

    // The readable form of a recorded byte appended to an echo text:
    // "<CR>", "<LF>", "<Htab>" and "<Backspace>" for 13, 10, 9 and 8 (after
    // one blank when the text is empty), any other byte as its character
    // (alone when the text is empty); " + " between tokens.
    static void appendToken(QString& text, uint8_t byte);

    // The default system beep; tests count it.
    std::function<void()> beep;

    // Null until the controls are built.
    QPlainTextEdit* Memo_register_code_standby_projector = nullptr;
    QLineEdit* Edit_recopy_to_see = nullptr;
    QPushButton* BitBtn_ok = nullptr;
    QPushButton* BitBtn_clear = nullptr;
    QPushButton* BitBtn1 = nullptr;

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildContent() override;

    TZEPH350_d* device_;
    StandbyMessageState* state_;
    QWidget* main_;
    bool measured_ = false;
};
