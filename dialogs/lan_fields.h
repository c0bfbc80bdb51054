#pragma once
// The address and port fields the two LAN dialogs share: a caption in the
// grid's first column with its edit beside it, and a value kept together
// with the edit that shows it.

#include <QLineEdit>
#include <QString>

class QGridLayout;

namespace lanfields {

// Adds caption and edit (design name `name`, start text `text`) on row
// `row` of `grid`, then moves `row` on.
QLineEdit* add(QGridLayout* grid, int& row, const char* caption, const char* name, const char* text);

// Keeps `text` as the dialog's value and shows it.
inline void show(QString& value, QLineEdit* edit, const QString& text)
{
    value = text;
    edit->setText(text);
}
template <class Port>
void show(Port& value, QLineEdit* edit, Port port)
{
    value = port;
    edit->setText(QString::number(port));
}

}  // namespace lanfields
