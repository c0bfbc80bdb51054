#include "look.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

void applyLook(QApplication& app)
{
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    app.setFont(font);
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
    app.setPalette(p);
}

QFont fixedFont()
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(11);
    return font;
}
