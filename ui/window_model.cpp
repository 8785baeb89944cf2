// The window model over the toolkit-neutral window system.
#include "ui/window_model.h"

#include <optional>

namespace tessivo::ui {

WindowModel::WindowModel(WindowSystem& system) : system_(system) { system_.SetEventSink(this); }

WindowModel::~WindowModel() { system_.SetEventSink(nullptr); }

void WindowModel::RegisterWindow(WindowDefinition definition) {
  std::string name = definition.name;
  definitions_.insert_or_assign(std::move(name), std::move(definition));
}

void WindowModel::RegisterHandler(std::string name, Handler handler) {
  handlers_.insert_or_assign(std::move(name), std::move(handler));
}

bool WindowModel::CreateInvisibleOwner() {
  if (invisibleOwner_ == 0) invisibleOwner_ = system_.CreateInvisibleOwner();
  return invisibleOwner_ != 0;
}

bool WindowModel::LoadStartWindow(std::string_view window) {
  return Load(window, {}, false, /*startWindow=*/true);
}

int WindowModel::RunMainLoop() {
  loopStarted_ = true;
  if (!AnyWindowAlive()) return 0;
  const std::optional<int> quit = system_.RunLoop([] { return false; });
  return quit.value_or(0);
}

void WindowModel::HoldEvents() { shuttingDown_ = true; }

bool WindowModel::LoadWindow(std::string_view window, std::string_view parent, bool modal) {
  return Load(window, parent, modal, /*startWindow=*/false);
}

bool WindowModel::Load(std::string_view name, std::string_view parent, bool modal,
                       bool startWindow) {
  const auto definition = definitions_.find(name);
  if (definition == definitions_.end()) return false;

  // A parent must be loaded and alive; it becomes the owner.
  UiHandle owner = 0;
  if (!parent.empty()) {
    const LoadedWindow* parentWindow = FindAlive(parent);
    if (parentWindow == nullptr) return false;
    owner = parentWindow->handle;
  }

  // One live instance per definition: an open window is brought forward instead, unless its
  // destruction is already queued, in which case it goes now and a new one is built.
  if (LoadedWindow* existing = FindAlive(name)) {
    if (!existing->destroyPending) {
      if (system_.IsMinimised(existing->handle)) {
        system_.Show(existing->handle, ShowCommand::Restore);
      } else {
        system_.Activate(existing->handle);
      }
      return true;
    }
    DestroyNow(*existing);
  }
  // A window that is gone without having been reported is forgotten here.
  if (const auto stale = loaded_.find(name); stale != loaded_.end()) loaded_.erase(stale);

  // Without a parent, a modal window and one that wants no taskbar button belong to the
  // invisible owner, which keeps them off the taskbar.
  if (owner == 0 && (modal || !definition->second.settings.taskbarButton)) {
    owner = invisibleOwner_;
  }

  std::unique_ptr<LoadedWindow> built = Build(definition->second, !parent.empty(), owner);
  if (!built) return false;
  const UiHandle handle = built->handle;
  const std::string createdHandler = built->working.settings.createdHandler;
  loaded_.insert_or_assign(std::string(name), std::move(built));

  // The created event, then moved and resized (no handlers bound to those two). A handler may
  // destroy the window, or unload and load it again: after each, go on only with this very
  // instance.
  if (!RaiseWindowEvent(handle, createdHandler)) return true;
  if (!RaiseWindowEvent(handle, {})) return true;  // moved
  if (!RaiseWindowEvent(handle, {})) return true;  // resized

  LoadedWindow* window = FindByHandle(handle);
  // Unloaded during its created event: it goes now, never shown, disabling nothing, no wait.
  if (window->destroyPending) {
    DestroyNow(*window);
    return true;
  }

  if (window->working.settings.initiallyVisible) ShowByStartPosition(*window);
  if (modal) {
    window->modal = true;
    DisableOthers(*window);
  }
  window->firstShowPending = true;
  if (startWindow) return true;

  if (window->working.settings.initiallyVisible) {
    window->firstShowPending = false;
    if (window->modal) ModalWait(handle);
  }
  return true;
}

std::unique_ptr<WindowModel::LoadedWindow> WindowModel::Build(const WindowDefinition& definition,
                                                              bool hasParent, UiHandle owner) {
  const BuildHold hold(*this);
  auto window = std::make_unique<LoadedWindow>();
  window->name = definition.name;
  window->hasParent = hasParent;
  window->working = definition;
  window->handle =
      system_.CreateTopLevelWindow(window->working.settings, OuterRect(window->working.settings), owner);
  if (window->handle == 0) return nullptr;
  if (!CreateControls(*window)) {
    // Not yet among the loaded windows, so the report of this destruction is ignored.
    system_.Destroy(window->handle);
    return nullptr;
  }
  return window;
}

// Controls are created in the order of the definition, each inside its container, and the
// toolkit stacks each below the sibling created before it in the same container. A layout may
// list a member of a group box before the box itself; such a member waits until its box has
// been made and is then created right after it, together with the box's other early members
// in their listed order. So every container receives its children in listed order (stacking
// among siblings follows the list), controls of the window itself are never reordered, and no
// control is created before its container exists. A member whose container never comes (no
// group box of that name in the window) makes the load fail.
bool WindowModel::CreateControls(LoadedWindow& window) {
  window.controlHandles.assign(window.working.controls.size(), 0);
  std::map<std::string, UiHandle, std::less<>> groupBoxes;
  std::map<std::string, std::vector<std::size_t>, std::less<>> waiting;
  int nextTimerId = 1;
  for (std::size_t index = 0; index < window.working.controls.size(); ++index) {
    if (!CreateControl(window, index, groupBoxes, waiting, nextTimerId)) return false;
  }
  return waiting.empty();
}

bool WindowModel::CreateControl(LoadedWindow& window, std::size_t index,
                                std::map<std::string, UiHandle, std::less<>>& groupBoxes,
                                std::map<std::string, std::vector<std::size_t>, std::less<>>& waiting,
                                int& nextTimerId) {
  const ControlDefinition& control = window.working.controls[index];

  // A timer has no place among the controls; it starts now, before the created event.
  if (control.kind == ControlKind::Timer) {
    if (control.periodMs <= 0) return true;
    const int timerId = nextTimerId++;
    if (!system_.StartTimer(window.handle, timerId, control.periodMs)) return false;
    window.timers.emplace(timerId, index);
    return true;
  }

  UiHandle container = window.handle;
  if (!control.container.empty()) {
    const auto box = groupBoxes.find(control.container);
    if (box == groupBoxes.end()) {
      waiting[control.container].push_back(index);
      return true;
    }
    container = box->second;
  }

  const UiHandle handle = system_.CreateControl(window.handle, container, control);
  if (handle == 0) return false;
  window.controlHandles[index] = handle;

  if (control.kind == ControlKind::GroupBox) {
    groupBoxes.insert_or_assign(control.name, handle);
    if (const auto early = waiting.find(control.name); early != waiting.end()) {
      const std::vector<std::size_t> members = std::move(early->second);
      waiting.erase(early);
      for (const std::size_t member : members) {
        if (!CreateControl(window, member, groupBoxes, waiting, nextTimerId)) return false;
      }
    }
  }
  return true;
}

// Centred windows are placed from the screen size at the moment of creation; the division is
// the integer one, so an odd remainder leaves the extra pixel on the right and at the bottom.
Rect WindowModel::OuterRect(const WindowSettings& settings) {
  Rect outer{settings.left, settings.top, settings.outerSize.width, settings.outerSize.height};
  if (settings.startPosition == StartPosition::CenterScreen) {
    const Size screen = system_.ScreenSize();
    outer.left = (screen.width - outer.width) / 2;
    outer.top = (screen.height - outer.height) / 2;
  }
  return outer;
}

// Runs a window event's handler; false when this instance of the window is gone afterwards.
bool WindowModel::RaiseWindowEvent(UiHandle handle, const std::string& handler) {
  RunHandler(handler);
  return FindByHandle(handle) != nullptr && system_.Exists(handle);
}

void WindowModel::ShowByStartPosition(const LoadedWindow& window) {
  switch (window.working.settings.startPosition) {
    case StartPosition::Minimized:
      system_.Show(window.handle, ShowCommand::Minimize);
      break;
    case StartPosition::Maximized:
      system_.Show(window.handle, ShowCommand::Maximize);
      break;
    case StartPosition::AtLeftTop:
    case StartPosition::CenterScreen:
      system_.Show(window.handle, ShowCommand::Show);
      break;
  }
}

// A modal window disables the top-level windows of the program that were loaded without a
// parent, and remembers how each was, so that a nested modal load puts back exactly what it
// found.
void WindowModel::DisableOthers(LoadedWindow& window) {
  for (const auto& [name, other] : loaded_) {
    if (other->handle == window.handle || other->hasParent) continue;
    if (!system_.Exists(other->handle)) continue;
    window.disabledByMe.emplace_back(other->handle, system_.IsEnabled(other->handle));
    system_.Enable(other->handle, false);
  }
}

void WindowModel::ReEnable(LoadedWindow& window) {
  if (!window.modal) return;
  const std::vector<std::pair<UiHandle, bool>> disabled = std::move(window.disabledByMe);
  window.disabledByMe.clear();
  window.modal = false;
  for (const auto& [handle, enabledBefore] : disabled) {
    if (FindByHandle(handle) != nullptr && system_.Exists(handle)) {
      system_.Enable(handle, enabledBefore);
    }
  }
}

// What a queued destroy request does when it is carried out. `window` is gone afterwards.
void WindowModel::DestroyNow(LoadedWindow& window) {
  window.destroyPending = false;
  ReEnable(window);
  system_.Destroy(window.handle);
}

// The nested loop of a modal load. It ends when this instance of the window has been
// destroyed. A quit request taken inside it is not ours to swallow: it is posted again, so
// that the loop further out (another modal wait or the main loop) ends as well.
void WindowModel::ModalWait(UiHandle handle) {
  const UiHandle previous = currentModal_;
  currentModal_ = handle;
  const std::optional<int> quit = system_.RunLoop([this, handle] { return FindByHandle(handle) == nullptr; });
  currentModal_ = FindByHandle(previous) != nullptr ? previous : 0;
  if (quit) system_.PostQuit(*quit);
}

void WindowModel::RunHandler(const std::string& name) {
  if (name.empty()) return;
  const auto found = handlers_.find(name);
  if (found == handlers_.end() || !found->second) return;
  // A copy: the handler may run for a long time (a modal wait) while the table is used.
  const Handler handler = found->second;
  handler();
}

void WindowModel::UnloadWindow(std::string_view name) {
  LoadedWindow* window = FindAlive(name);
  if (window == nullptr) return;
  window->destroyPending = true;
  system_.PostDestroyRequest(window->handle);
}

void WindowModel::SetCaption(std::string_view name, std::string_view unit, std::string_view text) {
  LoadedWindow* window = Find(name);
  if (window == nullptr) return;
  if (unit.empty()) {
    window->working.settings.caption = std::string(text);
    if (system_.Exists(window->handle)) system_.SetText(window->handle, text);
    return;
  }
  auto& controls = window->working.controls;
  for (std::size_t index = 0; index < controls.size(); ++index) {
    if (controls[index].name != unit) continue;
    controls[index].text = std::string(text);
    if (window->controlHandles[index] != 0) system_.SetText(window->controlHandles[index], text);
    return;
  }
}

// The flag lives in the working copy, where the load reads it when it decides whether to show
// the window after its created event.
void WindowModel::SetVisible(std::string_view name, bool visible) {
  LoadedWindow* window = Find(name);
  if (window == nullptr) return;
  window->working.settings.initiallyVisible = visible;
  const UiHandle handle = window->handle;
  if (!system_.Exists(handle)) return;
  if (!visible) {
    system_.Show(handle, ShowCommand::Hide);
    return;
  }
  if (!window->firstShowPending) {
    system_.Show(handle, ShowCommand::Show);
    return;
  }
  window->firstShowPending = false;
  ShowByStartPosition(*window);
  if (window->modal) ModalWait(handle);
}

int WindowModel::GetChecked(std::string_view window, std::string_view unit) {
  const UiHandle control = ControlHandle(window, unit);
  return control != 0 && system_.IsChecked(control) ? 1 : 0;
}

bool WindowModel::IsLoaded(std::string_view window) const { return FindAlive(window) != nullptr; }

bool WindowModel::AnyWindowAlive() const {
  for (const auto& [name, window] : loaded_) {
    if (system_.Exists(window->handle)) return true;
  }
  return false;
}

std::string WindowModel::CurrentModalWindow() const {
  const LoadedWindow* window = FindByHandle(currentModal_);
  return window != nullptr ? window->name : std::string();
}

UiHandle WindowModel::WindowHandle(std::string_view window) const {
  const LoadedWindow* found = Find(window);
  return found != nullptr ? found->handle : 0;
}

UiHandle WindowModel::ControlHandle(std::string_view window, std::string_view unit) const {
  const LoadedWindow* found = Find(window);
  if (found == nullptr) return 0;
  const auto& controls = found->working.controls;
  for (std::size_t index = 0; index < controls.size(); ++index) {
    if (controls[index].name == unit) return found->controlHandles[index];
  }
  return 0;
}

const WindowDefinition* WindowModel::WorkingCopy(std::string_view window) const {
  const LoadedWindow* found = Find(window);
  return found != nullptr ? &found->working : nullptr;
}

// Events are dropped while they are held (a window is being built, or the program is shutting
// down), and for handles the model does not know: a window not loaded, or not yet built.

void WindowModel::OnClicked(UiHandle control) {
  if (EventsHeld() || control == 0) return;
  for (const auto& [name, window] : loaded_) {
    const auto& handles = window->controlHandles;
    for (std::size_t index = 0; index < handles.size(); ++index) {
      if (handles[index] != control) continue;
      const std::string handler = window->working.controls[index].clickHandler;
      RunHandler(handler);
      return;
    }
  }
}

void WindowModel::OnTimer(UiHandle handle, int timerId) {
  if (EventsHeld()) return;
  const LoadedWindow* window = FindByHandle(handle);
  if (window == nullptr) return;
  const auto timer = window->timers.find(timerId);
  if (timer == window->timers.end()) return;
  const std::string handler = window->working.controls[timer->second].tickHandler;
  RunHandler(handler);
}

// No may-close handler is bound in this program, so a close request always closes.
void WindowModel::OnCloseRequest(UiHandle handle) {
  if (EventsHeld()) return;
  LoadedWindow* window = FindByHandle(handle);
  if (window == nullptr) return;
  ReEnable(*window);
  system_.Destroy(handle);
}

// Carried out only while the destruction is still pending: a window already destroyed (at the
// end of its created event, or by a later load) is not found or not pending any more.
void WindowModel::OnDestroyRequest(UiHandle handle) {
  if (EventsHeld()) return;
  LoadedWindow* window = FindByHandle(handle);
  if (window == nullptr || !window->destroyPending) return;
  DestroyNow(*window);
}

// Not an event for handlers but the toolkit's report of a fact, so it is taken whatever the
// hold: the window's timers have stopped with it, and its working copy goes.
void WindowModel::OnDestroyed(UiHandle handle) {
  if (handle == 0) return;
  for (auto it = loaded_.begin(); it != loaded_.end(); ++it) {
    if (it->second->handle != handle) continue;
    loaded_.erase(it);
    if (currentModal_ == handle) currentModal_ = 0;
    if (loopStarted_ && !shuttingDown_ && !AnyWindowAlive()) system_.PostQuit(0);
    return;
  }
}

WindowModel::LoadedWindow* WindowModel::Find(std::string_view window) const {
  const auto found = loaded_.find(window);
  return found != loaded_.end() ? found->second.get() : nullptr;
}

WindowModel::LoadedWindow* WindowModel::FindAlive(std::string_view window) const {
  LoadedWindow* found = Find(window);
  return found != nullptr && system_.Exists(found->handle) ? found : nullptr;
}

WindowModel::LoadedWindow* WindowModel::FindByHandle(UiHandle handle) const {
  if (handle == 0) return nullptr;
  for (const auto& [name, window] : loaded_) {
    if (window->handle == handle) return window.get();
  }
  return nullptr;
}

}  // namespace tessivo::ui
