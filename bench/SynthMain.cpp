// verdane-synth: writes the synthetic content, for measurements of the program at scale.
//
//   verdane-synth OUTPUT.zip RECORDS_PER_CONTENT   a content file holding all seven contents
//   verdane-synth --text OUTPUT.txt COUNT          the sentences of the first content (the same
//                                                  ones content_bench loads), one per line
//   verdane-synth --terms                          the rare and the common search term, a line each
//   verdane-synth --utf16-bytes RECORDS_PER_CONTENT  the size of every sentence and flag string of
//                                                  such a content file as UTF-16: what the program
//                                                  must at least hold of it

#include "SyntheticContent.h"
#include "content/ContentNames.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string_view>

namespace {

bool parseCount(std::string_view text, std::size_t& count)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    return error == std::errc() && end == text.data() + text.size() && count > 0;
}

int writeText(const std::string& path, std::size_t count)
{
    std::ofstream out(path, std::ios::binary);
    for (const auto& record : synth::makeRecords(count, synth::kSeed))
        out << record.second << '\n';
    out.close();
    if (!out) {
        std::cerr << path << ": cannot be written\n";
        return 1;
    }
    return 0;
}

// UTF-16 code units of well-formed UTF-8: one per code point, two past U+FFFF.
std::size_t utf16Units(std::string_view utf8)
{
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) != 0x80; // a code point starts here
        units += byte >= 0xF0;          // and needs a surrogate pair
    }
    return units;
}

int printUtf16Bytes(std::size_t recordsPerContent)
{
    std::size_t units = 0;
    for (unsigned position = 0; position < std::size(content::kAllContents); ++position) {
        for (const auto& [flags, text] :
             synth::makeRecords(recordsPerContent, synth::kSeed + position))
            units += utf16Units(flags) + utf16Units(text);
    }
    std::cout << units * sizeof(char16_t) << '\n';
    return 0;
}

int usage()
{
    std::cerr << "usage: verdane-synth OUTPUT.zip RECORDS_PER_CONTENT\n"
                 "       verdane-synth --text OUTPUT.txt COUNT\n"
                 "       verdane-synth --terms\n"
                 "       verdane-synth --utf16-bytes RECORDS_PER_CONTENT\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (argc == 2 && first == "--terms") {
        std::cout << synth::kRareTerm << '\n' << synth::kCommonTerm << '\n';
        return 0;
    }
    std::size_t count = 0;
    if (argc == 3 && first == "--utf16-bytes")
        return parseCount(argv[2], count) ? printUtf16Bytes(count) : usage();
    if (argc == 4 && first == "--text")
        return parseCount(argv[3], count) ? writeText(argv[2], count) : usage();
    if (argc != 3 || first.starts_with("--") || !parseCount(argv[2], count))
        return usage();
    const std::vector<std::string> names(std::begin(content::kAllContents),
                                         std::end(content::kAllContents));
    try {
        synth::writeContentFile(argv[1], names, count);
    } catch (const std::runtime_error& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
