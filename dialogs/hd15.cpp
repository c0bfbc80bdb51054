#include "hd15.h"

#include "escape_key.h"
#include "gfx_technicalline.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>

namespace {

// Row 0 is the header; an empty text leaves the cell empty.
const char* const GridTexts[TForm_HD15_PIN_ASSIGNEMENT::RowCount][TForm_HD15_PIN_ASSIGNEMENT::ColCount] = {
    {"PIN#", "Computer(RGBHV...)", "RGB/S video", "COMPONENT(YUV)", "S.VIDEO(Y/C)", "COMPOSITE"},
    {"1", "RED", "RED", "U or Pr(R-Y)", "C(chrominance)", ""},
    {"2", "GREEN", "GREEN", "Y", "Y(luminance)", "NTSC, PAL..."},
    {"3", "BLUE", "BLUE", "V or Pb(B-Y)", "", ""},
    {"4", "", "", "", "", ""},
    {"5", "", "", "", "", ""},
    {"6", "RED return", "RED return", "U return", "C return", ""},
    {"7", "GREEN return", "GREEN return", "Y return", "Y return", "return"},
    {"8", "BLUE return", "BLUE return", "V return", "", ""},
    {"9", "", "", "", "", ""},
    {"10", "GND", "GND", "", "", ""},
    {"11", "", "", "", "", ""},
    {"12", "", "", "", "", ""},
    {"13", "H sync. or C sync.", "C sync. (S)", "", "", ""},
    {"14", "V sync.", "", "", "", ""},
    {"15", "", "", "", "", ""},
};

constexpr int ColumnWidths[TForm_HD15_PIN_ASSIGNEMENT::ColCount] = {37, 104, 104, 104, 104, 104};
constexpr int RowHeight = 16;
const QRect ImageRect(192, 0, 153, 81);
const QSize MarkerSize(25, 29);
constexpr int MarkerDot = 7;

// The female connector's face: a flange with its two screw holes around the
// D-shaped shell, and a hole under the centre of the marker's dot for each
// pin.
QPixmap connectorFace()
{
    QPixmap pix(ImageRect.size());
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(QColor(176, 176, 184));
    p.drawRoundedRect(QRectF(6, 12, 141, 57), 4, 4);
    p.setBrush(QColor(40, 40, 40));
    for (qreal x : {22.0, 131.0}) p.drawEllipse(QPointF(x, 40.5), 6, 6);
    p.setBrush(QColor(120, 120, 128));
    p.drawPolygon(QPolygonF({QPointF(49, 22), QPointF(112, 22), QPointF(104, 60), QPointF(57, 60)}));
    p.setBrush(QColor(30, 30, 30));
    p.drawPolygon(QPolygonF({QPointF(53, 26), QPointF(108, 26), QPointF(101, 56), QPointF(60, 56)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 170, 60));
    const QPointF dot(MarkerSize.width() - 1 - MarkerDot / 2.0, 1 + MarkerDot / 2.0);
    for (const QPoint& m : TForm_HD15_PIN_ASSIGNEMENT::PinMarkers)
        p.drawEllipse(QPointF(m) + dot - QPointF(ImageRect.topLeft()), 2.2, 2.2);
    return pix;
}

}  // namespace

const std::array<QPoint, TForm_HD15_PIN_ASSIGNEMENT::PinCount> TForm_HD15_PIN_ASSIGNEMENT::PinMarkers = {{
    {267, 29}, {258, 29}, {250, 29}, {242, 29}, {233, 29},
    {271, 36}, {263, 36}, {255, 36}, {246, 36}, {238, 36},
    {267, 44}, {259, 44}, {250, 44}, {242, 44}, {234, 44},
}};

TForm_HD15_PIN_ASSIGNEMENT::TForm_HD15_PIN_ASSIGNEMENT(QWidget* parent)
    : LazyDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                             Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form_HD15_PIN_ASSIGNEMENT"));
    setWindowTitle(QStringLiteral("HD15 PIN ASSIGNMENT (INPUT #1 to #4)"));
    setFixedSize(566, 359);
    // The content waits for ensureContent(): a table with its headers, a
    // drawn picture and a font of its own are a good part of the panel's
    // start, for a window seldom opened.
}

