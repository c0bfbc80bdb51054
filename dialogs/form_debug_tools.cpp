// The console's tools: typed commands and the programmable buttons with
// their file, the register list, the value panel and the script sender.
#include "form_debug.h"

#include "prompter.h"
#include "regctl/scroll_bar.h"
#include "script_sender.h"
#include "text_lines.h"
#include "traffic_view.h"
#include "zeph350_d.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QString NoValue = QStringLiteral("Conversion (aucune valeur d'entrer)");

// Decimal digits as a register value: 0 to 4294967295, what a register
// holds.
std::optional<uint32_t> registerValue(const QString& digits)
{
    if (digits.isEmpty()) return std::nullopt;
    uint64_t v = 0;
    for (const QChar c : digits) {
        v = v * 10 + uint64_t(c.unicode() - '0');
        if (v > 0xFFFFFFFFull) return std::nullopt;
    }
    return uint32_t(v);
}

}  // namespace

// ---------------------------------------------------------------------------
// Typed and programmed commands

void TForm_debug::Driver_envoie(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    if (QLatin1StringView(bytes) != text) {
        Memo_recu->appendLine(QStringLiteral("*** Commande non envoyée : « %1 » a des caractères hors Latin-1").arg(text));
        return;
    }
    sendRaw(bytes);
}

void TForm_debug::sendRaw(const QByteArray& bytes)
{
    if (dev_.SendText(bytes)) return;
    // Nothing went out and the link stays open; the operator reads why
    // where the device's answer would have come.
    const tConnectionType via = dev_.ConType();
    Memo_recu->appendLine(QStringLiteral("*** Commande trop longue, non envoyée : %1 octets, la liaison %2 en prend %3 au plus")
                              .arg(bytes.size())
                              .arg(via == CON_UDP ? QStringLiteral("UDP") : QStringLiteral("TCP"))
                              .arg(TZEPH350_d::textLimit(via)));
}

QString TForm_debug::driver_receive_string() const
{
    return dev_.receivedString;
}

void TForm_debug::showBuffer()
{
    Label1->setText(buffer_);
}

void TForm_debug::Memo_envKeyPress(QChar key)
{
    ensureContent();
    if (key == QLatin1Char('\r')) {
        if (!buffer_.isEmpty()) Driver_envoie(buffer_);
        buffer_.clear();
    } else if (key == QLatin1Char('\b')) {
        buffer_.chop(1);
        while (!buffer_.isEmpty() && buffer_.back().unicode() <= ' ') buffer_.chop(1);
    } else {
        Memo_envType(QString(key));  // shows the command itself
        return;
    }
    showBuffer();
}

QString TForm_debug::Memo_envType(const QString& text)
{
    ensureContent();
    // The command goes out as typed, one byte a character: a character
    // beyond Latin-1 would go as "?" (the device-type query), a control
    // character would break the command.
    QString taken, refused;
    for (const QChar c : text) (storableChar(c) ? taken : refused) += c;
    buffer_ += taken;
    if (!refused.isEmpty())
        Memo_recu->appendLine(QStringLiteral("*** Refusé, non ajouté à la commande : « %1 » (seuls les caractères "
                                             "Latin-1 hors caractères de contrôle passent tels quels)")
                                  .arg(shownText(refused)));
    showBuffer();
    return taken;
}

void TForm_debug::Button_clearClick()
{
    ensureContent();
    buffer_.clear();
    showBuffer();
    Memo_recu->clear();
    Memo_env->clear();
}

void TForm_debug::BitBtn_ADBGClick(int n)
{
    const QString& command = programmed_[size_t(n - 1)].command;
    if (!command.isEmpty()) Driver_envoie(command);
}

QString TForm_debug::unstorableText(const QString& text)
{
    return unstorableMessage(text, QStringLiteral("the buttons file"));
}

std::optional<QString> TForm_debug::askStorable(const QString& title, const QString& prompt, const QString& initial)
{
    // The buttons file and the link carry single-byte text, a text on its
    // line: a character beyond Latin-1 would become "?", a line break
    // would start a line of its own. And the file must stay small enough to
    // be read. Such an answer is refused and the question asked again.
    for (;;) {
        const std::optional<QString> answer = prompter().inputBox(this, title, prompt, initial);
        if (!answer) return answer;
        QString refusal;
        if (answer->size() > ButtonTextMax)
            refusal = QStringLiteral("The text has %1 characters: a button's caption or command holds at most %2, "
                                     "so that the buttons file can always be read back.")
                          .arg(answer->size())
                          .arg(ButtonTextMax);
        else if (!storableText(*answer))
            refusal = unstorableText(*answer);
        else
            return answer;
        prompter().message(this, QString::fromLatin1(Caption), refusal, Prompter::Icon::Warning);
    }
}

