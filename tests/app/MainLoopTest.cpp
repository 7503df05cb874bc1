// The main loop in a scripted world: a clock that moves only when the loop waits or a frame takes
// time to draw, a demo whose frames cost what the test says, and a record of every frame shown or
// stepped unseen. On time, every frame is shown at its due time; late by k frames, k frames are
// stepped unseen, then it is on time again; minimised, nothing is drawn and the picture catches up
// on return; paused (a hidden page), nothing is stepped and nothing needs catching up; waiting for
// a clock that stands still, nothing is drawn early. Also the loop's three ways out.
#include <gtest/gtest.h>

#include <vector>

#include "app/GLWindow.h"
#include "app/mainLoop.h"
#include "platform/Keys.h"
#include "platform/Window.h"

namespace {

constexpr double period = 40.0;

// What happened, in the order it happened.
struct Step {
    double at;  // the clock when the frame's drawing began
    bool unseen;
};
std::vector<Step> steps;            // every drawFrame call
std::vector<double> presentations;  // the clock at every swap
std::vector<std::pair<long, bool>> framesDone;

// The scripted world.
double clockNow = 0.0;
bool clockPaused = false;       // a hidden page: the show clock stands still
bool drawingBeforeWait = true;  // natively: draw, wait, swap
bool unseenNow = false;
long holdFrame = -1;
int framesLeft = 1000;          // the show ends after this many drawFrame calls
int blankFramesBeforeShow = 0;  // frames cleared while the show waits for its music
double drawCost = 0.0;          // what each drawFrame costs, in milliseconds
double stallAtWait = 0.0;       // a wait that returns this much late: the machine was busy
int stallingWait = -1;          // which wait (counted from 1) does
// Called at every wait with the number of waits so far; may post messages or pause the clock.
void (*onWait)(int waits) = nullptr;
int waits = 0;

double scriptedNow() {
    return clockNow;
}

void scriptedWait(double deadline) {
    ++waits;
    if (onWait != nullptr) onWait(waits);
    if (!clockPaused && deadline > clockNow) clockNow = deadline;
    if (waits == stallingWait) clockNow += stallAtWait;
}

const LoopServices scripted = {
    scriptedNow,
    scriptedWait,
    [] { presentations.push_back(clockNow); },
    [] { return !drawingBeforeWait; },
    [](bool unseen) { unseenNow = unseen; },
    [] { return holdFrame; },
    [](long frame, bool shown) { framesDone.emplace_back(frame, shown); },
};

int drawCalls = 0;

const DemoEntryPoints scriptedDemo{
    [](void*) { return true; },
    [](void*) {
        steps.push_back({clockNow, unseenNow});
        clockNow += drawCost;
        return ++drawCalls < framesLeft;
    },
    [](void*) {},
    [](void*) { return drawCalls >= blankFramesBeforeShow; },
};

// Everything back to a quiet start: the clock at 1 s, frames costing nothing, the window active.
void resetWorld() {
    steps.clear();
    presentations.clear();
    framesDone.clear();
    clockNow = 1000.0;
    clockPaused = false;
    drawingBeforeWait = true;
    unseenNow = false;
    holdFrame = -1;
    framesLeft = 1000;
    blankFramesBeforeShow = 0;
    drawCost = 0.0;
    stallAtWait = 0.0;
    stallingWait = -1;
    onWait = nullptr;
    waits = 0;
    drawCalls = 0;
    for (bool& key : keys) key = false;
    active = true;
    platform::Message drained;
    while (platform::peekMessage(&drained)) {
    }
}

struct MainLoop : testing::Test {
    void SetUp() override {
        saved = loopServices;
        loopServices = scripted;
        resetWorld();
    }
    void TearDown() override {
        loopServices = saved;
        active = true;
    }
    LoopServices saved;
};

// The frames shown, as their due times relative to the first: 0, 40, 80, ...
std::vector<double> shownAt(double start) {
    std::vector<double> times;
    for (double at : presentations) times.push_back(at - start);
    return times;
}

std::vector<double> everyPeriod(int from, int count) {
    std::vector<double> times;
    for (int n = from; n < from + count; ++n) times.push_back(period * n);
    return times;
}

int unseenSteps() {
    int count = 0;
    for (const Step& step : steps) count += step.unseen ? 1 : 0;
    return count;
}

}  // namespace

