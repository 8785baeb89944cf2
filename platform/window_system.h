// The window toolkit as the window model sees it: windows and controls built from definitions,
// shown, hidden, enabled and destroyed; a message loop that can nest; posted requests; timers.
// Handles are opaque numbers; no toolkit type appears here.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "ui/window_definition.h"

namespace tessivo {

// A window or control of the toolkit; 0 is none.
using UiHandle = std::uintptr_t;

enum class ShowCommand {
  Show,      // show and activate (SW_SHOW)
  Hide,      // SW_HIDE
  Restore,   // from minimised (SW_RESTORE)
  Minimize,  // start minimised
  Maximize,  // start maximised
};

// What the toolkit reports back. Every call comes from inside RunLoop or from inside a call
// the model made into the toolkit (a destruction reports the destroyed windows at once).
class WindowEventSink {
 public:
  virtual ~WindowEventSink() = default;
  // A push button was pressed and released, with the mouse or the keyboard.
  virtual void OnClicked(UiHandle control) = 0;
  // A timer of the window fired.
  virtual void OnTimer(UiHandle window, int timerId) = 0;
  // The close button, Close in the system menu, or Esc where the window's settings enable it.
  virtual void OnCloseRequest(UiHandle window) = 0;
  // A request posted with PostDestroyRequest was taken from the queue.
  virtual void OnDestroyRequest(UiHandle window) = 0;
  // A top-level window is being destroyed, whatever the cause; windows it owns are reported
  // (and destroyed) before it.
  virtual void OnDestroyed(UiHandle window) = 0;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  virtual void SetEventSink(WindowEventSink* sink) = 0;

  virtual ui::Size ScreenSize() = 0;

  // A hidden top-level window that is never shown; windows it owns have no taskbar button.
  virtual UiHandle CreateInvisibleOwner() = 0;

  // A top-level window, hidden, at `outer` (screen coordinates, outer size). With an owner it
  // stays above the owner, is hidden when the owner is minimised, is destroyed with it (before
  // it) and has no taskbar button. 0 when it cannot be created.
  virtual UiHandle CreateTopLevelWindow(const ui::WindowSettings& settings, const ui::Rect& outer,
                                        UiHandle owner) = 0;

  // A control inside `container` (the window itself or one of its group boxes), placed in the
  // stacking order directly below the control created before it in the same container. A
  // timer is not a control: see StartTimer. 0 when it cannot be created.
  virtual UiHandle CreateControl(UiHandle window, UiHandle container, const ui::ControlDefinition& control) = 0;

  // Ticks every periodMs, the first one period after the start; ticks missed while the thread
  // was busy come as one. The timer stops by itself when its window is destroyed.
  virtual bool StartTimer(UiHandle window, int timerId, int periodMs) = 0;

  virtual bool Exists(UiHandle window) = 0;
  virtual void Show(UiHandle window, ShowCommand command) = 0;
  // (Not IsMinimized: <windows.h> defines that name as a macro.)
  virtual bool IsMinimised(UiHandle window) = 0;
  virtual void Activate(UiHandle window) = 0;
  virtual bool IsEnabled(UiHandle window) = 0;
  virtual void Enable(UiHandle window, bool enabled) = 0;
  // Destroys the window: the windows it owns first, each reported through OnDestroyed.
  virtual void Destroy(UiHandle window) = 0;

  // The caption of a window (its title bar: a window created without one gains it when the
  // caption becomes non-empty, keeping its outer size) or the text of a control, repainted.
  virtual void SetText(UiHandle unit, std::string_view text) = 0;
  virtual bool IsChecked(UiHandle control) = 0;

  // Queues a destroy request for the window; OnDestroyRequest when a loop takes it.
  virtual void PostDestroyRequest(UiHandle window) = 0;
  // Queues the quit request that ends the loop.
  virtual void PostQuit(int exitCode) = 0;

  // Runs the message loop, delivering the events of every window, until `done` returns true
  // (asked before waiting for each message) or a quit request is taken; then the quit's code.
  virtual std::optional<int> RunLoop(const std::function<bool()>& done) = 0;
};

}  // namespace tessivo
