#include "form_debug.h"

#include "check_list_box.h"
#include "escape_key.h"
#include "families.h"
#include "look.h"
#include "regctl/scroll_bar.h"
#include "script_sender.h"
#include "traffic_view.h"
#include "zeph350_d.h"

#include <QAbstractItemView>
#include <QActionGroup>
#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

const QString DeviceType = QStringLiteral("DEV");
const QString ReceptionCaption = QStringLiteral("Reception RS232");
const QString DesignCaption = QStringLiteral("..@..> Click");  // a programmable button's, without a buttons file

// Decimal digits only, up to 4294967295: any value a register holds.
class RegisterDecimal : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        if (input.isEmpty()) return Intermediate;
        uint64_t v = 0;
        for (const QChar c : input) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return Invalid;
            v = v * 10 + uint64_t(c.unicode() - '0');
            if (v > 0xFFFFFFFFull) return Invalid;
        }
        return Acceptable;
    }
};

// The command box: text pasted or dropped into it is typed into the
// command line, which takes what can go and refuses the rest; the box
// shows what was taken.
class CommandBox : public QPlainTextEdit {
public:
    CommandBox(QWidget* parent, std::function<QString(const QString&)> type)
        : QPlainTextEdit(parent), type_(std::move(type))
    {
    }

protected:
    void insertFromMimeData(const QMimeData* source) override
    {
        if (!source->hasText()) return;
        const QString taken = type_(source->text());
        if (!taken.isEmpty()) insertPlainText(taken);
    }

private:
    std::function<QString(const QString&)> type_;
};

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect at)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    // Enter belongs to the command line and the value boxes: no button of
    // the console is pressed by it.
    b->setAutoDefault(false);
    b->setGeometry(at);
    return b;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect at)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(at);
    return l;
}

}  // namespace

TForm_debug::TForm_debug(TZEPH350_d& device, QWidget* parent) : LazyDialog(parent), dev_(device), devAlive_(&device)
{
    setObjectName(QStringLiteral("Form_debug"));
    setWindowTitle(QString::fromLatin1(Caption));
    for (Programmed& p : programmed_) p.caption = DesignCaption;

    // The client area below the menu and, in it, the traffic view: replies
    // reach it from FormCreate on. The rest of the controls join them when
    // the console is first shown.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    layout->addWidget(client_);
    Memo_recu = new TrafficView(client_);
    Memo_recu->setObjectName(QStringLiteral("Memo_recu"));
    Memo_recu->setAccessibleName(ReceptionCaption);  // the caption above it
    Memo_recu->setFont(fixedFont());
    Memo_recu->setGeometry(4, 40, 268, 500);

    script_ = std::make_unique<ScriptSender>([this](const QByteArray& bytes) { sendRaw(bytes); });
    script_->onFinished = [this] {
        if (ScrollBar_duration) ScrollBar_duration->setEnabled(true);
    };

    setFixedWidth(FixedWidth);
    // Never shorter than its column of buttons with the delay bar and its
    // label below: a short console would cut them off.
    setMinimumHeight(MinimumHeight);
    resize(FixedWidth, 680);
    FormCreate();
}

TForm_debug::~TForm_debug()
{
    if (devAlive_) dev_.unsubscribe(TZEPH350_d::Event::OnRecString, int(Family::Console));
}

// ---------------------------------------------------------------------------
// Construction

void TForm_debug::buildContent()
{
    buildMenus();
    buildControls();
    buildValuePanel();
    fillLists();
    for (int i = 0; i < 26; ++i) {
        QPushButton* b = BitBtn_ADBG[size_t(i)];
        b->setText(programmed_[size_t(i)].caption);
        b->setToolTip(programmed_[size_t(i)].command);
    }
    layoutLists();
}

