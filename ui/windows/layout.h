// Building blocks for the windows' layout tables, so that each table reads as the layout does:
// unit, kind, container, rectangle, text, and what differs from the defaults.
#pragma once

#include <string>
#include <string_view>

#include "ui/window_definition.h"

namespace tessivo::ui {

// A control with the defaults of every layout: black text on the button face, no border,
// left-aligned and vertically centred, the default GUI font, visible, enabled, no tab stop.
// `container` is empty for the window itself, else the unit name of a group box.
inline ControlDefinition MakeControl(std::string_view name, ControlKind kind, std::string_view container, Rect rect,
                                     std::string_view text) {
  ControlDefinition c;
  c.name = std::string(name);
  c.kind = kind;
  c.container = std::string(container);
  c.rect = rect;
  c.text = std::string(text);
  return c;
}

// A link label to a web address: `normal` when not hovered (and after a visit), `hover` under
// the mouse.
inline ControlDefinition MakeWebLink(std::string_view name, std::string_view container, Rect rect,
                                     std::string_view text, std::string_view address, Color normal, Color hover) {
  ControlDefinition c = MakeControl(name, ControlKind::LinkLabel, container, rect, text);
  c.linkKind = kLinkKindWeb;
  c.webAddress = std::string(address);
  c.normalColor = normal;
  c.visitedColor = normal;
  c.hoverColor = hover;
  return c;
}

// The framed links' font: Microsoft YaHei at a 12-pixel character height, normal weight.
inline FontDescription YaHei12() {
  FontDescription font;
  font.faceName = "微软雅黑";
  font.height = -12;
  font.weight = 400;
  return font;
}

}  // namespace tessivo::ui
