// The window model: brings window definitions to life over a window toolkit. Loading a window
// (with a parent and a modal flag), the created event before the first show, queued
// destruction, the modal wait with its disabling and re-enabling of the other windows, timers,
// clicks, and the end of the program when its last window goes.
//
// Everything runs on the one user-interface thread. Handlers run to completion, except where
// one waits in a nested loop (a modal load); events of every window, ticks among them, are
// delivered inside that wait, so the model is re-entered from handlers further up the stack.
// For that reason nothing here keeps a pointer to a loaded window across a call that can run
// a handler or destroy a window; it looks the window up again afterwards.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/window_system.h"
#include "ui/window_definition.h"

namespace tessivo::ui {

// A handler: bound to an event by name in a window definition; takes nothing, returns nothing.
using Handler = std::function<void()>;

class WindowModel final : public WindowEventSink {
 public:
  // Becomes the toolkit's event sink for as long as it lives.
  explicit WindowModel(WindowSystem& system);
  ~WindowModel() override;
  WindowModel(const WindowModel&) = delete;
  WindowModel& operator=(const WindowModel&) = delete;

  // The fixed definitions and the handlers they name; registered before windows are loaded.
  // A definition replaces an earlier one of the same name; a handler name that is bound but
  // not registered runs nothing.
  void RegisterWindow(WindowDefinition definition);
  void RegisterHandler(std::string name, Handler handler);

  // --- Start-up ---

  // The hidden tool window that owns the windows that must have no taskbar button. Without
  // it (creation failed or not asked for) those windows are made without an owner.
  bool CreateInvisibleOwner();

  // Loads the start window without a parent and not modal, stopping before the first-show
  // and modal-wait step of LoadWindow: the window is built, its created event has run and it
  // is shown. False when it could not be created.
  bool LoadStartWindow(std::string_view window);

  // Marks the loop started and, when at least one loaded window is alive, runs the main
  // loop until a quit request is taken. The quit's exit code, or 0 when the loop did not run.
  int RunMainLoop();

  // Holds events for good: the program is shutting down.
  void HoldEvents();

  // --- Window operations, as handlers use them ---

  // Loads `window`. `parent` is empty for none, else the name of a loaded window that then
  // owns it. A modal load returns when the window has been destroyed. True when the window is
  // loaded (also when it already was, or when it was destroyed during its own created event);
  // false when the parent is not loaded, the window is not defined, or the window or one of
  // its controls could not be created (then nothing of it is left).
  bool LoadWindow(std::string_view window, std::string_view parent, bool modal);

  // Asks that a loaded window be destroyed when the running handler has returned to a loop.
  // Nothing for a window that is not loaded.
  void UnloadWindow(std::string_view window);

  // The caption of the window (`unit` empty: its title bar) or of one of its controls, at
  // once. The change lives in the window's working copy and goes with the window.
  void SetCaption(std::string_view window, std::string_view unit, std::string_view text);

  // Hides or shows a loaded window; the first show of a window whose load left it pending
  // shows it by its start position and, for a modal window, runs the modal wait.
  void SetVisible(std::string_view window, bool visible);

  // 1 when the radio button is checked now, else 0 (also for a unit that does not exist).
  int GetChecked(std::string_view window, std::string_view unit);

  // --- State ---

  // Loaded, and its window exists.
  bool IsLoaded(std::string_view window) const;
  bool AnyWindowAlive() const;
  bool EventsHeld() const { return buildsInProgress_ > 0 || shuttingDown_; }
  bool LoopStarted() const { return loopStarted_; }
  // The window whose modal wait is running, or empty.
  std::string CurrentModalWindow() const;
  // The toolkit handles of a loaded window and of its controls; 0 when there is none.
  UiHandle WindowHandle(std::string_view window) const;
  UiHandle ControlHandle(std::string_view window, std::string_view unit) const;
  // The working copy of a loaded window; nullptr when it is not loaded.
  const WindowDefinition* WorkingCopy(std::string_view window) const;

  // --- Events from the toolkit ---
  void OnClicked(UiHandle control) override;
  void OnTimer(UiHandle window, int timerId) override;
  void OnCloseRequest(UiHandle window) override;
  void OnDestroyRequest(UiHandle window) override;
  void OnDestroyed(UiHandle window) override;

 private:
  struct LoadedWindow {
    std::string name;
    UiHandle handle = 0;
    bool hasParent = false;
    WindowDefinition working;                  // the definition as loaded, with later changes
    std::vector<UiHandle> controlHandles;      // by control index; 0 for timers
    std::map<int, std::size_t> timers;         // timer id -> control index
    bool modal = false;                        // loaded modally and survived its created event
    bool firstShowPending = false;
    bool destroyPending = false;
    std::vector<std::pair<UiHandle, bool>> disabledByMe;  // (window, enabled before)
  };

  // Events are held while a window is being built; the hold ends when the build does.
  class BuildHold {
   public:
    explicit BuildHold(WindowModel& model) : model_(model) { ++model_.buildsInProgress_; }
    ~BuildHold() { --model_.buildsInProgress_; }
    BuildHold(const BuildHold&) = delete;
    BuildHold& operator=(const BuildHold&) = delete;

   private:
    WindowModel& model_;
  };

  bool Load(std::string_view window, std::string_view parent, bool modal, bool startWindow);
  std::unique_ptr<LoadedWindow> Build(const WindowDefinition& definition, bool hasParent,
                                      UiHandle owner);
  bool CreateControls(LoadedWindow& window);
  bool CreateControl(LoadedWindow& window, std::size_t index,
                     std::map<std::string, UiHandle, std::less<>>& groupBoxes,
                     std::map<std::string, std::vector<std::size_t>, std::less<>>& waiting,
                     int& nextTimerId);
  Rect OuterRect(const WindowSettings& settings);
  bool RaiseWindowEvent(UiHandle handle, const std::string& handler);
  void ShowByStartPosition(const LoadedWindow& window);
  void DisableOthers(LoadedWindow& window);
  void ReEnable(LoadedWindow& window);
  void DestroyNow(LoadedWindow& window);
  void ModalWait(UiHandle handle);
  void RunHandler(const std::string& name);

  LoadedWindow* Find(std::string_view window) const;
  LoadedWindow* FindAlive(std::string_view window) const;
  LoadedWindow* FindByHandle(UiHandle handle) const;

  WindowSystem& system_;
  std::map<std::string, WindowDefinition, std::less<>> definitions_;
  std::map<std::string, Handler, std::less<>> handlers_;
  std::map<std::string, std::unique_ptr<LoadedWindow>, std::less<>> loaded_;
  UiHandle invisibleOwner_ = 0;
  UiHandle currentModal_ = 0;
  int buildsInProgress_ = 0;
  bool shuttingDown_ = false;
  bool loopStarted_ = false;
};

}  // namespace tessivo::ui
