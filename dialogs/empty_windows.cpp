#include "empty_windows.h"

TCadre_logo::TCadre_logo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Cadre_logo"));
    setWindowTitle(QStringLiteral("Logo mouse driver"));
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setAutoFillBackground(true);
    resize(320, 240);
}

TForm_HD15_PIN_ASSIGNEMENT::TForm_HD15_PIN_ASSIGNEMENT(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form_HD15_PIN_ASSIGNEMENT"));
    setWindowTitle(QStringLiteral("HD15 PIN ASSIGNMENT (INPUT #1 to #4)"));
    setFixedSize(566, 359);
}
