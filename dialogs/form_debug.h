#pragma once
// TForm_debug ("DEBUG ZEPH3502"): the service console for people who test
// the device. It shows every reply line the device link recognises with its
// value in hexadecimal and binary, restricts that view to up to five
// registers, sends typed, programmed and scripted raw commands, lists the
// register table, edits a value bit by bit and switches ForceConn.
//
// It follows OnRecString from its creation on, visible or not, and reaches
// the device only through the component it is given. Its texts are French.
//
// Most consoles are never opened: at creation it holds only what a hidden
// console needs (the traffic view, the reception filter, the register table
// and the programmable buttons' texts). Its other controls, and the fixed
// font they measure, come with ensureContent(), which showing the console
// calls, as does every public function that needs them; until then the
// control members below are null.

#include "console_registers.h"
#include "lazy_dialog.h"
#include "text_lines.h"

#include <QPointer>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class CheckListBox;
class ScriptSender;
class ScrollBarEx;
class TZEPH350_d;
class TrafficView;

class TForm_debug : public LazyDialog {
    Q_OBJECT
public:
    explicit TForm_debug(TZEPH350_d& device, QWidget* parent = nullptr);
    ~TForm_debug() override;

    static constexpr int FixedWidth = 605;
    // The height that shows the programmable buttons and the delay bar with
    // its label (the client's bottom control ends at 622, below the menu).
    static constexpr int MinimumHeight = 660;
    static constexpr int WatchedMax = 5;

    // The buttons file is read only up to MaxTextFileBytes. It holds two
    // lines a button, each a key of at most 7 bytes ("desc26="), a text of
    // one byte a character and CR LF; so that it is always read back, a
    // caption or a command holds at most its share of the limit.
    static constexpr int ButtonCount = 26;
    static constexpr qint64 ButtonFileLines = 2 * ButtonCount;
    static constexpr qint64 ButtonLineOverhead = qint64(sizeof("desc26=\r\n")) - 1;
    static constexpr int ButtonTextMax =
        int((MaxTextFileBytes - ButtonFileLines * ButtonLineOverhead) / ButtonFileLines);
    static_assert(ButtonFileLines * (ButtonLineOverhead + ButtonTextMax) <= MaxTextFileBytes,
                  "every button at its bound is still read");

    // --- window, traffic view and reception filter ------------------------
    void FormCreate();
    void RecString(TZEPH350_d* sender, int nroZeph);
    void ForceConnect1Click();  // the menu opens
    void On1Click();
    void Off1Click();
    void CheckListBox_bloque_reception_rsClickCheck(int row);
    void CheckListBox_bloque_reception_rsClick(int row);
    void CheckListBox_bloque_reception_rsDblClick();
    void SpeedButton_Disable_allClick(bool down);

    // --- typed and programmed commands ------------------------------------
    // A text with a character beyond Latin-1 is not sent (it would go with
    // "?" in its place); the traffic view says so.
    void Driver_envoie(const QString& text);
    // The bytes to the device unchanged; a text longer than the link
    // carries in one piece is refused, and the traffic view says so.
    void sendRaw(const QByteArray& bytes);
    QString driver_receive_string() const;
    // One key of the command line: '\r' Enter, '\b' Backspace, any other
    // character is typed as by Memo_envType.
    void Memo_envKeyPress(QChar key);
    // Text typed, pasted or composed into the command line: the characters
    // that can go as typed (storableChar) join the command, the others are
    // refused with a line in the traffic view. What was taken.
    QString Memo_envType(const QString& text);
    void Button_clearClick();
    void BitBtn_ADBGClick(int n);    // n = 1..26
    void BitBtn_ADBGMouseUp(int n);  // right button released over it
    // The buttons file: "debug " + the application title + ".ini".
    static QString buttonsFileName();
    // The message that refuses a caption or a command the file cannot hold.
    static QString unstorableText(const QString& text);
    void loadButtonsFile();
    // Writes the 52 lines through an atomic replace; an error is ignored.
    void saveButtonsFile() const;

    // --- register list, value panel and script sender ---------------------
    void _Click();
    void BitBtn_changer_valeursClick();
    void EditBitClick(int box);  // box = 1..16: Edit1 is bit 15
    void Edit_valeur_decReturn();
    void Edit_valeur_hexReturn();
    void Button_okClick();
    void Button_annulerClick();
    void Button_envoieClick();
    void Button_desactiver_receptionClick();
    void Envoyeruntexte1Click();
    void evenement_tempo();
    void Stop1Click();
    void ScrollBar_durationScroll(int code, int pos);

