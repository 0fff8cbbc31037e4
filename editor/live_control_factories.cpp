#include "editor/live_control_factories.h"

#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "editor/live_placeholder.h"
#include "editor/skin_view.h"
#include "imaging/dib_image.h"
#include "model/skin_object.h"
#include "model/skin_object_kind.h"
#include "runtime/skin_animation_wnd.h"
#include "runtime/skin_button_wnd.h"
#include "runtime/skin_drive_list_wnd.h"
#include "runtime/skin_list_wnd.h"
#include "runtime/skin_scroll_bar_wnd.h"
#include "runtime/skin_slider_wnd.h"
#include "runtime/skin_text_wnd.h"
#include "runtime/skin_vu_meter_wnd.h"
#include "ui/cfont.h"
#include "ui/crgn.h"

namespace {

// The picture at position index when it holds pixels; none otherwise.
const DibImage* ImageAt(const SkinObject& object, size_t index) {
  if (index >= object.images.size() || object.images[index] == nullptr) return nullptr;
  return object.images[index]->IsValid() ? object.images[index].get() : nullptr;
}

bool HasAnyImage(const SkinObject& object) {
  for (size_t i = 0; i < object.images.size(); ++i)
    if (ImageAt(object, i) != nullptr) return true;
  return false;
}

// The block's font, handed to the control, which keeps a copy of its own.
void HandFontTo(CWnd& control, const SkinObject& object) {
  LOGFONTA description;
  if (!object.GetFont(description)) return;
  CFont font;
  if (font.CreateFontIndirect(&description))
    control.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
}

std::unique_ptr<CWnd> MakeButton(CSkinView& view, SkinObject& object) {
  if (!HasAnyImage(object)) return nullptr;
  std::unique_ptr<SkinButtonWnd> button(new (std::nothrow) SkinButtonWnd);
  if (button == nullptr) return nullptr;
  button->SetCheckBox(object.block.CheckBox());
  CRgn windowRegion;
  CRgn mouseRegion;
  object.GetWindowRegion(windowRegion);
  object.MouseRegion(mouseRegion);
  if (!button->Create(&view, ImageAt(object, 0), ImageAt(object, 1), ImageAt(object, 2),
                      ImageAt(object, 3), &windowRegion, &mouseRegion, CSkinView::kLiveControlId)) {
    return button;  // a windowless entry
  }
  view.AddLiveToolTip(*button, object.name);
  button->SetMoveMode(view.IsEditMode());
  const CRect rect = view.LiveControlRect(object);
  button->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  HandFontTo(*button, object);
  view.ShowLiveControl(*button, object);
  return button;
}

// Sliders need their two pictures; without them there is no window.
std::unique_ptr<CWnd> MakeSlider(CSkinView& view, SkinObject& object) {
  if (object.images.size() < 2) return nullptr;
  std::unique_ptr<SkinSliderWnd> slider(new (std::nothrow) SkinSliderWnd);
  if (slider == nullptr) return nullptr;
  slider->SetVertical(object.orientation == SkinObject::kVertical);
  slider->SetAsPoint(object.block.AsPoint());
  CRgn shape;
  const bool shaped = object.GetWindowRegion(shape);
  if (!slider->Create(ImageAt(object, 0), ImageAt(object, 1), view.LiveControlRect(object),
                      shaped ? &shape : nullptr, view.LiveControlStyle(), &view,
                      object.kind == SkinObjectKind::kCustomSlider, CSkinView::kLiveControlId)) {
    return slider;
  }
  if (view.IsEditMode()) {
    slider->SetMoveMode(true);
    slider->SetPos(50);
  }
  view.ShowLiveControl(*slider, object);
  return slider;
}

// The editor fills lists with this many sample rows, so their scrolling
// can be tried.
constexpr int kPreviewRows = 100;

std::vector<std::string> PreviewRows(const char* format) {
  std::vector<std::string> rows;
  rows.reserve(kPreviewRows);
  for (int number = 1; number <= kPreviewRows; ++number) {
    char text[32];
    std::snprintf(text, sizeof text, format, number);
    rows.push_back(text);
  }
  return rows;
}

std::unique_ptr<CWnd> MakeListBox(CSkinView& view, SkinObject& object) {
  std::unique_ptr<SkinListWnd> list(new (std::nothrow) SkinListWnd);
  if (list == nullptr) return nullptr;
  // Rows copy the colours when they are added, and the scroll bar makes its
  // default pictures at creation: both are set first.
  list->SetTextColor(object.block.TextColor());
  list->SetSelTextColor(object.block.SelectedTextColor());
  // The skin's pictures only when all 13 are there.
  if (object.images.size() == 13) {
    list->SetBackground(ImageAt(object, 0));
    SkinScrollBarWnd& bar = list->ScrollBar();
    bar.SetTrackBackground(ImageAt(object, 1));
    bar.SetThumbBitmaps(ImageAt(object, 2), ImageAt(object, 3), ImageAt(object, 4));
    bar.SetUpArrowBitmaps(ImageAt(object, 5), ImageAt(object, 6), ImageAt(object, 7),
                          ImageAt(object, 8));
    bar.SetDownArrowBitmaps(ImageAt(object, 9), ImageAt(object, 10), ImageAt(object, 11),
                            ImageAt(object, 12));
  }
  if (!list->Create(view.LiveControlStyle(), view.LiveControlRect(object), &view,
                    CSkinView::kLiveControlId)) {
    return list;
  }
  list->SetMoveMode(view.IsEditMode());
  if (view.IsEditMode()) list->AddItems(PreviewRows("Item %d"));
  HandFontTo(*list, object);
  view.ShowLiveControl(*list, object);
  return list;
}

std::unique_ptr<CWnd> MakeDriveList(CSkinView& view, SkinObject& object) {
  std::unique_ptr<SkinDriveListWnd> drives(new (std::nothrow) SkinDriveListWnd);
  if (drives == nullptr) return nullptr;
  drives->SetBackground(ImageAt(object, 0));
  drives->SetUpArrowBitmaps(ImageAt(object, 1), ImageAt(object, 2), ImageAt(object, 3),
                            ImageAt(object, 4));
  drives->SetDownArrowBitmaps(ImageAt(object, 5), ImageAt(object, 6), ImageAt(object, 7),
                              ImageAt(object, 8));
  drives->SetDriveBitmaps(ImageAt(object, 9), ImageAt(object, 10), ImageAt(object, 11));
  drives->SetTextColor(object.block.TextColor());
  if (!drives->Create(view.LiveControlStyle(), view.LiveControlRect(object), &view,
                      CSkinView::kLiveControlId)) {
    return drives;
  }
  drives->SetMoveMode(view.IsEditMode());
  if (view.IsEditMode()) drives->AddItems(PreviewRows("Drive %d"));
  HandFontTo(*drives, object);
  view.ShowLiveControl(*drives, object);
  return drives;
}

std::unique_ptr<CWnd> MakeText(CSkinView& view, SkinObject& object) {
  std::unique_ptr<SkinTextWnd> text(new (std::nothrow) SkinTextWnd);
  if (text == nullptr) return nullptr;
  text->SetBackground(ImageAt(object, 0));
  text->SetForeground(ImageAt(object, 1));
  text->SetTextColor(object.block.TextColor());
  text->SetKind(static_cast<int>(object.block.TextType()));
  text->SetMoveMode(view.IsEditMode());
  if (!text->Create(view.LiveControlStyle(), view.LiveControlRect(object), &view,
                    CSkinView::kLiveControlId)) {
    return text;  // a windowless entry
  }
  text->SetWindowText(object.name);
  HandFontTo(*text, object);
  view.ShowLiveControl(*text, object);
  return text;
}

// An animation is always shown (the visible flag does not hide it) and has
// no sizing frame; played once, it starts its run right away.
std::unique_ptr<CWnd> MakeAnimation(CSkinView& view, SkinObject& object) {
  std::unique_ptr<SkinAnimationWnd> animation(new (std::nothrow) SkinAnimationWnd);
  if (animation == nullptr) return nullptr;
  const bool repeat = object.block.Repeat();
  animation->SetFrames(&object);
  animation->SetSpeed(object.block.FrameInterval());
  animation->SetAutoPlay(repeat);
  animation->SetStopAtEnd(!repeat);
  animation->SetPlayOnHover(object.block.PlayOnMouseOver());
  animation->SetMoveMode(view.IsEditMode());
  if (!animation->Create(WS_CHILD | WS_VISIBLE, view.LiveControlRect(object), &view,
                         CSkinView::kLiveControlId)) {
    return animation;
  }
  if (!repeat) {
    animation->StartRun();
    animation->UpdateWindow();
  }
  return animation;
}

std::unique_ptr<CWnd> MakeVUMeter(CSkinView& view, SkinObject& object) {
  std::unique_ptr<SkinVUMeterWnd> meter(new (std::nothrow) SkinVUMeterWnd);
  if (meter == nullptr) return nullptr;
  const ObjectBlock& block = object.block;
  meter->SetMoveMode(view.IsEditMode());
  meter->SetStretchBitmaps(view.IsEditMode());
  meter->SetBackBitmap(ImageAt(object, 0));
  meter->SetForeBitmap(ImageAt(object, 1));
  meter->SetBackColor(block.VuBackgroundColor());
  meter->SetForeColor(block.VuForegroundColor());
  meter->SetMode(block.VuMode());
  meter->SetSegmentSize(block.SegmentSize());
  meter->SetSegmentPos(block.SegmentPosition());
  meter->SetBarsCount(block.BarsCount());
  meter->SetAntialiasing(block.Antialiasing());
  if (!meter->Create(view.LiveControlStyle(), view.LiveControlRect(object), &view,
                     CSkinView::kLiveControlId)) {
    return meter;  // a windowless entry
  }
  view.ShowLiveControl(*meter, object);
  return meter;
}

std::unique_ptr<CWnd> MakePlaceholder(CSkinView& view, SkinObject&) {
  std::unique_ptr<LivePlaceholder> placeholder(new (std::nothrow) LivePlaceholder);
  if (placeholder == nullptr) return nullptr;
  placeholder->CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 0, 0), &view,
                        CSkinView::kLiveControlId);
  return placeholder;
}

}  // namespace

void RegisterLiveControlFactories(CSkinView& view) {
  view.SetLiveControlFactory(SkinObjectKind::kButton, &MakeButton);
  view.SetLiveControlFactory(SkinObjectKind::kShortcut, &MakeButton);
  view.SetLiveControlFactory(SkinObjectKind::kSlider, &MakeSlider);
  view.SetLiveControlFactory(SkinObjectKind::kCustomSlider, &MakeSlider);
  view.SetLiveControlFactory(SkinObjectKind::kListBox, &MakeListBox);
  view.SetLiveControlFactory(SkinObjectKind::kDriveList, &MakeDriveList);
  view.SetLiveControlFactory(SkinObjectKind::kText, &MakeText);
  view.SetLiveControlFactory(SkinObjectKind::kAnimation, &MakeAnimation);
  view.SetLiveControlFactory(SkinObjectKind::kVUMeter, &MakeVUMeter);
  view.SetLiveControlFactory(SkinObjectKind::kMenuElement, &MakePlaceholder);
  view.SetLiveControlFactory(SkinObjectKind::kAlphaBackground, &MakePlaceholder);
  // Every kind number from kCount up shares the last slot.
  view.SetLiveControlFactory(SkinObjectKind::kCount, &MakePlaceholder);
}
