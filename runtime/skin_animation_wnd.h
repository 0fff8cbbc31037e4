// SkinAnimationWnd: plays a skin's Animation object, a sequence of frame
// bitmaps shown one after the other at a fixed speed. It loops, plays once
// and stops on the last frame, or plays only while the mouse is over it.
//
// Timers: kFrameTimer (the frame speed) shows the next frame while the
// animation plays; kHoverTimer (50 ms) polls the cursor for the whole life
// of a play-on-hover animation and starts a run when the cursor is over the
// window. A run that ends with the cursor outside goes back to the first
// frame; a run of an animation that stops at its end keeps the last one.
//
// Every frame is drawn at its own size on black, and the window takes the
// size of the frame it shows; without frames the window is black.
//
// The frames are the images of the skin object the owner hands over: the
// animation refers to the object and never copies or frees its pictures,
// so frames added to or removed from the object are seen at the next step.
#pragma once

#include <windows.h>

#include "imaging/dib_image.h"
#include "model/skin_object.h"
#include "runtime/skin_object_wnd.h"

class SkinAnimationWnd : public SkinObjectWnd {
 public:
  static constexpr UINT_PTR kFrameTimer = 100;
  static constexpr UINT_PTR kHoverTimer = 200;
  static constexpr UINT kHoverPeriod = 50;
  static constexpr UINT kDefaultSpeed = 50;

  SkinAnimationWnd() = default;
  ~SkinAnimationWnd() override;

  // --- Before Create -----------------------------------------------------------
  // The object whose images are the frames, in playing order; null for none.
  // The object must outlive the window.
  void SetFrames(const SkinObject* object) { frames_ = object; }
  // Milliseconds per frame.
  void SetSpeed(UINT milliseconds) { speed_ = milliseconds; }
  // Whether the animation starts playing when its window is created.
  void SetAutoPlay(bool on) { autoPlay_ = on; }
  // Whether a run stops on the last frame instead of looping.
  void SetStopAtEnd(bool on) { stopAtEnd_ = on; }
  // Whether the animation plays only while the cursor is over it.
  void SetPlayOnHover(bool on) { playOnHover_ = on; }
  // The editor's move mode (right-button dragging); returns the old value.
  bool SetMoveMode(bool on);

  // Creates the child window at rect; the start of play follows the flags.
  // Returns 0 when the window could not be created.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // Starts a single run from the current frame unless one is playing: the
  // frame timer is restarted at the speed and the window invalidated.
  void StartRun();
  // One step of a timer: kFrameTimer shows the next frame, kHoverTimer
  // polls the cursor. The window's own timers end here too.
  void Tick(UINT_PTR timer);

  int FrameCount() const;
  int CurrentFrame() const { return current_; }
  bool IsPlaying() const { return playing_; }
  UINT Speed() const { return speed_; }
  bool IsAutoPlay() const { return autoPlay_; }
  bool IsStopAtEnd() const { return stopAtEnd_; }
  bool IsPlayOnHover() const { return playOnHover_; }

  // Draws the current frame at (x, y) over the client area filled black,
  // after resizing the window to the frame when their sizes differ.
  void DrawTo(HDC dc, int x, int y) override;

 protected:
  // Where the timers are started and stopped.
  virtual void StartTimer(UINT_PTR id, UINT period);
  virtual void StopTimer(UINT_PTR id);

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
  // The picture of the current frame, or null when there is none to show
  // (no frames, or an empty image at that position).
  const DibImage* CurrentPicture() const;
  void FitToPicture(const DibImage& picture);
  bool CursorOverWindow() const;
  void Play();
  void Stop();
  void NextFrame();
  void PollHover();

  const SkinObject* frames_ = nullptr;
  UINT speed_ = kDefaultSpeed;
  int current_ = 0;
  bool autoPlay_ = true;
  bool stopAtEnd_ = false;
  bool playOnHover_ = false;
  bool playing_ = false;
};
