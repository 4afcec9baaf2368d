#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

#include "ui/Backend.h"
#include "ui/Dialogs.h"
#include "ui/Headless.h"
#include "ui/StdCtrls.h"

namespace qv::ui {

namespace {

struct Window {
  TWinControl* Control = nullptr;
  TRect Rect;
  WindowHandle Parent = nullptr;
  uint32_t ExStyle = 0;
  bool Child = false;
  int ShowCommand = -1;
};

MonitorHandle MonitorId(int n) {
  return reinterpret_cast<MonitorHandle>(uintptr_t(0x4D00 + n));
}

class HeadlessBackend final : public Backend {
 public:
  HeadlessBackend() { Reset(); }

  void Reset() {
    monitors_ = {{MonitorId(1), {0, 0, 1280, 1024}, {0, 0, 1280, 984}, true}};
    monitorOverride_.reset();
    active_ = nullptr;
    cursor_ = {};
    charWidth_ = 6;
    charHeight_ = 13;
    messageFont_ = TFont{.Name = "Tahoma", .Height = -11};
    modalAnswer_ = nullptr;
    fileAnswer_.reset();
    transcript_.clear();
    modalRuns_ = 0;
    lastFileDialog_.reset();
  }

  TSize ScreenSize() override {
    const MonitorInfo& p = Primary();
    return {p.Bounds.Width(), p.Bounds.Height()};
  }
  std::vector<MonitorInfo> Monitors() override { return monitors_; }

  MonitorHandle MonitorFromWindow(WindowHandle window) override {
    if (monitorOverride_) return *monitorOverride_;
    if (window == nullptr || windows_.find(Key(window)) == windows_.end()) return Primary().Handle;
    TRect r = WindowRect(window);
    const MonitorInfo* best = nullptr;
    long long bestArea = 0;
    for (const MonitorInfo& m : monitors_) {
      long long w = std::min(r.Right, m.Bounds.Right) - std::max(r.Left, m.Bounds.Left);
      long long h = std::min(r.Bottom, m.Bounds.Bottom) - std::max(r.Top, m.Bounds.Top);
      if (w > 0 && h > 0 && w * h > bestArea) {
        bestArea = w * h;
        best = &m;
      }
    }
    if (best != nullptr) return best->Handle;
    long long bestDistance = -1;
    for (const MonitorInfo& m : monitors_) {
      long long dx = std::max({0, m.Bounds.Left - r.Right, r.Left - m.Bounds.Right});
      long long dy = std::max({0, m.Bounds.Top - r.Bottom, r.Top - m.Bounds.Bottom});
      long long d = dx * dx + dy * dy;
      if (bestDistance < 0 || d < bestDistance) {
        bestDistance = d;
        best = &m;
      }
    }
    return best != nullptr ? best->Handle : nullptr;
  }

  WindowHandle ActiveWindow() override { return active_; }
  TPoint CursorPos() override { return cursor_; }
  std::optional<TFont> MessageFont() override { return messageFont_; }

  TSize TextExtent(const TFont&, std::string_view text) override {
    return {LineWidth(text), charHeight_};
  }

