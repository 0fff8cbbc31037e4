#include "runtime/spectrum_transform.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Where the factors of stage l (1-based) begin in the packed table.
constexpr int StageStart(int stage) { return (1 << (stage - 1)) - 1; }

}  // namespace

SpectrumTransform::SpectrumTransform() : norm_(std::sqrt(static_cast<double>(kSize))) {
  BuildBitReverse();
  BuildTwiddles();
}

// The reversed increment: j counts in binary with its digits mirrored.
void SpectrumTransform::BuildBitReverse() {
  uint32_t j = 0;
  for (int i = 0; i < kSize - 1; ++i) {
    bitReverse_[i] = j;
    uint32_t k = kSize / 2;
    while (j >= k) {
      j -= k;
      k /= 2;
    }
    j += k;
  }
  bitReverse_[kSize - 1] = kSize - 1;
}

void SpectrumTransform::BuildTwiddles() {
  for (int stage = 1; stage <= kStages; ++stage) {
    const int m = 1 << stage;
    Complex* factors = twiddles_ + StageStart(stage);
    for (int k = 0; k < m / 2; ++k) {
      const double angle = 2.0 * kPi * k / m;
      factors[k] = {std::cos(angle), -std::sin(angle)};
    }
  }
}

const SpectrumTransform::Complex& SpectrumTransform::Twiddle(int stage, int k) const {
  return twiddles_[StageStart(stage) + k];
}

void SpectrumTransform::Run() {
  for (int k = 0; k < kSize; ++k) spectrum_[bitReverse_[k]] = {input_[k], 0.0};
  for (int stage = 1; stage <= kStages; ++stage) {
    const int half = 1 << (stage - 1);
    const int span = 2 * half;
    const Complex* factors = twiddles_ + StageStart(stage);
    for (int j = 0; j < half; ++j) {
      const Complex w = factors[j];
      for (int i = j; i < kSize; i += span) {
        Complex& top = spectrum_[i];
        Complex& bottom = spectrum_[i + half];
        const double tRe = w.re * bottom.re - w.im * bottom.im;
        const double tIm = w.re * bottom.im + w.im * bottom.re;
        bottom.re = top.re - tRe;
        bottom.im = top.im - tIm;
        top.re += tRe;
        top.im += tIm;
      }
    }
  }
}

double SpectrumTransform::Magnitude(int k) const {
  const Complex& bin = spectrum_[k];
  return std::sqrt(bin.re * bin.re + bin.im * bin.im) / norm_;
}
