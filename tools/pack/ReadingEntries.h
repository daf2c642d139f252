#pragma once
// What the packer stores with readings (--readings): each content's readings, and the word
// list with each word's reading, so that the program finds a word written in kana too.

#include "Reader.h"

#include <string>
#include <string_view>

namespace pack {

// The readings entry of a content source (content/Readings.h): a line for each of its records.
// The source has been checked, so every line is a sound record.
std::string readingsEntry(const Reader& reader, std::string_view source);

// The word list with each word's reading as a third field, where the dictionary has one.
std::string listWithReadings(const Reader& reader, std::string_view list);

} // namespace pack
