// WaveInCapture: records 16-bit mono sound at 11025 samples per second from
// the system's default wave-input device into one buffer of 512 samples
// that is queued again and again.
//
// The process has one instance (Instance()), made before main runs and
// stopped when the process ends; the VU meters share it, so the first meter
// opens the device and later ones find it open. In polled mode the owner
// re-queues the buffer itself (a meter on every refresh tick); in threaded
// mode a worker thread re-queues it whenever the driver signals a completed
// buffer.
//
// The driver writes into the buffer while it records. Readers get a copy of
// the last completed buffer, taken under a lock when the buffer is queued
// again, so they never see a half-written buffer and never race the worker.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <mmsystem.h>

#include <cstdint>
#include <mutex>

#include "ui/kernel_handle.h"

class WaveInCapture {
 public:
  static constexpr DWORD kSampleRate = 11025;
  // The buffer holds 1024 samples; only the first 512 are ever recorded
  // into, the rest stays zero.
  static constexpr int kBufferSamples = 1024;
  static constexpr int kRecordedSamples = 512;
  static constexpr const char* kThreadEventName = "WaveInThreadEvent";

  WaveInCapture();
  ~WaveInCapture();
  WaveInCapture(const WaveInCapture&) = delete;
  WaveInCapture& operator=(const WaveInCapture&) = delete;

  // The process's capture object.
  static WaveInCapture& Instance();

  // Opens the default device. Returns 0 at once when it is open already or
  // the system has no wave-input device; otherwise the waveInOpen error, or
  // 0 once it is open. Threaded mode also starts the worker and queues the
  // buffer.
  MMRESULT Start(bool threaded);
  // Queues the buffer again once the driver is done with it: the error of
  // waveInUnprepareHeader while it is still recording (nothing else
  // happens), else the result of waveInStart.
  MMRESULT Requeue();
  // Ends the worker and closes the device; safe to call when nothing runs.
  void Stop();

  // Whether the device is open (read on the thread that starts and stops).
  bool IsOpen() const { return device_ != nullptr; }
  HWAVEIN Device() const { return device_; }
  const WAVEINCAPSA& Caps() const { return caps_; }
  const WAVEFORMATEX& Format() const { return format_; }
  // How many recorded buffers were taken so far.
  uint32_t CompletedBuffers() const;
  // Copies the last completed buffer (kBufferSamples values, the recorded
  // ones first, then zeros) to samples.
  void CopySamples(int16_t* samples) const;

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void RunThread();
  void ResetHeader();
  void TakeCompletedBuffer();

  int16_t samples_[kBufferSamples] = {};
  WAVEINCAPSA caps_ = {};
  HWAVEIN device_ = nullptr;
  WAVEHDR header_ = {};
  WAVEFORMATEX format_ = {};
  KernelHandle event_;
  KernelHandle thread_;
  volatile LONG stopRequested_ = 0;

  // Held while the buffer is queued (UI thread or worker) and while the
  // device is opened or closed.
  std::mutex queueLock_;
  mutable std::mutex completedLock_;
  int16_t completed_[kBufferSamples] = {};
  uint32_t completedCount_ = 0;
};
