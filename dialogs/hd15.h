#pragma once
// TForm_HD15_PIN_ASSIGNEMENT: the signal on each pin of the 15-pin input
// connector for each kind of source, and a marker on the chosen pin over a
// picture of the connector's face.
//
// The window exists from the program's start with its name, title and
// size, but the operator rarely opens it: its content (picture, grid,
// marker) is built when it is first shown or first asked for.

#include "lazy_dialog.h"

#include <QPoint>

#include <array>

class QLabel;
class QTableWidget;
class TGfxTechnicalLine;

class TForm_HD15_PIN_ASSIGNEMENT : public LazyDialog {
public:
    explicit TForm_HD15_PIN_ASSIGNEMENT(QWidget* parent = nullptr);

    static constexpr int PinCount = 15;
    static constexpr int ColCount = 6;
    static constexpr int RowCount = PinCount + 1;  // the header row, then pins 1 to 15
    // Where the marker's left and top edges go for pin n (entry n - 1), in
    // window pixels. The five pins of a connector row lie on one line, pin 1
    // on the right as the face of a female connector is seen.
    static const std::array<QPoint, PinCount> PinMarkers;

    // Shows the marker on pin ARow (1 to 15); the column does not matter
    // and the cell may always be selected.
    void StringGrid1SelectCell(QObject* Sender, int ACol, int ARow, bool& CanSelect);
    // The grid as it is numbered: row 0 is the header, row n pin n.
    QString Cells(int ACol, int ARow);

    // Null until the content is built.
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    TGfxTechnicalLine* GfxTechnicalLine1 = nullptr;
    QTableWidget* StringGrid1 = nullptr;

protected:
    // No button closes this window: Escape does not either.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildContent() override;

    // Fills the grid's cells, row by row.
    void FormCreate();
};