void TForm_debug::buildMenus()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    ForceConnect1 = MainMenu1->addMenu(QStringLiteral("Force Connect"));
    ForceConnect1->setObjectName(QStringLiteral("ForceConnect1"));
    On1 = ForceConnect1->addAction(QStringLiteral("On"));
    On1->setObjectName(QStringLiteral("On1"));
    Off1 = ForceConnect1->addAction(QStringLiteral("Off"));
    Off1->setObjectName(QStringLiteral("Off1"));
    auto* group = new QActionGroup(this);
    for (QAction* a : {On1, Off1}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    connect(ForceConnect1, &QMenu::aboutToShow, this, [this] { ForceConnect1Click(); });
    connect(On1, &QAction::triggered, this, [this] { On1Click(); });
    connect(Off1, &QAction::triggered, this, [this] { Off1Click(); });

    Transfert1 = MainMenu1->addMenu(QStringLiteral("Transfert"));
    Transfert1->setObjectName(QStringLiteral("Transfert1"));
    Envoyeruntexte1 = Transfert1->addAction(QStringLiteral("Envoyer un fichier texte..."));
    Envoyeruntexte1->setObjectName(QStringLiteral("Envoyeruntexte1"));
    connect(Envoyeruntexte1, &QAction::triggered, this, [this] { Envoyeruntexte1Click(); });
    Stop1 = MainMenu1->addAction(QStringLiteral("Stop"));
    Stop1->setObjectName(QStringLiteral("Stop1"));
    connect(Stop1, &QAction::triggered, this, [this] { Stop1Click(); });

    layout()->setMenuBar(MainMenu1);
}

void TForm_debug::buildControls()
{
    // The controls stand where the design puts them; resizeEvent gives the
    // three lists the window's height.
    QWidget* client = client_;
    Label_reception = label(client, "Label_reception", ReceptionCaption, {4, 24, 150, 14});

    Label1 = label(client, "Label1", QStringLiteral("-> RS232"), {276, 24, 90, 14});
    Memo_env = new CommandBox(client, [this](const QString& text) { return Memo_envType(text); });
    Memo_env->setObjectName(QStringLiteral("Memo_env"));
    Memo_env->setTabChangesFocus(true);
    Memo_env->setGeometry(276, 40, 90, 500);
    Memo_env->installEventFilter(this);
    Button_clear = button(client, "Button_clear", QStringLiteral("&Clear"), {276, 540, 90, 23});
    connect(Button_clear, &QPushButton::clicked, this, [this] { Button_clearClick(); });

    SpeedButton_Disable_all = new QToolButton(client);
    SpeedButton_Disable_all->setObjectName(QStringLiteral("SpeedButton_Disable_all"));
    SpeedButton_Disable_all->setText(QStringLiteral("Disable all"));
    SpeedButton_Disable_all->setCheckable(true);
    SpeedButton_Disable_all->setGeometry(370, 21, 106, 18);
    connect(SpeedButton_Disable_all, &QToolButton::clicked, this,
            [this](bool down) { SpeedButton_Disable_allClick(down); });
    CheckListBox_bloque_reception_rs = new CheckListBox(client);
    CheckListBox_bloque_reception_rs->setObjectName(QStringLiteral("CheckListBox_bloque_reception_rs"));
    CheckListBox_bloque_reception_rs->setFont(fixedFont());
    CheckListBox_bloque_reception_rs->setGeometry(370, 40, 106, 500);
    connect(CheckListBox_bloque_reception_rs, &CheckListBox::clickCheck, this,
            [this](int row) { CheckListBox_bloque_reception_rsClickCheck(row); });
    connect(CheckListBox_bloque_reception_rs, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        CheckListBox_bloque_reception_rsClick(CheckListBox_bloque_reception_rs->row(item));
    });
    connect(CheckListBox_bloque_reception_rs, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem*) { CheckListBox_bloque_reception_rsDblClick(); });

    _ = new QComboBox(client);
    _->setObjectName(QStringLiteral("_"));
    _->setFont(fixedFont());
    _->setGeometry(276, 0, 306, 20);
    _->installEventFilter(this);
    connect(_, &QComboBox::activated, this, [this](int) { _Click(); });

    for (int i = 0; i < 26; ++i) {
        const QByteArray name = "BitBtn_ADBG_" + QByteArray::number(i + 1);
        QPushButton* b = button(client, name.constData(), DesignCaption, {480, 40 + i * 21, 102, 20});
        b->installEventFilter(this);
        connect(b, &QPushButton::clicked, this, [this, i] { BitBtn_ADBGClick(i + 1); });
        BitBtn_ADBG[size_t(i)] = b;
    }
    ScrollBar_duration = new ScrollBarEx(Qt::Horizontal, client);
    ScrollBar_duration->setObjectName(QStringLiteral("ScrollBar_duration"));
    ScrollBar_duration->setRange(0, 1024);
    ScrollBar_duration->setValue(0);
    ScrollBar_duration->setGeometry(480, 590, 102, 16);
    connect(ScrollBar_duration, &ScrollBarEx::scrolled, this,
            [this](int code, int pos) { ScrollBar_durationScroll(code, pos); });
    Label_scroll_timer = label(client, "Label_scroll_timer", QStringLiteral("delai transfert"), {480, 608, 102, 14});

    QString vertical;
    for (const QChar c : QStringLiteral("Changer valeurs")) vertical += (vertical.isEmpty() ? QString() : QStringLiteral("\n")) + c;
    BitBtn_changer_valeurs = button(client, "BitBtn_changer_valeurs", vertical, {585, 40, 18, 220});
    connect(BitBtn_changer_valeurs, &QPushButton::clicked, this, [this] { BitBtn_changer_valeursClick(); });
}

