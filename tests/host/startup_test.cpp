// Start-up from the first step to the exit code, driven through a recording toolkit: the order
// of the steps, the start window that cannot be made, the object model that does not open, and
// shut-down.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process.h"
#include "tests/fakes/fake_message_box.h"
#include "tests/fakes/fake_window_system.h"
#include "ui/startup.h"
#include "ui/window_model.h"

namespace tessivo::ui {
namespace {

using testing::FakeMessageBox;
using testing::FakeWindowSystem;
using Journal = std::vector<std::string>;

// Notes its steps in the toolkit's journal, so that their order against the windows shows.
class FakeProcess : public ProcessServices {
 public:
  explicit FakeProcess(Journal& journal) : journal_(journal) {}
  bool opens = true;
  std::function<void()> whileUninitializing;

  bool InitializeObjectModel() override {
    journal_.push_back(opens ? "initialize object model" : "initialize object model failed");
    return opens;
  }
  void UninitializeObjectModel() override {
    journal_.push_back("uninitialize object model");
    if (whileUninitializing) whileUninitializing();
  }
  void EnterProgramFolder() override { journal_.push_back("enter program folder"); }

 private:
  Journal& journal_;
};

ControlDefinition Control(std::string name, ControlKind kind) {
  ControlDefinition control;
  control.name = std::move(name);
  control.kind = kind;
  return control;
}

// A start window whose clock ticks and whose created handler opens a modal window, as the
// program's own start window does.
WindowDefinition StartWindow() {
  WindowDefinition main;
  main.name = main.settings.caption = "MainWindow";
  main.settings.outerSize = {347, 161};
  main.settings.createdHandler = "MainCreated";
  main.controls = {Control("标签8", ControlKind::Label), Control("时钟1", ControlKind::Timer)};
  main.controls[1].periodMs = 999;
  main.controls[1].tickHandler = "ClockTick";
  return main;
}

WindowDefinition ModalWindow() {
  WindowDefinition recommend;
  recommend.name = recommend.settings.caption = "RecommendWindow";
  recommend.settings.outerSize = {298, 143};
  recommend.settings.taskbarButton = false;
  recommend.controls = {Control("按钮2", ControlKind::PushButton)};
  recommend.controls[0].clickHandler = "RecommendClose";
  return recommend;
}

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() {
    model.RegisterWindow(StartWindow());
    model.RegisterWindow(ModalWindow());
    model.RegisterHandler("MainCreated", [this] {
      system.Note("handler MainCreated");
      model.SetCaption("MainWindow", "标签8", "08:05:09");
      if (openModal) model.LoadWindow("RecommendWindow", "MainWindow", true);
    });
    model.RegisterHandler("ClockTick", [this] { system.Note("handler ClockTick"); });
    model.RegisterHandler("RecommendClose", [this] {
      system.Note("handler RecommendClose");
      model.UnloadWindow("RecommendWindow");
    });
    messageBox.whileShown = [this] { system.Note("message box"); };
  }

  int Run(std::string_view startWindow = "MainWindow") {
    return RunProgram(process, model, messageBox, startWindow);
  }
  bool Noted(std::string_view line) const {
    return std::find(system.journal.begin(), system.journal.end(), line) != system.journal.end();
  }

