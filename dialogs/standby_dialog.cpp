#include "standby_dialog.h"

#include "look.h"
#include "standby_message.h"
#include "window_placement.h"
#include "zeph350_d.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {

// The one-line memo. Only keys reach it, each through the dialog's key
// routine, which decides what is recorded; what the routine lets through is
// shown at the end of the text. Paste, drops and input methods would show
// text that was never recorded, so they are kept out.
class Memo : public QPlainTextEdit {
public:
    using KeyRoutine = std::function<void(QObject* Sender, QChar& Key)>;
    Memo(QWidget* parent, KeyRoutine routine) : QPlainTextEdit(parent), routine_(std::move(routine))
    {
        setTabChangesFocus(false);
        setUndoRedoEnabled(false);
        setAcceptDrops(false);
        setContextMenuPolicy(Qt::NoContextMenu);
        setAttribute(Qt::WA_InputMethodEnabled, false);
        setLineWrapMode(QPlainTextEdit::NoWrap);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        const int margins = int(2 * document()->documentMargin()) + 2 * frameWidth();
        setFixedHeight(fontMetrics().lineSpacing() + margins);
    }

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        QChar key;
        switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: key = QChar(13); break;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            // Tab alone is typed. With Shift or Ctrl it leaves the memo, as
            // in any multi-line edit that takes Tab: Shift+Tab back, Ctrl+Tab
            // on, Ctrl+Shift+Tab back; nothing is recorded. Otherwise the
            // keyboard could never reach the buttons.
            const Qt::KeyboardModifiers mods = e->modifiers();
            const bool back = e->key() == Qt::Key_Backtab || (mods & Qt::ShiftModifier);
            if (back || (mods & Qt::ControlModifier)) {
                QWidget::focusNextPrevChild(!back);
                return;
            }
            key = QChar(9);
            break;
        }
        case Qt::Key_Backspace: key = QChar(8); break;
        case Qt::Key_Escape: e->ignore(); return;  // the dialog's
        case Qt::Key_Delete: return;               // would edit what was recorded
        default: {
            // Ctrl and a letter type the control byte (Ctrl+B is STX), as
            // classic keyboards do, whatever text the platform attaches.
            const Qt::KeyboardModifiers mods = e->modifiers();
            if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && e->key() >= Qt::Key_A &&
                e->key() <= Qt::Key_Underscore) {
                key = QChar(e->key() - Qt::Key_A + 1);
                break;
            }
            const QString text = e->text();
            if (text.isEmpty()) {
                QPlainTextEdit::keyPressEvent(e);  // moves the cursor only
                return;
            }
            // Two characters (a surrogate pair, a composition) are not one
            // byte: refused.
            key = text.size() == 1 ? text[0] : QChar(QChar::ReplacementCharacter);
        }
        }
        routine_(this, key);
        if (key.isNull()) return;
        QTextCursor c = textCursor();
        c.movePosition(QTextCursor::End);
        switch (key.unicode()) {
        case 13: c.insertBlock(); break;
        case 8: c.deletePreviousChar(); break;
        case 9: c.insertText(QStringLiteral("\t")); break;
        default:
            if (key.unicode() >= 32) c.insertText(QString(key));  // control bytes show nothing
        }
        setTextCursor(c);
    }
    void inputMethodEvent(QInputMethodEvent* e) override { e->ignore(); }
    bool canInsertFromMimeData(const QMimeData*) const override { return false; }
    void insertFromMimeData(const QMimeData*) override {}

private:
    KeyRoutine routine_;
};

// The dialog's buttons. Return and Enter press the focused one, as Space
// does; none is the dialog's default (the memo takes Return). A button can
// also report the release of the mouse, after its click.
class MouseUpButton : public QPushButton {
public:
    using QPushButton::QPushButton;
    std::function<void()> onMouseUp;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        QPushButton::mouseReleaseEvent(e);
        if (onMouseUp) onMouseUp();
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        const bool plain = !(e->modifiers() & ~Qt::KeypadModifier);
        if (plain && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
            click();
            return;
        }
        QPushButton::keyPressEvent(e);
    }
};

}  // namespace

TForm_register_code_standby_projector::TForm_register_code_standby_projector(TZEPH350_d* device,
                                                                             StandbyMessageState* state,
                                                                             QWidget* mainWindow)
    : LazyDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint),
      beep([] { QApplication::beep(); }),
      device_(device),
      state_(state),
      main_(mainWindow)
{
    setObjectName(QStringLiteral("Form_register_code_standby_projector"));
    setWindowTitle(QStringLiteral("Register code stand-by projector"));
    // The height the layout needs is measured when the window is first
    // shown, with the controls: they, the memo's font and the buttons'
    // pictures are not otherwise needed at the panel's start.
    setFixedWidth(785);
}