void TForm_debug::buildValuePanel()
{
    Panel1 = new QFrame(client_);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    Panel1->setGeometry(8, 60, 262, 186);
    Panel1->installEventFilter(this);

    Label_variable = label(Panel1, "Label_variable", QString(), {8, 6, 248, 14});
    Label_valeur_dec = label(Panel1, "Label_valeur_dec", QStringLiteral("0"), {8, 28, 100, 14});
    Label_valeur_hex = label(Panel1, "Label_valeur_hex", QStringLiteral("0"), {8, 52, 40, 14});
    label(Panel1, "Label_h", QStringLiteral("h"), {48, 52, 12, 14});
    Label_valeur_bin = label(Panel1, "Label_valeur_bin", QStringLiteral("0000.0000.0000.0000b"), {8, 76, 248, 14});
    Label_valeur_bin->setFont(fixedFont());

    // Typing is limited to what a register holds (32 bits); the bit boxes
    // show the low 16.
    Edit_valeur_dec = new QLineEdit(QStringLiteral("0"), Panel1);
    Edit_valeur_dec->setObjectName(QStringLiteral("Edit_valeur_dec"));
    Edit_valeur_dec->setToolTip(QStringLiteral("Valeur MAX conseiller 65535"));
    Edit_valeur_dec->setValidator(new RegisterDecimal(Edit_valeur_dec));
    Edit_valeur_dec->setGeometry(120, 25, 70, 20);
    connect(Edit_valeur_dec, &QLineEdit::returnPressed, this, [this] { Edit_valeur_decReturn(); });
    Edit_valeur_hex = new QLineEdit(QStringLiteral("0"), Panel1);
    Edit_valeur_hex->setObjectName(QStringLiteral("Edit_valeur_hex"));
    // Typing stops at four digits; a value from the traffic view or the
    // decimal box shows all of its digits (up to eight).
    Edit_valeur_hex->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,8}")), Edit_valeur_hex));
    Edit_valeur_hex->installEventFilter(this);
    Edit_valeur_hex->setGeometry(120, 49, 70, 20);
    connect(Edit_valeur_hex, &QLineEdit::returnPressed, this, [this] { Edit_valeur_hexReturn(); });

    for (int i = 0; i < 16; ++i) {
        auto* e = new QLineEdit(QStringLiteral("0"), Panel1);
        e->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        e->setToolTip(QStringLiteral("Click pour inverser le bit"));
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setAlignment(Qt::AlignCenter);
        e->setMaxLength(1);
        e->setGeometry(8 + i * 14 + (i / 4) * 6, 96, 14, 20);
        e->installEventFilter(this);
        EditBits[size_t(i)] = e;
    }

    Button_ok = button(Panel1, "Button_ok", QStringLiteral("Ok"), {8, 126, 76, 23});
    Button_annuler = button(Panel1, "Button_annuler", QStringLiteral("Annuler"), {92, 126, 76, 23});
    Button_envoie = button(Panel1, "Button_envoie", QStringLiteral("Envoie"), {176, 126, 76, 23});
    Button_desactiver_reception =
        button(Panel1, "Button_desactiver_reception", QStringLiteral("Desactiver reception"), {8, 156, 160, 23});
    Button_desactiver_reception->setEnabled(false);
    connect(Button_ok, &QPushButton::clicked, this, [this] { Button_okClick(); });
    connect(Button_annuler, &QPushButton::clicked, this, [this] { Button_annulerClick(); });
    connect(Button_envoie, &QPushButton::clicked, this, [this] { Button_envoieClick(); });
    connect(Button_desactiver_reception, &QPushButton::clicked, this, [this] { Button_desactiver_receptionClick(); });
    Panel1->hide();
}

