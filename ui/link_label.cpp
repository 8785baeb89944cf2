// Link label behaviour: text, colour, hovering, and opening the address.
#include "ui/link_label.h"

#include <algorithm>

#include "platform/registry.h"
#include "platform/shell.h"
#include "text/cp936.h"

namespace tessivo::ui {
namespace {

constexpr std::string_view kMailtoPrefix = "mailto:";
constexpr std::string_view kHtmlExtensionKey = ".htm";
constexpr std::string_view kOpenCommandSuffix = "\\shell\\open\\command";
constexpr std::string_view kQuotedPlaceholder = "\"%1\"";
constexpr std::string_view kBarePlaceholder = "%1";

}  // namespace

int LinkKind(const ControlDefinition& label) { return std::clamp(label.linkKind, kLinkKindEmail, kLinkKindWeb); }

std::string LinkLabelText(const ControlDefinition& label) {
  if (!label.text.empty()) return label.text;
  return LinkKind(label) == kLinkKindWeb ? label.webAddress : label.emailAddress;
}

Color LinkLabelTextColor(const ControlDefinition& label, const LinkLabelState& state) {
  if (state.hovering) return label.hoverColor;
  return state.visited ? label.visitedColor : label.normalColor;
}

std::string LinkTarget(const ControlDefinition& label) {
  if (LinkKind(label) == kLinkKindWeb) return label.webAddress;
  if (label.emailAddress.empty()) return {};
  std::string target(kMailtoPrefix);
  target.append(label.emailAddress);
  return target;
}

MouseMoveResult OnLinkLabelMouseMove(LinkLabelState& state, bool inside, bool hasCapture) {
  if (!state.hovering) {
    // The capture brings the label the move that leaves it, so it can stop hovering.
    state.hovering = true;
    return {true, CaptureChange::Take};
  }
  if (!inside) {
    state.hovering = false;
    return {true, CaptureChange::Release};
  }
  return {false, hasCapture ? CaptureChange::None : CaptureChange::Take};
}

std::optional<std::string> FallbackCommandLine(std::string_view command, std::string_view target) {
  std::size_t cut = text::Find(command, kQuotedPlaceholder);
  if (cut == std::string_view::npos) cut = text::Find(command, kBarePlaceholder);
  if (cut != std::string_view::npos) command = command.substr(0, cut);

  if (command.size() + 1 + target.size() + 1 > kFallbackCommandLineBytes) return std::nullopt;
  std::string line(command);
  line.append(" ").append(target);
  return line;
}

bool OpenLinkAddress(const ControlDefinition& label, Shell& shell, Registry& registry) {
  const std::string target = LinkTarget(label);
  if (target.empty()) return false;

  if (shell.ShellOpen(0, target, ShellShow::Show) > kShellSuccessAbove) return true;

  // The shell could not open it: start the program that opens HTML files, by hand.
  const std::optional<std::string> htmlClass = registry.ReadDefaultValue(RegistryRoot::ClassesRoot, kHtmlExtensionKey);
  if (!htmlClass) return false;
  std::string commandKey = *htmlClass;
  commandKey.append(kOpenCommandSuffix);
  const std::optional<std::string> command = registry.ReadDefaultValue(RegistryRoot::ClassesRoot, commandKey);
  if (!command) return false;

  const std::optional<std::string> line = FallbackCommandLine(*command, target);
  if (!line) return false;
  return shell.RunCommandLine(*line, ShellShow::Show) > kShellSuccessAbove;
}

bool OnLinkLabelPress(LinkLabelState& state, const ControlDefinition& label, Shell& shell, Registry& registry) {
  state.visited = OpenLinkAddress(label, shell, registry);
  return state.visited;
}

}  // namespace tessivo::ui