TEST_F(MainLoop, OnTimeEveryFrameIsShownAtItsDueTimeInEitherOrder) {
    for (bool beforeWait : {true, false}) {
        resetWorld();
        drawingBeforeWait = beforeWait;
        drawCost = 5.0;
        framesLeft = 11;  // ten frames shown; the eleventh ends the show and is not shown
        EXPECT_EQ(runMainLoop(scriptedDemo), 0u);
        // Drawn first, a frame is swapped at its due time (the first one as soon as it is drawn,
        // the clock having started with it); drawn after the wait, a frame is swapped once drawn.
        std::vector<double> expected = everyPeriod(0, 10);
        if (!beforeWait)
            for (double& at : expected) at += 5.0;
        else
            expected[0] = 5.0;
        EXPECT_EQ(shownAt(1000.0), expected) << (beforeWait ? "draw, wait, swap" : "wait, draw");
        EXPECT_EQ(unseenSteps(), 0);
        ASSERT_EQ(framesDone.size(), 10u);
        for (long n = 0; n < 10; ++n) EXPECT_EQ(framesDone[n], std::make_pair(n, true));
    }
}

// A stall while waiting to show frame 3 (the machine busy elsewhere) leaves the loop late, by a
// frame and a bit more, plus k whole frames. Drawn before the wait, frame 3 is shown late and the k
// frames after it are stepped unseen; waiting first, frame 3 is not drawn yet and is stepped unseen
// as well. Either way the frames after them are shown at their own due times, none of the delay
// carried on.
TEST_F(MainLoop, LateByKFramesStepsKUnseenThenIsOnTimeAgain) {
    for (bool beforeWait : {true, false}) {
        for (int k : {0, 1, 2, 7}) {
            resetWorld();
            drawingBeforeWait = beforeWait;
            stallingWait = beforeWait ? 4 : 3;  // the wait for frame 3 (frame 0 needs none first)
            stallAtWait = period * (k + 1) + 5.0;
            framesLeft = 21;
            runMainLoop(scriptedDemo);
            const std::string what = std::string(beforeWait ? "draw first" : "wait first") +
                                     ", late by " + std::to_string(k);
            const long firstUnseen = beforeWait ? 4 : 3;
            const long unseenCount = beforeWait ? k : k + 1;
            EXPECT_EQ(unseenSteps(), unseenCount) << what;
            EXPECT_EQ(steps.size(), 21u) << "every frame's step runs, shown or not; " << what;
            ASSERT_EQ(framesDone.size(), 20u) << what;
            for (long n = 0; n < 20; ++n) {
                const bool unseen = n >= firstUnseen && n < firstUnseen + unseenCount;
                EXPECT_EQ(framesDone[n], std::make_pair(n, !unseen)) << what << ", frame " << n;
            }
            // The first frame shown after the stall comes late; frames 12 to 19 on time.
            const std::vector<double> shown = shownAt(1000.0);
            ASSERT_EQ(shown.size(), 20u - unseenCount) << what;
            EXPECT_EQ(std::vector<double>(shown.end() - 8, shown.end()), everyPeriod(12, 8))
                << what;
        }
    }
}

TEST_F(MainLoop, AFrameToHoldIsNeverSteppedUnseen) {
    stallingWait = 4;
    stallAtWait = period * 6 + 5.0;
    holdFrame = 6;
    framesLeft = 12;
    runMainLoop(scriptedDemo);
    ASSERT_GE(framesDone.size(), 8u);
    EXPECT_EQ(framesDone[4], std::make_pair(4L, false));
    EXPECT_EQ(framesDone[5], std::make_pair(5L, false));
    EXPECT_EQ(framesDone[6], std::make_pair(6L, true));
    EXPECT_EQ(framesDone[7], std::make_pair(7L, false)) << "the frames after it are still late";
}

