// A window toolkit for tests. It records every call as a readable line in a journal and
// simulates what the window model relies on: handles, windows and controls with their alive,
// visible, enabled, minimised and checked states, owners (destroying a window destroys the
// windows it owns first, each reported before it), timers, and one FIFO queue for posted
// destroy requests, quit requests and the events a test injects (clicks, ticks, close
// requests). RunLoop delivers the queue in order, asking `done` before taking each message;
// when the queue is empty it runs the next action scripted with WhenIdle. A loop with nothing
// queued, nothing scripted and no reason to end would wait for ever: it fails the test instead
// and returns, and every later loop returns at once.
//
// Journal lines use names: a window is named by its caption at creation (the invisible owner
// "invisible"), a control by its unit name.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/window_system.h"

namespace tessivo::testing {

class FakeWindowSystem : public WindowSystem {
 public:
  struct Unit {
    std::string name;
    bool isWindow = true;
    UiHandle window = 0;     // a control's window
    UiHandle container = 0;  // a control's container: its window or a group box
    UiHandle owner = 0;      // a window's owner, 0 for none
    ui::ControlKind kind = ui::ControlKind::Label;
    ui::Rect rect;
    std::string text;
    bool alive = true;
    bool visible = false;
    bool enabled = true;
    bool minimized = false;
    bool maximized = false;
    bool checked = false;
    std::vector<UiHandle> children;  // controls in this container, in creation order
  };

  std::vector<std::string> journal;
  ui::Size screen{1280, 768};

  // Failures to simulate: a window by caption, a control by unit name, any timer, the owner.
  std::string failWindow;
  std::string failControl;
  bool failTimers = false;
  bool failInvisibleOwner = false;

  // Runs right after a control has been created, while its window is still being built: a
  // test can raise events there, as a toolkit might.
  std::function<void(UiHandle control)> afterCreateControl;

  // --- What a test does ---

  void Note(std::string line) { journal.push_back(std::move(line)); }

  // Runs `action` when a loop finds the queue empty; actions run one per empty queue, in order.
  void WhenIdle(std::function<void()> action) { idle_.push_back(std::move(action)); }

  // Queue an event, delivered by the loop in turn.
  void PostClick(UiHandle control) { queue_.push_back({Message::Click, control, 0}); }
  void PostTick(UiHandle window, int timerId) { queue_.push_back({Message::Tick, window, timerId}); }
  void PostClose(UiHandle window) { queue_.push_back({Message::Close, window, 0}); }

  // Raise an event at once, as the toolkit does from inside a call.
  void RaiseClick(UiHandle control) {
    Note("raise click " + Name(control));
    if (sink_ != nullptr) sink_->OnClicked(control);
  }
  void RaiseTick(UiHandle window, int timerId) {
    Note("raise tick " + Name(window) + " " + std::to_string(timerId));
    if (sink_ != nullptr) sink_->OnTimer(window, timerId);
  }
  void RaiseClose(UiHandle window) {
    Note("raise close " + Name(window));
    if (sink_ != nullptr) sink_->OnCloseRequest(window);
  }

  // The user minimises a window or checks a radio button.
  void SetMinimized(UiHandle window, bool minimized) { units_.at(window).minimized = minimized; }
  void SetChecked(UiHandle control, bool checked) { units_.at(control).checked = checked; }

  // --- What a test reads ---

  // The most recently created window or control of that name; 0 when there is none.
  UiHandle Window(std::string_view name) const { return Latest(name, 0, true); }
  UiHandle Control(std::string_view window, std::string_view name) const {
    return Latest(name, Window(window), false);
  }
  const Unit& Get(UiHandle handle) const { return units_.at(handle); }
  bool IsVisible(UiHandle handle) const { return Has(handle) && units_.at(handle).visible; }
  const std::string& Text(UiHandle handle) const { return units_.at(handle).text; }
  // The names of the controls in a container, in stacking order (top first).
  std::vector<std::string> Children(UiHandle container) const {
    std::vector<std::string> names;
    for (const UiHandle child : units_.at(container).children) names.push_back(units_.at(child).name);
    return names;
  }
  // Windows and controls that exist, the invisible owner excepted.
  std::size_t AliveUnits() const {
    return static_cast<std::size_t>(std::count_if(units_.begin(), units_.end(), [this](const auto& entry) {
      return entry.second.alive && entry.first != invisibleOwner_;
    }));
  }
  bool TimerRunning(UiHandle window, int timerId) const { return timers_.count({window, timerId}) != 0; }
  WindowEventSink* Sink() const { return sink_; }
  std::size_t Queued() const { return queue_.size(); }

  // --- WindowSystem ---

