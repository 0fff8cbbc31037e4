// SpectrumTransform: the VU meter's 1024-point forward discrete Fourier
// transform, X[k] = sum over n of x[n] e^(-2 pi i kn / N), computed radix 2
// with decimation in time. The bit-reversal permutation and the twiddle
// factors of every stage are computed once, when the transform is made, so
// a run costs only the butterflies.
//
// Portable: nothing here draws or records.
#pragma once

#include <cstdint>

class SpectrumTransform {
 public:
  static constexpr int kSize = 1024;  // N
  static constexpr int kStages = 10;  // log2 N

  struct Complex {
    double re;
    double im;
  };

  SpectrumTransform();
  SpectrumTransform(const SpectrumTransform&) = delete;
  SpectrumTransform& operator=(const SpectrumTransform&) = delete;

  // The time signal the next Run transforms, kSize values.
  double* Input() { return input_; }
  const double* Input() const { return input_; }

  // Transforms Input() into the spectrum.
  void Run();

  const Complex& Bin(int k) const { return spectrum_[k]; }
  // |X[k]| divided by sqrt(N): a full-scale tone's bin stays within the
  // sample range.
  double Magnitude(int k) const;
  double Norm() const { return norm_; }
  // Where the reversed-increment walk puts input index i.
  int BitReversed(int i) const { return static_cast<int>(bitReverse_[i]); }
  // Entry k of stage l (1 ... kStages): (cos(2 pi k / m), -sin(2 pi k / m))
  // with m = 2^l, for k below m / 2 (the only entries a stage uses).
  const Complex& Twiddle(int stage, int k) const;

 private:
  void BuildBitReverse();
  void BuildTwiddles();

  double input_[kSize] = {};
  Complex spectrum_[kSize] = {};
  uint32_t bitReverse_[kSize] = {};
  // Stage l's factors start at 2^(l-1) - 1: every stage keeps only the half
  // of its table that the butterflies read, 1023 factors in all.
  Complex twiddles_[kSize - 1] = {};
  double norm_;
};
