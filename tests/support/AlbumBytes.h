#pragma once
// Album file bytes written out field by field, independent of the writer.
#include <cstdint>
#include <string>

namespace album_bytes {

inline std::string Int32(uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF), static_cast<char>(v >> 16 & 0xFF),
          static_cast<char>(v >> 24 & 0xFF)};
}

inline std::string Text(const std::string& t) { return Int32(static_cast<uint32_t>(t.size())) + t; }

// The default settings' fields, from the background colour to the detail caption.
inline std::string DefaultSettings() {
  return Int32(0xC0C0C0) + Int32(90) + Int32(90) + Int32(5) + Int32(3) + Int32(3) + Text("Web Lumivista") +
         Text(
             "Klicken Sie auf die Bilder, um sie in Originalgr\xF6\xDF"
             "e zu sehen.") +
         Text("Web Lumivista");
}

// One picture a.jpg beside the album file, comment "Hi", both flags, default settings.
inline std::string WorkedExample() {
  std::string bytes = "Vendrix Web Lumivista 1.0";
  bytes += Int32(1) + Text("a.jpg") + Text("Hi") + "\x01\x01" + DefaultSettings() + Int32(0xFFFFFF);
  return bytes;
}

}  // namespace album_bytes