TEST_F(MainLoop, AHeldFrameIsTheLastDrawnAndSaidSoWhileTheLoopWaitsForEscape) {
    stallingWait = 2;  // late enough for frame 2 to be stepped unseen, were it not to be held
    stallAtWait = period * 3;
    onWait = [](int count) {
        if (count == 20) keys[platform::vkEscape] = true;
    };
    testing::internal::CaptureStdout();
    EXPECT_EQ(runMainLoop(scriptedDemo, 2), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "orbek42: holding frame 2\n");
    EXPECT_EQ(steps.size(), 3u) << "frames 0, 1 and 2, none after";
    EXPECT_EQ(framesDone.back(), std::make_pair(2L, true));
    EXPECT_EQ(waits, 20) << "still waiting between looks at the keys while held";
}

TEST_F(MainLoop, TheShowClockStartsWithTheShowNotWithTheClearedFramesBeforeIt) {
    blankFramesBeforeShow = 3;
    framesLeft = 8;
    runMainLoop(scriptedDemo);
    // Three cleared frames at the show's pace, then frame 0 of the show at once and the rest on
    // its own clock.
    const std::vector<double> shown = shownAt(1000.0);
    ASSERT_EQ(shown.size(), 7u);
    EXPECT_EQ(std::vector<double>(shown.begin(), shown.begin() + 3), everyPeriod(0, 3));
    const double t0 = steps[3].at;
    for (std::size_t n = 3; n < shown.size(); ++n)
        EXPECT_EQ(shown[n] + 1000.0, t0 + period * (n - 3)) << n;
    ASSERT_EQ(framesDone.size(), 4u);
    EXPECT_EQ(framesDone.front(), std::make_pair(0L, true));
}

namespace {

platform::WindowHandle shellWindow = nullptr;

// Minimised after frame 4's wait, restored 30 waits later.
void minimiseForThirtyWaits(int count) {
    if (count == 5)
        platform::postMessage(shellWindow, platform::msgActivate,
                              platform::waInactive | platform::activateMinimised, 0);
    if (count == 35)
        platform::postMessage(shellWindow, platform::msgActivate, platform::waActive, 0);
}

// Hidden the same way, the show clock standing still meanwhile.
void hideForThirtyWaits(int count) {
    minimiseForThirtyWaits(count);
    if (count == 5) clockPaused = true;
    if (count == 35) clockPaused = false;
}

struct WithShellWindow : MainLoop {
    void SetUp() override {
        MainLoop::SetUp();
        ASSERT_TRUE(
            platform::registerWindowClass("loop-test", windowProc, platform::getModuleHandle()));
        shellWindow = platform::createMessageWindow("loop-test", "", platform::getModuleHandle());
        ASSERT_NE(shellWindow, nullptr);
    }
    void TearDown() override {
        platform::destroyWindow(shellWindow);
        platform::unregisterWindowClass("loop-test", platform::getModuleHandle());
        MainLoop::TearDown();
    }
};

}  // namespace

TEST_F(WithShellWindow, MinimisedNothingIsDrawnAndOnReturnThePictureCatchesUp) {
    onWait = minimiseForThirtyWaits;
    framesLeft = 60;
    runMainLoop(scriptedDemo);
    // The clock ran on through about 30 periods with nothing drawn; then the frames those periods
    // were due for were stepped unseen, and the next frame was shown at its own due time.
    const int caughtUp = unseenSteps();
    EXPECT_GE(caughtUp, 28);
    EXPECT_LE(caughtUp, 31);
    std::size_t firstUnseen = 0;
    while (firstUnseen < steps.size() && !steps[firstUnseen].unseen) ++firstUnseen;
    ASSERT_LT(firstUnseen, steps.size());
    for (std::size_t n = firstUnseen; n < firstUnseen + caughtUp; ++n) EXPECT_TRUE(steps[n].unseen);
    const long shownAfter = static_cast<long>(firstUnseen + caughtUp);
    for (const auto& [frame, shown] : framesDone)
        if (frame >= shownAfter) {
            EXPECT_TRUE(shown) << frame;
        }
    const double last = presentations.back() - 1000.0;
    EXPECT_EQ(last, period * (framesDone.back().first));
}

