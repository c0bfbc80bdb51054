#pragma once
// The model layout: the model table and the window fitted to the model the
// device reports (which pages, controls and menu items exist, where some of
// them sit, a few texts, the About picture and the HD15 window's caption).
//
// Which controls each model shows is data keyed by the controls' object
// names (model_layout.cpp); a name the window does not hold is skipped.

#include "families.h"

#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

class QEvent;
class QObject;
class QWidget;
class TZEPH350_main;

class ModelLayoutController : public FamilyController {
public:
    explicit ModelLayoutController(TZEPH350_main& w);

    // One row of the model table. `aboutPicture` -1: the About box keeps
    // its picture.
    struct Model {
        uint32_t dev;
        const char* name;
        int aboutPicture;
        const char* hd15Caption;
    };
    // The row of `dev`; every code without a row of its own (24 and 0
    // included) gets the "any other" row, whose `dev` is 0.
    static const Model& model(uint32_t dev);

    // Fits the window to `model`; nothing at all when `model` is the model
    // laid out last.
    void visible_or_not_visible(uint32_t model);
    // Lays the remembered model out again because a value the layout
    // depends on changed (the test pattern OPAT, the identifier VERI):
    // remember the model, clear Last_model, lay it out.
    void relayout();

    void ZEPH350_d1DEVchange(TZEPH350_d* Sender, int nroZeph);

    // How the table finds a control.
    enum class Kind {
        Widget,       // a widget, by object name
        Action,       // a menu item (a sub-menu by its menu's name)
        Page,         // a tab of the page control, by its page's object name
        PatternHint,  // the test-pattern group's hint and "Position && Size" popup
    };
    struct Named {
        Kind kind;
        QString name;
    };
    // Every control the table of shown controls names.
    static std::vector<Named> tableNames();
    // The control `n` names in this window; null when there is none.
    QObject* find(const Named& n) const;
    // Finds every control of the table once all the families have built
    // theirs; throws std::logic_error for a name that names nothing, so
    // that no model lays out with a control silently left as it was.
    void attachControls();

    // Geometry of the top panel and the band below it.
    static constexpr int PanelHeight = 44;  // input buttons, "Black", "Freeze"
    static constexpr int Band = 63;         // the logo assignment rows of 21 and 23
    // Whether the input buttons show their hints.
    bool inputHintsShown() const { return inputHints_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyShownControls(int column);
    void showTabs(const std::vector<std::pair<QWidget*, bool>>& tabs);
    void applyTexts(uint32_t model);
    void applyPositions(uint32_t model);
    void setPanelHeight(int height);
    void rebuildCaption();

    TZEPH350_main& w_;
    // The table's controls, row by row (attachControls).
    std::vector<std::vector<QObject*>> controls_;
    bool inputHints_ = true;
};
