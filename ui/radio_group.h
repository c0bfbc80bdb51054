#pragma once
// A radio group: a captioned box of radio buttons laid out in columns, with
// one item index (-1: none). The operator's click on an item is reported
// with its index; the checked item changes only through SetItemIndex, which
// the device's report drives, and which reports nothing.

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QAbstractButton;

class RadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
public:
    RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent);

    int ItemIndex() const { return index_; }
    // An index outside the items checks none.
    void SetItemIndex(int index);
    int count() const { return int(buttons_.size()); }
    QAbstractButton* button(int index) const { return buttons_.value(index); }

signals:
    // The operator clicked item `index`.
    void itemClicked(int index);

private:
    QList<QAbstractButton*> buttons_;
    int index_ = -1;
};
