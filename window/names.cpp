#include "names.h"

#include "zeph350_main.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>

namespace names {

namespace {

QList<QComboBox*> logoLists(TZEPH350_main& w)
{
    QList<QComboBox*> lists;
    for (const char* prefix : {"new_Combologo", "LINDEX2_Combologo"})
        for (int i = 1; i <= 8; ++i)
            if (auto* c = w.control<QComboBox>(QString::fromLatin1(prefix) + QString::number(i))) lists << c;
    return lists;
}

void setItem(QComboBox* c, int index, const QString& text)
{
    if (index >= 0 && index < c->count()) c->setItemText(index, text);
}

}  // namespace

void rename(TZEPH350_main& w)
{
    auto* refreq = w.control<QComboBox>(QStringLiteral("combo_refreq"));
    const QSignalBlocker block(refreq);
    const int kept = refreq ? refreq->currentIndex() : -1;
    if (refreq) refreq->clear();
    for (int i = 1; i <= 8; ++i) {
        if (auto* used = w.control<QAbstractButton>(QStringLiteral("Label_input_%1").arg(i)))
            used->setText(w.label_input[size_t(i - 1)]->text());
    }
    const uint32_t ichm = w.ZEPH350_d1.ICHM();
    if (ichm >= 1 && ichm <= 8) {
        if (auto* label = w.control<QLabel>(QStringLiteral("Label_ICHM")))
            label->setText(w.label_input[size_t(ichm - 1)]->text());
    }
    if (refreq) {
        refreq->addItem(QStringLiteral("Internal reference"));
        const int inputs = w.state.fourInputs ? 4 : 8;
        for (int k = 1; k <= inputs; ++k)
            refreq->addItem(QStringLiteral("Follow  ") + w.label_input[size_t(k - 1)]->text());
        refreq->setCurrentIndex(kept);
    }
}

void logorename(TZEPH350_main& w, int slot)
{
    if (slot < 1 || slot > 9) return;
    const QList<QComboBox*> lists = logoLists(w);
    auto* first = w.control<QComboBox>(QStringLiteral("new_Combologo1"));
    const bool empty = first && slot < first->count() && first->itemText(slot) == QLatin1String("Empty");
    if (!empty) {
        const QString& name = w.state.Logo_names[size_t(slot)];
        for (QComboBox* c : lists) {
            const QSignalBlocker block(c);
            const int kept = c->currentIndex();
            setItem(c, slot, name);
            c->setCurrentIndex(kept);
        }
        if (slot > 1) {
            if (auto* store = w.control<QComboBox>(QStringLiteral("ComboBox_lstore"))) {
                const QSignalBlocker block(store);
                setItem(store, slot - 2, name);
            }
        }
    }
    if (w.state.hinthinthint) w.state.hinthinthint();
}

void spreadLogoNames(TZEPH350_main& w)
{
    for (int slot = 1; slot <= 9; ++slot) logorename(w, slot);
}

void fillLogoLists(TZEPH350_main& w)
{
    const QList<QComboBox*> lists = logoLists(w);
    auto* store = w.control<QComboBox>(QStringLiteral("ComboBox_lstore"));
    for (size_t i = 0; i < w.state.Logo_names.size(); ++i) {
        for (QComboBox* c : lists) {
            const QSignalBlocker block(c);
            c->addItem(w.state.Logo_names[i]);
            c->setCurrentIndex(0);
        }
        if (store && i >= 2) {
            const QSignalBlocker block(store);
            store->addItem(w.state.Logo_names[i]);
        }
    }
}

}  // namespace names