void TForm_debug::FormCreate()
{
    // From here on every recognised reply reaches the traffic view, whether
    // the console is shown or not.
    bindEvent(dev_, TZEPH350_d::Event::OnRecString, Family::Console, "RecString", this, &TForm_debug::RecString);
    loadButtonsFile();

    for (const ConsoleRow& row : ConsoleRows) {
        const RowCodes c = rowCodes(consoleRowText(row));
        codes_.push_back(c.code);
        mnemonics_.push_back(c.mnemonic);
    }
    shown_ = mnemonics_;
    watched_.assign(mnemonics_.size(), QString());
}

void TForm_debug::fillLists()
{
    // Every row ticked: nothing unticks one before the list exists.
    int widest = 0;
    for (size_t r = 0; r < ConsoleRows.size(); ++r) {
        const QString text = consoleRowText(ConsoleRows[r]);
        widest = std::max(widest, int(text.size()));
        _->addItem(text);
        CheckListBox_bloque_reception_rs->addRow(codes_[r] + QStringLiteral("->") + mnemonics_[r], true);
    }
    _->setCurrentIndex(0);
    _->view()->setMinimumWidth(_->fontMetrics().horizontalAdvance(QString(widest, QLatin1Char('0'))) + 24);
}

// ---------------------------------------------------------------------------
// Traffic view and reception filter

void TForm_debug::RecString(TZEPH350_d* sender, int)
{
    // This runs inside the device's reply parser, before the value is
    // stored: nothing may escape from here into it.
    try {
        const TZEPH350_d& d = sender ? *sender : dev_;
        const int reg = d.receivedRegister();
        if (reg < 0 || reg >= zeph::RegisterCount) return;
        // The mnemonic is the reply code the parser matched, and the value
        // the one it converted ("BRG$1F" is BRG 31, "BRG-1" BRG 4294967295).
        const std::string_view code = zeph::Registers[size_t(reg)].reply;
        const QLatin1StringView mnemonic(code.data(), qsizetype(code.size()));
        if (mnemonic == suppressed_) return;
        if (watchedCount_ <= WatchedMax) {
            bool watched = false;
            for (int i = 0; i < WatchedMax && i < int(watched_.size()); ++i) watched = watched || watched_[size_t(i)] == mnemonic;
            if (!watched) return;
        }
        Memo_recu->appendLine(trafficLine(d.receivedString, d.receivedValue()));
    } catch (...) {
    }
}

void TForm_debug::ForceConnect1Click()
{
    ensureContent();
    On1->setChecked(dev_.ForceConn());
    Off1->setChecked(!dev_.ForceConn());
}

void TForm_debug::On1Click()
{
    dev_.SetForceConn(true);
}

void TForm_debug::Off1Click()
{
    dev_.SetForceConn(false);
}

int TForm_debug::rowOfMnemonic(const QString& mnemonic) const
{
    for (size_t r = 0; r < mnemonics_.size(); ++r)
        if (mnemonics_[r] == mnemonic) return int(r);
    return -1;
}

