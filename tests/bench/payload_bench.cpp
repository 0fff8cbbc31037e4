// Payload timings, each against a baseline run in the same process:
//  1. CRC-32/MPEG-2 (sixteen bytes per step) against the one-byte table.
//  2. Opening a ~50 MB setup file and reading every entry through
//     PackageArchive, against reading the same file and inflating the same
//     entries with zlib directly.
//  3. Reading every entry of a payload of 10 000 small files by name through
//     PackageArchive, against inflating the same entries with zlib directly.
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
constexpr int kSmallFileCount = 10000;

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

// Walks the directory in order (the archive lists the entries in the same
// order, there being no directories) and notes where each entry's data lies.
bool FindSpans(PackageArchive* archive, const Bytes& file, size_t archive_offset,
               uint32_t archive_length, std::vector<EntrySpan>* spans) {
  // A second reader over the same bytes, used only to learn the offsets.
  const std::string temp = "payload_bench_archive.zip";
  if (!WriteFile(temp, Bytes(file.begin() + long(archive_offset),
                             file.begin() + long(archive_offset + archive_length)))) {
    return false;
  }
  unzFile zip = unzOpen64(temp.c_str());
  bool ok = zip != nullptr && unzGoToFirstFile(zip) == UNZ_OK;
  for (uint32_t i = 0; ok && i < archive->GetEntryCount(); ++i) {
    unz_file_info64 info;
    ok = (i == 0 || unzGoToNextFile(zip) == UNZ_OK) &&
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

// stub + zip of `count` entries made by `content` + trailer, as mkinstaller writes it.
template <typename Content>
bool BuildSetupFile(const std::string& path, int count, const char* prefix, Content content) {
  const std::string zip_path = path + ".zip";
  zipFile zip = zipOpen64(zip_path.c_str(), APPEND_STATUS_CREATE);
  if (!zip) return false;
  for (int i = 0; i < count; ++i) {
    const Bytes data = content();
    const std::string name = prefix + std::to_string(i) + ".bin";
    zip_fileinfo info = {};
    zipOpenNewFileInZip64(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                          Z_DEFAULT_COMPRESSION, 0);
    zipWriteInFileInZip(zip, data.data(), unsigned(data.size()));
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
  if (!BuildSetupFile(path, kEntryCount, "files/entry", EntryContent)) {
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

// A small file of an installation: a few hundred bytes to a few kilobytes of
// text-like content (scripts, markup, resources).
Bytes SmallContent() {
  Bytes data(200 + NextRandom() % 3000);
  static const char kWords[] = "<item name=\"value\" path=\"$(instdir)\\file\"/> install ";
  for (size_t i = 0; i < data.size(); ++i) {
    data[i] = NextRandom() % 16 == 0 ? uint8_t('a' + NextRandom() % 26)
                                     : uint8_t(kWords[(i * 7 + i / 13) % (sizeof kWords - 1)]);
  }
  return data;
}

// Extraction reads every entry by name, one after the other. Before entry
// positions were remembered, each lookup scanned the directory from its
// start, which made this quadratic in the number of entries.
int BenchSmallFiles() {
  const std::string path = "payload_bench_small.exe";
  if (!BuildSetupFile(path, kSmallFileCount, "files/small/file", SmallContent)) {
    std::printf("could not build the small-file payload\n");
    return 1;
  }
  Bytes file;
  PayloadFile payload;
  double open_seconds = 0;
  if (!ReadFile(path, &file)) return 1;
  open_seconds = Seconds([&] { OpenPayloadFile(path.c_str(), &payload); });
  std::remove(path.c_str());
  if (payload.archive == nullptr) {
    std::printf("could not open the small-file payload\n");
    return 1;
  }
  PackageArchive* archive = payload.archive;
  std::vector<EntrySpan> spans;
  std::vector<std::string> names;
  for (uint32_t i = 0; i < archive->GetEntryCount(); ++i) names.push_back(archive->EntryName(i));
  if (!FindSpans(archive, file, payload.archive_offset, payload.archive_length, &spans)) {
    std::printf("could not locate the small entries\n");
    ClosePayloadFile(&payload);
    return 1;
  }
  size_t direct_bytes = 0;
  size_t archive_bytes = 0;
  double direct = 0;
  double by_name = 0;
  BestOfPairs([&] { direct_bytes = InflateAll(file, spans); },
              [&] {
                archive_bytes = 0;
                for (const std::string& name : names) {
                  uint8_t* bytes = nullptr;
                  archive_bytes += archive->ReadEntry(name.c_str(), &bytes);
                  archive->FreeBuffer(bytes);
                }
              },
              &direct, &by_name);
  ClosePayloadFile(&payload);
  std::printf("payload of %d small files (%.1f MB inflated), opened in %.1f ms:\n", kSmallFileCount,
              double(direct_bytes) / (1 << 20), open_seconds * 1000);
  std::printf("  %-32s %7.1f ms\n", "zlib inflate of every entry", direct * 1000);
  std::printf("  %-32s %7.1f ms\n", "ReadEntry of every entry by name", by_name * 1000);
  std::printf("  ratio %.2fx (goal at most 1.3x)%s\n", by_name / direct,
              archive_bytes == direct_bytes ? "" : "  (BYTE COUNTS DIFFER)");
  return archive_bytes == direct_bytes ? 0 : 1;
}

}  // namespace

int main() {
  BenchCrc();
  const int large = BenchPayload();
  const int small = BenchSmallFiles();
  return large != 0 ? large : small;
}