void TForm_debug::BitBtn_ADBGMouseUp(int n)
{
    ensureContent();
    Programmed& p = programmed_[size_t(n - 1)];
    QPushButton* b = BitBtn_ADBG[size_t(n - 1)];
    if (const std::optional<QString> d =
            askStorable(QStringLiteral("Entrer description d'addressage"), p.command, p.caption)) {
        p.caption = *d;
        b->setText(p.caption);
    }
    if (const std::optional<QString> c =
            askStorable(QStringLiteral("Entrer l'addresse et/ou la donnée"), p.caption, p.command)) {
        p.command = *c;
        b->setToolTip(p.command);
    }
}

QString TForm_debug::buttonsFileName()
{
    return QStringLiteral("debug ") + QCoreApplication::applicationName() + QStringLiteral(".ini");
}

void TForm_debug::loadButtonsFile()
{
    const std::optional<QStringList> lines = readTextLines(buttonsFileName());
    if (!lines) return;  // the design's captions and no commands
    // A text longer than the buttons take when typed comes only from a file
    // made by hand; it is kept whole (the save sees to the read limit).
    for (int n = 1; n <= ButtonCount; ++n) {
        Programmed& p = programmed_[size_t(n - 1)];
        p.caption = lineValue(*lines, QStringLiteral("desc%1").arg(n)).value_or(QString());
        p.command = lineValue(*lines, QStringLiteral("adon%1").arg(n)).value_or(QString());
        if (QPushButton* b = BitBtn_ADBG[size_t(n - 1)]) {
            b->setText(p.caption);
            b->setToolTip(p.command);
        }
    }
}

void TForm_debug::saveButtonsFile() const
{
    QStringList lines;
    for (int n = 1; n <= ButtonCount; ++n) {
        const Programmed& p = programmed_[size_t(n - 1)];
        lines << QStringLiteral("desc%1=").arg(n) + p.caption << QStringLiteral("adon%1=").arg(n) + p.command;
    }
    // What the panel types stays within the read limit; a file made by hand
    // near it may not once written back with all 52 lines. Such a file is
    // left as it is, readable, rather than replaced by one the next start
    // would refuse.
    qint64 bytes = 0;
    for (const QString& l : lines) bytes += l.size() + 2;
    if (bytes > MaxTextFileBytes) {
        Memo_recu->appendLine(QStringLiteral("*** %1 : %2 octets dépasseraient la limite de lecture (%3), "
                                             "le fichier n'est pas réécrit")
                                  .arg(buttonsFileName())
                                  .arg(bytes)
                                  .arg(MaxTextFileBytes));
        return;
    }
    writeTextLines(buttonsFileName(), lines);  // a failure is ignored
}

// ---------------------------------------------------------------------------
// Register list

void TForm_debug::_Click()
{
    ensureContent();
    const int row = _->currentIndex();
    if (row < 0 || row >= int(codes_.size())) return;
    buffer_ += codes_[size_t(row)];
    Memo_env->appendPlainText(buffer_);
    showBuffer();
}

// ---------------------------------------------------------------------------
// Value panel. It holds any value a register holds (32 bits): the decimal
// box and the hexadecimal digits show all of it, the sixteen bit boxes its
// low 16 bits, and a click on a bit box leaves the bits above alone.

void TForm_debug::showBits(uint32_t value)
{
    panelValue_ = value;
    for (int i = 0; i < 16; ++i)
        EditBits[size_t(i)]->setText((value >> (15 - i)) & 1u ? QStringLiteral("1") : QStringLiteral("0"));
    Label_valeur_bin->setText(binaryForm(hexDigits(value)) + QLatin1Char(' '));
}

void TForm_debug::showDecimal(uint32_t value)
{
    Label_valeur_dec->setText(QString::number(value) + QLatin1Char(' '));
    Edit_valeur_dec->setText(QString::number(value));
}

void TForm_debug::showHex(uint32_t value)
{
    Label_valeur_hex->setText(hexDigits(value) + QLatin1Char(' '));
    Edit_valeur_hex->setText(hexDigits(value));
}

uint32_t TForm_debug::bitsValue() const
{
    uint32_t v = panelValue_ & 0xFFFF0000u;
    for (int i = 0; i < 16; ++i)
        if (EditBits[size_t(i)]->text() != QLatin1String("0")) v |= 1u << (15 - i);
    return v;
}

QString TForm_debug::panelMnemonic() const
{
    return Label_variable->text().section(QLatin1Char(' '), 0, 0);
}

void TForm_debug::BitBtn_changer_valeursClick()
{
    ensureContent();
    Panel1->setVisible(!Panel1->isVisible());
    if (Panel1->isVisible()) Panel1->raise();
    const DigitsAndName selection = splitDigits(Memo_recu->selectedText());
    const std::optional<uint32_t> value = registerValue(selection.digits);
    if (value) {
        Label_variable->setText(selection.name + QLatin1Char(' '));
        showDecimal(*value);
        showHex(*value);
        showBits(*value);
        Button_envoie->setEnabled(true);
        return;
    }
    // Nothing selected, or nothing the panel can hold.
    Label_variable->setText(NoValue);
    for (QLabel* l : {Label_valeur_dec, Label_valeur_hex}) l->setText(QStringLiteral("0"));
    for (QLineEdit* e : {Edit_valeur_dec, Edit_valeur_hex}) e->setText(QStringLiteral("0"));
    showBits(0);
    Label_valeur_bin->setText(QStringLiteral("0000.0000.0000.0000b"));
    Button_envoie->setEnabled(false);
}

