#include "dict/pack.h"

#include <algorithm>
#include <numeric>

#include "dict/compressed.h"
#include "dict/digest.h"

namespace tq {

std::vector<int> LimitedCodeLengths(const std::vector<uint64_t>& freq, int maxLength) {
    std::vector<int> lengths(freq.size(), 0);
    std::vector<std::size_t> used;
    for (std::size_t i = 0; i < freq.size(); ++i)
        if (freq[i] > 0) used.push_back(i);
    if (used.empty()) return lengths;
    if (used.size() == 1) {
        lengths[used[0]] = 2;
        return lengths;
    }
    // Package-merge: each item is a weight and how many times it holds each used letter.
    struct Item {
        uint64_t weight;
        std::vector<uint16_t> holds;
    };
    const std::size_t m = used.size();
    std::vector<Item> leaves;
    for (std::size_t k = 0; k < m; ++k) {
        Item it{freq[used[k]], std::vector<uint16_t>(m, 0)};
        it.holds[k] = 1;
        leaves.push_back(std::move(it));
    }
    std::stable_sort(leaves.begin(), leaves.end(),
                     [](const Item& a, const Item& b) { return a.weight < b.weight; });
    std::vector<Item> list = leaves;
    for (int level = 1; level < maxLength; ++level) {
        std::vector<Item> packages;
        for (std::size_t k = 0; k + 1 < list.size(); k += 2) {
            Item p{list[k].weight + list[k + 1].weight, list[k].holds};
            for (std::size_t s = 0; s < m; ++s) p.holds[s] += list[k + 1].holds[s];
            packages.push_back(std::move(p));
        }
        std::vector<Item> merged;
        merged.reserve(leaves.size() + packages.size());
        std::merge(leaves.begin(), leaves.end(), packages.begin(), packages.end(),
                   std::back_inserter(merged),
                   [](const Item& a, const Item& b) { return a.weight < b.weight; });
        list = std::move(merged);
    }
    for (std::size_t k = 0; k < 2 * m - 2 && k < list.size(); ++k)
        for (std::size_t s = 0; s < m; ++s) lengths[used[s]] += list[k].holds[s];
    // The decoder never matches 1-bit codes; lengthening one keeps the code a prefix code.
    for (int& len : lengths)
        if (len == 1) len = 2;
    return lengths;
}

std::vector<uint32_t> CanonicalCodes(const std::vector<int>& lengths) {
    std::vector<std::size_t> order(lengths.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return lengths[a] < lengths[b]; });
    std::vector<uint32_t> codes(lengths.size(), 0);
    uint32_t code = 0;
    int prevLength = 0;
    bool first = true;
    for (std::size_t i : order) {
        if (lengths[i] == 0) continue;
        if (!first) ++code;
        code <<= (lengths[i] - prevLength);
        prevLength = lengths[i];
        first = false;
        codes[i] = code;
    }
    return codes;
}

namespace {

class BitWriter {
  public:
    void Put(uint32_t code, int length) {
        for (int b = length - 1; b >= 0; --b) {
            current_ = (current_ << 1) | ((code >> b) & 1);
            if (++filled_ == 32) Flush();
        }
    }
    // Pads the last word with zero bits and returns the stream words.
    std::vector<uint32_t> Finish() {
        if (filled_ > 0) {
            current_ <<= (32 - filled_);
            Flush();
        }
        return std::move(words_);
    }

  private:
    void Flush() {
        words_.push_back(current_);
        current_ = 0;
        filled_ = 0;
    }
    std::vector<uint32_t> words_;
    uint32_t current_ = 0;
    int filled_ = 0;
};

constexpr char kBanner[] = "Tessaroon compressed dictionary\r\n";

}  // namespace

