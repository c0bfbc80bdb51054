// The panel's style: Fusion, with its standard icons read when first used
// and shared.
#include "look.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QStyle>
#include <QStyleFactory>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The icons draw the same pixels as Fusion's own, at every size asked, and
// each is one icon however often and wherever it is asked for.
TEST(Look, StandardIconsAreFusionsSharedByEveryRequest)
{
    const std::unique_ptr<QStyle> panel(createPanelStyle());
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    for (QStyle::StandardPixmap which : {QStyle::SP_DialogOkButton, QStyle::SP_DialogCancelButton,
                                         QStyle::SP_ArrowDown, QStyle::SP_ToolBarHorizontalExtensionButton}) {
        const QIcon first = panel->standardIcon(which);
        const QIcon again = panel->standardIcon(which);
        EXPECT_EQ(first.cacheKey(), again.cacheKey()) << which;
        const QIcon own = fusion->standardIcon(which);
        ASSERT_FALSE(first.isNull()) << which;
        EXPECT_EQ(first.availableSizes(), own.availableSizes()) << which;
        for (int size : {16, 24, 32})
            EXPECT_EQ(first.pixmap(size).toImage(), own.pixmap(size).toImage()) << which << " at " << size;
        EXPECT_EQ(first.actualSize(QSize(64, 64)), own.actualSize(QSize(64, 64))) << which;
    }
    EXPECT_NE(panel->standardIcon(QStyle::SP_DialogOkButton).cacheKey(),
              panel->standardIcon(QStyle::SP_DialogCancelButton).cacheKey());
}

}  // namespace