void TForm_register_code_standby_projector::buildContent()
{
    Memo_register_code_standby_projector =
        new Memo(this, [this](QObject* s, QChar& k) { Memo_register_code_standby_projectorKeyPress(s, k); });
    Memo_register_code_standby_projector->setObjectName(QStringLiteral("Memo_register_code_standby_projector"));

    Edit_recopy_to_see = new QLineEdit(this);
    Edit_recopy_to_see->setObjectName(QStringLiteral("Edit_recopy_to_see"));
    Edit_recopy_to_see->setReadOnly(true);
    QPalette p = Edit_recopy_to_see->palette();
    p.setColor(QPalette::Base, classic::InactiveCaptionText);
    Edit_recopy_to_see->setPalette(p);

    auto* ok = new MouseUpButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn_ok"));
    auto* clear = new MouseUpButton(QStringLiteral("clear"), this);
    clear->setObjectName(QStringLiteral("BitBtn_clear"));
    auto* cancel =
        new MouseUpButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn_ok = ok;
    BitBtn_clear = clear;
    BitBtn1 = cancel;
    for (QPushButton* b : {BitBtn_ok, BitBtn_clear, BitBtn1}) {
        b->setAutoDefault(false);
        b->setFixedSize(90, 25);
    }
    connect(BitBtn_ok, &QPushButton::clicked, this, [this] { BitBtn_okClick(); });
    connect(BitBtn_clear, &QPushButton::clicked, this, [this] { BitBtn_clearClick(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    // A mouse click on OK starts the sequencer (click), then closes
    // (release); from the keyboard OK leaves the window open.
    ok->onMouseUp = [this] { BitBtn_okMouseUp(); };
    cancel->onMouseUp = [this] { BitBtn_okMouseUp(); };

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn_ok);
    buttons->addSpacing(40);
    buttons->addWidget(BitBtn_clear);
    buttons->addSpacing(40);
    buttons->addWidget(BitBtn1);
    buttons->addStretch();
    auto* box = new QVBoxLayout(this);
    box->addWidget(Memo_register_code_standby_projector);
    box->addWidget(Edit_recopy_to_see);
    box->addLayout(buttons);
}

void TForm_register_code_standby_projector::setVisible(bool visible)
{
    if (visible && !measured_) {
        ensureContent();
        measured_ = true;
        setFixedHeight(sizeHint().height());
    }
    LazyDialog::setVisible(visible);
}

void TForm_register_code_standby_projector::appendToken(QString& text, uint8_t byte)
{
    const char* name = nullptr;
    switch (byte) {
    case 13: name = "<CR>"; break;
    case 10: name = "<LF>"; break;
    case 9: name = "<Htab>"; break;
    case 8: name = "<Backspace>"; break;
    default: break;
    }
    const QString token = name ? QString::fromLatin1(name) : QString(QChar(byte));
    if (!text.isEmpty())
        text += QStringLiteral(" + ") + token;
    else
        text = name ? QStringLiteral(" ") + token : token;
}

void TForm_register_code_standby_projector::FormShow()
{
    if (!state_) return;
    ensureContent();
    const QSignalBlocker block(Memo_register_code_standby_projector);
    Memo_register_code_standby_projector->clear();
    state_->Standby_code_count = 0;
    Edit_recopy_to_see->clear();
    state_->current().fill(0);
    const bool on = state_->Standby_message_on;
    if (device_) device_->SetMESSCTRL(on ? 4 : 8);
    setWindowTitle(on ? QStringLiteral("Register code stand by projector: Message ON  (50 Characters maximum)")
                      : QStringLiteral("Register code stand by projector: Message OFF  (50 Characters maximum)"));
}

void TForm_register_code_standby_projector::Memo_register_code_standby_projectorKeyPress(QObject* Sender, QChar& Key)
{
    if (!state_) return;
    ensureContent();
    StandbyMessageState& s = *state_;
    // The sequencer sends bytes 0 to 127 only; a byte above would stop the
    // message half-way in the device, so it is refused here like a key past
    // the limit.
    if (s.Standby_code_count >= StandbyMessageState::Limit || s.Standby_code_count < 0 || Key.unicode() > 127) {
        Key = QChar(0);
        for (int i = 0; i < 3; ++i) beep();
        return;
    }
    const bool fromMemo = Sender == Memo_register_code_standby_projector;
    const auto byte = uint8_t(Key.unicode());
    QString echo = Edit_recopy_to_see->text();
    appendToken(echo, byte);
    if (byte == 13 && fromMemo) appendToken(echo, 10);
    Edit_recopy_to_see->setText(echo);

    auto& buffer = s.current();
    buffer[size_t(s.Standby_code_count++)] = byte;
    if (byte == 13 && fromMemo) buffer[size_t(s.Standby_code_count++)] = 10;  // Enter records CR LF
}

void TForm_register_code_standby_projector::appendToMemo(uint8_t byte)
{
    ensureContent();
    QString text = Memo_register_code_standby_projector->toPlainText();
    appendToken(text, byte);
    const QSignalBlocker block(Memo_register_code_standby_projector);
    Memo_register_code_standby_projector->setPlainText(text);
    Memo_register_code_standby_projector->moveCursor(QTextCursor::End);
}

void TForm_register_code_standby_projector::BitBtn_okClick()
{
    if (!state_) return;
    if (device_) device_->SetMESSCTRL(state_->Standby_message_on ? 1 : 2);
    state_->Sequencer_state = 1;
}

void TForm_register_code_standby_projector::BitBtn_okMouseUp()
{
    close();
}

void TForm_register_code_standby_projector::BitBtn1Click()
{
    // Closing changes no register: the device stays in recording mode.
    close();
}

void TForm_register_code_standby_projector::BitBtn_clearClick()
{
    if (!state_) return;
    StandbyMessageState& s = *state_;
    auto& buffer = s.current();
    const int last = std::min(s.Standby_code_count, StandbyMessageState::BufferSize - 1);
    for (int i = 0; i <= last && i >= 0; ++i) buffer[size_t(i)] = 0;
    if (device_) {
        if (s.Standby_message_on) {
            device_->SetMESSCTRL(1);
            device_->SetMESSON(0);
        } else {
            device_->SetMESSCTRL(2);
            device_->SetMESSOFF(0);
        }
    }
    s.Standby_code_count = 0;
    ensureContent();
    Edit_recopy_to_see->clear();
    const QSignalBlocker block(Memo_register_code_standby_projector);
    Memo_register_code_standby_projector->clear();
}

void TForm_register_code_standby_projector::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A window shown again by the window system (restored) goes on with
    // its recording; a show by the program starts a new one.
    if (event->spontaneous()) return;
    centreOn(this, main_);
    FormShow();
}
