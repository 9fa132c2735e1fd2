#include <string>

#include "imaging/Rastola.h"
#include "imaging/codecs/CodecTable.h"

namespace imaging {

// Windows-1252 text; every format OpenDib reads, all of them first.
const char* GetDIBOpenFilter() {
  static const std::string filter = codecs::OpenFilterText(codecs::Codecs());
  return filter.c_str();
}

}  // namespace imaging
