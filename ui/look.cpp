#include "look.h"

#include <QApplication>
#include <QFont>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QWidget>

namespace {

constexpr QPalette::ColorRole TextRoles[] = {QPalette::WindowText, QPalette::ButtonText, QPalette::Text};

}  // namespace

namespace {

// A standard icon that reads its pictures when first drawn or measured:
// the style's icons are several picture files each, and most of them
// belong to windows that are not shown at start.
class LazyStandardIcon : public QIconEngine {
public:
    LazyStandardIcon(QStyle* style, QStyle::StandardPixmap which) : style_(style), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return scale == 1.0 ? icon().pixmap(size, mode, state) : icon().pixmap(size / scale, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return QStringLiteral("LazyStandardIcon"); }
    QIconEngine* clone() const override
    {
        auto* copy = new LazyStandardIcon(style_, which_);
        copy->icon_ = icon_;
        copy->loaded_ = loaded_;
        return copy;
    }

private:
    QIcon& icon()
    {
        if (!loaded_) {
            loaded_ = true;
            if (style_) icon_ = style_->standardIcon(which_);
        }
        return icon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    QIcon icon_;
    bool loaded_ = false;
};

// Fusion, whose standard icons are read when first used and shared: every
// request for the same icon gets the one icon.
class PanelStyle : public QProxyStyle {
public:
    PanelStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        // An option can ask for a variant of the icon: that one as asked.
        if (option) return QProxyStyle::standardIcon(which, option, widget);
        auto it = icons_.find(which);
        if (it == icons_.end()) it = icons_.insert(which, QIcon(new LazyStandardIcon(baseStyle(), which)));
        return *it;
    }

private:
    mutable QHash<int, QIcon> icons_;
};

}  // namespace

QStyle* createPanelStyle() { return new PanelStyle; }

void applyLook(QApplication& app)
{
    app.setStyle(createPanelStyle());
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
