// Payload timings, each against a baseline run in the same process:
//  1. CRC-32/MPEG-2 (sixteen bytes per step) against the one-byte table.
//  2. Opening a ~50 MB setup file and reading every entry through
//     PackageArchive, against reading the same file and inflating the same
//     entries with zlib directly.
#include <minizip/unzip.h>
#include <minizip/zip.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "setup/crc32_mpeg2.h"
#include "setup/package_archive.h"
#include "setup/payload.h"
#include "setup/payload_locator.h"

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

constexpr int kRepeats = 7;
constexpr size_t kCrcBytes = size_t(64) << 20;
constexpr int kEntryCount = 48;
constexpr size_t kEntryBytes = size_t(1400) << 10;

template <typename Work>
double Seconds(Work work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Best of kRepeats runs of each, taken in turns so that a change in machine
// load hits baseline and candidate alike.
template <typename Baseline, typename Candidate>
void BestOfPairs(Baseline baseline, Candidate candidate, double* baseline_best,
                 double* candidate_best) {
  *baseline_best = *candidate_best = 1e30;
  for (int i = 0; i < kRepeats; ++i) {
    const double b = Seconds(baseline);
    const double c = Seconds(candidate);
    if (b < *baseline_best) *baseline_best = b;
    if (c < *candidate_best) *candidate_best = c;
  }
}

uint32_t g_seed = 2463534242u;
uint32_t NextRandom() {
  g_seed ^= g_seed << 13;
  g_seed ^= g_seed >> 17;
  g_seed ^= g_seed << 5;
  return g_seed;
}

// Installer-like content: runs of text mixed with incompressible bytes, so
// the archive is about as compressible as a mix of programs and resources.
Bytes EntryContent() {
  Bytes data(kEntryBytes);
  static const char kWords[] = "install setup library module resource window value ";
  for (size_t i = 0; i < data.size();) {
    const size_t run = 64 + NextRandom() % 512;
    const bool text = NextRandom() % 4 == 0;
    for (size_t j = 0; j < run && i < data.size(); ++j, ++i) {
      data[i] = text ? uint8_t(kWords[(i + j / 7) % (sizeof kWords - 1)]) : uint8_t(NextRandom());
    }
  }
  return data;
}

bool ReadFile(const std::string& path, Bytes* out) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::fseek(file, 0, SEEK_END);
  const long size = std::ftell(file);
  std::fseek(file, 0, SEEK_SET);
  out->resize(size_t(size));
  const bool ok = std::fread(out->data(), 1, out->size(), file) == out->size();
  std::fclose(file);
  return ok;
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

void BenchCrc() {
  Bytes data(kCrcBytes);
  for (uint8_t& b : data) b = uint8_t(NextRandom());
  uint32_t fast = 0;
  uint32_t slow = 0;
  double bytewise = 0;
  double sliced = 0;
  BestOfPairs([&] { slow = Crc32Mpeg2Bytewise(data.data(), data.size()); },
              [&] { fast = Crc32Mpeg2(data.data(), data.size()); }, &bytewise, &sliced);
  const double mb = double(kCrcBytes) / (1 << 20);
  std::printf("CRC-32/MPEG-2 over %.0f MB: byte table %.0f MB/s, sixteen-byte %.0f MB/s, %.2fx%s\n",
              mb, mb / bytewise, mb / sliced, bytewise / sliced,
              fast == slow ? "" : "  (RESULTS DIFFER)");
}

// Where each entry's deflated data lies in the archive, found with minizip
// before the timing starts.
struct EntrySpan {
  uint64_t offset;
  uint32_t compressed;
  uint32_t size;
};

bool FindSpans(PackageArchive* archive, const Bytes& file, size_t archive_offset,
               uint32_t archive_length, std::vector<EntrySpan>* spans) {
  // A second reader over the same bytes, used only to learn the offsets.
  const std::string temp = "payload_bench_archive.zip";
  if (!WriteFile(temp, Bytes(file.begin() + long(archive_offset),
                             file.begin() + long(archive_offset + archive_length)))) {
    return false;
  }
  unzFile zip = unzOpen64(temp.c_str());
  bool ok = zip != nullptr;
  for (uint32_t i = 0; ok && i < archive->GetEntryCount(); ++i) {
    unz_file_info64 info;
    ok = unzLocateFile(zip, archive->EntryName(i), 1) == UNZ_OK &&
         unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) == UNZ_OK &&
         unzOpenCurrentFile(zip) == UNZ_OK;
    if (ok) {
      spans->push_back({archive_offset + unzGetCurrentFileZStreamPos64(zip),
                        uint32_t(info.compressed_size), uint32_t(info.uncompressed_size)});
      unzCloseCurrentFile(zip);
    }
  }
  if (zip) unzClose(zip);
  std::remove(temp.c_str());
  return ok;
}

