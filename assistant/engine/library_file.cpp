#include "assistant/engine/library_file.h"

#include <system_error>
#include <utility>

#include "base/status.h"

int CLibraryFile::Load(MaterialLibrary& library, MessagePort& messages) {
  m_loaded = StampNow();
  return LoadMaterialLibrary(library, m_loaded.path, messages);
}

int CLibraryFile::Reload(MaterialLibrary& library, MessagePort& messages) {
  MaterialLibrary fresh;
  if (Load(fresh, messages) != ST_OK) return ST_FAIL;
  library = std::move(fresh);
  return ST_OK;
}

CLibraryFile::Stamp CLibraryFile::StampNow() const {
  Stamp stamp;
  stamp.path = Path();
  std::error_code error;
  stamp.written = std::filesystem::last_write_time(stamp.path, error);
  stamp.size = std::filesystem::file_size(stamp.path, error);
  if (error) stamp.size = 0;
  return stamp;
}
