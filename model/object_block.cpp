#include "model/object_block.h"

#include "model/block_fields.h"

using block_fields::LoadFlag;
using block_fields::StoreFlag;

namespace {

constexpr size_t kPositionAt = 0x00;
constexpr size_t kFontAt = 0x11;
constexpr size_t kTextColorAt = 0x6F;
constexpr size_t kSelectedTextColorAt = 0x74;
constexpr size_t kTextTypeAt = 0x79;
constexpr size_t kCheckBoxAt = 0x7E;
constexpr size_t kFrameIntervalAt = 0x80;
constexpr size_t kRepeatAt = 0x85;
constexpr size_t kPlayOnMouseOverAt = 0x87;
constexpr size_t kSegmentPositionAt = 0x89;
constexpr size_t kSegmentSizeAt = 0x8C;
constexpr size_t kVuModeAt = 0x8F;
constexpr size_t kBarsCountAt = 0x92;
constexpr size_t kAntialiasingAt = 0x95;
constexpr size_t kHideWhileMoviePlaysAt = 0x97;
constexpr size_t kAsPointAt = 0x99;

static_assert(kFontAt + ObjectBlock::kFontSize <= kTextColorAt, "font overlaps colour 1");

// LOGFONTA, field by field, as the platform lays it out (no padding).
constexpr size_t kFontFaceAt = 28;

void LoadFont(const BYTE* at, LOGFONTA& font) {
  font.lfHeight = LoadLeI32(at);
  font.lfWidth = LoadLeI32(at + 4);
  font.lfEscapement = LoadLeI32(at + 8);
  font.lfOrientation = LoadLeI32(at + 12);
  font.lfWeight = LoadLeI32(at + 16);
  font.lfItalic = at[20];
  font.lfUnderline = at[21];
  font.lfStrikeOut = at[22];
  font.lfCharSet = at[23];
  font.lfOutPrecision = at[24];
  font.lfClipPrecision = at[25];
  font.lfQuality = at[26];
  font.lfPitchAndFamily = at[27];
  for (size_t i = 0; i < LF_FACESIZE; ++i) {
    font.lfFaceName[i] = static_cast<CHAR>(at[kFontFaceAt + i]);
  }
}

void StoreFont(BYTE* at, const LOGFONTA& font) {
  StoreLeI32(at, font.lfHeight);
  StoreLeI32(at + 4, font.lfWidth);
  StoreLeI32(at + 8, font.lfEscapement);
  StoreLeI32(at + 12, font.lfOrientation);
  StoreLeI32(at + 16, font.lfWeight);
  at[20] = font.lfItalic;
  at[21] = font.lfUnderline;
  at[22] = font.lfStrikeOut;
  at[23] = font.lfCharSet;
  at[24] = font.lfOutPrecision;
  at[25] = font.lfClipPrecision;
  at[26] = font.lfQuality;
  at[27] = font.lfPitchAndFamily;
  for (size_t i = 0; i < LF_FACESIZE; ++i) {
    at[kFontFaceAt + i] = static_cast<BYTE>(font.lfFaceName[i]);
  }
}

}  // namespace

RECT ObjectBlock::Position() const { return LoadLeRect(&bytes_[kPositionAt]); }
void ObjectBlock::SetPosition(const RECT& rect) { StoreLeRect(&bytes_[kPositionAt], rect); }

bool ObjectBlock::HasFont() const {
  for (size_t i = 0; i < kFontSize; ++i) {
    if (bytes_[kFontAt + i] != 0) return true;
  }
  return false;
}

bool ObjectBlock::GetFont(LOGFONTA& font) const {
  LoadFont(&bytes_[kFontAt], font);
  return HasFont();
}

void ObjectBlock::SetFont(const LOGFONTA& font) { StoreFont(&bytes_[kFontAt], font); }

void ObjectBlock::ClearFont() {
  for (size_t i = 0; i < kFontSize; ++i) bytes_[kFontAt + i] = 0;
}

COLORREF ObjectBlock::TextColor() const { return LoadLe32(&bytes_[kTextColorAt]); }
void ObjectBlock::SetTextColor(COLORREF color) { StoreLe32(&bytes_[kTextColorAt], color); }

COLORREF ObjectBlock::SelectedTextColor() const { return LoadLe32(&bytes_[kSelectedTextColorAt]); }
void ObjectBlock::SetSelectedTextColor(COLORREF color) {
  StoreLe32(&bytes_[kSelectedTextColorAt], color);
}

uint32_t ObjectBlock::TextType() const { return LoadLe32(&bytes_[kTextTypeAt]); }
void ObjectBlock::SetTextType(uint32_t type) { StoreLe32(&bytes_[kTextTypeAt], type); }

bool ObjectBlock::CheckBox() const { return LoadFlag(&bytes_[kCheckBoxAt]); }
void ObjectBlock::SetCheckBox(bool on) { StoreFlag(&bytes_[kCheckBoxAt], on); }

uint32_t ObjectBlock::FrameInterval() const { return LoadLe32(&bytes_[kFrameIntervalAt]); }
void ObjectBlock::SetFrameInterval(uint32_t milliseconds) {
  StoreLe32(&bytes_[kFrameIntervalAt], milliseconds);
}

bool ObjectBlock::Repeat() const { return LoadFlag(&bytes_[kRepeatAt]); }
void ObjectBlock::SetRepeat(bool on) { StoreFlag(&bytes_[kRepeatAt], on); }

bool ObjectBlock::PlayOnMouseOver() const { return LoadFlag(&bytes_[kPlayOnMouseOverAt]); }
void ObjectBlock::SetPlayOnMouseOver(bool on) { StoreFlag(&bytes_[kPlayOnMouseOverAt], on); }

uint16_t ObjectBlock::SegmentPosition() const { return LoadLe16(&bytes_[kSegmentPositionAt]); }
void ObjectBlock::SetSegmentPosition(uint16_t position) {
  StoreLe16(&bytes_[kSegmentPositionAt], position);
}

uint16_t ObjectBlock::SegmentSize() const { return LoadLe16(&bytes_[kSegmentSizeAt]); }
void ObjectBlock::SetSegmentSize(uint16_t size) { StoreLe16(&bytes_[kSegmentSizeAt], size); }

uint16_t ObjectBlock::VuMode() const { return LoadLe16(&bytes_[kVuModeAt]); }
void ObjectBlock::SetVuMode(uint16_t mode) { StoreLe16(&bytes_[kVuModeAt], mode); }

uint16_t ObjectBlock::BarsCount() const { return LoadLe16(&bytes_[kBarsCountAt]); }
void ObjectBlock::SetBarsCount(uint16_t count) { StoreLe16(&bytes_[kBarsCountAt], count); }

bool ObjectBlock::Antialiasing() const { return LoadFlag(&bytes_[kAntialiasingAt]); }
void ObjectBlock::SetAntialiasing(bool on) { StoreFlag(&bytes_[kAntialiasingAt], on); }

bool ObjectBlock::HideWhileMoviePlays() const { return LoadFlag(&bytes_[kHideWhileMoviePlaysAt]); }
void ObjectBlock::SetHideWhileMoviePlays(bool on) {
  StoreFlag(&bytes_[kHideWhileMoviePlaysAt], on);
}

bool ObjectBlock::AsPoint() const { return LoadFlag(&bytes_[kAsPointAt]); }
void ObjectBlock::SetAsPoint(bool on) { StoreFlag(&bytes_[kAsPointAt], on); }
