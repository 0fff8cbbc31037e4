// The VU meter's 1024-point transform against a direct O(N^2) DFT of the
// same input (cosine and sine from a table, as fast as a direct transform
// gets), both in this process. Prints the time of one transform and the
// ratio.
//   spectrum_transform_bench [repetitions]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "runtime/spectrum_transform.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kN = SpectrumTransform::kSize;
constexpr double kPi = 3.14159265358979323846;

template <typename Work>
double SecondsPerRun(int runs, Work work) {
  const auto start = Clock::now();
  for (int i = 0; i < runs; ++i) work();
  return std::chrono::duration<double>(Clock::now() - start).count() / runs;
}

struct DirectDft {
  DirectDft() : cosine(kN), sine(kN), re(kN), im(kN) {
    for (int k = 0; k < kN; ++k) {
      cosine[k] = std::cos(2.0 * kPi * k / kN);
      sine[k] = -std::sin(2.0 * kPi * k / kN);
    }
  }
  void Run(const double* input) {
    for (int k = 0; k < kN; ++k) {
      double sumRe = 0.0;
      double sumIm = 0.0;
      for (int n = 0; n < kN; ++n) {
        const int turn = (k * n) & (kN - 1);
        sumRe += input[n] * cosine[turn];
        sumIm += input[n] * sine[turn];
      }
      re[k] = sumRe;
      im[k] = sumIm;
    }
  }
  std::vector<double> cosine, sine, re, im;
};

}  // namespace

int main(int argc, char** argv) {
  const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  SpectrumTransform transform;
  DirectDft direct;
  for (int n = 0; n < kN; ++n)
    transform.Input()[n] = n < kN / 2 ? 16384.0 * std::sin(0.57 * n) + (n * 7919 % 2000) : 0.0;
  double best = 1e9;
  double bestDirect = 1e9;
  double sink = 0.0;
  for (int r = 0; r < repetitions; ++r) {
    best = std::min(best, SecondsPerRun(20000, [&] {
                      transform.Run();
                      sink += transform.Bin(93).re;
                    }));
    bestDirect = std::min(bestDirect, SecondsPerRun(20, [&] {
                            direct.Run(transform.Input());
                            sink += direct.re[93];
                          }));
  }
  // A check that both computed the same spectrum keeps the runs honest.
  transform.Run();
  direct.Run(transform.Input());
  const double difference = std::abs(transform.Bin(93).re - direct.re[93]);
  std::printf("1024-point transform: %.2f us (best of %d)\n", best * 1e6, repetitions);
  std::printf("direct DFT:           %.1f us\n", bestDirect * 1e6);
  std::printf("ratio direct / ours:  %.0fx\n", bestDirect / best);
  std::printf("bin 93 agrees within %.2g (checksum %.3g)\n", difference, sink);
  return difference < 1e-3 ? 0 : 1;
}
