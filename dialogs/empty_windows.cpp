#include "empty_windows.h"

TForm_debug::TForm_debug(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_debug"));
    setWindowTitle(QStringLiteral("DEBUG ZEPH3502"));
    resize(640, 480);
}

TForm_register_code_standby_projector::TForm_register_code_standby_projector(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_register_code_standby_projector"));
    setWindowTitle(QStringLiteral("Register code stand-by projector"));
    resize(785, 300);
}
