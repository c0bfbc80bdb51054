#include "shown_pages.h"

#include <QKeySequence>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>

void setPageShown(QTabWidget* pages, QWidget* page, bool shown)
{
    const int index = pages->indexOf(page);
    if (index < 0) return;
    // Disabled first: a page in view that goes is left for the next page
    // that is both shown and enabled.
    pages->tabBar()->setTabEnabled(index, shown);
    pages->setTabVisible(index, shown);
}

void ctrlTabChangesPage(QTabWidget* pages)
{
    for (const int step : {1, -1}) {
        const QKeySequence keys = step > 0 ? QKeySequence(Qt::CTRL | Qt::Key_Tab)
                                           : QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab);
        auto* shortcut = new QShortcut(keys, pages, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        QObject::connect(shortcut, &QShortcut::activated, pages, [pages, step] {
            // Round the pages, as the page control does, to the next one
            // shown.
            const int n = pages->count();
            int page = pages->currentIndex();
            for (int pass = 1; pass < n; ++pass) {
                page = (page + step + n) % n;
                if (pages->isTabVisible(page) && pages->isTabEnabled(page)) {
                    pages->setCurrentIndex(page);
                    return;
                }
            }
        });
    }
}
