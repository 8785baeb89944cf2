// The window model against a recording toolkit: loading with parents and modal flags, the
// created event before the first show, queued destruction, modal waits with their disabling
// and re-enabling, ownership, centring, the order in which controls are made, and the end of
// the program when its last window goes.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fakes/fake_window_system.h"
#include "ui/window_model.h"

namespace tessivo::ui {
namespace {

using testing::FakeWindowSystem;
using Journal = std::vector<std::string>;

ControlDefinition Control(std::string name, ControlKind kind, std::string container = {}) {
  ControlDefinition control;
  control.name = std::move(name);
  control.kind = kind;
  control.container = std::move(container);
  return control;
}

ControlDefinition Button(std::string name, std::string container, std::string clickHandler) {
  ControlDefinition button = Control(std::move(name), ControlKind::PushButton, std::move(container));
  button.clickHandler = std::move(clickHandler);
  return button;
}

ControlDefinition Timer(std::string name, int periodMs, std::string tickHandler) {
  ControlDefinition timer = Control(std::move(name), ControlKind::Timer);
  timer.periodMs = periodMs;
  timer.tickHandler = std::move(tickHandler);
  return timer;
}

// Captions are the windows' names, so that the journal names windows as the model does.
WindowDefinition Window(std::string name, Size outerSize, std::string createdHandler = {}) {
  WindowDefinition window;
  window.name = name;
  window.settings.caption = std::move(name);
  window.settings.outerSize = outerSize;
  window.settings.createdHandler = std::move(createdHandler);
  return window;
}

// The start window, with a member of its group box listed before the box, as real layouts do.
WindowDefinition MainWindow() {
  WindowDefinition main = Window("MainWindow", {347, 161}, "MainCreated");
  main.controls = {
      Control("超级链接框3", ControlKind::LinkLabel),
      Control("标签3", ControlKind::Label, "分组框1"),
      Control("分组框1", ControlKind::GroupBox),
      Control("标签8", ControlKind::Label, "分组框1"),
      Button("同步按钮", "分组框1", "SyncClicked"),
      Timer("时钟1", 999, "ClockTick"),
  };
  return main;
}

// Loaded modally with the main window as parent.
WindowDefinition RecommendWindow() {
  WindowDefinition recommend = Window("RecommendWindow", {300, 150}, "RecommendCreated");
  recommend.settings.taskbarButton = false;
  recommend.controls = {Button("按钮2", {}, "RecommendClose"), Control("单选框1", ControlKind::RadioButton)};
  return recommend;
}

// Loaded non-modally with the main window as parent, and reused while open.
WindowDefinition SyncResultWindow() {
  WindowDefinition result = Window("SyncResultWindow", {298, 143}, "ResultCreated");
  result.settings.taskbarButton = false;
  result.controls = {Control("分组框1", ControlKind::GroupBox), Control("标签4", ControlKind::Label, "分组框1"),
                     Timer("时钟2", 0, "ClockTick")};  // a period of 0: never started
  return result;
}

// Has a taskbar button of its own; loaded modally without a parent in some tests.
WindowDefinition ConfirmWindow() {
  WindowDefinition confirm = Window("ConfirmWindow", {201, 101});
  confirm.controls = {Button("确定", {}, "ConfirmClose")};
  return confirm;
}

// No taskbar button, placed at a fixed point.
WindowDefinition ToolWindow() {
  WindowDefinition tool = Window("ToolWindow", {100, 50});
  tool.settings.taskbarButton = false;
  tool.settings.startPosition = StartPosition::AtLeftTop;
  tool.settings.left = 10;
  tool.settings.top = 20;
  return tool;
}

class WindowModelTest : public ::testing::Test {
 protected:
  WindowModelTest() {
    for (WindowDefinition& definition :
         std::vector{MainWindow(), RecommendWindow(), SyncResultWindow(), ConfirmWindow(), ToolWindow()}) {
      model.RegisterWindow(std::move(definition));
    }
    for (const char* name : {"MainCreated", "RecommendCreated", "ResultCreated", "SyncClicked", "ClockTick",
                             "RecommendClose", "ConfirmClose"}) {
      model.RegisterHandler(name, [this, name = std::string(name)] {
        system.Note("handler " + name);
        const std::function<void()> action = on[name];
        if (action) action();
      });
    }
  }

