// SkinVUMeterWnd: shows a skin's VUMeter object live. Forty times a second
// it takes what the process's wave-input capture recorded and draws the
// waveform (Scope), the spectrum as a curve (Spectrum) or as a row of bars
// (Bars) over a background colour or bitmap, in a foreground colour or
// through a foreground bitmap. A double click cycles the mode; the fourth
// mode shows the background only and runs no transform.
//
// The spectrum shown is the window of bins [segment pos / 2,
// (segment pos + segment size) / 2) spread over the width.
//
// With a sizing frame (the editor's edit mode) the meter covers its whole
// window, frame included, and paints it at every tick through the window
// DC; without one it paints its client area buffered.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/skin_object_wnd.h"
#include "runtime/spectrum_transform.h"
#include "runtime/wave_in_capture.h"

class DibImage;

class SkinVUMeterWnd : public SkinObjectWnd {
 public:
  static constexpr UINT_PTR kRefreshTimer = 0;
  static constexpr UINT kRefreshPeriod = 25;
  enum Mode { kScope = 0, kSpectrum = 1, kBars = 2, kOff = 3 };
  static constexpr int kMaxSegment = SpectrumTransform::kSize;

  // Builds the transform tables and opens the capture's device unless it
  // is open already.
  explicit SkinVUMeterWnd(WaveInCapture& capture = WaveInCapture::Instance());
  ~SkinVUMeterWnd() override;

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // --- Set by the owner from the skin object ---------------------------------
  void SetMode(int mode) { mode_ = mode >= kScope && mode <= kOff ? mode : kSpectrum; }
  void SetBackColor(COLORREF color) { backColor_ = color; }
  void SetForeColor(COLORREF color) { foreColor_ = color; }
  // Pictures the owner keeps alive; null for none.
  void SetBackBitmap(const DibImage* bitmap) { backBitmap_ = bitmap; }
  void SetForeBitmap(const DibImage* bitmap) { foreBitmap_ = bitmap; }
  void SetBarsCount(int count) { barsCount_ = count > 0 ? count : 1; }
  // Kept within 1 ... 1024; the position is kept within 0 ... 1024 - size.
  void SetSegmentSize(int size);
  void SetSegmentPos(int position);
  void SetAntialiasing(bool on) { antialiasing_ = on; }
  bool SetMoveMode(bool on) { return SetMoveModeFlag(on); }
  // Bitmaps stretched to the control instead of tiled (edit mode).
  void SetStretchBitmaps(bool on) { stretchBitmaps_ = on; }

  int Mode() const { return mode_; }
  int SegmentSize() const { return segmentSize_; }
  int SegmentPos() const { return segmentPos_; }
  int BarsCount() const { return barsCount_; }
  bool IsRunning() const { return running_; }
  // How many transforms the refresh has run.
  uint32_t TransformsRun() const { return transformsRun_; }
  const SpectrumTransform& Transform() const { return transform_; }

  // One refresh step: the samples, the transform, the repaint. The timer
  // ends here.
  void Tick();

  // Draws the meter into (x, y, x + window width, y + window height).
  void DrawTo(HDC dc, int x, int y) override;

 protected:
  // Fills samples (kSize values) with what the capture recorded, after
  // queueing its buffer again.
  virtual void ReadCapture(int16_t* samples);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  int OnCreate(LPCREATESTRUCTA createStruct) override;
  void OnDestroy() override;
  void OnPaint() override;
  BOOL OnEraseBkgnd(HDC dc) override;
  void OnTimer(UINT_PTR id) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnRButtonDown(UINT flags, CPoint point) override;
  void OnRButtonUp(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnCaptureChanged(HWND newCapture) override;

 private:
  bool HasSizingFrame() const;
  // The whole window through an off-screen 24-bit bitmap, frame included.
  void PaintWindow();

  void DrawBackground(HDC dc, const RECT& area) const;
  void DrawPicture(HDC dc, const DibImage& picture, const RECT& area) const;
  void DrawScope(HDC dc, const RECT& area) const;
  void DrawSpectrumCurve(HDC dc, const RECT& area) const;
  void DrawBars(HDC dc, const RECT& area) const;
  void DrawPoints(HDC dc, const POINT* points, int count) const;
  // The magnitude a span of pixels shows: the largest of the bins it covers.
  double MagnitudeAt(double fromPixel, double toPixel, int width) const;
  int SpectrumY(const RECT& area, double magnitude) const;

  WaveInCapture& capture_;
  SpectrumTransform transform_;
  bool antialiasing_ = false;
  bool stretchBitmaps_ = false;
  bool running_ = false;
  int mode_ = kSpectrum;
  COLORREF backColor_ = RGB(0, 0, 0);
  COLORREF foreColor_ = RGB(0, 255, 0);
  const DibImage* backBitmap_ = nullptr;
  const DibImage* foreBitmap_ = nullptr;
  int barsCount_ = 18;
  int segmentSize_ = kMaxSegment;
  int segmentPos_ = 0;
  uint32_t transformsRun_ = 0;
};
