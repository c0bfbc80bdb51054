#pragma once
// CheckListBox: a list of rows with a check box each. clickCheck() reports
// only the operator's ticks (mouse or space bar); rows ticked by the
// program report nothing.

#include <QListWidget>

class CheckListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CheckListBox(QWidget* parent = nullptr);

    void addRow(const QString& text, bool checked);
    bool checked(int row) const;
    // Sets a row's tick without reporting it.
    void setChecked(int row, bool on);

signals:
    void clickCheck(int row);

protected:
    bool viewportEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    int operatorDepth_ = 0;  // inside an operator's mouse or key event
};
