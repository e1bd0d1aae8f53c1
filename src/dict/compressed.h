#pragma once
// The compressed dictionary file (.tqd) and the program's own 128-bit digest.

#include <filesystem>

#include "dict/word_store.h"

namespace tq {

// Reads a compressed dictionary into the store and sets the alphabet, Edition and the second
// header number of info. A file that fails any check changes nothing and returns false.
bool ReadCompressedDictionary(const std::filesystem::path& file, WordStore& store, TDictInfo& info);

}  // namespace tq
