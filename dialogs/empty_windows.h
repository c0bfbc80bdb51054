#pragma once
// The logo position window and the HD15
// pin-assignment window: created at start-up with their names and captions;
// their contents come with their own controllers.

#include <QDialog>

class TCadre_logo : public QDialog {
public:
    explicit TCadre_logo(QWidget* parent = nullptr);
};

class TForm_HD15_PIN_ASSIGNEMENT : public QDialog {
public:
    explicit TForm_HD15_PIN_ASSIGNEMENT(QWidget* parent = nullptr);
};
