#pragma once
#include <string>
#include <vector>

namespace tessaly {

// The built-in document shown at start and for a new document: the lines of
// a DaDur file, code page 936 bytes, without line ends.
const std::vector<std::string>& DefaultDocumentLines();

}  // namespace tessaly