  // The journal from the first occurrence of `line` on; empty when it never occurs.
  Journal From(std::string_view line) const {
    const auto found = std::find(system.journal.begin(), system.journal.end(), line);
    return Journal(found, system.journal.end());
  }
  int Count(std::string_view line) const {
    return static_cast<int>(std::count(system.journal.begin(), system.journal.end(), line));
  }
  void NoteResult(const char* what, bool result) {
    system.Note(std::string(what) + (result ? " returned true" : " returned false"));
  }

  FakeWindowSystem system;
  WindowModel model{system};
  std::map<std::string, std::function<void()>> on;  // what each handler does after noting itself
};

TEST_F(WindowModelTest, ModalLoadInCreatedHandlerKeepsTheLoaderHiddenAndDisabledWhileItsClockTicks) {
  on["MainCreated"] = [this] {
    model.SetCaption("MainWindow", "标签8", "12:00");
    NoteResult("modal load", model.LoadWindow("RecommendWindow", "MainWindow", true));
  };
  on["ClockTick"] = [this] { model.SetCaption("MainWindow", "标签8", "12:01"); };
  on["RecommendClose"] = [this] { model.UnloadWindow("RecommendWindow"); };
  system.WhenIdle([this] {
    const UiHandle main = system.Window("MainWindow");
    EXPECT_FALSE(system.IsVisible(main));
    EXPECT_FALSE(system.Get(main).enabled);
    EXPECT_EQ(model.CurrentModalWindow(), "RecommendWindow");
    system.PostTick(main, 1);
    system.PostClick(system.Control("RecommendWindow", "按钮2"));
  });

  ASSERT_TRUE(model.CreateInvisibleOwner());
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));

  const Journal expected = {
      "create invisible owner",
      "create window MainWindow owner=none hidden at 466,303 347x161",
      "create control 超级链接框3 in MainWindow",
      "create control 分组框1 in MainWindow",
      "create control 标签3 in 分组框1",
      "create control 标签8 in 分组框1",
      "create control 同步按钮 in 分组框1",
      "start timer MainWindow 1 every 999 ms",
      "handler MainCreated",
      "set text 标签8 = 12:00",
      "create window RecommendWindow owner=MainWindow hidden at 490,309 300x150",
      "create control 按钮2 in RecommendWindow",
      "create control 单选框1 in RecommendWindow",
      "handler RecommendCreated",
      "show RecommendWindow",
      "enable MainWindow false",
      "run loop",
      "deliver tick MainWindow 1",
      "handler ClockTick",
      "set text 标签8 = 12:01",
      "deliver click 按钮2",
      "handler RecommendClose",
      "post destroy RecommendWindow",
      "deliver destroy request RecommendWindow",
      "enable MainWindow true",
      "destroy RecommendWindow",
      "destroyed RecommendWindow",
      "loop done",
      "modal load returned true",
      "show MainWindow",
  };
  EXPECT_EQ(system.journal, expected);
  EXPECT_TRUE(system.Get(system.Window("MainWindow")).enabled);
  EXPECT_FALSE(model.IsLoaded("RecommendWindow"));
  EXPECT_EQ(model.CurrentModalWindow(), "");
  EXPECT_EQ(system.Queued(), 0u);
}