bool TForm_debug::rowTicked(int row) const
{
    // The rows start ticked, and only the list unticks one.
    if (!contentBuilt()) return row >= 0 && row < int(mnemonics_.size());
    return CheckListBox_bloque_reception_rs->checked(row);
}

void TForm_debug::setRowTicked(int row, bool ticked)
{
    CheckListBox_bloque_reception_rs->setChecked(row, ticked);
}

void TForm_debug::tickRow(int row, bool ticked)
{
    const QString& m = mnemonics_[size_t(row)];
    shown_[size_t(row)] = ticked ? m : QString();
    if (m == DeviceType) suppressed_ = ticked ? QString() : DeviceType;
}

void TForm_debug::CheckListBox_bloque_reception_rsClickCheck(int row)
{
    ensureContent();
    if (row < 0 || row >= int(mnemonics_.size())) return;
    tickRow(row, rowTicked(row));
    rebuildWatched();
}

void TForm_debug::CheckListBox_bloque_reception_rsClick(int row)
{
    ensureContent();
    const QSignalBlocker quiet(_);
    _->setCurrentIndex(row);
}

void TForm_debug::CheckListBox_bloque_reception_rsDblClick()
{
    _Click();
}

void TForm_debug::SpeedButton_Disable_allClick(bool down)
{
    ensureContent();
    if (down) {
        for (size_t r = 0; r < shown_.size(); ++r) {
            setRowTicked(int(r), false);
            shown_[r].clear();
        }
        Button_desactiver_reception->setEnabled(true);
    } else {
        tickAll();
    }
    rebuildWatched();
}

void TForm_debug::tickAll()
{
    // The device-type row keeps its state (and with it the suppression of
    // device-type replies); its entry comes back all the same.
    for (size_t r = 0; r < shown_.size(); ++r) {
        if (mnemonics_[r] != DeviceType) setRowTicked(int(r), true);
        shown_[r] = mnemonics_[r];
    }
}

void TForm_debug::rebuildWatched()
{
    watchedCount_ = 0;
    std::fill(watched_.begin(), watched_.end(), QString());
    for (size_t r = 0; r < shown_.size(); ++r) {
        if (shown_[r].isEmpty()) continue;
        watched_[size_t(watchedCount_)] = shown_[r];
        ++watchedCount_;
        Button_desactiver_reception->setEnabled(true);
        SpeedButton_Disable_all->setText(QStringLiteral("Disable all %1 / %2").arg(watchedCount_).arg(WatchedMax));
        if (watchedCount_ > WatchedMax) {
            // A sixth register: back to showing everything. The count stays
            // above five, which is what shows every line; going on through
            // the rows would only repeat this.
            tickAll();
            std::fill(watched_.begin(), watched_.end(), QString());
            Button_desactiver_reception->setEnabled(false);
            const QSignalBlocker quiet(SpeedButton_Disable_all);
            SpeedButton_Disable_all->setChecked(false);
            SpeedButton_Disable_all->setText(QStringLiteral("Disable all"));
            break;
        }
    }
}

// ---------------------------------------------------------------------------
// Window

void TForm_debug::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    if (contentBuilt()) layoutLists();
}

void TForm_debug::layoutLists()
{
    const int top = Memo_env->y();
    const int lists = std::max(0, height() - (top + Button_clear->height() + 60));
    Memo_env->resize(Memo_env->width(), lists);
    Memo_recu->resize(Memo_recu->width(), lists);
    CheckListBox_bloque_reception_rs->resize(CheckListBox_bloque_reception_rs->width(),
                                             std::max(0, height() - (top + Button_clear->height() + 35)));
    Button_clear->move(Button_clear->x(), Memo_env->y() + Memo_env->height());
}

void TForm_debug::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!firstActivation_) return;
    firstActivation_ = false;
    // The console takes the screen's height below where it opens.
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const int h = s->virtualGeometry().height() - (y() + Button_clear->height()) - 20;
    resize(FixedWidth, std::max(h, MinimumHeight));
}

void TForm_debug::keyPressEvent(QKeyEvent* e)
{
    if (holdEscape(e)) return;
    QDialog::keyPressEvent(e);
}

