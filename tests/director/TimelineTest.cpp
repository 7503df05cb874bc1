// The show's length, worked out from its named numbers without drawing, against the one derived
// here from the bare figures; pure arithmetic, so it runs on every system, the browser's included.
#include <gtest/gtest.h>

#include "director/Timeline.h"
#include "tests/director/DerivedTimeline.h"

TEST(DerivedTimeline, MatchesTheShowsDesignLengths) {
    derived::Timeline t = derived::deriveTimeline();
    EXPECT_EQ(t.countdown, 239);
    EXPECT_NEAR(t.departure, 1088, 3);
    EXPECT_EQ(t.flyAround, 1250);
    EXPECT_NEAR(t.gaze, 180, 2);
    EXPECT_NEAR(t.approach, 600, 2);
    EXPECT_NEAR(t.finale, 953, 5);
}

// The timeline the capture tool counts on, worked out from the show's named numbers, against the
// one derived here from the bare figures.
TEST(DerivedTimeline, AgreesWithTheShowsOwnTimelineSceneByScene) {
    const derived::Timeline t = derived::deriveTimeline();
    const ShowTimeline show = showTimeline();
    EXPECT_EQ(show.countdown, t.countdown);
    EXPECT_EQ(show.departure, t.departure);
    EXPECT_EQ(show.flyAround, t.flyAround);
    EXPECT_EQ(show.gaze, t.gaze);
    EXPECT_EQ(show.approach, t.approach);
    EXPECT_EQ(show.finale, t.finale);
    EXPECT_EQ(show.total(),
              t.countdown + t.departure + t.flyAround + t.gaze + t.approach + t.finale);
}