PackResult PackDictionary(const WordStore& store, const PackOptions& options) {
    PackResult result;
    if (options.Language < 1 || options.Language > 2) {
        result.error = "The language must be 1 (Russian) or 2 (English).";
        return result;
    }
    if (options.Edition > 63 || options.SecondNumber > 63) {
        result.error = "The edition and the second header number must be 0..63.";
        return result;
    }
    TDictInfo alphabet;
    alphabet.Language = options.Language;
    alphabet.SetAlphabetFromLanguage();

    // Letter index i (1..LetterCount) stands for FirstLetter + i - 1.
    std::vector<uint64_t> freq(alphabet.LetterCount + 1, 0);
    for (int len = kMinWordLength; len <= kMaxWordLength; ++len) {
        const auto& list = store.WordsOfLength(len);
        if (list.size() > 65535) {
            result.error = "The list has " + std::to_string(list.size()) + " words of length " +
                           std::to_string(len) + "; a dictionary file holds at most 65535.";
            return result;
        }
        for (const std::string& w : list)
            for (char ch : w) {
                const auto c = static_cast<unsigned char>(ch);
                if (!alphabet.IsLetter(c)) {
                    result.error = "The word \"" + w + "\" holds a byte outside the alphabet.";
                    return result;
                }
                ++freq[c - alphabet.FirstLetter + 1];
            }
    }
    const std::vector<int> lengths = LimitedCodeLengths(freq, kMaxCodeLength);
    const std::vector<uint32_t> codes = CanonicalCodes(lengths);

    BitWriter stream;
    std::vector<uint32_t> lengthEntries;
    for (int len = kMinWordLength; len <= kMaxWordLength; ++len) {
        const auto& list = store.WordsOfLength(len);
        if (list.empty()) continue;
        lengthEntries.push_back(uint32_t(len) << 26 | uint32_t(list.size()) << 10);
        for (const std::string& w : list)
            for (char ch : w) {
                const std::size_t i = static_cast<unsigned char>(ch) - alphabet.FirstLetter + 1;
                stream.Put(codes[i], lengths[i]);
            }
    }
    std::vector<uint32_t> codeEntries;
    for (std::size_t i = 1; i < lengths.size(); ++i)
        if (lengths[i] > 0)
            codeEntries.push_back(uint32_t(i) << 26 | uint32_t(lengths[i]) << 21 | codes[i]);

    std::vector<uint32_t> words(kFirstCodeEntry, 0);
    for (std::size_t i = 0; i + 1 < sizeof kBanner; ++i)
        words[i / 4] |= uint32_t(static_cast<uint8_t>(kBanner[i])) << (8 * (i % 4));
    words[kHeaderWord1] = uint32_t(options.Language) << 26 | uint32_t(options.Edition) << 20 |
                          uint32_t(options.SecondNumber) << 14;
    words[kHeaderWord2] = uint32_t(codeEntries.size()) << 26 | uint32_t(lengthEntries.size()) << 20;
    words.insert(words.end(), codeEntries.begin(), codeEntries.end());
    words.insert(words.end(), 3, 0);
    words.insert(words.end(), lengthEntries.begin(), lengthEntries.end());
    const std::vector<uint32_t> bits = stream.Finish();
    words.insert(words.end(), bits.begin(), bits.end());
    // Zero words up to a whole number of 16-byte blocks, the digest included.
    while ((words.size() + 4) % 4 != 0) words.push_back(0);

    const std::size_t size = (words.size() + 4) * 4;
    if (size > kMaxCompressedSize) {
        result.error = "The packed dictionary would take " + std::to_string(size) +
                       " bytes, more than the 640000 a dictionary file may hold.";
        return result;
    }
    const Digest digest = Digest128(words, (words.size() + 4) / 4 - 1);
    words.insert(words.end(), digest.begin(), digest.end());

    result.data.resize(size);
    for (std::size_t i = 0; i < words.size(); ++i)
        for (int b = 0; b < 4; ++b)
            result.data[4 * i + b] = static_cast<uint8_t>(words[i] >> (8 * b));
    return result;
}

}  // namespace tq