TEST_F(WindowModelTest, UnloadInCreatedHandlerDestroysTheWindowBeforeItIsEverShown) {
  on["MainCreated"] = [this] { NoteResult("modal load", model.LoadWindow("RecommendWindow", "MainWindow", true)); };
  on["RecommendCreated"] = [this] { model.UnloadWindow("RecommendWindow"); };

  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  const Journal expected = {
      "handler RecommendCreated",
      "post destroy RecommendWindow",
      "destroy RecommendWindow",
      "destroyed RecommendWindow",
      "modal load returned true",
      "show MainWindow",
  };
  EXPECT_EQ(From("handler RecommendCreated"), expected);
  EXPECT_TRUE(system.Get(system.Window("MainWindow")).enabled);

  // The request still queued finds nothing to do when the loop takes it.
  system.WhenIdle([this] { system.PostClose(system.Window("MainWindow")); });
  EXPECT_EQ(model.RunMainLoop(), 0);
  const Journal loop = {
      "run loop",
      "deliver destroy request RecommendWindow",
      "deliver close MainWindow",
      "destroy MainWindow",
      "destroyed MainWindow",
      "post quit 0",
      "loop quit 0",
  };
  EXPECT_EQ(From("run loop"), loop);
}

TEST_F(WindowModelTest, SetVisibleInCreatedHandlerOfModalWindowShowsItAndTheWaitStillRuns) {
  on["MainCreated"] = [this] { model.LoadWindow("RecommendWindow", "MainWindow", true); };
  on["RecommendCreated"] = [this] {
    model.SetVisible("RecommendWindow", true);
    EXPECT_TRUE(system.IsVisible(system.Window("RecommendWindow")));
  };
  system.WhenIdle([this] { system.PostClose(system.Window("RecommendWindow")); });

  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  const Journal expected = {
      "handler RecommendCreated",
      "show RecommendWindow",  // by SetVisible, inside the handler
      "show RecommendWindow",  // the load's own show, which changes nothing
      "enable MainWindow false",
      "run loop",
      "deliver close RecommendWindow",
      "enable MainWindow true",
      "destroy RecommendWindow",
      "destroyed RecommendWindow",
      "loop done",
      "show MainWindow",
  };
  EXPECT_EQ(From("handler RecommendCreated"), expected);
}

TEST_F(WindowModelTest, FirstShowOfAModalWindowLoadedHiddenRunsTheWaitInsideSetVisible) {
  WindowDefinition hidden = ConfirmWindow();
  hidden.settings.initiallyVisible = false;
  model.RegisterWindow(hidden);
  ASSERT_TRUE(model.CreateInvisibleOwner());
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));

  system.journal.clear();
  NoteResult("modal load", model.LoadWindow("ConfirmWindow", {}, true));
  EXPECT_EQ(system.journal, (Journal{"create window ConfirmWindow owner=invisible hidden at 539,333 201x101",
                                     "create control 确定 in ConfirmWindow", "enable MainWindow false",
                                     "modal load returned true"}));

  system.journal.clear();
  system.WhenIdle([this] { system.PostClose(system.Window("ConfirmWindow")); });
  model.SetVisible("ConfirmWindow", true);
  EXPECT_EQ(system.journal,
            (Journal{"show ConfirmWindow", "run loop", "deliver close ConfirmWindow", "enable MainWindow true",
                     "destroy ConfirmWindow", "destroyed ConfirmWindow", "loop done"}));
}

TEST_F(WindowModelTest, SetVisibleHidesAndShowsAWindowThatHasBeenShown) {
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  system.journal.clear();
  model.SetVisible("MainWindow", false);
  EXPECT_FALSE(system.IsVisible(system.Window("MainWindow")));
  model.SetVisible("MainWindow", true);
  EXPECT_EQ(system.journal, (Journal{"hide MainWindow", "show MainWindow"}));
}

