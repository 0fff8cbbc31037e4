// The third-party libraries as this build links them (the distribution's in
// the native build, the cross-built static ones on Windows): each one must
// not only resolve but do its real work.
#include <duktape.h>
#include <minizip/unzip.h>
#include <minizip/zip.h>
#include <png.h>
#include <zlib.h>
#include <pugixml.hpp>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <new>

namespace {

TEST(ZlibLibrary, MatchesItsHeaderAndRoundTripsAtLevelNine) {
  EXPECT_STREQ(zlibVersion(), ZLIB_VERSION);
  const char check[] = "123456789";
  EXPECT_EQ(crc32(0, reinterpret_cast<const Bytef*>(check), 9), 0xCBF43926u);

  unsigned char input[8192];
  for (size_t i = 0; i < sizeof input; ++i) {
    input[i] = static_cast<unsigned char>("<window id=\"main\"/>\n"[i % 20] + i / 1024);
  }
  unsigned char packed[9000];
  ASSERT_LE(compressBound(sizeof input), sizeof packed);
  uLongf packedSize = sizeof packed;
  ASSERT_EQ(compress2(packed, &packedSize, input, sizeof input, Z_BEST_COMPRESSION), Z_OK);
  EXPECT_LT(packedSize, sizeof input / 8);

  unsigned char unpacked[sizeof input + 16];
  uLongf unpackedSize = sizeof unpacked;
  ASSERT_EQ(uncompress(unpacked, &unpackedSize, packed, packedSize), Z_OK);
  ASSERT_EQ(unpackedSize, sizeof input);
  EXPECT_EQ(std::memcmp(unpacked, input, sizeof input), 0);
}

TEST(LibpngLibrary, IsReleaseOneSixAndMatchesItsHeader) {
  EXPECT_EQ(png_access_version_number(), static_cast<png_uint_32>(PNG_LIBPNG_VER));
  EXPECT_EQ(png_access_version_number() / 100, 106u);
}

TEST(LibpngLibrary, WritesAndReadsBackAnRgbaImageInMemory) {
  const unsigned char pixels[2 * 3 * 4] = {255, 0,  0,  255, 0, 255, 0, 128, 0,   0,   255, 255,
                                           10,  20, 30, 40,  0, 0,   0, 255, 200, 201, 202, 203};
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = 3;
  image.height = 2;
  image.format = PNG_FORMAT_RGBA;
  unsigned char encoded[1024];
  png_alloc_size_t encodedSize = sizeof encoded;
  ASSERT_NE(png_image_write_to_memory(&image, encoded, &encodedSize, 0, pixels, 0, nullptr), 0)
      << image.message;
  ASSERT_GT(encodedSize, 8u);
  EXPECT_EQ(std::memcmp(encoded, "\x89PNG\r\n\x1a\n", 8), 0);

  png_image decoded;
  std::memset(&decoded, 0, sizeof decoded);
  decoded.version = PNG_IMAGE_VERSION;
  ASSERT_NE(png_image_begin_read_from_memory(&decoded, encoded, encodedSize), 0) << decoded.message;
  EXPECT_EQ(decoded.width, 3u);
  EXPECT_EQ(decoded.height, 2u);
  decoded.format = PNG_FORMAT_RGBA;
  unsigned char readBack[sizeof pixels];
  ASSERT_EQ(PNG_IMAGE_SIZE(decoded), sizeof readBack);
  ASSERT_NE(png_image_finish_read(&decoded, nullptr, readBack, 0, nullptr), 0) << decoded.message;
  EXPECT_EQ(std::memcmp(readBack, pixels, sizeof pixels), 0);
}

// A zip archive held in memory and handed to minizip through its 64-bit I/O
// hooks, the way archives embedded in other files are read.
struct MemoryArchive {
  unsigned char bytes[16384];
  ZPOS64_T size = 0;
  ZPOS64_T position = 0;
  bool failed = false;
};

voidpf ZCALLBACK OpenArchive(voidpf opaque, const void*, int mode) {
  MemoryArchive* archive = static_cast<MemoryArchive*>(opaque);
  if (mode & ZLIB_FILEFUNC_MODE_CREATE) archive->size = 0;
  archive->position = 0;
  return archive;
}

uLong ZCALLBACK ReadArchive(voidpf, voidpf stream, void* buffer, uLong count) {
  MemoryArchive* archive = static_cast<MemoryArchive*>(stream);
  ZPOS64_T available = archive->size > archive->position ? archive->size - archive->position : 0;
  uLong taken = count < available ? count : static_cast<uLong>(available);
  std::memcpy(buffer, archive->bytes + archive->position, taken);
  archive->position += taken;
  return taken;
}

uLong ZCALLBACK WriteArchive(voidpf, voidpf stream, const void* buffer, uLong count) {
  MemoryArchive* archive = static_cast<MemoryArchive*>(stream);
  if (count > sizeof archive->bytes - archive->position) {
    archive->failed = true;
    return 0;
  }
  std::memcpy(archive->bytes + archive->position, buffer, count);
  archive->position += count;
  if (archive->position > archive->size) archive->size = archive->position;
  return count;
}

ZPOS64_T ZCALLBACK TellArchive(voidpf, voidpf stream) {
  return static_cast<MemoryArchive*>(stream)->position;
}

long ZCALLBACK SeekArchive(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  MemoryArchive* archive = static_cast<MemoryArchive*>(stream);
  ZPOS64_T base = origin == ZLIB_FILEFUNC_SEEK_SET   ? 0
                  : origin == ZLIB_FILEFUNC_SEEK_CUR ? archive->position
                                                     : archive->size;
  if (offset > sizeof archive->bytes - base) return -1;
  archive->position = base + offset;
  return 0;
}

int ZCALLBACK CloseArchive(voidpf, voidpf) { return 0; }

int ZCALLBACK ArchiveError(voidpf, voidpf stream) {
  return static_cast<MemoryArchive*>(stream)->failed ? 1 : 0;
}

zlib_filefunc64_def MemoryArchiveFunctions(MemoryArchive* archive) {
  zlib_filefunc64_def functions;
  functions.zopen64_file = OpenArchive;
  functions.zread_file = ReadArchive;
  functions.zwrite_file = WriteArchive;
  functions.ztell64_file = TellArchive;
  functions.zseek64_file = SeekArchive;
  functions.zclose_file = CloseArchive;
  functions.zerror_file = ArchiveError;
  functions.opaque = archive;
  return functions;
}

TEST(MinizipLibrary, WritesAZipInMemoryAndReadsItBack) {
  std::unique_ptr<MemoryArchive> archive(new (std::nothrow) MemoryArchive);
  ASSERT_NE(archive, nullptr);
  char layout[4000];
  for (size_t i = 0; i < sizeof layout; ++i) layout[i] = "<button id=\"ok\"/>\n"[i % 18];
  const char note[] = "stored, not deflated";
  struct Entry {
    const char* name;
    const char* data;
    uLong size;
    int method;
  } const entries[] = {{"skin/layout.xml", layout, sizeof layout, Z_DEFLATED},
                       {"skin/note.txt", note, sizeof note - 1, 0}};

  zlib_filefunc64_def io = MemoryArchiveFunctions(archive.get());
  zipFile writer = zipOpen2_64("memory", APPEND_STATUS_CREATE, nullptr, &io);
  ASSERT_NE(writer, nullptr);
  zip_fileinfo info;
  std::memset(&info, 0, sizeof info);
  for (const Entry& e : entries) {
    ASSERT_EQ(zipOpenNewFileInZip64(writer, e.name, &info, nullptr, 0, nullptr, 0, nullptr,
                                    e.method, Z_BEST_COMPRESSION, 0),
              ZIP_OK);
    ASSERT_EQ(zipWriteInFileInZip(writer, e.data, static_cast<unsigned>(e.size)), ZIP_OK);
    ASSERT_EQ(zipCloseFileInZip(writer), ZIP_OK);
  }
  ASSERT_EQ(zipClose(writer, nullptr), ZIP_OK);

  unzFile reader = unzOpen2_64("memory", &io);
  ASSERT_NE(reader, nullptr);
  unz_global_info64 global;
  ASSERT_EQ(unzGetGlobalInfo64(reader, &global), UNZ_OK);
  EXPECT_EQ(global.number_entry, 2u);
  for (const Entry& e : entries) {
    SCOPED_TRACE(e.name);
    ASSERT_EQ(unzLocateFile(reader, e.name, 1), UNZ_OK);
    unz_file_info64 file;
    ASSERT_EQ(unzGetCurrentFileInfo64(reader, &file, nullptr, 0, nullptr, 0, nullptr, 0), UNZ_OK);
    EXPECT_EQ(file.compression_method, static_cast<uLong>(e.method));
    EXPECT_EQ(file.uncompressed_size, e.size);
    EXPECT_EQ(file.crc, crc32(0, reinterpret_cast<const Bytef*>(e.data), e.size));
    if (e.method == Z_DEFLATED) {
      EXPECT_LT(file.compressed_size, e.size / 4);
    }

    char readBack[sizeof layout + 16];
    ASSERT_EQ(unzOpenCurrentFile(reader), UNZ_OK);
    EXPECT_EQ(unzReadCurrentFile(reader, readBack, sizeof readBack), static_cast<int>(e.size));
    EXPECT_EQ(std::memcmp(readBack, e.data, e.size), 0);
    EXPECT_EQ(unzCloseCurrentFile(reader), UNZ_OK);  // also checks the CRC
  }
  EXPECT_EQ(unzLocateFile(reader, "skin/missing.txt", 1), UNZ_END_OF_LIST_OF_FILE);
  EXPECT_EQ(unzClose(reader), UNZ_OK);
}

TEST(PugixmlLibrary, ParsesADocumentAndReportsAMalformedOne) {
  pugi::xml_document document;
  pugi::xml_parse_result parsed = document.load_string(
      "<installer title=\"Setup\"><page id=\"welcome\"/><page id=\"folder\"/></installer>");
  ASSERT_TRUE(parsed) << parsed.description();
  pugi::xml_node installer = document.child("installer");
  EXPECT_STREQ(installer.attribute("title").value(), "Setup");
  EXPECT_STREQ(installer.last_child().attribute("id").value(), "folder");
  int pages = 0;
  for (pugi::xml_node page : installer.children("page")) pages += page ? 1 : 0;
  EXPECT_EQ(pages, 2);

  EXPECT_EQ(document.load_string("<installer><page></installer>").status,
            pugi::status_end_element_mismatch);
}

TEST(DuktapeLibrary, EvaluatesScriptsAndCatchesTheirErrors) {
  std::unique_ptr<duk_context, void (*)(duk_context*)> heap(duk_create_heap_default(),
                                                            duk_destroy_heap);
  ASSERT_NE(heap, nullptr);
  duk_context* ctx = heap.get();

  ASSERT_EQ(duk_peval_string(ctx, "1+2"), 0);
  EXPECT_EQ(duk_get_int(ctx, -1), 3);
  duk_pop(ctx);

  ASSERT_EQ(duk_peval_string(ctx, "Duktape.version"), 0);
  EXPECT_EQ(duk_get_int(ctx, -1), DUK_VERSION);
  duk_pop(ctx);

  EXPECT_NE(duk_peval_string(ctx, "throw new Error('no such page')"), 0);
  EXPECT_STREQ(duk_safe_to_string(ctx, -1), "Error: no such page");
  duk_pop(ctx);
}

}  // namespace
