#pragma once

#include <iostream>
#include <string>

#include "document/document_file.h"

namespace zelmora {

// Loads a document for a command, saying on stderr why it could not.
inline bool LoadForCommand(const std::string& path, ObjectList& list, DocumentInfo& info) {
  const LoadResult result = LoadPlane(path, list, info);
  if (result.status == LoadStatus::kNotFound) {
    std::cerr << "zelmora-cli: " << path << ": no such file\n";
  } else if (!result.ok()) {
    std::cerr << "zelmora-cli: " << path << ": unreadable document: " << result.detail << "\n";
  }
  return result.ok();
}

}  // namespace zelmora