void TForm_debug::reject()
{
    saveButtonsFile();
    QDialog::reject();
}

bool TForm_debug::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && watched == Edit_valeur_hex) {
        // Four typed digits at most: while the box holds four (or a longer
        // value shown), a digit more is refused; Backspace and Enter go.
        const auto* k = static_cast<QKeyEvent*>(e);
        const QString typed = k->text();
        const bool character = !typed.isEmpty() && typed.front().isPrint();
        if (character && Edit_valeur_hex->text().size() - Edit_valeur_hex->selectedText().size() >= 4) return true;
    }
    if (e->type() == QEvent::KeyPress && (watched == Memo_env || watched == _)) {
        // The command box shows what is typed; the register list takes no
        // typing of its own.
        const auto* k = static_cast<QKeyEvent*>(e);
        switch (k->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: Memo_envKeyPress(QLatin1Char('\r')); return watched == _;
        case Qt::Key_Backspace: Memo_envKeyPress(QLatin1Char('\b')); return watched == _;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return false;
        default: break;
        }
        // A shortcut (Ctrl or Meta held; Ctrl with Alt is AltGr on some
        // keyboards) and a key that gives a control character (Escape,
        // Delete) type nothing: the box acts on them (copy, paste, select
        // all; the list would search its rows), the command stays as it is.
        const Qt::KeyboardModifiers mods = k->modifiers();
        const bool shortcut = (mods & (Qt::ControlModifier | Qt::MetaModifier)) && !(mods & Qt::AltModifier);
        const QString typed = k->text();
        const auto control = [](QChar c) { return c.category() == QChar::Other_Control; };
        if (typed.isEmpty()) return false;
        if (shortcut || std::any_of(typed.begin(), typed.end(), control)) return watched == _;
        const QString taken = Memo_envType(typed);
        if (watched == _) return true;
        if (taken == typed) return false;
        // Something was refused: the box shows only what was taken.
        if (!taken.isEmpty()) Memo_env->insertPlainText(taken);
        return true;
    }
    if (e->type() == QEvent::InputMethod && watched == Memo_env) {
        // Text composed by an input method is typed as a key's.
        auto* im = static_cast<QInputMethodEvent*>(e);
        const QString composed = im->commitString();
        if (!composed.isEmpty()) {
            const QString taken = Memo_envType(composed);
            if (taken != composed) im->setCommitString(taken, im->replacementStart(), im->replacementLength());
        }
        return false;
    }
    // A wheel turned over the closed register list would pick rows and add
    // their codes to the command line.
    if (e->type() == QEvent::Wheel && watched == _) return true;
    if (e->type() == QEvent::MouseButtonRelease) {
        const auto* m = static_cast<QMouseEvent*>(e);
        for (int i = 0; i < 26; ++i) {
            QPushButton* b = BitBtn_ADBG[size_t(i)];
            if (watched == b && m->button() == Qt::RightButton && b->rect().contains(m->position().toPoint())) {
                BitBtn_ADBGMouseUp(i + 1);
                return true;
            }
        }
    }
    if (e->type() == QEvent::MouseButtonPress) {
        const auto* m = static_cast<QMouseEvent*>(e);
        for (int i = 0; i < 16; ++i) {
            if (watched == EditBits[size_t(i)] && m->button() == Qt::LeftButton) {
                EditBitClick(i + 1);
                return true;
            }
        }
    }
    if (watched == Panel1 && (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease)) {
        const auto* m = static_cast<QMouseEvent*>(e);
        if (e->type() == QEvent::MouseButtonPress) {
            dragging_ = m->button() == Qt::LeftButton && m->buttons() == Qt::LeftButton &&
                        m->modifiers() == Qt::NoModifier;
            dragFrom_ = m->globalPosition().toPoint();
        } else if (dragging_ && m->button() == Qt::LeftButton) {
            dragging_ = false;
            Panel1->move(Panel1->pos() + (m->globalPosition().toPoint() - dragFrom_));
        }
        return false;
    }
    return QDialog::eventFilter(watched, e);
}