  TRect CalcTextRect(const TFont&, TRect rect, std::string_view given, TextFormat format) override {
    std::string processed = format.NoPrefix ? std::string(given) : StripAccelerators(given);
    std::string_view text = processed;
    int maxWidth = rect.Width();
    int widest = 0;
    int lines = 0;
    std::size_t start = 0;
    while (true) {
      std::size_t end = text.find('\n', start);
      std::string_view line =
          text.substr(start, end == std::string_view::npos ? text.npos : end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      for (int w : WrapLine(line, format, format.WordBreak ? maxWidth : -1)) {
        widest = std::max(widest, w);
        ++lines;
      }
      if (end == std::string_view::npos) break;
      start = end + 1;
    }
    rect.Right = rect.Left + widest;
    rect.Bottom = rect.Top + lines * charHeight_;
    return rect;
  }

  FrameMargins FrameFor(TFormBorderStyle style) override {
    switch (style) {
      case TFormBorderStyle::bsNone:
        return {};
      case TFormBorderStyle::bsSingle:
      case TFormBorderStyle::bsDialog:
        return {3, 25, 3, 3};
      case TFormBorderStyle::bsSizeable:
        return {4, 26, 4, 4};
      case TFormBorderStyle::bsToolWindow:
        return {3, 21, 3, 3};
      case TFormBorderStyle::bsSizeToolWin:
        return {4, 22, 4, 4};
    }
    return {};
  }

  WindowHandle NewWindow(TWinControl* control, const CreateParams& params) override {
    uintptr_t id = nextWindow_;
    nextWindow_ += 0x10;
    windows_[id] = Window{control, params.Bounds, params.Parent, params.ExStyle, params.Child};
    return reinterpret_cast<WindowHandle>(id);
  }

  void DestroyWindow(WindowHandle window) override {
    windows_.erase(Key(window));
    if (active_ == window) active_ = nullptr;
  }
  bool IsWindow(WindowHandle window) override { return windows_.count(Key(window)) != 0; }

  TRect WindowRect(WindowHandle window) override {
    auto it = windows_.find(Key(window));
    if (it == windows_.end()) return {};
    TRect r = it->second.Rect;
    if (it->second.Child && it->second.Parent != nullptr) {
      TRect p = WindowRect(it->second.Parent);
      r = {r.Left + p.Left, r.Top + p.Top, r.Right + p.Left, r.Bottom + p.Top};
    }
    return r;
  }

  void SetWindowPos(WindowHandle window, const TRect& bounds) override {
    auto it = windows_.find(Key(window));
    if (it == windows_.end()) return;
    it->second.Rect = bounds;
    if (it->second.Control != nullptr && it->second.Control->BoundsRect() != bounds)
      it->second.Control->WindowMoved(bounds);
  }

  void ShowWindow(WindowHandle window, int command) override {
    auto it = windows_.find(Key(window));
    if (it != windows_.end()) it->second.ShowCommand = command;
  }
  WindowHandle WindowParent(WindowHandle window) override {
    auto it = windows_.find(Key(window));
    return it == windows_.end() ? nullptr : it->second.Parent;
  }
  uint32_t WindowExStyle(WindowHandle window) override {
    auto it = windows_.find(Key(window));
    return it == windows_.end() ? 0 : it->second.ExStyle;
  }
  TWinControl* FindControl(WindowHandle window) override {
    auto it = windows_.find(Key(window));
    return it == windows_.end() ? nullptr : it->second.Control;
  }

  DrawingSurface CreateDrawingSurface(int width, int height) override {
    // Without a graphics system the image is plain memory; the bitmap and device context handles
    // are tokens that name it.
    auto* pixels =
        new uint32_t[static_cast<std::size_t>(width) * static_cast<std::size_t>(height)]();
    return {pixels, pixels, pixels, width, height};
  }
  void ReleaseDrawingSurface(DrawingSurface& surface) override {
    delete[] surface.Pixels;
    surface = {};
  }

  int RunModal(TCustomForm& form) override {
    ++modalRuns_;
    transcript_ = Transcript(form);
    std::fputs(transcript_.c_str(), stderr);
    WindowHandle previous = active_;
    active_ = form.Handle();
    struct Restore {
      HeadlessBackend& b;
      WindowHandle w;
      ~Restore() {
        if (b.active_ == nullptr || b.IsWindow(b.active_)) b.active_ = w;
      }
    } restore{*this, previous};
    if (modalAnswer_)
      modalAnswer_(form);
    else
      form.PressKey(vkReturn);
    return form.ModalResult() != mrNone ? form.ModalResult() : mrCancel;
  }

  bool RunFileDialog(FileDialogParams& params) override {
    WindowHandle dialog =
        NewWindow(nullptr, {params.Title, {0, 0, 560, 420}, 0, params.Owner, false});
    WindowHandle inner = NewWindow(nullptr, {"", {0, 0, 560, 420}, 0, dialog, true});
    if (params.Hook != nullptr) {
      NotifyHeader header{dialog, 0, cdnInitDone};
      (*params.Hook)(inner, wmNotify, 0, reinterpret_cast<intptr_t>(&header));
    }
    lastFileDialog_ = WindowRect(dialog);
    DestroyWindow(inner);
    DestroyWindow(dialog);
    std::fprintf(stderr, "[%s] file dialog: %s\n",
                 params.Title.empty() ? (params.Save ? "Save As" : "Open") : params.Title.c_str(),
                 fileAnswer_ ? fileAnswer_->c_str() : "cancelled");
    if (!fileAnswer_) return false;
    params.FileName = *fileAnswer_;
    return true;
  }

  // Settings.
  std::vector<MonitorInfo> monitors_;
  std::optional<MonitorHandle> monitorOverride_;
  WindowHandle active_ = nullptr;
  TPoint cursor_;
  int charWidth_ = 6;
  int charHeight_ = 13;
  std::optional<TFont> messageFont_;
  std::function<void(TCustomForm&)> modalAnswer_;
  std::optional<std::string> fileAnswer_;
  std::string transcript_;
  int modalRuns_ = 0;
  std::optional<TRect> lastFileDialog_;
  std::map<uintptr_t, Window> windows_;

 private:
  static uintptr_t Key(WindowHandle w) { return reinterpret_cast<uintptr_t>(w); }

  const MonitorInfo& Primary() const {
    for (const MonitorInfo& m : monitors_)
      if (m.Primary) return m;
    return monitors_.front();
  }

  int LineWidth(std::string_view text) const {
    int cells = 0;
    for (char c : text) cells = c == '\t' ? (cells / 8 + 1) * 8 : cells + 1;
    return cells * charWidth_;
  }

  // Widths of the lines that one text line breaks into.
  std::vector<int> WrapLine(std::string_view line, TextFormat format, int maxWidth) const {
    auto width = [&](std::string_view s) {
      if (format.ExpandTabs) return LineWidth(s);
      return static_cast<int>(s.size()) * charWidth_;
    };
    if (maxWidth < 0) return {width(line)};
    // Greedy: each line takes as many words as fit; a word that does not fit on a line of its own
    // stays whole; the spaces at a break belong to no line.
    std::vector<int> result;
    const std::size_t n = line.size();
    std::size_t i = 0;
    do {
      const std::size_t lineStart = i;
      std::size_t fitEnd = std::string_view::npos;
      std::size_t j = i;
      while (j < n) {
        std::size_t k = j;
        while (k < n && line[k] == ' ') ++k;
        while (k < n && line[k] != ' ') ++k;
        bool fits = width(line.substr(lineStart, k - lineStart)) <= maxWidth;
        if (!fits && fitEnd != std::string_view::npos) break;
        fitEnd = k;
        j = k;
        if (!fits) break;
      }
      if (fitEnd == std::string_view::npos) fitEnd = n;
      std::size_t end = fitEnd;
      result.push_back(width(line.substr(lineStart, end - lineStart)));
      i = fitEnd;
      while (i < n && line[i] == ' ') ++i;
    } while (i < n);
    return result;
  }

  static void CollectTexts(TWinControl& parent, std::string& texts, std::string& buttons) {
    for (TControl* c : parent.Controls()) {
      if (auto* label = dynamic_cast<TLabel*>(c)) {
        if (!texts.empty()) texts += '\n';
        texts += label->DisplayText();
      } else if (auto* button = dynamic_cast<TButton*>(c)) {
        buttons += buttons.empty() ? "[" : " [";
        buttons += StripAccelerators(button->Caption());
        if (button->Default()) buttons += ", default";
        if (button->Cancel()) buttons += ", cancel";
        buttons += "]";
      }
      if (auto* w = dynamic_cast<TWinControl*>(c); w != nullptr && !dynamic_cast<TButton*>(c))
        CollectTexts(*w, texts, buttons);
    }
  }

  static std::string Transcript(TCustomForm& form) {
    std::string texts, buttons;
    CollectTexts(form, texts, buttons);
    std::string t = "[" + form.Caption() + "] " + texts + "\n";
    if (!buttons.empty()) t += "  buttons: " + buttons + "\n";
    return t;
  }

  uintptr_t nextWindow_ = 0x10000;
};

HeadlessBackend& Headless() {
  static HeadlessBackend backend;
  return backend;
}

}  // namespace

Backend& HeadlessBackendInstance() {
  return Headless();
}

namespace headless {

void Reset() {
  Headless().Reset();
  SetBackend(&Headless());
}
void SetMonitors(std::vector<MonitorInfo> monitors) {
  if (monitors.empty()) return;
  bool anyPrimary =
      std::any_of(monitors.begin(), monitors.end(), [](const MonitorInfo& m) { return m.Primary; });
  if (!anyPrimary) monitors.front().Primary = true;
  int n = 1;
  for (MonitorInfo& m : monitors) {
    if (m.Handle == nullptr) m.Handle = MonitorId(n);
    ++n;
  }
  Headless().monitors_ = std::move(monitors);
}
void SetMonitorOverride(std::optional<MonitorHandle> monitor) {
  Headless().monitorOverride_ = monitor;
}
void SetActiveWindow(WindowHandle window) {
  Headless().active_ = window;
}
WindowHandle CreateForeignWindow(const TRect& bounds, WindowHandle parent) {
  return Headless().NewWindow(nullptr, {"", bounds, 0, parent, false});
}
void SetCursorPos(TPoint position) {
  Headless().cursor_ = position;
}
void SetCharSize(int width, int height) {
  Headless().charWidth_ = width;
  Headless().charHeight_ = height;
}
void SetMessageFont(std::optional<TFont> font) {
  Headless().messageFont_ = std::move(font);
}
void SetModalAnswer(std::function<void(TCustomForm&)> answer) {
  Headless().modalAnswer_ = std::move(answer);
}
void SetFileDialogAnswer(std::optional<std::string> fileName) {
  Headless().fileAnswer_ = std::move(fileName);
}
const std::string& LastModalTranscript() {
  return Headless().transcript_;
}
int ModalRunCount() {
  return Headless().modalRuns_;
}
std::optional<TRect> LastFileDialogRect() {
  return Headless().lastFileDialog_;
}
int LastShowCommand(WindowHandle window) {
  auto& w = Headless().windows_;
  auto it = w.find(reinterpret_cast<uintptr_t>(window));
  return it == w.end() ? -1 : it->second.ShowCommand;
}

}  // namespace headless

}  // namespace qv::ui
