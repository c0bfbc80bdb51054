#pragma once
// The customisation files: "zeph350.ini" (the link, the sixteen captions,
// the ten logo names, the LAN addresses and ports), read at start and
// written at exit, the same format under other names from the "&Files"
// menu, and the store-timing file's check.

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

class ConnectionController;
class TZEPH350_main;

class CustomFiles : public QObject {
public:
    enum class SaveKind {
        Exit,     // a failure is ignored
        Explicit  // a failure is shown to the operator
    };

    CustomFiles(TZEPH350_main& w, ConnectionController& connection);

    void open();
    bool Verif_fichier_ini(const QStringList& lines, const QString& name);
    // Applies a valid file; false when a value could not be applied (the
    // values before it stay applied).
    bool LoadButtonName(const QStringList& lines);
    bool save(SaveKind kind = SaveKind::Explicit);
    // The 31 lines that save writes.
    QStringList settingsLines() const;

    void New1Click();
    void Open1Click();
    void Save1Click();
    void Saveas1Click();

    // A single-byte text file as lines (CR LF, LF or CR line ends); nothing
    // when it cannot be read.
    static std::optional<QStringList> readLines(const QString& path, QByteArray* raw = nullptr);
    // Writes lines with CR LF through an atomic replace; the error text on
    // failure.
    static std::optional<QString> writeLines(const QString& path, const QStringList& lines);
    // The value of the first line named `name` (case ignored); nothing when
    // no line has that name.
    static std::optional<QString> value(const QStringList& lines, const QString& name);
    // A port as the file holds it: a number within 0..65535.
    static std::optional<int32_t> portValue(const QString& text);

    static constexpr const char* Filter = "Your customization (*.ini)|*.ini";
    QString lastOpenedName;  // the file last chosen in the open dialog

private:
    // "Save as": true when the operator chose a name (and it was written).
    bool saveAs();

    TZEPH350_main& w_;
    ConnectionController& connection_;
    // Files that were rejected, or could not be read, when last read:
    // before a save replaces one, what is there then is kept under a
    // backup name (the operator may have changed it meanwhile).
    QSet<QString> rejected_;  // by absolute path
};
