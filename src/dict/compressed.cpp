#include "dict/compressed.h"

namespace tq {

bool ReadCompressedDictionary(const std::filesystem::path&, WordStore&, TDictInfo&) {
    return false;
}

}  // namespace tq