// A modal window opened from inside another modal wait disables what has no parent again and
// puts back exactly what it found: the main window, already disabled, stays disabled until the
// outer modal window goes.
TEST_F(WindowModelTest, NestedModalWaitsRestoreWhatEachFound) {
  on["MainCreated"] = [this] { model.LoadWindow("RecommendWindow", "MainWindow", true); };
  on["RecommendClose"] = [this] {
    NoteResult("inner modal load", model.LoadWindow("ConfirmWindow", {}, true));
    EXPECT_EQ(model.CurrentModalWindow(), "RecommendWindow");
    model.UnloadWindow("RecommendWindow");
  };
  system.WhenIdle([this] { system.PostClick(system.Control("RecommendWindow", "按钮2")); });
  system.WhenIdle([this] {
    EXPECT_EQ(model.CurrentModalWindow(), "ConfirmWindow");
    system.PostClose(system.Window("ConfirmWindow"));
  });

  ASSERT_TRUE(model.CreateInvisibleOwner());
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  const Journal expected = {
      "handler RecommendClose",
      "create window ConfirmWindow owner=invisible hidden at 539,333 201x101",
      "create control 确定 in ConfirmWindow",
      "show ConfirmWindow",
      "enable MainWindow false",  // recorded as already disabled
      "run loop",
      "deliver close ConfirmWindow",
      "enable MainWindow false",  // put back as it was found
      "destroy ConfirmWindow",
      "destroyed ConfirmWindow",
      "loop done",
      "inner modal load returned true",
      "post destroy RecommendWindow",
      "deliver destroy request RecommendWindow",
      "enable MainWindow true",
      "destroy RecommendWindow",
      "destroyed RecommendWindow",
      "loop done",
      "show MainWindow",
  };
  EXPECT_EQ(From("handler RecommendClose"), expected);
}

TEST_F(WindowModelTest, QuitTakenInsideAModalWaitIsPassedOnToTheMainLoop) {
  ASSERT_TRUE(model.CreateInvisibleOwner());
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  on["SyncClicked"] = [this] { NoteResult("modal load", model.LoadWindow("ConfirmWindow", {}, true)); };
  system.WhenIdle([this] { system.PostClick(system.Control("MainWindow", "同步按钮")); });
  system.WhenIdle([this] { system.PostQuit(7); });

  EXPECT_EQ(model.RunMainLoop(), 7);
  const Journal expected = {
      "post quit 7", "loop quit 7", "post quit 7", "modal load returned true", "loop quit 7",
  };
  EXPECT_EQ(From("post quit 7"), expected);
  EXPECT_TRUE(model.IsLoaded("ConfirmWindow"));
}

// The recording toolkit cannot wait for a user: a wait that nothing would end is reported as a
// failure and returns, so a missing close or quit shows up instead of hanging the run.
TEST_F(WindowModelTest, AWaitThatNothingEndsFailsTheTestInsteadOfHanging) {
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  EXPECT_NONFATAL_FAILURE(model.LoadWindow("ConfirmWindow", {}, true), "ran dry");
  EXPECT_EQ(model.RunMainLoop(), 0);  // every later loop returns at once
  EXPECT_EQ(Count("run loop"), 1);
}

TEST_F(WindowModelTest, ClosingTheOwnerDestroysOwnedWindowsFirstAndThenEndsTheProgram) {
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  ASSERT_TRUE(model.LoadWindow("SyncResultWindow", "MainWindow", false));
  system.WhenIdle([this] { system.PostClose(system.Window("MainWindow")); });

  EXPECT_EQ(model.RunMainLoop(), 0);
  const Journal expected = {
      "deliver close MainWindow", "destroy MainWindow", "destroyed SyncResultWindow", "destroyed MainWindow",
      "post quit 0",              "loop quit 0",
  };
  EXPECT_EQ(From("deliver close MainWindow"), expected);
  EXPECT_FALSE(model.AnyWindowAlive());
}

TEST_F(WindowModelTest, ClosingAnOwnedWindowAloneKeepsTheProgramRunning) {
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  ASSERT_TRUE(model.LoadWindow("SyncResultWindow", "MainWindow", false));
  system.WhenIdle([this] { system.PostClose(system.Window("SyncResultWindow")); });
  system.WhenIdle([this] {
    EXPECT_EQ(Count("post quit 0"), 0);
    system.PostClose(system.Window("MainWindow"));
  });

  EXPECT_EQ(model.RunMainLoop(), 0);
  EXPECT_EQ(Count("post quit 0"), 1);
}

