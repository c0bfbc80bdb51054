#include "lazy_dialog.h"

void LazyDialog::ensureContent()
{
    if (built_) return;
    built_ = true;
    buildContent();
}

void LazyDialog::setVisible(bool visible)
{
    if (visible) ensureContent();
    QDialog::setVisible(visible);
}
