#include "lan_fields.h"

#include <QGridLayout>
#include <QLabel>

namespace lanfields {

QLineEdit* add(QGridLayout* grid, int& row, const char* caption, const char* name, const char* text)
{
    QWidget* dialog = grid->parentWidget();
    auto* edit = new QLineEdit(QString::fromLatin1(text), dialog);
    edit->setObjectName(QString::fromLatin1(name));
    grid->addWidget(new QLabel(QString::fromLatin1(caption), dialog), row, 0);
    grid->addWidget(edit, row, 1);
    ++row;
    return edit;
}

}  // namespace lanfields
