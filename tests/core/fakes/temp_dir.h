// A fresh directory for one test, and whole-file reads and writes of the files in it.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "core/text.h"

namespace vamplet::test {

// Made under the system's temporary directory with a unique name, and removed with
// everything in it when the object goes.
class TempDir {
 public:
  explicit TempDir(const std::string& prefix = "vamplet-test") {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("Cannot make a temporary directory from " + pattern + ".");
    }
    path = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The path of `name` inside the directory, as the program's texts hold paths.
  Text File(const std::string& name) const { return FromUtf8((path / name).string()); }

  std::filesystem::path path;
};

// The whole content of a file; empty when it cannot be read.
inline std::string ReadBytes(const Text& path) {
  std::ifstream in(ToUtf8(path), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteBytes(const Text& path, const std::string& bytes) {
  std::ofstream(ToUtf8(path), std::ios::binary) << bytes;
}

}  // namespace vamplet::test
