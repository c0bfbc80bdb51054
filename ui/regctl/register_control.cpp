#include "regctl/register_control.h"

#include "conversion.h"
#include "zeph350_d.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace regctl {

QString displayText(uint32_t value, int offset)
{
    return QString::number(int64_t(value) - int64_t(offset));
}

}  // namespace regctl

using regctl::EntryForm;
using regctl::ScrollForm;

RegisterControl::RegisterControl(TZEPH350_d& dev, const regctl::Definition& def) : dev_(dev), def_(def) {}

void RegisterControl::add(ScrollBarEx* bar, QLineEdit* edit)
{
    bars_ << bar;
    edits_ << edit;
}

void RegisterControl::setTextForm(TextForm text, EntryParser entry)
{
    text_ = std::move(text);
    entry_ = std::move(entry);
}

void RegisterControl::write(uint32_t v)
{
    dev_.writeRegister(def_.reg, v);
}

void RegisterControl::Scroll(QObject* Sender, int ScrollCode, int& ScrollPos)
{
    auto* bar = qobject_cast<ScrollBarEx*>(Sender);
    const bool end = ScrollCode == ScrollBarEx::EndScroll;
    switch (def_.scroll) {
    case ScrollForm::Standard:
        write(uint32_t(ScrollPos));
        if (bar) bar->Tag = end ? 0 : 1;
        break;
    case ScrollForm::EndOnly:
        if (end) write(uint32_t(ScrollPos));
        if (bar) bar->Tag = end ? 0 : 1;
        break;
    case ScrollForm::EchoPaced:
        if (!dragFlag_) {
            // The first event of a drag goes out at once.
            dragFlag_ = true;
            sendPaced(ScrollPos);
        } else if (!inFlight_ && ScrollPos != lastSent_) {
            // The last value was echoed while the thumb stood still: nothing
            // is on its way, so this position may go now.
            sendPaced(ScrollPos);
        }
        if (end) {
            dragFlag_ = false;
            sendPaced(ScrollPos);  // the final position, always
        }
        break;
    }
}

void RegisterControl::sendPaced(int pos)
{
    write(uint32_t(pos));
    lastSent_ = pos;
    inFlight_ = true;
}

void RegisterControl::KeyPress(QObject* Sender, QChar& Key)
{
    if (Key != QChar(13)) return;
    auto* edit = qobject_cast<QLineEdit*>(Sender);
    if (!edit) return;
    if (entry_) {
        const std::optional<uint32_t> v = entry_(edit->text());
        write(v ? *v : dev_.value(def_.reg));  // the device's answer puts the edit right
        return;
    }
    const auto v = StrToIntOrReport(edit->text());
    if (!v) return;  // reported; nothing is written
    if (def_.entry == EntryForm::Unchecked) {
        write(uint32_t(*v));
        return;
    }
    const bool accepted = def_.entry == EntryForm::Byte ? *v >= 0 && *v <= 255
                                                        : *v < def_.offset && *v >= -def_.offset;
    if (accepted)
        write(uint32_t(*v + def_.offset));
    else
        write(dev_.value(def_.reg));  // the device's answer puts the edit right
}

void RegisterControl::Change()
{
    const uint32_t value = dev_.value(def_.reg);
    const QString text = text_ ? text_(value) : regctl::displayText(value, def_.offset);
    for (QLineEdit* e : edits_) {
        const QSignalBlocker block(e);
        e->setText(text);
    }
    if (def_.scroll == ScrollForm::EchoPaced) {
        inFlight_ = false;
        if (dragFlag_) {
            // The echo paces the next value: the thumb's present position,
            // unless that is what the device has just confirmed.
            const int pos = bars_.isEmpty() ? lastSent_ : bars_.front()->sliderPosition();
            if (pos != lastSent_) sendPaced(pos);
            return;
        }
    }
    for (ScrollBarEx* b : bars_) {
        if (def_.scroll != ScrollForm::EchoPaced && b->Tag != 0) continue;  // being dragged
        const QSignalBlocker block(b);
        // A value outside the bar's range puts the thumb at the nearest end.
        b->setValue(int(std::clamp<int64_t>(value, b->minimum(), b->maximum())));
    }
}

namespace regctl {

ScrollBarEx* makeBar(QWidget* parent, const char* name, const Definition& s, const QRect& geometry)
{
    auto* bar = new ScrollBarEx(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(s.min, s.max);
    bar->setValue(s.start);
    bar->setGeometry(geometry);
    return bar;
}

QLineEdit* makeEdit(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(geometry);
    return edit;
}

void wire(ScrollBarEx* bar, QLineEdit* edit, QObject* context, ScrollHandler onScroll, KeyHandler onKey)
{
    QObject::connect(bar, &ScrollBarEx::scrolled, context, [onScroll, bar](int code, int pos) {
        int p = pos;
        onScroll(bar, code, p);
    });
    QObject::connect(edit, &QLineEdit::returnPressed, context, [onKey, edit] {
        QChar key(13);
        onKey(edit, key);
    });
}

std::pair<ScrollBarEx*, QLineEdit*> addPair(RegisterControl& control, QWidget* parent, const QRect& bar,
                                            const QRect& edit, QObject* context, ScrollHandler onScroll,
                                            KeyHandler onKey)
{
    const Definition& d = control.definition();
    ScrollBarEx* b = makeBar(parent, d.bar, d, bar);
    QLineEdit* e = makeEdit(parent, d.edit, edit);
    e->setText(displayText(uint32_t(d.start), d.offset));
    control.add(b, e);
    if (!onScroll) onScroll = [&control](QObject* s, int code, int& pos) { control.Scroll(s, code, pos); };
    if (!onKey) onKey = [&control](QObject* s, QChar& k) { control.KeyPress(s, k); };
    wire(b, e, context, std::move(onScroll), std::move(onKey));
    return {b, e};
}

}  // namespace regctl

RegisterControl& RegisterRows::add(TZEPH350_d& dev, const regctl::Definition& def)
{
    rows_.push_back(std::make_unique<RegisterControl>(dev, def));
    return *rows_.back();
}

RegisterControl* RegisterRows::find(int reg) const
{
    for (const auto& r : rows_)
        if (r->reg() == reg) return r.get();
    return nullptr;
}
