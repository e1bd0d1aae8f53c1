// SPDX-License-Identifier: GPL-3.0-or-later
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
    // Fills the stream up to `words` whole words with copies of the code and returns them. The
    // copy that does not fit is cut short: its leading bits begin no other code (the code is a
    // prefix code), so a reader holds them back as unfinished and drops them at the end. A code
    // of no bits (a dictionary without letters has none) would fill nothing: zero bits pad then.
    std::vector<uint32_t> Finish(std::size_t words, uint32_t code, int length) {
        if (length <= 0) {
            code = 0;
            length = 1;
        }
        while (words_.size() < words) Put(code, length);
        words_.resize(words);
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

// How the stream ends. The file is a whole number of 16-byte blocks, so up to 127 bits follow
// the last word, and a reader may go on decoding them as further letters (the reading steps let
// it). They are filled with copies of one letter's code, the longest, and there must be fewer
// such copies than the longest word length, so that they never complete a word whatever length
// the reader then expects. When the longest code is too short for that, it is made 12 bits long;
// when even that is too short (a dictionary of short words only), length entries for lengths
// without words move the stream so that the padding stays within the last stream word, and if
// need be another letter's code is made longer so that fewer bits are left in that word.
struct Padding {
    bool ok = false;
    std::vector<int> lengths;  // the code lengths to use
    std::size_t letter = 0;    // whose code pads the stream
    int spareLengthEntries = 0;
    std::size_t streamWords = 0;
};

Padding PlanPadding(const std::vector<uint64_t>& freq, const std::vector<int>& lengths,
                    std::size_t codeCount, std::size_t lengthCount, int longestLength) {
    Padding plan;
    plan.lengths = lengths;
    for (std::size_t i = 1; i < lengths.size(); ++i)
        if (lengths[i] > 0 && lengths[i] >= lengths[plan.letter]) plan.letter = i;
    const auto fits = [&](int spare) {
        uint64_t bits = 0;
        for (std::size_t i = 0; i < freq.size(); ++i) bits += freq[i] * plan.lengths[i];
        const std::size_t begin = kFirstCodeEntry + codeCount + 3 + lengthCount + spare;
        std::size_t end = begin + static_cast<std::size_t>((bits + 31) / 32);
        end += (4 - end % 4) % 4;  // the 4 digest words then end a 16-byte block
        plan.spareLengthEntries = spare;
        plan.streamWords = end - begin;
        if (plan.letter == 0) return true;  // no letters, no words: nothing to complete
        const uint64_t padBits = 32 * uint64_t{plan.streamWords} - bits;
        return padBits / static_cast<uint64_t>(plan.lengths[plan.letter]) <
               static_cast<uint64_t>(longestLength);
    };
    // Spare entries take lengths above the longest one; they are needed only when the longest
    // word is short (12-bit copies in 127 bits are at most 10 letters), and then such lengths
    // exist.
    const auto fitsWithSpares = [&] {
        for (int spare = 0; spare < 4 && longestLength + spare <= kMaxWordLength; ++spare)
            if (fits(spare)) return true;
        return false;
    };
    if (fits(0)) {
        plan.ok = true;
        return plan;
    }
    plan.lengths[plan.letter] = kMaxCodeLength;
    if (fitsWithSpares()) {
        plan.ok = true;
        return plan;
    }
    for (std::size_t other = 1; other < lengths.size(); ++other) {
        if (other == plan.letter || lengths[other] == 0) continue;
        for (int len = lengths[other] + 1; len <= kMaxCodeLength; ++len) {
            plan.lengths[other] = len;
            if (fitsWithSpares()) {
                plan.ok = true;
                return plan;
            }
        }
        plan.lengths[other] = lengths[other];
    }
    return plan;
}

constexpr char kBanner[] = "Tessaroon compressed dictionary\r\n";

}  // namespace

Result<std::vector<uint8_t>> PackDictionary(const WordStore& store, const PackOptions& options) {
    if (options.Language < 1 || options.Language > 2) {
        return Status::Error("The language must be 1 (Russian) or 2 (English).");
    }
    if (options.Edition > 63 || options.SecondNumber > 63) {
        return Status::Error("The edition and the second header number must be 0..63.");
    }
    TDictInfo alphabet;
    alphabet.Language = options.Language;
    alphabet.SetAlphabetFromLanguage();

    // Letter index i (1..LetterCount) stands for FirstLetter + i - 1.
    std::vector<uint64_t> freq(alphabet.LetterCount + 1, 0);
    for (int len = kMinWordLength; len <= kMaxWordLength; ++len) {
        const auto& list = store.WordsOfLength(len);
        if (list.size() > 65535) {
            return Status::Error("The list has " + std::to_string(list.size()) +
                                 " words of length " + std::to_string(len) +
                                 "; a dictionary file holds at most 65535.");
        }
        for (const std::string& w : list)
            for (char ch : w) {
                const auto c = static_cast<unsigned char>(ch);
                if (!alphabet.IsLetter(c)) {
                    return Status::Error("The word \"" + w +
                                         "\" holds a byte outside the alphabet.");
                }
                ++freq[c - alphabet.FirstLetter + 1];
            }
    }
    std::vector<int> lengths = LimitedCodeLengths(freq, kMaxCodeLength);
    int longestLength = 0;  // of the words
    std::vector<uint32_t> lengthEntries;
    for (int len = kMinWordLength; len <= kMaxWordLength; ++len) {
        const std::size_t count = store.WordsOfLength(len).size();
        if (count == 0) continue;
        lengthEntries.push_back(uint32_t(len) << 26 | uint32_t(count) << 10);
        longestLength = len;
    }
    std::size_t codeCount = 0;
    for (std::size_t i = 1; i < lengths.size(); ++i) codeCount += lengths[i] > 0 ? 1 : 0;

    const Padding padding =
        PlanPadding(freq, lengths, codeCount, lengthEntries.size(), longestLength);
    if (!padding.ok) {
        return Status::Error(
            "The words are too short for a safe end of the packed stream: add a word of three "
            "or more letters.");
    }
    lengths = padding.lengths;
    // Length entries for lengths without words (count 0) only move the stream.
    for (int k = 0; k < padding.spareLengthEntries; ++k)
        lengthEntries.push_back(uint32_t(kMaxWordLength - k) << 26);
    const std::vector<uint32_t> codes = CanonicalCodes(lengths);

    BitWriter stream;
    for (int len = kMinWordLength; len <= kMaxWordLength; ++len)
        for (const std::string& w : store.WordsOfLength(len))
            for (char ch : w) {
                const std::size_t i = static_cast<unsigned char>(ch) - alphabet.FirstLetter + 1;
                stream.Put(codes[i], lengths[i]);
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
    const std::vector<uint32_t> bits =
        stream.Finish(padding.streamWords, codes[padding.letter], lengths[padding.letter]);
    words.insert(words.end(), bits.begin(), bits.end());

    const std::size_t size = (words.size() + 4) * 4;
    if (size > kMaxCompressedSize) {
        return Status::Error("The packed dictionary would take " + std::to_string(size) +
                             " bytes, more than the 640000 a dictionary file may hold.");
    }
    const Digest digest = Digest128(words, (words.size() + 4) / 4 - 1);
    words.insert(words.end(), digest.begin(), digest.end());

    std::vector<uint8_t> data(size);
    for (std::size_t i = 0; i < words.size(); ++i)
        for (int b = 0; b < 4; ++b) data[4 * i + b] = static_cast<uint8_t>(words[i] >> (8 * b));
    return data;
}

}  // namespace tq