// The main window may be closed while a modal window that it owns is waiting: the owned window
// goes first, which ends its wait, and the quit comes once, after the last window.
TEST_F(WindowModelTest, DestroyingTheOwnerDuringAModalWaitEndsTheWait) {
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  on["SyncClicked"] = [this] { NoteResult("modal load", model.LoadWindow("RecommendWindow", "MainWindow", true)); };
  system.WhenIdle([this] { system.PostClick(system.Control("MainWindow", "同步按钮")); });
  system.WhenIdle([this] { system.PostClose(system.Window("MainWindow")); });

  EXPECT_EQ(model.RunMainLoop(), 0);
  const Journal expected = {
      "deliver close MainWindow",
      "destroy MainWindow",
      "destroyed RecommendWindow",
      "destroyed MainWindow",
      "post quit 0",
      "loop done",
      "modal load returned true",
      "loop quit 0",
  };
  EXPECT_EQ(From("deliver close MainWindow"), expected);
}

TEST_F(WindowModelTest, TheLastWindowGoingBeforeTheLoopStartedPostsNoQuit) {
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  system.RaiseClose(system.Window("MainWindow"));
  EXPECT_FALSE(model.AnyWindowAlive());
  EXPECT_EQ(Count("post quit 0"), 0);

  system.journal.clear();
  EXPECT_EQ(model.RunMainLoop(), 0);  // nothing left: the loop does not even start
  EXPECT_TRUE(system.journal.empty());
}

TEST(WindowModel, LoadingAnOpenWindowBringsItForwardInsteadOfMakingASecond) {
  struct Case {
    bool minimized;
    std::string expected;
  };
  for (const Case& c : {Case{false, "activate SyncResultWindow"}, Case{true, "restore SyncResultWindow"}}) {
    SCOPED_TRACE(c.expected);
    FakeWindowSystem system;
    WindowModel model{system};
    model.RegisterWindow(MainWindow());
    model.RegisterWindow(SyncResultWindow());
    int created = 0;
    model.RegisterHandler("ResultCreated", [&created] { ++created; });
    ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
    ASSERT_TRUE(model.LoadWindow("SyncResultWindow", "MainWindow", false));
    const UiHandle first = system.Window("SyncResultWindow");
    system.SetMinimized(first, c.minimized);

    system.journal.clear();
    // Parent and modal flag are ignored for an open window: no second instance, no wait.
    EXPECT_TRUE(model.LoadWindow("SyncResultWindow", {}, true));
    EXPECT_EQ(system.journal, Journal{c.expected});
    EXPECT_EQ(created, 1);
    EXPECT_EQ(model.WindowHandle("SyncResultWindow"), first);
  }
}

TEST_F(WindowModelTest, AWindowLoadedAgainAfterItClosedStartsFromItsDefinition) {
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  ASSERT_TRUE(model.LoadWindow("SyncResultWindow", "MainWindow", false));
  model.SetCaption("SyncResultWindow", {}, "changed");
  model.SetCaption("SyncResultWindow", "标签4", "12:00:05");
  EXPECT_EQ(model.WorkingCopy("SyncResultWindow")->settings.caption, "changed");
  EXPECT_EQ(system.Text(system.Control("SyncResultWindow", "标签4")), "12:00:05");
  const UiHandle first = system.Window("SyncResultWindow");
  system.RaiseClose(first);
  EXPECT_FALSE(model.IsLoaded("SyncResultWindow"));
  EXPECT_EQ(model.WorkingCopy("SyncResultWindow"), nullptr);

  ASSERT_TRUE(model.LoadWindow("SyncResultWindow", "MainWindow", false));
  const UiHandle second = system.Window("SyncResultWindow");
  EXPECT_NE(second, first);
  EXPECT_EQ(system.Text(second), "SyncResultWindow");
  EXPECT_EQ(system.Text(system.Control("SyncResultWindow", "标签4")), "");
  EXPECT_EQ(model.WorkingCopy("SyncResultWindow")->settings.caption, "SyncResultWindow");
  EXPECT_EQ(Count("handler ResultCreated"), 2);
}

