#pragma once

// A gzip-compressed file on disk, written through zlib's gzip file
// functions and read whole into memory, member by member, through zlib's
// inflate. Data without the gzip signature reads through unchanged; a member
// that is damaged or cut short fails the reading.

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

struct gzFile_s;

inline constexpr int kGzipNotOpen = 0;
inline constexpr int kGzipWrite = 1;
inline constexpr int kGzipRead = 2;

class CCompressedFile {
 public:
  virtual ~CCompressedFile() = default;
  virtual bool SetMode(int mode) {
    m_mode = mode;
    return true;
  }
  virtual bool Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual bool Write(const void* buffer, int length) = 0;
  virtual bool WriteString(const char* text) = 0;
  virtual int Read(void* buffer, int length) = 0;

 protected:
  int m_mode = kGzipNotOpen;
  int m_level = -1;    // zlib's default level
  int m_strategy = 0;  // zlib's default strategy
};

class CGzipFile : public CCompressedFile {
 public:
  CGzipFile() = default;
  ~CGzipFile() override;
  CGzipFile(const CGzipFile&) = delete;
  CGzipFile& operator=(const CGzipFile&) = delete;

  // Mode kGzipRead or kGzipWrite; true when the file is open afterwards.
  // Fails without a change when a file is already open.
  bool Open(const std::filesystem::path& path, int mode);
  bool Close() override;
  bool IsOpen() const override { return m_handle != nullptr || !m_readPath.empty(); }
  bool Write(const void* buffer, int length) override;
  bool WriteString(const char* text) override;
  // Uncompressed bytes delivered, 0 at the end, -1 on error. The first
  // call reads and inflates the whole file.
  int Read(void* buffer, int length) override;
  // The whole uncompressed content in one new buffer of exactly `size`
  // bytes. False on a read error or an empty content.
  virtual bool ReadAll(std::unique_ptr<unsigned char[]>& data, int& size);
  virtual bool ApplyParams();

 private:
  bool Inflate();

  gzFile_s* m_handle = nullptr;                         // when open for writing
  std::filesystem::path m_readPath;                     // when open for reading
  std::optional<std::vector<unsigned char>> m_content;  // once inflated
  size_t m_readOffset = 0;
};
