// SpectrumTransform against a direct O(N^2) DFT of the same input, and the
// tables it builds once.
#include "runtime/spectrum_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

namespace {

constexpr int kN = SpectrumTransform::kSize;
constexpr double kPi = 3.14159265358979323846;

std::vector<std::complex<double>> DirectDft(const double* input) {
  std::vector<std::complex<double>> result(kN);
  for (int k = 0; k < kN; ++k) {
    std::complex<double> sum = 0.0;
    for (int n = 0; n < kN; ++n) {
      // The angle is reduced first: k*n grows past what keeps full precision.
      const double angle = -2.0 * kPi * ((static_cast<long>(k) * n) % kN) / kN;
      sum += input[n] * std::complex<double>(std::cos(angle), std::sin(angle));
    }
    result[k] = sum;
  }
  return result;
}

void ExpectMatchesDirectDft(SpectrumTransform& transform) {
  const std::vector<std::complex<double>> expected = DirectDft(transform.Input());
  transform.Run();
  double worst = 0.0;
  for (int k = 0; k < kN; ++k) {
    worst = std::max(worst, std::abs(expected[k].real() - transform.Bin(k).re));
    worst = std::max(worst, std::abs(expected[k].imag() - transform.Bin(k).im));
  }
  // Inputs in the 16-bit range sum to about 10^7: 10^-4 is ten digits.
  EXPECT_LT(worst, 1e-4);
}

TEST(SpectrumTransform, MatchesADirectTransformOfRecordedLikeInput) {
  SpectrumTransform transform;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> sample(-32768, 32767);
  // As the meter fills it: 512 samples, then 512 zeros.
  for (int n = 0; n < kN; ++n) transform.Input()[n] = n < kN / 2 ? sample(random) : 0.0;
  ExpectMatchesDirectDft(transform);
  // A second run over new input starts from the input, not from the last
  // spectrum.
  for (int n = 0; n < kN; ++n) transform.Input()[n] = sample(random);
  ExpectMatchesDirectDft(transform);
}

TEST(SpectrumTransform, ATonePeaksAtItsBinWithTheNormApplied) {
  SpectrumTransform transform;
  const int bin = 93;  // 1 kHz at 11025 samples per second
  for (int n = 0; n < kN; ++n) transform.Input()[n] = 16384.0 * std::cos(2.0 * kPi * bin * n / kN);
  transform.Run();
  EXPECT_DOUBLE_EQ(transform.Norm(), 32.0);
  // |X[bin]| = A N / 2, divided by sqrt(N).
  EXPECT_NEAR(transform.Magnitude(bin), 16384.0 * kN / 2 / 32.0, 1e-6);
  EXPECT_NEAR(transform.Magnitude(kN - bin), 16384.0 * kN / 2 / 32.0, 1e-6);
  EXPECT_NEAR(transform.Magnitude(bin + 1), 0.0, 1e-6);
  EXPECT_NEAR(transform.Magnitude(0), 0.0, 1e-6);
}

TEST(SpectrumTransform, TablesAreTheReversedIncrementAndTheStageFactors) {
  SpectrumTransform transform;
  for (int i = 0; i < kN; ++i) {
    int reversed = 0;
    for (int bit = 0; bit < SpectrumTransform::kStages; ++bit)
      if ((i >> bit) & 1) reversed |= 1 << (SpectrumTransform::kStages - 1 - bit);
    ASSERT_EQ(transform.BitReversed(i), reversed) << "index " << i;
  }
  // Stage 1 multiplies by 1; stage 2's second factor is -i; stage 10's
  // factor 128 is e^(-i pi/4).
  EXPECT_DOUBLE_EQ(transform.Twiddle(1, 0).re, 1.0);
  EXPECT_DOUBLE_EQ(transform.Twiddle(1, 0).im, -0.0);
  EXPECT_NEAR(transform.Twiddle(2, 1).re, 0.0, 1e-15);
  EXPECT_DOUBLE_EQ(transform.Twiddle(2, 1).im, -1.0);
  EXPECT_NEAR(transform.Twiddle(10, 128).re, std::sqrt(0.5), 1e-15);
  EXPECT_NEAR(transform.Twiddle(10, 128).im, -std::sqrt(0.5), 1e-15);
}

}  // namespace