void TForm_HD15_PIN_ASSIGNEMENT::buildContent()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(ImageRect);
    Image1->setScaledContents(true);
    Image1->setPixmap(connectorFace());

    Label1 = new QLabel(QStringLiteral("HD15 Female\nConnector"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(ImageRect.right() + 12, 24, 90, 32);

    StringGrid1 = new QTableWidget(PinCount, ColCount, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(0, 84, 566, 275);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setMinimumSectionSize(RowHeight);
    StringGrid1->verticalHeader()->setDefaultSectionSize(RowHeight);
    StringGrid1->horizontalHeader()->setFixedHeight(RowHeight);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->horizontalHeader()->setHighlightSections(false);
    for (int c = 0; c < ColCount; ++c) StringGrid1->setColumnWidth(c, ColumnWidths[c]);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The whole table fits: no scroll bars, and a type small enough for
    // the longest texts in their columns.
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont small = StringGrid1->font();
    small.setPixelSize(10);
    StringGrid1->setFont(small);
    StringGrid1->horizontalHeader()->setFont(small);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);

    // Over the picture, hidden until a pin is chosen: only the red dot in
    // its top right corner shows.
    GfxTechnicalLine1 = new TGfxTechnicalLine(this);
    GfxTechnicalLine1->setObjectName(QStringLiteral("GfxTechnicalLine1"));
    GfxTechnicalLine1->resize(MarkerSize);
    GfxTechnicalLine1->SetLineType(lsTopLeftEdge);
    GfxTechnicalLine1->LineSettings().SetStyle(psClear);
    GfxTechnicalLine1->SetLineStartSign(leNothing);
    GfxTechnicalLine1->SetLineEndingsign(leCircle);
    GfxTechnicalLine1->SetSignPlaces(spEnd);
    GfxTechnicalLine1->SetSignSize(MarkerDot);
    GfxTechnicalLine1->SetFillColor(clRed);
    GfxTechnicalLine1->hide();
    GfxTechnicalLine1->raise();

    FormCreate();
    // The grid's rows are pins 1 to 15: the header row is not a row of the
    // view, so it cannot be selected.
    connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this](int row, int col) {
        if (row < 0) return;
        bool canSelect = true;
        StringGrid1SelectCell(StringGrid1, col, row + 1, canSelect);
    });
}

void TForm_HD15_PIN_ASSIGNEMENT::FormCreate()
{
    for (int r = 0; r < RowCount; ++r) {
        for (int c = 0; c < ColCount; ++c) {
            auto* item = new QTableWidgetItem(QString::fromLatin1(GridTexts[r][c]));
            if (r == 0)
                StringGrid1->setHorizontalHeaderItem(c, item);
            else
                StringGrid1->setItem(r - 1, c, item);
        }
    }
}

void TForm_HD15_PIN_ASSIGNEMENT::StringGrid1SelectCell(QObject*, int, int ARow, bool& CanSelect)
{
    ensureContent();
    CanSelect = true;
    if (ARow < 1 || ARow > PinCount) return;
    GfxTechnicalLine1->move(PinMarkers[size_t(ARow - 1)]);
    GfxTechnicalLine1->show();
}

QString TForm_HD15_PIN_ASSIGNEMENT::Cells(int ACol, int ARow)
{
    ensureContent();
    if (ACol < 0 || ACol >= ColCount || ARow < 0 || ARow >= RowCount) return {};
    const QTableWidgetItem* item =
        ARow == 0 ? StringGrid1->horizontalHeaderItem(ACol) : StringGrid1->item(ARow - 1, ACol);
    return item ? item->text() : QString();
}

void TForm_HD15_PIN_ASSIGNEMENT::keyPressEvent(QKeyEvent* event)
{
    if (holdEscape(event)) return;
    QDialog::keyPressEvent(event);
}