size_t InflateAll(const Bytes& file, const std::vector<EntrySpan>& spans) {
  size_t total = 0;
  for (const EntrySpan& span : spans) {
    uint8_t* out = new uint8_t[span.size];
    z_stream stream = {};
    inflateInit2(&stream, -MAX_WBITS);
    stream.next_in = const_cast<Bytef*>(file.data() + span.offset);
    stream.avail_in = span.compressed;
    stream.next_out = out;
    stream.avail_out = span.size;
    if (inflate(&stream, Z_FINISH) == Z_STREAM_END) total += stream.total_out;
    inflateEnd(&stream);
    delete[] out;
  }
  return total;
}

size_t ReadAllEntries(PackageArchive* archive) {
  size_t total = 0;
  for (uint32_t i = 0; i < archive->GetEntryCount(); ++i) {
    uint8_t* bytes = nullptr;
    total += archive->ReadEntryAt(i, &bytes);
    archive->FreeBuffer(bytes);
  }
  return total;
}

bool BuildSetupFile(const std::string& path) {
  const std::string zip_path = path + ".zip";
  zipFile zip = zipOpen64(zip_path.c_str(), APPEND_STATUS_CREATE);
  if (!zip) return false;
  for (int i = 0; i < kEntryCount; ++i) {
    const Bytes content = EntryContent();
    const std::string name = "files/entry" + std::to_string(i) + ".bin";
    zip_fileinfo info = {};
    zipOpenNewFileInZip64(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                          Z_DEFAULT_COMPRESSION, 0);
    zipWriteInFileInZip(zip, content.data(), unsigned(content.size()));
    zipCloseFileInZip(zip);
  }
  zipClose(zip, nullptr);
  Bytes archive;
  if (!ReadFile(zip_path, &archive)) return false;
  std::remove(zip_path.c_str());
  uint8_t trailer[kPayloadTrailerSize];
  WritePayloadTrailer(uint32_t(archive.size()), Crc32Mpeg2(archive.data(), archive.size()),
                      trailer);
  const Bytes program_image(256 << 10, 0x90);  // stands in for setup.exe itself
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok =
      std::fwrite(program_image.data(), 1, program_image.size(), file) == program_image.size();
  ok = ok && std::fwrite(archive.data(), 1, archive.size(), file) == archive.size();
  ok = ok && std::fwrite(trailer, 1, sizeof trailer, file) == sizeof trailer;
  return std::fclose(file) == 0 && ok;
}

int BenchPayload() {
  const std::string path = "payload_bench_setup.exe";
  if (!BuildSetupFile(path)) {
    std::printf("could not build the test payload\n");
    return 1;
  }
  Bytes file;
  PayloadFile payload;
  if (!ReadFile(path, &file) || OpenPayloadFile(path.c_str(), &payload) != PayloadStatus::kOk) {
    std::printf("could not open the test payload\n");
    return 1;
  }
  std::vector<EntrySpan> spans;
  const bool found =
      FindSpans(payload.archive, file, payload.archive_offset, payload.archive_length, &spans);
  ClosePayloadFile(&payload);
  if (!found) {
    std::printf("could not locate the entries\n");
    return 1;
  }
  size_t direct_bytes = 0;
  size_t archive_bytes = 0;
  double direct = 0;
  double through_archive = 0;
  BestOfPairs(
      [&] {
        Bytes bytes;
        ReadFile(path, &bytes);
        direct_bytes = InflateAll(bytes, spans);
      },
      [&] {
        PayloadFile opened;
        if (OpenPayloadFile(path.c_str(), &opened) == PayloadStatus::kOk) {
          archive_bytes = ReadAllEntries(opened.archive);
        }
        ClosePayloadFile(&opened);
      },
      &direct, &through_archive);
  std::remove(path.c_str());
  std::printf("payload of %.1f MB, %d entries, %.1f MB inflated:\n",
              double(file.size()) / (1 << 20), kEntryCount, double(direct_bytes) / (1 << 20));
  std::printf("  %-32s %7.1f ms\n", "read file + zlib inflate", direct * 1000);
  std::printf("  %-32s %7.1f ms\n", "open payload + read every entry", through_archive * 1000);
  std::printf("  ratio %.2fx (goal at most 1.2x)%s\n", through_archive / direct,
              archive_bytes == direct_bytes ? "" : "  (BYTE COUNTS DIFFER)");
  return archive_bytes == direct_bytes ? 0 : 1;
}

}  // namespace

int main() {
  BenchCrc();
  return BenchPayload();
}