  void SetEventSink(WindowEventSink* sink) override { sink_ = sink; }

  ui::Size ScreenSize() override { return screen; }

  UiHandle CreateInvisibleOwner() override {
    if (failInvisibleOwner) {
      Note("create invisible owner failed");
      return 0;
    }
    Note("create invisible owner");
    Unit owner;
    owner.name = "invisible";
    invisibleOwner_ = Add(std::move(owner));
    return invisibleOwner_;
  }

  UiHandle CreateTopLevelWindow(const ui::WindowSettings& settings, const ui::Rect& outer,
                                UiHandle owner) override {
    if (owner != 0 && !Expect(owner, "own a window")) return 0;
    const std::string name = settings.caption.empty() ? "(no caption)" : settings.caption;
    if (!failWindow.empty() && settings.caption == failWindow) {
      Note("create window " + name + " failed");
      return 0;
    }
    Note("create window " + name + " owner=" + (owner == 0 ? std::string("none") : Name(owner)) +
         " hidden at " + std::to_string(outer.left) + "," + std::to_string(outer.top) + " " +
         std::to_string(outer.width) + "x" + std::to_string(outer.height));
    Unit unit;
    unit.name = name;
    unit.owner = owner;
    unit.rect = outer;
    unit.text = settings.caption;
    return Add(std::move(unit));
  }

  UiHandle CreateControl(UiHandle window, UiHandle container, const ui::ControlDefinition& control) override {
    if (!Expect(window, "hold a control") || !Expect(container, "contain a control")) return 0;
    const Unit& box = units_.at(container);
    const bool containerFits = container == window ||
                               (!box.isWindow && box.window == window && box.kind == ui::ControlKind::GroupBox);
    if (!containerFits) {
      ADD_FAILURE() << "control " << control.name << " put into " << box.name
                    << ", which is neither its window nor one of its group boxes";
      return 0;
    }
    if (!failControl.empty() && control.name == failControl) {
      Note("create control " + control.name + " failed");
      return 0;
    }
    Note("create control " + control.name + " in " + box.name);
    Unit unit;
    unit.name = control.name;
    unit.isWindow = false;
    unit.window = window;
    unit.container = container;
    unit.kind = control.kind;
    unit.rect = control.rect;
    unit.text = control.text;
    unit.visible = control.visible;
    unit.enabled = control.enabled;
    unit.checked = control.checked;
    const UiHandle handle = Add(std::move(unit));
    units_.at(container).children.push_back(handle);
    if (afterCreateControl) afterCreateControl(handle);
    return handle;
  }

  bool StartTimer(UiHandle window, int timerId, int periodMs) override {
    if (!Expect(window, "start a timer")) return false;
    const std::string line = "start timer " + Name(window) + " " + std::to_string(timerId) + " every " +
                             std::to_string(periodMs) + " ms";
    if (failTimers) {
      Note(line + " failed");
      return false;
    }
    Note(line);
    timers_[{window, timerId}] = periodMs;
    return true;
  }

  bool Exists(UiHandle window) override { return Has(window); }

  void Show(UiHandle window, ShowCommand command) override {
    if (!Expect(window, "be shown")) return;
    Unit& unit = units_.at(window);
    switch (command) {
      case ShowCommand::Show:
        Note("show " + unit.name);
        unit.visible = true;
        break;
      case ShowCommand::Hide:
        Note("hide " + unit.name);
        unit.visible = false;
        break;
      case ShowCommand::Restore:
        Note("restore " + unit.name);
        unit.visible = true;
        unit.minimized = unit.maximized = false;
        break;
      case ShowCommand::Minimize:
        Note("minimize " + unit.name);
        unit.visible = unit.minimized = true;
        unit.maximized = false;
        break;
      case ShowCommand::Maximize:
        Note("maximize " + unit.name);
        unit.visible = unit.maximized = true;
        unit.minimized = false;
        break;
    }
  }

  bool IsMinimised(UiHandle window) override { return Has(window) && units_.at(window).minimized; }

  void Activate(UiHandle window) override {
    if (Expect(window, "be activated")) Note("activate " + Name(window));
  }

  bool IsEnabled(UiHandle window) override { return Has(window) && units_.at(window).enabled; }

  void Enable(UiHandle window, bool enabled) override {
    if (!Expect(window, "be enabled or disabled")) return;
    Note("enable " + Name(window) + (enabled ? " true" : " false"));
    units_.at(window).enabled = enabled;
  }

  void Destroy(UiHandle window) override {
    if (!Expect(window, "be destroyed")) return;
    Note("destroy " + Name(window));
    DestroyTree(window);
  }