    // --- state, for the window's own use and its tests --------------------
    const QString& commandBuffer() const { return buffer_; }
    int watchedCount() const { return watchedCount_; }
    const QString& suppressedMnemonic() const { return suppressed_; }
    const std::vector<QString>& codeTable() const { return codes_; }
    const std::vector<QString>& mnemonicTable() const { return mnemonics_; }
    int rowOfMnemonic(const QString& mnemonic) const;  // first row, or -1
    bool rowTicked(int row) const;
    ScriptSender& scriptSender() { return *script_; }
    static constexpr const char* Caption = "DEBUG ZEPH3502";

    // The traffic view exists from the creation on; it keeps the replies
    // of a console never shown.
    TrafficView* Memo_recu = nullptr;

    // Controls by design name, from ensureContent() on.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* ForceConnect1 = nullptr;
    QAction* On1 = nullptr;
    QAction* Off1 = nullptr;
    QMenu* Transfert1 = nullptr;
    QAction* Envoyeruntexte1 = nullptr;
    QAction* Stop1 = nullptr;
    QLabel* Label_reception = nullptr;
    CheckListBox* CheckListBox_bloque_reception_rs = nullptr;
    QToolButton* SpeedButton_Disable_all = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* Memo_env = nullptr;
    QPushButton* Button_clear = nullptr;
    QComboBox* _ = nullptr;
    std::array<QPushButton*, ButtonCount> BitBtn_ADBG{};  // BitBtn_ADBG_1 .. BitBtn_ADBG_26
    QPushButton* BitBtn_changer_valeurs = nullptr;
    ScrollBarEx* ScrollBar_duration = nullptr;
    QLabel* Label_scroll_timer = nullptr;

    QFrame* Panel1 = nullptr;
    QLabel* Label_variable = nullptr;
    QLabel* Label_valeur_dec = nullptr;
    QLabel* Label_valeur_hex = nullptr;
    QLabel* Label_valeur_bin = nullptr;
    QLineEdit* Edit_valeur_dec = nullptr;
    QLineEdit* Edit_valeur_hex = nullptr;
    std::array<QLineEdit*, 16> EditBits{};  // Edit1 (bit 15) .. Edit16 (bit 0)
    QPushButton* Button_ok = nullptr;
    QPushButton* Button_annuler = nullptr;
    QPushButton* Button_envoie = nullptr;
    QPushButton* Button_desactiver_reception = nullptr;

public slots:
    // Closing hides the console and saves the buttons file.
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* e) override;
    // Escape does not hide the console: it has no Cancel button, and its
    // command box takes keys of its own.
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildContent() override;

    // An input box whose answer must fit the buttons file (storableText,
    // at most ButtonTextMax characters): asked again, after a message,
    // until it does or is cancelled.
    std::optional<QString> askStorable(const QString& title, const QString& prompt, const QString& initial);
    void buildControls();
    void buildValuePanel();
    void buildMenus();
    void fillLists();
    // The three lists take the window's height.
    void layoutLists();
    // Ticking and unticking a reception row by hand.
    void setRowTicked(int row, bool ticked);
    void tickRow(int row, bool ticked);
    void tickAll();
    void rebuildWatched();
    void showBuffer();
    // The value panel, from any register value (32 bits; the bit boxes
    // show its low 16).
    void showBits(uint32_t value);
    void showDecimal(uint32_t value);
    void showHex(uint32_t value);
    uint32_t bitsValue() const;
    uint32_t panelValue_ = 0;  // the value the panel holds, all 32 bits
    QString panelMnemonic() const;

    TZEPH350_d& dev_;
    QPointer<TZEPH350_d> devAlive_;
    QWidget* client_ = nullptr;

    // The programmable buttons' descriptions (their captions) and commands
    // (their tool tips): what the buttons file holds, shown or not.
    struct Programmed {
        QString caption;
        QString command;
    };
    std::array<Programmed, ButtonCount> programmed_;

    QString buffer_;  // the command being typed
    std::vector<QString> codes_, mnemonics_;
    std::vector<QString> shown_;    // a row's mnemonic while it is ticked
    std::vector<QString> watched_;  // the first five take part in the filter
    int watchedCount_ = WatchedMax + 1;
    QString suppressed_;  // "DEV" while the device-type row is unticked
    bool firstActivation_ = true;
    std::unique_ptr<ScriptSender> script_;
    QPoint dragFrom_;
    bool dragging_ = false;
};
