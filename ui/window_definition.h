// Window definitions: the fixed layout data of a window (settings, controls in creation order,
// bindings of events to handlers by name). Loading a window takes a working copy of its
// definition; nothing here refers to a window toolkit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessivo::ui {

// An RGB colour.
struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Color&, const Color&) = default;
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kRed{255, 0, 0};
inline constexpr Color kBlue{0, 0, 255};

// A rectangle in pixels: left and top from the top-left corner of the containing unit's
// client area.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// A font by its logical description. The toolkit fills in what is not given here from its
// defaults; no entry at all means the system's default GUI font.
struct FontDescription {
  std::string faceName;  // code page 936
  int height = 0;        // logical height; negative for a character height
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

// The six border values that labels and link labels share.
enum class Border : int {
  None = 0,
  Sunken = 1,            // client edge
  RaisedDialog = 2,      // dialog modal frame
  Static = 3,            // static edge
  SunkenAndRaised = 4,   // 1 and 2 together
  SingleLine = 5,        // a one-pixel frame
};

enum class HorizontalAlignment { Left, Center, Right };
enum class VerticalAlignment { Top, Center, Bottom };

enum class ControlKind { Label, PushButton, RadioButton, GroupBox, LinkLabel, Timer };

// Link label kinds.
inline constexpr int kLinkKindEmail = 0;
inline constexpr int kLinkKindWeb = 1;

struct ControlDefinition {
  std::string name;       // the unit name, unique within its window ("标签8", "同步按钮")
  ControlKind kind = ControlKind::Label;
  std::string container;  // empty: the window; else the unit name of a group box
  Rect rect;
  std::string text;
  bool visible = true;
  bool enabled = true;
  bool tabStop = false;

  Color textColor = kBlack;
  std::optional<Color> backColor;  // none: the system's button-face colour
  Border border = Border::None;
  HorizontalAlignment horizontalAlignment = HorizontalAlignment::Left;
  VerticalAlignment verticalAlignment = VerticalAlignment::Center;
  std::optional<FontDescription> font;  // none: the system's default GUI font

  bool checked = false;  // radio button

  // Link label.
  int linkKind = kLinkKindWeb;
  std::string webAddress;
  std::string emailAddress;
  Color normalColor = kBlue;
  Color visitedColor = kBlue;
  Color hoverColor = kRed;

  int periodMs = 0;  // timer; 0 or less: no ticks

  std::string clickHandler;  // push button: the handler its click runs
  std::string tickHandler;   // timer: the handler every tick runs
};

enum class StartPosition { AtLeftTop, CenterScreen, Minimized, Maximized };

struct WindowSettings {
  std::string caption;  // empty together with no system menu: no title bar
  Size outerSize;       // frame and title bar included
  StartPosition startPosition = StartPosition::CenterScreen;
  int left = 0;  // for AtLeftTop
  int top = 0;

  bool systemMenu = true;  // with the close button
  bool minimizeButton = false;
  bool maximizeButton = false;
  bool taskbarButton = true;
  bool alwaysOnTop = false;
  bool initiallyVisible = true;

  bool enterMovesFocus = false;    // Enter acts as Tab
  bool escapeCloses = false;       // Esc is a close request
  bool dragAnywhere = false;       // dragging the surface or a label moves the window
  bool keepActiveTitleBar = false; // the title bar stays in its active colouring

  std::string createdHandler;  // runs once per load, before the first show
};

struct WindowDefinition {
  std::string name;  // "MainWindow"
  WindowSettings settings;
  std::vector<ControlDefinition> controls;  // in creation order, which is stacking order
};

}  // namespace tessivo::ui