TEST_F(WindowModelTest, LoadingAWindowWhoseDestroyIsPendingDestroysItNowAndBuildsItAnew) {
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  ASSERT_TRUE(model.LoadWindow("SyncResultWindow", "MainWindow", false));
  model.UnloadWindow("SyncResultWindow");

  system.journal.clear();
  ASSERT_TRUE(model.LoadWindow("SyncResultWindow", "MainWindow", false));
  const Journal expected = {
      "destroy SyncResultWindow",
      "destroyed SyncResultWindow",
      "create window SyncResultWindow owner=MainWindow hidden at 491,312 298x143",
      "create control 分组框1 in SyncResultWindow",
      "create control 标签4 in 分组框1",
      "handler ResultCreated",
      "show SyncResultWindow",
  };
  EXPECT_EQ(system.journal, expected);

  // The old request, taken later, leaves the new window alone.
  system.WhenIdle([this] { system.PostClose(system.Window("MainWindow")); });
  EXPECT_EQ(model.RunMainLoop(), 0);
  EXPECT_EQ(From("deliver destroy request SyncResultWindow"),
            (Journal{"deliver destroy request SyncResultWindow", "deliver close MainWindow", "destroy MainWindow",
                     "destroyed SyncResultWindow", "destroyed MainWindow", "post quit 0", "loop quit 0"}));
}

TEST_F(WindowModelTest, TicksAndClicksRunTheirHandlers) {
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  const UiHandle main = system.Window("MainWindow");
  system.WhenIdle([&] {
    system.PostTick(main, 1);
    system.PostClick(system.Control("MainWindow", "同步按钮"));
    system.PostClose(main);
  });
  EXPECT_EQ(model.RunMainLoop(), 0);
  EXPECT_EQ(From("deliver tick MainWindow 1"),
            (Journal{"deliver tick MainWindow 1", "handler ClockTick", "deliver click 同步按钮", "handler SyncClicked",
                     "deliver close MainWindow", "destroy MainWindow", "destroyed MainWindow", "post quit 0",
                     "loop quit 0"}));
}

// Events are held while any window is being built, so a click on the main window raised while
// another window's controls are made runs nothing, as do events at shut-down and events for
// handles the model does not know.
TEST_F(WindowModelTest, EventsAreDroppedWhileHeldOrUnknown) {
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  const UiHandle main = system.Window("MainWindow");
  const UiHandle syncButton = system.Control("MainWindow", "同步按钮");

  system.afterCreateControl = [&](UiHandle control) {
    system.RaiseClick(syncButton);
    system.RaiseTick(main, 1);
    system.RaiseClose(main);
    system.RaiseClose(system.Get(control).window);  // the window being built
  };
  ASSERT_TRUE(model.LoadWindow("SyncResultWindow", "MainWindow", false));
  system.afterCreateControl = nullptr;
  EXPECT_TRUE(model.IsLoaded("MainWindow"));
  EXPECT_TRUE(model.IsLoaded("SyncResultWindow"));
  EXPECT_TRUE(system.IsVisible(system.Window("SyncResultWindow")));

  system.RaiseClick(12345);
  system.RaiseTick(main, 99);
  system.RaiseTick(12345, 1);
  system.RaiseClose(12345);

  model.HoldEvents();
  system.RaiseClick(syncButton);
  system.RaiseTick(main, 1);
  system.RaiseClose(main);
  EXPECT_TRUE(model.IsLoaded("MainWindow"));

  EXPECT_EQ(Count("handler SyncClicked"), 0);
  EXPECT_EQ(Count("handler ClockTick"), 0);
  EXPECT_EQ(Count("handler ResultCreated"), 1);
}

TEST_F(WindowModelTest, GetCheckedReadsTheRadioButtonNow) {
  on["MainCreated"] = [this] { model.LoadWindow("RecommendWindow", "MainWindow", true); };
  system.WhenIdle([this] {
    EXPECT_EQ(model.GetChecked("RecommendWindow", "单选框1"), 0);
    system.SetChecked(system.Control("RecommendWindow", "单选框1"), true);
    EXPECT_EQ(model.GetChecked("RecommendWindow", "单选框1"), 1);
    EXPECT_EQ(model.GetChecked("RecommendWindow", "没有这个"), 0);
    system.PostClose(system.Window("RecommendWindow"));
  });
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  EXPECT_EQ(model.GetChecked("RecommendWindow", "单选框1"), 0);  // gone with its window
}

