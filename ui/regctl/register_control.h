#pragma once
// A numeric register shown as a scroll bar and an edit box (or two pairs,
// on two pages), kept up to date by the register's change handler.
//
// The window never sends on its own: the bar and the edit write the
// register through the device component, and only the device's reply moves
// the controls. Three ways of writing from the bar:
// - Standard: every scroll event writes the position; the bar's Tag is the
//   drag mark (1 during an action, 0 after its end scroll), and while it is
//   set replies move the edit but not the thumb.
// - EndOnly: only the end scroll writes; the drag mark as above.
// - EchoPaced: at most one value on its way; the device's echo of it lets
//   the next, always the latest position, go out, and the final position is
//   written on the end scroll.

#include "regctl/scroll_bar.h"

#include <QChar>
#include <QList>
#include <QRect>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>
#include <utility>
#include <optional>

class QLineEdit;
class QObject;
class QWidget;
class TZEPH350_d;

namespace regctl {

enum class ScrollForm { Standard, EndOnly, EchoPaced };

// Bounded: the edit accepts -offset .. offset-1 and writes value+offset;
// other numbers re-send the stored value. Unchecked: the number is written
// as it is. Byte: the edit accepts 0 .. 255 and writes it as it is; other
// numbers re-send the stored value.
enum class EntryForm { Bounded, Unchecked, Byte };

// One row of a page's register table. Twin names are null when the
// register has one pair of controls.
struct Definition {
    int reg;
    const char* bar;
    const char* edit;
    const char* twinBar;
    const char* twinEdit;
    int min, max, start;
    int offset;
    ScrollForm scroll = ScrollForm::Standard;
    EntryForm entry = EntryForm::Bounded;
};

// "Value" as the edit shows it: stored value minus the offset, in 64-bit
// arithmetic so that 0 with offset 128 reads "-128".
QString displayText(uint32_t value, int offset);

}  // namespace regctl

class RegisterControl {
public:
    RegisterControl(TZEPH350_d& dev, const regctl::Definition& def);

    const regctl::Definition& definition() const { return def_; }
    int reg() const { return def_.reg; }

    // Adds a bar and its edit (the first pair, then the twin).
    void add(ScrollBarEx* bar, QLineEdit* edit);
    const QList<ScrollBarEx*>& bars() const { return bars_; }
    const QList<QLineEdit*>& edits() const { return edits_; }

    // The handler forms. Sender is the bar or the edit that raised the
    // event (either of the pairs).
    void Scroll(QObject* Sender, int ScrollCode, int& ScrollPos);
    void KeyPress(QObject* Sender, QChar& Key);
    void Change();

    // A register shown in a text form of its own (a duration in seconds):
    // `text` makes the edit's text from the stored value, `entry` reads
    // what the operator typed and gives nothing for a text it refuses, in
    // which case the stored value is sent again.
    using TextForm = std::function<QString(uint32_t value)>;
    using EntryParser = std::function<std::optional<uint32_t>(const QString& text)>;
    void setTextForm(TextForm text, EntryParser entry);

    // The echo-paced sender's state.
    bool dragFlag() const { return dragFlag_; }
    bool inFlight() const { return inFlight_; }

private:
    void write(uint32_t v);
    void sendPaced(int pos);

    TZEPH350_d& dev_;
    regctl::Definition def_;
    QList<ScrollBarEx*> bars_;
    QList<QLineEdit*> edits_;

    TextForm text_;
    EntryParser entry_;

    bool dragFlag_ = false;
    bool inFlight_ = false;  // a paced value not yet echoed
    int lastSent_ = -1;
};

namespace regctl {

// Creates the bar of a table row: horizontal, range and start from the
// row, the design name as objectName.
ScrollBarEx* makeBar(QWidget* parent, const char* name, const Definition& s, const QRect& geometry);
QLineEdit* makeEdit(QWidget* parent, const char* name, const QRect& geometry);

// Connects a pair's operator signals to handlers: the bar's scroll events
// and Enter in the edit (the edit keeps every other key itself).
using ScrollHandler = std::function<void(QObject* Sender, int ScrollCode, int& ScrollPos)>;
using KeyHandler = std::function<void(QObject* Sender, QChar& Key)>;
void wire(ScrollBarEx* bar, QLineEdit* edit, QObject* context, ScrollHandler onScroll, KeyHandler onKey);

// A pair of the row on `parent`: the bar and the edit (showing the design
// start in display units), added to `control` and wired to the handlers;
// without handlers, to the control's own Scroll and KeyPress.
std::pair<ScrollBarEx*, QLineEdit*> addPair(RegisterControl& control, QWidget* parent, const QRect& bar,
                                            const QRect& edit, QObject* context, ScrollHandler onScroll = {},
                                            KeyHandler onKey = {});

}  // namespace regctl

// The register controls of a page, found by register.
class RegisterRows {
public:
    RegisterControl& add(TZEPH350_d& dev, const regctl::Definition& def);
    // Null for a register the page does not show.
    RegisterControl* find(int reg) const;

private:
    std::vector<std::unique_ptr<RegisterControl>> rows_;
};
