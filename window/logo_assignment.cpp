#include "logo_assignment.h"

#include "inputs_controller.h"
#include "logo_page_layout.h"
#include "logos_controller.h"
#include "look.h"
#include "names.h"
#include "zeph350_main.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>

using namespace logopage;

namespace {

// The assignment lists of inputs 1 to 8: logo layer 0, logo layer 1.
const char* const kAssignmentLists[8][2] = {
    {"new_Combologo1", "LINDEX2_Combologo1"}, {"new_Combologo2", "LINDEX2_Combologo2"},
    {"new_Combologo3", "LINDEX2_Combologo3"}, {"new_Combologo4", "LINDEX2_Combologo4"},
    {"new_Combologo5", "LINDEX2_Combologo5"}, {"new_Combologo6", "LINDEX2_Combologo6"},
    {"new_Combologo7", "LINDEX2_Combologo7"}, {"new_Combologo8", "LINDEX2_Combologo8"},
};



// The colour of a logo list, as the lighting sets it.
void setListColour(QComboBox* c, const QColor& colour)
{
    QPalette p = c->palette();
    p.setColor(QPalette::Button, colour);
    p.setColor(QPalette::Base, colour);
    c->setPalette(p);
}

QColor listColour(const QComboBox* c)
{
    return c->palette().color(QPalette::Button);
}

const QColor MoneyGreen(192, 220, 192);


}  // namespace

LogoAssignmentController::LogoAssignmentController(TZEPH350_main& w)
    : FamilyController(w.ZEPH350_d1, Family::Logos), w_(w)
{
    buildAssignmentPanel();
    buildDisplayButtons();
    ZEPH_ON(OnLINDEXchange, LogoAssignmentController, ZEPH350_d1LINDEXchange);
    ZEPH_ON(OnLPLOGOchange, LogoAssignmentController, ZEPH350_d1LPLOGOchange);
    ZEPH_ON(OnLDYSPLAYchange, LogoAssignmentController, ZEPH350_d1LDYSPLAYchange);
}

LogoAssignmentController::~LogoAssignmentController() = default;

void LogoAssignmentController::buildAssignmentPanel()
{
    // The assignment rows sit in the 63-pixel band below the input buttons,
    // in the top panel: one column per input button, the label on the right.
    new_Panel1 = new QWidget(w_.Panel_ichmp);
    new_Panel1->setObjectName(QStringLiteral("new_Panel1"));
    new_Panel1->setGeometry(0, 44, 788, 63);
    new_Label_nmbr_logos = label(new_Panel1, "new_Label_nmbr_logos",
                                 QStringLiteral("Logo / frame\nassignment:\n\nLogo display"), QRect(666, 0, 118, 63));
    new_Label_nmbr_logos->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (int i = 0; i < 8; ++i) {
        const int left = w_.label_input[size_t(i)]->x();
        for (int layer = 0; layer < 2; ++layer) {
            auto* list = new QComboBox(new_Panel1);
            list->setObjectName(QString::fromLatin1(kAssignmentLists[i][layer]));
            list->setGeometry(left, 2 + layer * 20, 76, 20);
            // The list serves input Tag on logo layer Hint.
            list->setProperty("Tag", i + 1);
            list->setProperty("Hint", QString::number(layer));
            setListColour(list, classic::ButtonFace);
            list->installEventFilter(this);
            connect(list, &QComboBox::activated, this, [this, list] { new_CombologoChange(list); });
            (layer == 0 ? new_Combologo : LINDEX2_Combologo)[size_t(i)] = list;
        }
    }
}

void LogoAssignmentController::buildDisplayButtons()
{
    // The eight ON/OFF buttons below the lists: the inputs family draws
    // them from its cache, this page sends their clicks.
    InputsController& inputs = w_.inputs();
    inputs.buildLogoDisplayButtons(new_Panel1);
    for (QPushButton* b : inputs.BitBtn_Input)
        connect(b, &QPushButton::clicked, this, [this, b] { BitBtn_Input_Click(b); });
}

