// SHA-256 against the published test vectors, fed whole and in pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "tools/skintool/sha256.h"

namespace {

struct Vector {
  std::string message;
  const char* digest;
};

TEST(Sha256, MatchesStandardVectors) {
  const Vector vectors[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmn"
       "opqrsmnopqrstnopqrstu",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
  };
  for (const Vector& v : vectors) {
    EXPECT_EQ(Sha256::HexOf(v.message.data(), v.message.size()), v.digest) << v.message;
  }
}

// One million 'a' fed in uneven pieces crosses every buffering case.
TEST(Sha256, PiecewiseFeedingEqualsWholeMessage) {
  const std::string million(1000000, 'a');
  Sha256 hash;
  size_t done = 0;
  for (size_t piece = 1; done < million.size(); piece = piece * 7 % 131 + 1) {
    const size_t take = std::min(piece, million.size() - done);
    hash.Update(million.data() + done, take);
    done += take;
  }
  EXPECT_EQ(Sha256::ToHex(hash.Finish()),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
  // Lengths around the padding boundary, each split after its first byte.
  const std::pair<size_t, const char*> boundaries[] = {
      {55, "d5e285683cd4efc02d021a5c62014694958901005d6f71e89e0989fac77e4072"},
      {56, "04c26261370ee7541549d16dee320c723e3fd14671e66a099afe0a377c16888e"},
      {64, "7ce100971f64e7001e8fe5a51973ecdfe1ced42befe7ee8d5fd6219506b5393c"},
      {65, "9537c5fdf120482f7d58d25e9ed583f52c02b4e304ea814db1633ad565aed7e9"},
  };
  for (const auto& boundary : boundaries) {
    const std::string message(boundary.first, 'x');
    Sha256 split;
    split.Update(message.data(), 1);
    split.Update(message.data() + 1, message.size() - 1);
    EXPECT_EQ(Sha256::ToHex(split.Finish()), boundary.second) << boundary.first;
  }
}

}  // namespace