  void SetText(UiHandle unit, std::string_view text) override {
    if (!Expect(unit, "take a text")) return;
    Note("set text " + Name(unit) + " = " + std::string(text));
    units_.at(unit).text = std::string(text);
  }

  bool IsChecked(UiHandle control) override { return Has(control) && units_.at(control).checked; }

  void PostDestroyRequest(UiHandle window) override {
    Note("post destroy " + Name(window));
    queue_.push_back({Message::DestroyRequest, window, 0});
  }

  void PostQuit(int exitCode) override {
    Note("post quit " + std::to_string(exitCode));
    queue_.push_back({Message::Quit, 0, exitCode});
  }

  std::optional<int> RunLoop(const std::function<bool()>& done) override {
    if (ranDry_) return std::nullopt;
    Note("run loop");
    for (;;) {
      if (done()) {
        Note("loop done");
        return std::nullopt;
      }
      if (queue_.empty()) {
        if (idle_.empty()) {
          ADD_FAILURE() << "the message loop ran dry: nothing queued, nothing scripted, and it was "
                           "not told to end (a missing quit request?)";
          Note("loop ran dry");
          ranDry_ = true;
          return std::nullopt;
        }
        const std::function<void()> action = std::move(idle_.front());
        idle_.pop_front();
        action();
        if (ranDry_) return std::nullopt;
        continue;
      }
      const Message message = queue_.front();
      queue_.pop_front();
      switch (message.kind) {
        case Message::Quit:
          Note("loop quit " + std::to_string(message.value));
          return message.value;
        case Message::DestroyRequest:
          Note("deliver destroy request " + Name(message.handle));
          if (sink_ != nullptr) sink_->OnDestroyRequest(message.handle);
          break;
        case Message::Click:
          Note("deliver click " + Name(message.handle));
          if (sink_ != nullptr) sink_->OnClicked(message.handle);
          break;
        case Message::Tick:
          Note("deliver tick " + Name(message.handle) + " " + std::to_string(message.value));
          if (sink_ != nullptr) sink_->OnTimer(message.handle, message.value);
          break;
        case Message::Close:
          Note("deliver close " + Name(message.handle));
          if (sink_ != nullptr) sink_->OnCloseRequest(message.handle);
          break;
      }
      if (ranDry_) return std::nullopt;
    }
  }

 private:
  struct Message {
    enum Kind { DestroyRequest, Quit, Click, Tick, Close } kind;
    UiHandle handle;
    int value;
  };

  UiHandle Add(Unit unit) {
    const UiHandle handle = nextHandle_++;
    units_.emplace(handle, std::move(unit));
    return handle;
  }

  bool Has(UiHandle handle) const {
    const auto found = units_.find(handle);
    return found != units_.end() && found->second.alive;
  }

  // The model must not act on windows that are gone: that is a fault the tests should see.
  bool Expect(UiHandle handle, const char* what) {
    if (Has(handle)) return true;
    ADD_FAILURE() << "asked " << Name(handle) << " to " << what << ", but it does not exist";
    return false;
  }

  std::string Name(UiHandle handle) const {
    const auto found = units_.find(handle);
    return found != units_.end() ? found->second.name : "#" + std::to_string(handle);
  }

  UiHandle Latest(std::string_view name, UiHandle window, bool isWindow) const {
    for (auto it = units_.rbegin(); it != units_.rend(); ++it) {
      const Unit& unit = it->second;
      if (unit.name == name && unit.isWindow == isWindow && (isWindow || unit.window == window)) return it->first;
    }
    return 0;
  }

  // Owned windows first, in the order they were made, each reported before its owner; the
  // window's controls and timers go with it.
  void DestroyTree(UiHandle window) {
    for (auto& [handle, unit] : units_) {
      if (unit.isWindow && unit.alive && unit.owner == window) DestroyTree(handle);
    }
    for (auto& [handle, unit] : units_) {
      if (!unit.isWindow && unit.window == window) unit.alive = false;
    }
    std::erase_if(timers_, [window](const auto& timer) { return timer.first.first == window; });
    Unit& unit = units_.at(window);
    unit.alive = unit.visible = false;
    Note("destroyed " + unit.name);
    if (sink_ != nullptr) sink_->OnDestroyed(window);
  }

  WindowEventSink* sink_ = nullptr;
  std::map<UiHandle, Unit> units_;
  UiHandle nextHandle_ = 100;
  UiHandle invisibleOwner_ = 0;
  std::map<std::pair<UiHandle, int>, int> timers_;  // (window, timer id) -> period
  std::deque<Message> queue_;
  std::deque<std::function<void()>> idle_;
  bool ranDry_ = false;
};

}  // namespace tessivo::testing