TEST_F(WithShellWindow, HiddenWithTheClockPausedNothingIsSteppedAndNothingIsLate) {
    onWait = hideForThirtyWaits;
    framesLeft = 40;
    runMainLoop(scriptedDemo);
    EXPECT_EQ(unseenSteps(), 0);
    EXPECT_EQ(steps.size(), 40u) << "no frame stepped while hidden";
    // Shown frames keep their due times on the paused clock: 40 ms apart, the last one included.
    const std::vector<double> shown = shownAt(1000.0);
    EXPECT_EQ(shown.back(), period * 38);
}

// The page's clock stands still while its sound waits for the output to start again, the page
// shown and active meanwhile: where the wait comes before the drawing, no frame is drawn before
// the clock reaches its due time, however often the wait returns; the loop keeps looking at its
// messages meanwhile, so Escape still ends it.
TEST_F(WithShellWindow, WaitingFirstNoFrameIsDrawnBeforeAClockThatStoodStillReachesIt) {
    drawingBeforeWait = false;
    onWait = [](int count) { clockPaused = count >= 5 && count < 35; };
    framesLeft = 12;
    runMainLoop(scriptedDemo);
    EXPECT_EQ(shownAt(1000.0), everyPeriod(0, 11));
    EXPECT_EQ(unseenSteps(), 0);
    EXPECT_GE(waits, 40) << "thirty waits that found the clock where it was";

    resetWorld();
    drawingBeforeWait = false;
    onWait = [](int count) {
        clockPaused = count >= 5;
        if (count == 20)
            platform::postMessage(shellWindow, platform::msgKeyDown, platform::vkEscape, 0);
    };
    runMainLoop(scriptedDemo);
    EXPECT_EQ(steps.size(), 5u) << "frames 0 to 4; Escape came while frame 5 waited";
    EXPECT_EQ(presentations.size(), 5u);
}

TEST_F(MainLoop, EndsWhenTheShowEndsWithoutPresentingTheLastFrame) {
    framesLeft = 3;
    EXPECT_EQ(runMainLoop(scriptedDemo), 0u);
    EXPECT_EQ(steps.size(), 3u);
    EXPECT_EQ(presentations.size(), 2u);
}

TEST_F(MainLoop, EndsOnAQuitMessageWithItsCodeAfterDispatchingEverythingBefore) {
    platform::postMessage(nullptr, platform::msgUser, 0, 0);
    platform::postQuitMessage(5);
    EXPECT_EQ(runMainLoop(scriptedDemo), 5u);
    EXPECT_TRUE(steps.empty());  // the backlog is drained before any frame
}

TEST_F(WithShellWindow, EscapeEndsEvenWhileInactiveButATapSeenOnlyInTheQueueDoesNot) {
    active = false;
    keys[platform::vkEscape] = true;
    EXPECT_EQ(runMainLoop(scriptedDemo), 0u);
    EXPECT_TRUE(steps.empty());

    // A key-down alone reaches the keys through the loop's dispatch and ends the loop after the
    // next frame.
    resetWorld();
    platform::postMessage(shellWindow, platform::msgKeyDown, platform::vkEscape, 0);
    framesLeft = 4;
    runMainLoop(scriptedDemo);
    EXPECT_EQ(steps.size(), 1u);
    EXPECT_TRUE(presentations.empty()) << "the frame that saw Escape is not shown";

    // Down and up both queued before the next frame: both are dispatched before the loop looks at
    // the keys, so the tap is not seen and the demo goes on to its end.
    resetWorld();
    platform::postMessage(shellWindow, platform::msgKeyDown, platform::vkEscape, 0);
    platform::postMessage(shellWindow, platform::msgKeyUp, platform::vkEscape, 0);
    framesLeft = 4;
    runMainLoop(scriptedDemo);
    EXPECT_EQ(steps.size(), 4u);
}
