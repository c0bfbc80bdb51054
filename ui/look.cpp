#include "look.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>

namespace {

constexpr QPalette::ColorRole TextRoles[] = {QPalette::WindowText, QPalette::ButtonText, QPalette::Text};

}  // namespace

void applyLook(QApplication& app)
{
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    app.setFont(font);
    app.setPalette(classicPalette());
}

QPalette classicPalette()
{
    // Every colour for all three groups, then the disabled texts grey.
    QPalette p;
    p.setColor(QPalette::Window, classic::ButtonFace);
    p.setColor(QPalette::Button, classic::ButtonFace);
    p.setColor(QPalette::Base, classic::Window);
    p.setColor(QPalette::WindowText, classic::WindowText);
    p.setColor(QPalette::ButtonText, classic::WindowText);
    p.setColor(QPalette::Text, classic::WindowText);
    p.setColor(QPalette::Highlight, classic::Highlight);
    p.setColor(QPalette::HighlightedText, classic::HighlightText);
    p.setColor(QPalette::Light, classic::ButtonHighlight);
    p.setColor(QPalette::Dark, classic::ButtonShadow);
    p.setColor(QPalette::Shadow, classic::Black);
    for (QPalette::ColorRole role : TextRoles) p.setColor(QPalette::Disabled, role, classic::GrayText);
    p.setColor(QPalette::Disabled, QPalette::HighlightedText, classic::GrayText);
    return p;
}

void setTextColour(QWidget* w, QPalette::ColorRole role, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Active, role, colour);
    p.setColor(QPalette::Inactive, role, colour);
    p.setColor(QPalette::Disabled, role, classic::GrayText);
    w->setPalette(p);
}

QFont fixedFont()
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(11);
    return font;
}
