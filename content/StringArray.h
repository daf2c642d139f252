#pragma once
// An ordered, growable array of UTF-16 strings, indexed from 0; appending stores at its size.

#include <string>
#include <vector>

using StringArray = std::vector<std::u16string>;