TEST_F(WindowModelTest, AParentThatIsNotLoadedLoadsNothing) {
  EXPECT_FALSE(model.LoadWindow("SyncResultWindow", "MainWindow", false));
  EXPECT_FALSE(model.LoadWindow("NoSuchWindow", {}, false));
  EXPECT_TRUE(system.journal.empty());
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  system.RaiseClose(system.Window("MainWindow"));
  system.journal.clear();
  EXPECT_FALSE(model.LoadWindow("SyncResultWindow", "MainWindow", false));
  EXPECT_TRUE(system.journal.empty());
  EXPECT_FALSE(model.IsLoaded("SyncResultWindow"));
}

TEST(WindowModel, FailedCreationLoadsNothingAndLeavesNothing) {
  struct Case {
    const char* name;
    std::function<void(FakeWindowSystem&)> fail;
  };
  const std::vector<Case> cases = {
      {"window", [](FakeWindowSystem& s) { s.failWindow = "MainWindow"; }},
      {"first control", [](FakeWindowSystem& s) { s.failControl = "超级链接框3"; }},
      {"group box with early members", [](FakeWindowSystem& s) { s.failControl = "分组框1"; }},
      {"member created after its box", [](FakeWindowSystem& s) { s.failControl = "标签3"; }},
      {"timer", [](FakeWindowSystem& s) { s.failTimers = true; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWindowSystem system;
    WindowModel model{system};
    model.RegisterWindow(MainWindow());
    int created = 0;
    model.RegisterHandler("MainCreated", [&created] { ++created; });
    c.fail(system);

    EXPECT_FALSE(model.LoadWindow("MainWindow", {}, false));
    EXPECT_EQ(created, 0);
    EXPECT_FALSE(model.IsLoaded("MainWindow"));
    EXPECT_EQ(system.AliveUnits(), 0u);
    EXPECT_FALSE(model.EventsHeld());

    // Nothing of the failed load stands in the way of the next one.
    system.failWindow.clear();
    system.failControl.clear();
    system.failTimers = false;
    EXPECT_TRUE(model.LoadWindow("MainWindow", {}, false));
    EXPECT_EQ(created, 1);
  }
}

TEST(WindowModel, MembersOfAGroupBoxWaitForTheirBoxAndKeepTheirListedOrder) {
  WindowDefinition nested = Window("Nested", {200, 100});
  nested.controls = {
      Control("A", ControlKind::Label, "Box2"),      Control("Box2", ControlKind::GroupBox, "Box1"),
      Control("B", ControlKind::Label, "Box1"),      Control("Box1", ControlKind::GroupBox),
      Control("C", ControlKind::PushButton),         Control("D", ControlKind::Label, "Box2"),
  };
  FakeWindowSystem system;
  WindowModel model{system};
  model.RegisterWindow(nested);
  ASSERT_TRUE(model.LoadWindow("Nested", {}, false));

  EXPECT_EQ(system.journal,
            (Journal{"create window Nested owner=none hidden at 540,334 200x100", "create control Box1 in Nested",
                     "create control Box2 in Box1", "create control A in Box2", "create control B in Box1",
                     "create control C in Nested", "create control D in Box2", "show Nested"}));
  EXPECT_EQ(system.Children(system.Window("Nested")), (Journal{"Box1", "C"}));
  EXPECT_EQ(system.Children(system.Control("Nested", "Box1")), (Journal{"Box2", "B"}));
  EXPECT_EQ(system.Children(system.Control("Nested", "Box2")), (Journal{"A", "D"}));

  // A member whose box never comes cannot be placed: the load fails.
  WindowDefinition orphan = Window("Orphan", {200, 100});
  orphan.controls = {Control("A", ControlKind::Label, "Box9"), Control("B", ControlKind::Label)};
  WindowDefinition notABox = Window("NotABox", {200, 100});
  notABox.controls = {Control("A", ControlKind::Label, "B"), Control("B", ControlKind::Label)};
  for (const WindowDefinition& bad : {orphan, notABox}) {
    SCOPED_TRACE(bad.name);
    model.RegisterWindow(bad);
    EXPECT_FALSE(model.LoadWindow(bad.name, {}, false));
    EXPECT_FALSE(model.IsLoaded(bad.name));
  }
  EXPECT_EQ(system.AliveUnits(), 7u);  // the first window and its six controls
}

TEST(WindowModel, CentresFromTheScreenSizeAtCreation) {
  struct Case {
    Size screen;
    Size outer;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {{1280, 768}, {347, 161}, "at 466,303 347x161"},
      {{1024, 768}, {298, 143}, "at 363,312 298x143"},
      {{801, 601}, {300, 150}, "at 250,225 300x150"},
      {{1920, 1080}, {301, 101}, "at 809,489 301x101"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    FakeWindowSystem system;
    WindowModel model{system};
    model.RegisterWindow(Window("W", c.outer));
    system.screen = c.screen;
    ASSERT_TRUE(model.LoadWindow("W", {}, false));
    EXPECT_EQ(system.journal.front(), "create window W owner=none hidden " + c.expected);
  }
}

TEST(WindowModel, ShowsByStartPosition) {
  struct Case {
    StartPosition position;
    std::string expected;
  };
  for (const Case& c : {Case{StartPosition::CenterScreen, "show W"}, Case{StartPosition::AtLeftTop, "show W"},
                        Case{StartPosition::Minimized, "minimize W"}, Case{StartPosition::Maximized, "maximize W"}}) {
    SCOPED_TRACE(c.expected);
    FakeWindowSystem system;
    WindowModel model{system};
    WindowDefinition window = Window("W", {100, 50});
    window.settings.startPosition = c.position;
    window.settings.left = 7;
    window.settings.top = 9;
    model.RegisterWindow(window);
    ASSERT_TRUE(model.LoadWindow("W", {}, false));
    EXPECT_EQ(system.journal.back(), c.expected);
    if (c.position == StartPosition::AtLeftTop) {
      EXPECT_EQ(system.journal.front(), "create window W owner=none hidden at 7,9 100x50");
    }
  }
}

TEST_F(WindowModelTest, OwnerByParentModalFlagAndTaskbarSetting) {
  struct Case {
    const char* window;
    const char* parent;
    bool modal;
    std::string owner;
  };
  const std::vector<Case> cases = {
      {"SyncResultWindow", "MainWindow", false, "owner=MainWindow"},
      {"RecommendWindow", "MainWindow", true, "owner=MainWindow"},
      {"ConfirmWindow", "", true, "owner=invisible"},
      {"ToolWindow", "", false, "owner=invisible"},
      {"ConfirmWindow", "", false, "owner=none"},
  };
  ASSERT_TRUE(model.CreateInvisibleOwner());
  ASSERT_TRUE(model.LoadStartWindow("MainWindow"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.window);
    system.journal.clear();
    if (c.modal) system.WhenIdle([this, &c] { system.PostClose(system.Window(c.window)); });
    ASSERT_TRUE(model.LoadWindow(c.window, c.parent, c.modal));
    ASSERT_FALSE(system.journal.empty());
    const std::string& create = system.journal.front();
    EXPECT_EQ(create.substr(0, create.find(" hidden")), "create window " + std::string(c.window) + " " + c.owner);
    if (model.IsLoaded(c.window)) system.RaiseClose(system.Window(c.window));
  }

  // Without an invisible owner, such windows are simply unowned.
  FakeWindowSystem bare;
  WindowModel withoutOwner{bare};
  withoutOwner.RegisterWindow(ToolWindow());
  ASSERT_TRUE(withoutOwner.LoadWindow("ToolWindow", {}, false));
  EXPECT_EQ(bare.journal.front(), "create window ToolWindow owner=none hidden at 10,20 100x50");
}

}  // namespace
}  // namespace tessivo::ui