  FakeWindowSystem system;
  WindowModel model{system};
  FakeProcess process{system.journal};
  FakeMessageBox messageBox;
  bool openModal = true;
};

TEST_F(StartupTest, RunsItsStepsInOrderAndEndsWithTheLastWindow) {
  system.WhenIdle([this] {
    system.PostTick(system.Window("MainWindow"), 1);
    system.PostClick(system.Control("RecommendWindow", "按钮2"));
  });
  system.WhenIdle([this] { system.PostClose(system.Window("MainWindow")); });

  EXPECT_EQ(Run(), 0);
  const Journal expected = {
      "initialize object model",
      "enter program folder",
      "create invisible owner",
      "create window MainWindow owner=none hidden at 466,303 347x161",
      "create control 标签8 in MainWindow",
      "start timer MainWindow 1 every 999 ms",
      "handler MainCreated",
      "set text 标签8 = 08:05:09",
      "create window RecommendWindow owner=MainWindow hidden at 491,312 298x143",
      "create control 按钮2 in RecommendWindow",
      "show RecommendWindow",
      "enable MainWindow false",
      "run loop",  // the modal wait, inside the start window's created handler
      "deliver tick MainWindow 1",
      "handler ClockTick",
      "deliver click 按钮2",
      "handler RecommendClose",
      "post destroy RecommendWindow",
      "deliver destroy request RecommendWindow",
      "enable MainWindow true",
      "destroy RecommendWindow",
      "destroyed RecommendWindow",
      "loop done",
      "show MainWindow",
      "run loop",  // the main loop
      "deliver close MainWindow",
      "destroy MainWindow",
      "destroyed MainWindow",
      "post quit 0",
      "loop quit 0",
      "uninitialize object model",
  };
  EXPECT_EQ(system.journal, expected);
  EXPECT_TRUE(messageBox.shown.empty());
}

TEST_F(StartupTest, AStartWindowThatCannotBeMadeEndsWithAnErrorBoxAndMinusOne) {
  struct Case {
    const char* name;
    std::function<void(FakeWindowSystem&)> fail;
    std::string_view startWindow;
  };
  const std::vector<Case> cases = {
      {"window", [](FakeWindowSystem& s) { s.failWindow = "MainWindow"; }, "MainWindow"},
      {"control", [](FakeWindowSystem& s) { s.failControl = "标签8"; }, "MainWindow"},
      {"timer", [](FakeWindowSystem& s) { s.failTimers = true; }, "MainWindow"},
      {"no such definition", [](FakeWindowSystem&) {}, "NoSuchWindow"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    system.journal.clear();
    messageBox.shown.clear();
    system.failWindow.clear();
    system.failControl.clear();
    system.failTimers = false;
    c.fail(system);

    EXPECT_EQ(Run(c.startWindow), -1);
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text, "无法创建主窗口，程序将退出。");
    EXPECT_EQ(messageBox.shown[0].flags, 16u);
    EXPECT_EQ(messageBox.shown[0].title, "错误");
    // The box is the last thing start-up does: no loop, no shut-down steps.
    EXPECT_EQ(system.journal.back(), "message box");
    EXPECT_FALSE(Noted("run loop"));
    EXPECT_FALSE(Noted("handler MainCreated"));
    EXPECT_EQ(system.AliveUnits(), 0u);
  }
}

TEST_F(StartupTest, AnObjectModelThatDoesNotOpenIsNotClosedAndTheWindowsStillRun) {
  process.opens = false;
  openModal = false;
  system.WhenIdle([this] { system.PostClose(system.Window("MainWindow")); });

  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(system.journal.front(), "initialize object model failed");
  EXPECT_TRUE(Noted("show MainWindow"));
  EXPECT_EQ(system.journal.back(), "loop quit 0");
  EXPECT_FALSE(Noted("uninitialize object model"));
}

// The start window may ask for its own destruction during its created event: it is never
// shown, nothing is left, and start-up goes straight on to shut-down without a loop.
TEST_F(StartupTest, AStartWindowGoneDuringItsCreatedEventSkipsTheMainLoop) {
  model.RegisterHandler("MainCreated", [this] { model.UnloadWindow("MainWindow"); });

  EXPECT_EQ(Run(), 0);
  EXPECT_FALSE(Noted("show MainWindow"));
  EXPECT_FALSE(Noted("run loop"));
  EXPECT_EQ(system.journal.back(), "uninitialize object model");
  EXPECT_TRUE(messageBox.shown.empty());
}

// A quit that ends the loop while a window is still open (passed on from elsewhere) leaves that
// window's events to arrive during shut-down; they are held before the object model closes.
TEST_F(StartupTest, EventsAreHeldBeforeTheObjectModelCloses) {
  openModal = false;
  system.WhenIdle([this] { system.PostQuit(0); });
  process.whileUninitializing = [this] { system.RaiseTick(system.Window("MainWindow"), 1); };

  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(model.IsLoaded("MainWindow"));
  EXPECT_EQ(system.journal.back(), "raise tick MainWindow 1");  // and no handler after it
  EXPECT_FALSE(Noted("handler ClockTick"));
}

}  // namespace
}  // namespace tessivo::ui