bool LogoAssignmentController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto* list = qobject_cast<QComboBox*>(watched)) Combologo_Enter_lind(list);
    }
    return FamilyController::eventFilter(watched, event);
}

QList<QComboBox*> LogoAssignmentController::logoLists() const
{
    QList<QComboBox*> lists;
    for (QComboBox* c : new_Combologo) lists << c;
    for (QComboBox* c : LINDEX2_Combologo) lists << c;
    return lists;
}

void LogoAssignmentController::setEnabled(bool enabled)
{
    for (QComboBox* c : logoLists()) c->setEnabled(enabled);
    for (QPushButton* on : w_.inputs().BitBtn_Input) on->setEnabled(enabled);
}

void LogoAssignmentController::showSlot(int slot, const QString& text)
{
    for (QComboBox* c : logoLists()) {
        const QSignalBlocker block(c);
        if (slot < c->count()) c->setItemText(slot, text);
    }
}

// --- the operator ------------------------------------------------------------------

void LogoAssignmentController::new_CombologoChange(QObject* Sender)
{
    auto* list = qobject_cast<QComboBox*>(Sender);
    if (!list || list->currentIndex() < 0) return;
    dev_.SetPCHAN(list->property("Tag").toUInt());
    dev_.SetLINDEX(list->property("Hint").toString().toUInt());
    dev_.SetLPLOGO(uint32_t(list->currentIndex()));
    w_.names().hinthinthint();
}

void LogoAssignmentController::Combologo_Enter_lind(QObject* Sender)
{
    auto* list = qobject_cast<QComboBox*>(Sender);
    if (!list || listColour(list) == classic::ButtonFace) return;  // not the input on the output
    setListColour(list, MoneyGreen);
    dev_.SetLINDEX(list->property("Hint").toString().toUInt());
}

void LogoAssignmentController::BitBtn_Input_Click(QObject* Sender)
{
    const auto& buttons = w_.inputs().BitBtn_Input;
    const auto at = std::find(buttons.begin(), buttons.end(), Sender);
    if (at == buttons.end()) return;
    const uint32_t input = uint32_t(at - buttons.begin()) + 1;
    dev_.SetPCHAN(input);
    dev_.SetLDYSPLAY(w_.state.perInput.LDYSPLAY[input] == 0);
}

// --- device reports ------------------------------------------------------------------

void LogoAssignmentController::ZEPH350_d1LPLOGOchange(TZEPH350_d*, int)
{
    w_.state.perInput.LPLOGO.store(dev_.PCHAN(), dev_.LINDEX(), dev_.LPLOGO());
    w_.inputs().Tableau_input(50);
}

void LogoAssignmentController::ZEPH350_d1LDYSPLAYchange(TZEPH350_d*, int)
{
    w_.state.perInput.LDYSPLAY.store(dev_.PCHAN(), dev_.LDYSPLAY() ? 1 : 0);
    w_.inputs().Tableau_input(51);
}

void LogoAssignmentController::ZEPH350_d1LINDEXchange(TZEPH350_d*, int)
{
    logo_light_ichm_lindex();
}

void LogoAssignmentController::logo_light_ichm_lindex()
{
    for (QComboBox* c : logoLists()) setListColour(c, classic::ButtonFace);
    const uint32_t k = dev_.ICHM();
    if (k >= 1 && k <= 8) {
        QComboBox* layers[2] = {new_Combologo[k - 1], LINDEX2_Combologo[k - 1]};
        for (QComboBox* c : layers) setListColour(c, classic::Window);
        const uint32_t layer = dev_.LINDEX();
        if (layer <= 1) setListColour(layers[layer], MoneyGreen);
    }
    w_.logos().cacheropenclose_cadrelogo();
}

bool LogoAssignmentController::outputInputHasLogo() const
{
    const uint32_t k = dev_.ICHM();
    return k >= 1 && k <= 8 && w_.state.perInput.LPLOGO.at(k, dev_.LINDEX()) > 1;
}
