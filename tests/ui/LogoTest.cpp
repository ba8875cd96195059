#include "ScriptedDialogs.h"
#include "WindowDoubles.h"

#include "artwork/LogoArt.h"
#include "ui/logo.h"

#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace zolvera::ui {
namespace {

TEST(Logo, GreyBackgroundIsSeeThroughAndTheArtworkIsNot) {
    const QImage art = paintLogoArt();
    ASSERT_EQ(art.size(), QSize(400, 240));
    test::ScriptedDialogs dialogs;
    test::WindowDoubles doubles;
    Tfrm_Logo logo(nullptr, doubles.contextWith(dialogs));
    EXPECT_EQ(logo.size(), QSize(400, 240));
    EXPECT_TRUE(logo.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(logo.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    int keyPixels = 0;
    int drawnPixels = 0;
    const QRegion visible = logo.mask();
    for (int y = 0; y < art.height(); y += 3) {
        for (int x = 0; x < art.width(); x += 3) {
            const bool key = art.pixel(x, y) == kLogoKeyColour;
            (key ? keyPixels : drawnPixels)++;
            ASSERT_EQ(visible.contains(QPoint(x, y)), !key) << x << "," << y;
        }
    }
    // A collage with gaps: some background shows, most of the area is pictures and lettering.
    EXPECT_GT(keyPixels, 0);
    EXPECT_GT(drawnPixels, keyPixels);
}

TEST(Logo, ClosesAndGoesAwayWhenItsTimerFires) {
    test::ScriptedDialogs dialogs;
    test::WindowDoubles doubles;
    QPointer<Tfrm_Logo> logo = new Tfrm_Logo(nullptr, doubles.contextWith(dialogs));
    logo->show();
    EXPECT_TRUE(logo->Timer1->isActive());

    QMetaObject::invokeMethod(logo->Timer1, "timeout");
    EXPECT_TRUE(QTest::qWaitFor([&] { return logo.isNull(); }, 1000));
}

} // namespace
} // namespace zolvera::ui
