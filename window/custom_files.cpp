#include "custom_files.h"

#include "connection_controller.h"
#include "conversion.h"
#include "inputs_controller.h"
#include "names.h"
#include "prompter.h"
#include "text_lines.h"
#include "window_state.h"
#include "zeph350_main.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QFrame>

CustomFiles::CustomFiles(TZEPH350_main& w, ConnectionController& connection) : w_(w), connection_(connection)
{
    const auto on = [this](QAction* item, void (CustomFiles::*handler)()) {
        connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    on(w_.menu.New1, &CustomFiles::New1Click);
    on(w_.menu.Open1, &CustomFiles::Open1Click);
    on(w_.menu.Save1, &CustomFiles::Save1Click);
    on(w_.menu.Saveas1, &CustomFiles::Saveas1Click);
    connect(w_.menu.Exit1, &QAction::triggered, this, [this] { w_.Exit1Click(); });
}

std::optional<QStringList> CustomFiles::readLines(const QString& path, QByteArray* raw)
{
    return readTextLines(path, raw);
}

std::optional<QString> CustomFiles::writeLines(const QString& path, const QStringList& lines)
{
    return writeTextLines(path, lines);
}

std::optional<QString> CustomFiles::value(const QStringList& lines, const QString& name)
{
    return lineValue(lines, name);
}

std::optional<int32_t> CustomFiles::portValue(const QString& text)
{
    // A port the sockets cannot take is as unusable as a text that is no
    // number.
    const std::optional<int32_t> v = StrToDecimal(text);
    if (!v || *v < 0 || *v > 65535) return std::nullopt;
    return v;
}

bool CustomFiles::Verif_fichier_ini(const QStringList& lines, const QString& name)
{
    if (name == QLatin1String(StoreTimingFile)) {
        const std::optional<int32_t> speed = lines.isEmpty() ? std::nullopt : StrToDecimal(lines.first());
        if (speed && *speed >= 1) return true;
        writeLines(name, {QStringLiteral("240")});  // a failure is ignored
        return false;
    }
    const std::optional<QString> port = value(lines, QStringLiteral("0"));
    bool portOk = false;
    for (int n = 1; n <= 10 && port; ++n) portOk = portOk || *port == QStringLiteral("COM%1").arg(n);
    if (!portOk) return false;
    for (int key = 1; key <= 26; ++key) {
        const std::optional<QString> v = value(lines, QString::number(key));
        if (!v || v->isEmpty()) return false;
    }
    for (const char* key : {"REMOTE_IP", "REMOTE_PORT_ENTRY", "LOCAL_PORT_ENTRY", "IP_ENABLE"})
        if (!value(lines, QString::fromLatin1(key))) return false;
    return true;
}

bool CustomFiles::LoadButtonName(const QStringList& lines)
{
    TZEPH350_d& z = w_.ZEPH350_d1;
    w_.setLinkCaption(QStringLiteral("Port: Not connected"));

    const QString port = value(lines, QStringLiteral("0")).value_or(QString());
    for (int n = 1; n <= 10; ++n)
        if (port == QStringLiteral("COM%1").arg(n)) connection_.COMClick(n, &w_);

    for (int key = 1; key <= 16 && key <= w_.state.renamable.size(); ++key)
        w_.state.renamable[key - 1]->setText(value(lines, QString::number(key)).value_or(QString()));
    for (int key = 17; key <= 26; ++key)
        w_.state.Logo_names[size_t(key - 17)] = value(lines, QString::number(key)).value_or(QString());

    // The address and the ports come before the link type, so that a LAN
    // link opens with them.
    if (const std::optional<QString> address = value(lines, QStringLiteral("REMOTE_IP"))) {
        // Replies are taken only from a sender whose dotted text equals the
        // address: a valid address is kept in its canonical form.
        const IpAddress ip = ParseIpAddress(*address);
        z.SetIpRemoteAddress(ip.valid ? ip.dotted() : *address);
    }
    if (const std::optional<QString> remote = value(lines, QStringLiteral("REMOTE_PORT_ENTRY"))) {
        // Port 0 is no destination: every command would fail to go out.
        const std::optional<int32_t> p = portValue(*remote);
        if (!p || *p == 0) return false;
        z.SetIpRemotePort(*p);
    }
    if (const std::optional<QString> local = value(lines, QStringLiteral("LOCAL_PORT_ENTRY"))) {
        const std::optional<int32_t> p = portValue(*local);
        if (!p) return false;
        z.SetIpLocalPort(*p);
    }
    if (const std::optional<QString> kind = value(lines, QStringLiteral("IP_ENABLE"))) {
        if (*kind == QLatin1String("2")) {
            z.SetConType(CON_TCP);
            w_.setLinkCaption(QStringLiteral("TCP"));
            connection_.checkLinkItem(w_.MIPConfig);
        } else if (*kind == QLatin1String("1")) {
            z.SetConType(CON_UDP);
            w_.setLinkCaption(QStringLiteral("UDP"));
            connection_.checkLinkItem(w_.MIPConfig);
        } else {
            z.SetConType(CON_RS232);
            if (w_.MIPConfig->isChecked()) connection_.checkLinkItem(nullptr);
        }
    }
    return true;
}

void CustomFiles::open()
{
    if (const std::optional<QStringList> timing = readLines(QString::fromLatin1(StoreTimingFile)))
        Verif_fichier_ini(*timing, QString::fromLatin1(StoreTimingFile));

    const QString path = w_.state.Settings_file_name;
    const TextFile file = readTextFile(path);
    bool applied = false;
    if (file.status == TextFile::Status::Ok) {
        const QStringList lines = splitTextLines(file.bytes);
        if (Verif_fichier_ini(lines, path)) applied = LoadButtonName(lines);
    }
    if (!applied) connection_.com1Click(&w_);
    // What the operator wrote is not destroyed by the next save (one empty
    // caption is enough to reject a file): it goes to a backup first.
    const QString key = QFileInfo(path).absoluteFilePath();
    if (applied || file.status == TextFile::Status::Missing)
        rejected_.remove(key);
    else
        rejected_.insert(key);

    QWidget* cover = w_.inputs().status().Panel_notavailble;
    cover->move(0, cover->y());
    names::rename(w_);
    // The logo names reach every list that shows them, as the captions do.
    names::spreadLogoNames(w_);
}

QStringList CustomFiles::settingsLines() const
{
    const TZEPH350_d& z = w_.ZEPH350_d1;
    QString port = QStringLiteral("COM1");
    for (QAction* a : w_.comItems) {
        if (a->isChecked()) {
            port = a->text();
            break;
        }
    }
    QStringList lines;
    lines << QStringLiteral("0=") + port;
    for (int key = 1; key <= 16; ++key) {
        const QString caption = key <= w_.state.renamable.size() ? w_.state.renamable[key - 1]->text() : QString();
        lines << QString::number(key) + QLatin1Char('=') + caption;
    }
    for (int key = 17; key <= 26; ++key) lines << QString::number(key) + QLatin1Char('=') + w_.state.Logo_names[size_t(key - 17)];
    const char* kind = z.ConType() == CON_TCP ? "2" : z.ConType() == CON_UDP ? "1" : "0";
    lines << QStringLiteral("IP_ENABLE=") + QLatin1String(kind);
    lines << QStringLiteral("REMOTE_IP=") + z.IpRemoteAddress();
    lines << QStringLiteral("REMOTE_PORT_ENTRY=") + QString::number(z.IpRemotePort());
    lines << QStringLiteral("LOCAL_PORT_ENTRY=") + QString::number(z.IpLocalPort());
    return lines;
}

bool CustomFiles::save(SaveKind kind)
{
    const QString path = w_.state.Settings_file_name;
    // A rejected file goes aside as it is when it is replaced, under a name
    // no earlier backup holds; after that the file is ours. When it cannot
    // be kept, it is not replaced either. A file that could not be read at
    // all is moved aside by the write.
    const QString key = QFileInfo(path).absoluteFilePath();
    const std::optional<QString> error =
        writeTextLines(path, settingsLines(), rejected_.contains(key) ? Replaced::Kept : Replaced::Dropped);
    if (!error) rejected_.remove(key);
    if (error && kind == SaveKind::Explicit) {
        prompter().message(&w_, QApplication::applicationName(),
                           QStringLiteral("Cannot save \"%1\": %2").arg(path, *error), Prompter::Icon::Error);
    }
    return !error;
}

void CustomFiles::New1Click()
{
    for (int i = 0; i < w_.state.renamable.size() && i < 16; ++i)
        w_.state.renamable[i]->setText(i < 8 ? QStringLiteral("Input %1").arg(i + 1) : QStringLiteral("Audio %1").arg(i - 7));
    names::rename(w_);
}

void CustomFiles::Open1Click()
{
    const QString chosen =
        prompter().openFile(&w_, QStringLiteral("Open Your Customization"), QString::fromLatin1(Filter));
    if (chosen.isEmpty()) return;
    lastOpenedName = chosen;
    w_.state.Settings_file_name = chosen;
    open();
}

void CustomFiles::Saveas1Click()
{
    saveAs();
}

bool CustomFiles::saveAs()
{
    // The dialog adds ".ini" to a bare name itself, before its question
    // about replacing an existing file.
    const QString chosen = prompter().saveFile(&w_, QStringLiteral("Save Your Customization"),
                                               QString::fromLatin1(Filter), QStringLiteral("ini"));
    if (chosen.isEmpty()) return false;
    w_.state.Settings_file_name = chosen;
    save(SaveKind::Explicit);
    return true;
}

void CustomFiles::Save1Click()
{
    if (lastOpenedName.isEmpty() || w_.state.Settings_file_name != lastOpenedName) {
        // An accepted "Save as" has written the file already.
        if (saveAs()) return;
    }
    save(SaveKind::Explicit);
}
