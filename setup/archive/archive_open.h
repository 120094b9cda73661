#pragma once

// Opening archive files by path, where the platforms differ: Windows opens
// through the wide-character file API so that any name opens, whatever the
// machine's code page.

#include <filesystem>

struct gzFile_s;

// Length in bytes of an existing regular file that can be opened for
// reading (others may read at the same time); -1 when it cannot.
long long ReadableFileLength(const std::filesystem::path& path);

// minizip's handle of the archive, positioned on its first entry; null when
// minizip cannot read the archive.
void* OpenMinizipArchive(const std::filesystem::path& path);

// zlib's gzip handle; `mode` as zlib takes it ("rb", "wb"). Null on failure.
gzFile_s* OpenGzipPath(const std::filesystem::path& path, const char* mode);
