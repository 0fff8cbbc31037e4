#include "runtime/wave_in_capture.h"

#include <cstring>

namespace {

constexpr DWORD kRecordedBytes = WaveInCapture::kRecordedSamples * sizeof(int16_t);
constexpr DWORD kStopGrace = 50;

// Made before main, destroyed (and so stopped) when the process exits.
WaveInCapture processCapture;

}  // namespace

WaveInCapture& WaveInCapture::Instance() { return processCapture; }

WaveInCapture::WaveInCapture() {
  format_.wFormatTag = WAVE_FORMAT_PCM;
  format_.nChannels = 1;
  format_.nSamplesPerSec = kSampleRate;
  format_.nAvgBytesPerSec = kSampleRate * 2;
  format_.nBlockAlign = 2;
  format_.wBitsPerSample = 16;
  format_.cbSize = 0;
  ResetHeader();
}

WaveInCapture::~WaveInCapture() {
  if (IsOpen() || thread_) Stop();
}

void WaveInCapture::ResetHeader() {
  header_ = {};
  header_.lpData = reinterpret_cast<LPSTR>(samples_);
  header_.dwBufferLength = kRecordedBytes;
  header_.dwFlags = 0;
}

MMRESULT WaveInCapture::Start(bool threaded) {
  if (IsOpen() || ::waveInGetNumDevs() == 0) return MMSYSERR_NOERROR;
  ::waveInGetDevCapsA(0, &caps_, sizeof caps_);
  if (threaded) {
    event_.Reset(::CreateEventA(nullptr, FALSE, FALSE, kThreadEventName));
    ::InterlockedExchange(&stopRequested_, 0);
    thread_.Reset(::CreateThread(nullptr, 0, &ThreadMain, this, CREATE_SUSPENDED, nullptr));
    if (thread_) ::ResumeThread(thread_.Get());
  }
  HWAVEIN device = nullptr;
  const MMRESULT opened =
      ::waveInOpen(&device, WAVE_MAPPER, &format_, reinterpret_cast<DWORD_PTR>(event_.Get()), 0,
                   event_ ? CALLBACK_EVENT : CALLBACK_NULL);
  if (opened != MMSYSERR_NOERROR) return opened;
  {
    // The worker may already be woken by the open and re-queue.
    std::lock_guard<std::mutex> hold(queueLock_);
    device_ = device;
    std::memset(samples_, 0, sizeof samples_);
  }
  if (threaded) Requeue();
  return MMSYSERR_NOERROR;
}

MMRESULT WaveInCapture::Requeue() {
  std::lock_guard<std::mutex> hold(queueLock_);
  if (device_ == nullptr) return MMSYSERR_INVALHANDLE;
  const MMRESULT unprepared = ::waveInUnprepareHeader(device_, &header_, sizeof header_);
  if (unprepared != MMSYSERR_NOERROR) return unprepared;
  TakeCompletedBuffer();
  ResetHeader();
  ::waveInPrepareHeader(device_, &header_, sizeof header_);
  ::waveInAddBuffer(device_, &header_, sizeof header_);
  return ::waveInStart(device_);
}

void WaveInCapture::TakeCompletedBuffer() {
  if ((header_.dwFlags & WHDR_DONE) == 0) return;
  const DWORD recorded =
      header_.dwBytesRecorded < kRecordedBytes ? header_.dwBytesRecorded : kRecordedBytes;
  std::lock_guard<std::mutex> hold(completedLock_);
  std::memset(completed_, 0, sizeof completed_);
  std::memcpy(completed_, samples_, recorded);
  ++completedCount_;
}

uint32_t WaveInCapture::CompletedBuffers() const {
  std::lock_guard<std::mutex> hold(completedLock_);
  return completedCount_;
}

void WaveInCapture::CopySamples(int16_t* samples) const {
  std::lock_guard<std::mutex> hold(completedLock_);
  std::memcpy(samples, completed_, sizeof completed_);
}

void WaveInCapture::Stop() {
  ::InterlockedExchange(&stopRequested_, 1);
  if (event_) ::SetEvent(event_.Get());
  ::Sleep(kStopGrace);
  // The worker re-queues through the device: it has ended before the device
  // and the event go.
  if (thread_) ::WaitForSingleObject(thread_.Get(), INFINITE);
  thread_.Reset();
  std::lock_guard<std::mutex> hold(queueLock_);
  if (device_ != nullptr) {
    ::waveInReset(device_);
    ::waveInStop(device_);
    // Reset hands the buffer back; a prepared header must not outlive the
    // device.
    ::waveInUnprepareHeader(device_, &header_, sizeof header_);
    ::waveInClose(device_);
    device_ = nullptr;
  }
  event_.Reset();
}

DWORD WINAPI WaveInCapture::ThreadMain(void* self) {
  static_cast<WaveInCapture*>(self)->RunThread();
  return 0;
}

void WaveInCapture::RunThread() {
  while (::InterlockedCompareExchange(&stopRequested_, 0, 0) == 0) {
    if (::WaitForSingleObject(event_.Get(), INFINITE) != WAIT_OBJECT_0) return;
    if (::InterlockedCompareExchange(&stopRequested_, 0, 0) != 0) return;
    Requeue();
  }
}