void TForm_debug::EditBitClick(int box)
{
    ensureContent();
    QLineEdit* e = EditBits[size_t(box - 1)];
    e->setText(e->text() == QLatin1String("0") ? QStringLiteral("1") : QStringLiteral("0"));
    const uint32_t v = bitsValue();
    panelValue_ = v;
    Label_valeur_bin->setText(binaryForm(hexDigits(v)) + QLatin1Char(' '));
    showDecimal(v);
    showHex(v);
}

void TForm_debug::Edit_valeur_decReturn()
{
    ensureContent();
    const QString text = Edit_valeur_dec->text();
    if (text.isEmpty()) return;
    const uint32_t v = text.toUInt();  // digits of a 32-bit value: the box takes nothing else
    showDecimal(v);
    showHex(v);
    showBits(v);
}

void TForm_debug::Edit_valeur_hexReturn()
{
    ensureContent();
    const QString text = Edit_valeur_hex->text().toUpper();
    if (text.isEmpty()) return;
    const QString digits = text.rightJustified(4, QLatin1Char('0'));
    const uint32_t v = digits.toUInt(nullptr, 16);  // at most eight digits: the box takes no more
    Label_valeur_hex->setText(digits);
    Edit_valeur_hex->setText(digits);
    showDecimal(v);
    showBits(v);
}

void TForm_debug::Button_okClick()
{
    ensureContent();
    Panel1->hide();
    buffer_ = Label_valeur_dec->text().trimmed();
    showBuffer();
    Memo_env->setPlainText(buffer_);
}

void TForm_debug::Button_annulerClick()
{
    ensureContent();
    Panel1->hide();
}

void TForm_debug::Button_envoieClick()
{
    ensureContent();
    // The value as the protocol wants it: digits right before the code.
    const int row = rowOfMnemonic(panelMnemonic());
    if (row >= 0) Driver_envoie(Label_valeur_dec->text().trimmed() + codes_[size_t(row)]);
}

void TForm_debug::Button_desactiver_receptionClick()
{
    ensureContent();
    const int row = rowOfMnemonic(panelMnemonic());
    if (row < 0) return;
    const bool ticked = !rowTicked(row);
    setRowTicked(row, ticked);
    tickRow(row, ticked);
    rebuildWatched();
}

// ---------------------------------------------------------------------------
// Script sender

void TForm_debug::Envoyeruntexte1Click()
{
    ensureContent();
    script_->stop();
    script_->setInterval(ScrollBar_duration->value() + ScriptSender::CharacterDelay);
    ScrollBar_duration->setEnabled(true);
    // The dialog starts in the working directory, wherever the last file
    // dialog of the program was.
    const QString path = prompter().openFile(this, QStringLiteral("Charger script, fichier texte à envoyer"),
                                             QStringLiteral("Fichiers texte (*.txt)|*.txt|Tous les fichiers (*)|*"),
                                             QDir::currentPath());
    if (path.isEmpty()) return;
    // Read as bytes: what the file holds goes to the device unchanged.
    const TextFile file = readTextFile(path);
    if (file.status == TextFile::Status::TooBig || file.status == TextFile::Status::NotRegular) {
        // Nothing is read, nothing is sent: the operator learns why.
        const QString why = file.status == TextFile::Status::TooBig
                                ? QStringLiteral("is larger than %1 bytes").arg(MaxTextFileBytes)
                                : QStringLiteral("is not a regular file");
        prompter().message(this, QString::fromLatin1(Caption),
                           QStringLiteral("The script \"%1\" %2: nothing was sent.").arg(path, why),
                           Prompter::Icon::Warning);
        return;
    }
    if (file.status != TextFile::Status::Ok) return;  // unreadable: the sender stays idle
    setWindowTitle(QString::fromLatin1(Caption) + QStringLiteral("  ") + QFileInfo(path).fileName());
    QList<QByteArray> bytes;
    for (const QString& l : splitTextLines(file.bytes)) bytes << l.toLatin1();
    if (script_->start(bytes, ScrollBar_duration->value())) ScrollBar_duration->setEnabled(false);
}

void TForm_debug::evenement_tempo()
{
    script_->tick();
}

void TForm_debug::Stop1Click()
{
    ensureContent();
    script_->stop();
    ScrollBar_duration->setEnabled(true);
}

void TForm_debug::ScrollBar_durationScroll(int, int pos)
{
    ensureContent();
    if (script_->setDelay(pos)) Label_scroll_timer->setText(QString::number(pos));
}
