// Link labels: the behaviour every link label shares, whatever draws it. The text it shows and
// in which colour, how the mouse moves change its state, and opening its address through the
// shell, with a fallback through the .htm association when the shell cannot.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ui/window_definition.h"

namespace tessivo {
class Registry;
class Shell;
}  // namespace tessivo

namespace tessivo::ui {

struct LinkLabelState {
  bool hovering = false;  // from the first mouse move over it until the pointer is seen outside
  bool visited = false;   // the most recent press opened the address
};

// The kind, with values above 1 taken as 1 (web) and below 0 as 0 (e-mail).
int LinkKind(const ControlDefinition& label);

// The caption, or the address when the caption is empty.
std::string LinkLabelText(const ControlDefinition& label);

// Hover colour while hovering, else visited colour when visited, else the normal colour.
Color LinkLabelTextColor(const ControlDefinition& label, const LinkLabelState& state);

// What opening the label targets: the web address, or "mailto:" and the e-mail address; empty
// when the address is empty.
std::string LinkTarget(const ControlDefinition& label);

enum class CaptureChange { None, Take, Release };

struct MouseMoveResult {
  bool repaint = false;
  CaptureChange capture = CaptureChange::None;
};

// A mouse move that the label received: `inside` whether the pointer is in its client area,
// `hasCapture` whether the label holds the mouse capture now.
MouseMoveResult OnLinkLabelMouseMove(LinkLabelState& state, bool inside, bool hasCapture);

// The fallback command line: `command` (the .htm class's open command) cut at the first "%1"
// in quotes, else at the first bare %1, then one space and the target. Nothing when the result
// with its terminating zero would not fit kFallbackCommandLineBytes: a cut address would
// open the wrong page.
inline constexpr std::size_t kFallbackCommandLineBytes = 520;
std::optional<std::string> FallbackCommandLine(std::string_view command, std::string_view target);

// Opens the label's address: the shell's "open" with no owner; when the shell fails, the
// program of the .htm association with the address appended. True when something was started.
bool OpenLinkAddress(const ControlDefinition& label, Shell& shell, Registry& registry);

// A press of the left button: opens the address and records the outcome as visited. True
// when the label is to be repainted (only after a successful open).
bool OnLinkLabelPress(LinkLabelState& state, const ControlDefinition& label, Shell& shell, Registry& registry);

}  // namespace tessivo::ui
