#pragma once
// Every picture format OpenDib reads, one entry each. The open filter,
// recognition and dispatch are derived from the table, so a new format is
// one entry and one reader.
#include <span>
#include <string>

#include "imaging/codecs/DecodeSupport.h"

namespace imaging::codecs {

struct Codec {
  const char* filterName;                   // Windows-1252, as the open dialog shows it
  std::span<const char* const> extensions;  // without the dot, the usual one first
  bool (*recognises)(FileBytes file);       // by the first bytes, never by the name
  bool shortSignature;                      // tried after every other codec
  void (*decode)(FileBytes file, Image& out, ProgressMeter& progress);
};

// In the order the open filter lists them.
std::span<const Codec> Codecs();

// The codec that recognises the file, or null. Codecs with a short
// signature ("BM") are asked last, so two bytes cannot claim a file that
// another format's longer signature names.
const Codec* FindCodec(FileBytes file, std::span<const Codec> codecs = Codecs());

// "Alle Bilddateien" with every mask, then one description and mask pair
// per codec, all separated by '|'.
std::string OpenFilterText(std::span<const Codec> codecs);

}  // namespace imaging::codecs
