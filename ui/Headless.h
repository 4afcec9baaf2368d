#pragma once
// Settings of the headless back end, the one in use where there are no real windows. Its
// deterministic metrics:
//  - Screen: one monitor of 1280 by 1024 pixels at (0, 0), work area without the bottom 40 pixels.
//  - Text: every character of every font is CharWidth (6) pixels wide and each line CharHeight
//    (13) pixels high. Tabs advance to the next multiple of 8 character widths. Lines end at "\n"
//    (a "\r" before it is dropped). Unless told otherwise, text rectangles are measured with prefix
//    processing: "&&" counts as one "&" and a single "&" as nothing. With word breaking, a line
//    breaks at the last space before the text would pass the width, the spaces at the break are not
//    counted, and a word wider than the width stays whole on a line of its own. The measured
//    rectangle is as wide as the widest line and as high as the lines; empty text is one line high
//    and 0 wide.
//  - Message font: "Tahoma", height -11.
//  - Window frames: none for bsNone; borders 3 and caption 22 for bsSingle and bsDialog; borders 4
//    and caption 22 for bsSizeable; borders 3 and caption 18 for bsToolWindow; borders 4 and
//    caption 18 for bsSizeToolWin.
//  - Modal forms: the form's caption, its labels' texts and its buttons are printed to standard
//    error; then the installed answer runs, or else Enter is pressed (the default button). A form
//    left without modal result counts as closed by its close button (mrCancel).
//  - File dialogs: 560 by 420 pixels; the hook procedure gets cdnInitDone; the answer is the
//    installed file name, or the user cancels.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/Backend.h"
#include "ui/Forms.h"

namespace qv::ui::headless {

// Back to the defaults above (one monitor, no active window, cursor at (0, 0), no installed
// answers, nothing recorded) and makes the headless back end the one in use. Windows that exist
// stay; they belong to live controls or to earlier tests and are never active again by themselves.
void Reset();
// Monitors in order; the first is the primary one unless one is marked. Handles left none get one.
void SetMonitors(std::vector<MonitorInfo> monitors);
// Lets MonitorFromWindow answer a monitor that is not among SetMonitors' (a monitor the framework
// does not know); none: back to the normal search.
void SetMonitorOverride(std::optional<MonitorHandle> monitor);
void SetActiveWindow(WindowHandle window);
// A window that belongs to no control (another program's, or a system dialog's).
WindowHandle CreateForeignWindow(const TRect& bounds, WindowHandle parent = nullptr);
void SetCursorPos(TPoint position);
void SetCharSize(int width, int height);
void SetMessageFont(std::optional<TFont> font);
// Runs when a modal form is shown, in place of pressing Enter; it ends the run by giving the form
// a modal result (for instance by clicking a button or pressing a key).
void SetModalAnswer(std::function<void(TCustomForm&)> answer);
// The file that the next file dialogs choose; none: the user cancels.
void SetFileDialogAnswer(std::optional<std::string> fileName);

// What the last modal run printed.
const std::string& LastModalTranscript();
int ModalRunCount();
// The rectangle of the last file dialog when it closed, and its number of runs.
std::optional<TRect> LastFileDialogRect();
// The last show command given to a window (-1: none yet).
int LastShowCommand(WindowHandle window);

}  // namespace qv::ui::headless
