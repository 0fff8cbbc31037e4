// ObjectBlock: the 256-byte property block of a skin object.
//
// The bytes are kept exactly as read or written (the skin file stores them
// compressed as they are); the accessors read and write the individual
// fields at their fixed offsets. Which fields mean something depends on the
// object's kind; bytes that no field covers are kept untouched.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "imaging/win32_types.h"

class ObjectBlock {
 public:
  static constexpr size_t kSize = 256;
  static constexpr size_t kFontSize = 60;

  // Text object contents (TextType).
  static constexpr uint32_t kTextNormal = 0;
  static constexpr uint32_t kTextFileName = 1;
  static constexpr uint32_t kTextTotalTime = 2;
  static constexpr uint32_t kTextCurrentTime = 3;
  static constexpr uint32_t kTextDateAndTime = 4;  // "DD.MM.YYYY HH:MM:SS"
  static constexpr uint32_t kTextDate = 5;         // "DD.MM.YYYY"
  static constexpr uint32_t kTextTime = 6;         // "HH:MM:SS"

  // VU meter display modes (VuMode).
  static constexpr uint16_t kVuScope = 0;
  static constexpr uint16_t kVuSpectrum = 1;
  static constexpr uint16_t kVuBars = 2;

  ObjectBlock() { Clear(); }

  void Clear() { bytes_.fill(0); }
  std::array<BYTE, kSize>& Bytes() { return bytes_; }
  const std::array<BYTE, kSize>& Bytes() const { return bytes_; }

  bool operator==(const ObjectBlock& other) const { return bytes_ == other.bytes_; }
  bool operator!=(const ObjectBlock& other) const { return bytes_ != other.bytes_; }

  // Position in container pixels. Buttons and shortcuts use only left and
  // top; their size comes from the Up image.
  RECT Position() const;
  void SetPosition(const RECT& rect);

  // Font of list boxes, drive lists, texts and the menu ("Fill" element).
  // All 60 bytes zero means no font: GetFont then returns false and the
  // control keeps its default font.
  bool HasFont() const;
  bool GetFont(LOGFONTA& font) const;
  void SetFont(const LOGFONTA& font);
  void ClearFont();

  // Colour 1: text colour of list boxes, drive lists, texts and the menu;
  // a VU meter uses the same field as its background colour.
  COLORREF TextColor() const;
  void SetTextColor(COLORREF color);
  // Colour 2: selected-text colour of list boxes; a VU meter uses the same
  // field as its foreground colour.
  COLORREF SelectedTextColor() const;
  void SetSelectedTextColor(COLORREF color);
  // The VU meter's names for colour 1 and colour 2.
  COLORREF VuBackgroundColor() const { return TextColor(); }
  void SetVuBackgroundColor(COLORREF color) { SetTextColor(color); }
  COLORREF VuForegroundColor() const { return SelectedTextColor(); }
  void SetVuForegroundColor(COLORREF color) { SetSelectedTextColor(color); }

  // What a Text object shows: kTextNormal .. kTextTime. Values read from a
  // file are kept as they are, even outside that range.
  uint32_t TextType() const;
  void SetTextType(uint32_t type);

  // Buttons and shortcuts: the button works as a check box.
  bool CheckBox() const;
  void SetCheckBox(bool on);

  // Animations.
  uint32_t FrameInterval() const;  // milliseconds
  void SetFrameInterval(uint32_t milliseconds);
  bool Repeat() const;
  void SetRepeat(bool on);
  bool PlayOnMouseOver() const;
  void SetPlayOnMouseOver(bool on);

  // VU meters.
  uint16_t SegmentPosition() const;
  void SetSegmentPosition(uint16_t position);
  uint16_t SegmentSize() const;
  void SetSegmentSize(uint16_t size);
  uint16_t VuMode() const;
  void SetVuMode(uint16_t mode);
  uint16_t BarsCount() const;
  void SetBarsCount(uint16_t count);
  bool Antialiasing() const;
  void SetAntialiasing(bool on);
  bool HideWhileMoviePlays() const;
  void SetHideWhileMoviePlays(bool on);

  // Sliders and custom sliders.
  bool AsPoint() const;
  void SetAsPoint(bool on);

 private:
  std::array<BYTE, kSize> bytes_;
};
