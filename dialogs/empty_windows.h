#pragma once
// The service console and the stand-by message dialog: created at start-up
// with their names and captions; their contents come with their own
// controllers.

#include <QDialog>

class TForm_debug : public QDialog {
public:
    explicit TForm_debug(QWidget* parent = nullptr);
};

class TForm_register_code_standby_projector : public QDialog {
public:
    explicit TForm_register_code_standby_projector(QWidget* parent = nullptr);
};
