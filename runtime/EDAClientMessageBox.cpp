#include "runtime/EDAClientMessageBox.h"

#include <algorithm>
#include <array>

#include "runtime/ClientProcs.h"
#include "ui/Application.h"
#include "ui/StdCtrls.h"

namespace qv {

using namespace ui;

const TClass& TEDAClientMessageForm::StaticClass() {
  static const TClass c("TEDAClientMessageForm", &TForm::StaticClass());
  return c;
}

TEDAClientMessageForm::TEDAClientMessageForm() {
  if (std::optional<TFont> font = CurrentBackend().MessageFont()) Font() = *font;
}

void TEDAClientMessageForm::CreateParamsFor(CreateParams& params) {
  TForm::CreateParamsFor(params);
  params.Parent = GetClientWindow();
}

void TEDAClientMessageForm::HelpButtonClick() {
  Application().HelpContext(HelpContext(), HelpFile());
}

int IconForKind(TMsgDlgType kind) {
  switch (kind) {
    case TMsgDlgType::mtWarning:
      return idiExclamation;
    case TMsgDlgType::mtError:
      return idiHand;
    case TMsgDlgType::mtInformation:
      return idiAsterisk;
    case TMsgDlgType::mtConfirmation:
      return idiQuestion;
    case TMsgDlgType::mtCustom:
      break;
  }
  return 0;
}

namespace {

struct ButtonKind {
  const char* Name;
  const char* Caption;
  int Result;
};
constexpr std::array<ButtonKind, 11> buttonKinds{{{"Yes", "&Yes", mrYes},
                                                  {"No", "&No", mrNo},
                                                  {"OK", "OK", mrOk},
                                                  {"Cancel", "Cancel", mrCancel},
                                                  {"Abort", "&Abort", mrAbort},
                                                  {"Retry", "&Retry", mrRetry},
                                                  {"Ignore", "&Ignore", mrIgnore},
                                                  {"All", "All", mrAll},
                                                  {"NoToAll", "NoToAll", mrNoToAll},
                                                  {"YesToAll", "YesToAll", mrYesToAll},
                                                  {"Help", "&Help", mrNone}}};
constexpr int helpBit = 10;

// The average character width (truncated) and height of the canvas's font.
TSize AverageCharSize(const TCanvas& canvas) {
  TSize s = canvas.TextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return {s.Width / 52, s.Height};
}

}  // namespace

std::unique_ptr<TEDAClientMessageForm> CreateMessageForm(std::string_view text, TMsgDlgType kind,
                                                         TMsgDlgButtons buttons) {
  auto form = New<TEDAClientMessageForm>();
  form->SetBorderStyle(TFormBorderStyle::bsDialog);
  form->SetPosition(TPosition::poDesigned);
  form->Canvas().Font = form->Font();

  TSize dialogUnits = AverageCharSize(form->Canvas());
  const int w = dialogUnits.Width, h = dialogUnits.Height;
  const int horzMargin = MulDiv(8, w, 4);
  const int vertMargin = MulDiv(8, h, 8);
  const int horzSpacing = MulDiv(10, w, 4);
  const int vertSpacing = MulDiv(10, h, 8);
  const int buttonWidth = MulDiv(50, w, 4);
  const int buttonHeight = MulDiv(14, h, 8);
  const int buttonSpacing = MulDiv(4, w, 4);

  TRect textRect = form->Canvas().CalcTextRect({0, 0, Screen().Width() / 2, 0}, text,
                                               {.WordBreak = true, .ExpandTabs = true});
  const int textWidth = textRect.Right;
  const int textHeight = textRect.Bottom;

  const int icon = IconForKind(kind);
  int areaWidth = textWidth;
  int areaHeight = textHeight;
  if (icon != 0) {
    areaWidth += 32 + horzSpacing;
    areaHeight = std::max(areaHeight, 32);
  }

  int count = 0;
  for (std::size_t bit = 0; bit < buttonKinds.size(); ++bit)
    if (buttons & (1u << bit)) ++count;
  const int rowWidth = count == 0 ? 0 : buttonWidth * count + buttonSpacing * (count - 1);

  form->SetClientWidth(std::max(areaWidth, rowWidth) + horzMargin * 2);
  form->SetClientHeight(areaHeight + buttonHeight + vertSpacing + vertMargin * 2);
  form->SetLeft(Screen().Width() / 2 - form->Width() / 2);
  form->SetTop(Screen().Height() / 2 - form->Height() / 2);
  form->SetCaption(Application().Title);

  if (icon != 0) {
    auto& image = Create<TImage>(*form);
    image.SetName("Image");
    image.SetParent(form.get());
    image.SetIcon(icon);
    image.SetBounds(horzMargin, vertMargin, 32, 32);
  }
  auto& message = Create<TLabel>(*form);
  message.SetName("Message");
  message.SetParent(form.get());
  message.SetWordWrap(true);
  message.SetCaption(std::string(text));
  message.SetBounds(areaWidth - textWidth + horzMargin, vertMargin, textWidth, textHeight);

  const TMsgDlgButtons defaultButton = (buttons & mbOK)    ? mbOK
                                       : (buttons & mbYes) ? mbYes
                                                           : mbRetry;
  const TMsgDlgButtons cancelButton = (buttons & mbCancel) ? mbCancel
                                      : (buttons & mbNo)   ? mbNo
                                                           : mbOK;
  int x = (form->ClientWidth() - rowWidth) / 2;
  for (std::size_t bit = 0; bit < buttonKinds.size(); ++bit) {
    const TMsgDlgButtons flag = static_cast<TMsgDlgButtons>(1u << bit);
    if (!(buttons & flag)) continue;
    auto& button = Create<TButton>(*form);
    button.SetName(buttonKinds[bit].Name);
    button.SetCaption(buttonKinds[bit].Caption);
    button.SetModalResult(buttonKinds[bit].Result);
    button.SetDefault(flag == defaultButton);
    button.SetCancel(flag == cancelButton);
    if (bit == helpBit) {
      TEDAClientMessageForm* owner = form.get();
      button.OnClick = [owner](TControl&) { owner->HelpButtonClick(); };
    }
    button.SetParent(form.get());
    button.SetBounds(x, areaHeight + vertMargin + vertSpacing, buttonWidth, buttonHeight);
    x += buttonWidth + buttonSpacing;
  }
  return form;
}

void CentreOnActiveMonitor(TCustomForm& form) {
  Backend& backend = CurrentBackend();
  MonitorHandle handle = backend.MonitorFromWindow(backend.ActiveWindow());
  std::optional<TMonitor> monitor = Screen().FindMonitor(handle);
  if (!monitor) return;
  TPoint p = CentreIn(monitor->BoundsRect, form.Width(), form.Height());
  form.SetBounds(p.X, p.Y, form.Width(), form.Height());
}

int ShowMessageFormAt(std::string_view text, std::string_view title, TMsgDlgType kind,
                      TMsgDlgButtons buttons, int helpContext, int x, int y,
                      std::string_view helpFile) {
  std::unique_ptr<TEDAClientMessageForm> form = CreateMessageForm(text, kind, buttons);
  form->SetHelpContext(helpContext);
  form->SetHelpFile(std::string(helpFile));
  if (x >= 0) form->SetLeft(x);
  if (y >= 0) form->SetTop(y);
  if (x < 0 && y < 0) CentreOnActiveMonitor(*form);
  form->SetCaption(std::string(title));
  return form->ShowModal();
}

int ShowMessageBox(std::string_view text, std::string_view title, TMsgDlgType kind,
                   TMsgDlgButtons buttons) {
  std::string shown;
  shown.reserve(text.size());
  for (char c : text) {
    shown += c;
    if (c == '&') shown += '&';
  }
  return ShowMessageFormAt(shown, title, kind, buttons, -1, -1, -1, {});
}

void ShowError(std::string_view text) {
  ShowMessageBox(text, "Vantrope Error", TMsgDlgType::mtError, mbOK);
}

void ShowInformation(std::string_view text) {
  ShowMessageBox(text, "Vantrope Information", TMsgDlgType::mtInformation, mbOK);
}

}  // namespace qv
