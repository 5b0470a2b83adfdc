// Telling the formats apart, unpacking ZIP-wrapped JPZ files, the XML
// helpers and the APZ reader.
#include <zip.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <sstream>
#include <vector>

#include "ForeignFormats.h"
#include "ForeignReaders.h"
#include "Utf8.h"

namespace vlq {

namespace xml {

std::string_view localName(const pugi::xml_node& node) {
    const std::string_view name = node.name();
    const auto colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node child(const pugi::xml_node& node, std::string_view name) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && localName(c) == name) return c;
    return {};
}

std::string text(const pugi::xml_node& node) {
    std::string out;
    pugi::xml_node n = node.first_child();
    while (n) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) out += n.value();
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n && n != node && !n.next_sibling()) n = n.parent();
        if (!n || n == node) break;
        n = n.next_sibling();
    }
    return out;
}

namespace {

std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

std::vector<std::string> lines(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    std::string line;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (!line.empty()) out.push_back(line);
    }
    return out;
}

std::u32string codePoints(const std::string& s) {
    std::u32string out;
    std::size_t i = 0;
    while (i < s.size()) out += nextCodePoint(s, i);
    return out;
}

bool isLetterLike(char32_t cp) {
    return (cp < 0x80 && std::isalnum(static_cast<int>(cp))) ||
           (cp >= 0xC0 && cp <= 0x24F && cp != 0xD7 && cp != 0xF7) || (cp >= 0x370 && cp < 0x2000);
}

} // namespace

ForeignPuzzle readApz(const pugi::xml_node& root) {
    ForeignPuzzle out;
    const pugi::xml_node meta = child(root, "metadata");
    out.title = trimmed(text(child(meta, "title")));
    out.author = trimmed(text(child(meta, "creator")));
    out.source = trimmed(text(child(root, "source")));
    for (const char* name : {"suggestedwidth", "width"}) {
        const std::string w = trimmed(text(child(meta, name)));
        if (!w.empty() && w.size() <= 3 && std::all_of(w.begin(), w.end(), ::isdigit)) {
            out.width = std::stoi(w);
            break;
        }
    }

    // Inner line breaks (with the indentation around them) separate words
    // like one space; spaces on one line are kept as they are.
    const std::string solution = trimmed(text(child(root, "solution")));
    if (solution.empty()) throw ForeignError("the file has no solution");
    bool allX = true;
    const std::u32string cps = codePoints(solution);
    for (std::size_t i = 0; i < cps.size();) {
        const char32_t cp = cps[i];
        if (cp == ' ' || cp == '\n' || cp == '\r' || cp == '\t') {
            std::size_t end = i;
            bool multiline = false;
            for (; end < cps.size() && (cps[end] == ' ' || cps[end] == '\n' || cps[end] == '\r' || cps[end] == '\t');
                 ++end)
                multiline = multiline || cps[end] != ' ';
            for (std::size_t n = 0; n < (multiline ? 1 : end - i); ++n) out.quote.push_back({QuoteCell::Break, U' '});
            i = end;
            continue;
        }
        if (isLetterLike(cp)) {
            out.quote.push_back({QuoteCell::Letter, cp});
            allX = allX && (cp == 'X' || cp == 'x');
        } else {
            out.quote.push_back({QuoteCell::Punctuation, cp});
        }
        ++i;
    }

    const auto answers = lines(text(child(root, "answers")));
    const auto clues = lines(text(child(root, "clues")));
    const auto keyLines = lines(text(child(root, "gridkey")));
    if (answers.size() != clues.size())
        throw ForeignError("the file has " + std::to_string(answers.size()) + " answers but " +
                           std::to_string(clues.size()) + " clues");
    out.hasGridKey = !keyLines.empty();
    if (out.hasGridKey && keyLines.size() != answers.size())
        throw ForeignError("the grid key has " + std::to_string(keyLines.size()) + " lines for " +
                           std::to_string(answers.size()) + " answers");
    for (std::size_t k = 0; k < answers.size(); ++k) {
        ForeignClue clue;
        clue.text = clues[k];
        clue.answer = codePoints(answers[k]);
        for (char32_t cp : clue.answer) allX = allX && (cp == 'X' || cp == 'x' || cp == ' ');
        if (out.hasGridKey) {
            std::istringstream in(keyLines[k]);
            std::string token;
            while (in >> token) {
                if (token.size() > 4 || !std::all_of(token.begin(), token.end(), ::isdigit))
                    throw ForeignError("line " + std::to_string(k + 1) + " of the grid key has \"" +
                                       token.substr(0, 12) + "\" where a square number belongs");
                clue.squares.push_back(std::stoi(token));
            }
        }
        out.clues.push_back(std::move(clue));
    }
    if (allX)
        throw ForeignError("the file has no solution: every letter is X, as in a template");
    return out;
}

} // namespace xml

namespace {

// The one XML file inside a ZIP-wrapped JPZ, at most kMaxForeignFileSize
// bytes of it.
std::string unzipJpz(std::span<const std::uint8_t> data) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(data.data(), data.size(), 0, &error);
    if (!source) throw ForeignError("the ZIP archive cannot be read");
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        throw ForeignError("the file is not a readable ZIP archive");
    }
    std::unique_ptr<zip_t, decltype(&zip_discard)> guard(archive, &zip_discard);
    const zip_int64_t entries = zip_get_num_entries(archive, 0);
    zip_int64_t chosen = -1;
    for (zip_int64_t i = 0; i < entries && i < 1000; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (!name) continue;
        const std::string n = name;
        if (n.empty() || n.back() == '/' || n.starts_with("__MACOSX")) continue;
        if (chosen < 0) chosen = i;
    }
    if (chosen < 0) throw ForeignError("the ZIP archive holds no puzzle file");
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(chosen), 0);
    if (!file) throw ForeignError("the puzzle inside the ZIP archive cannot be unpacked");
    std::string out;
    char buffer[65536];
    zip_int64_t got = 0;
    while ((got = zip_fread(file, buffer, sizeof buffer)) > 0) {
        out.append(buffer, static_cast<std::size_t>(got));
        if (out.size() > kMaxForeignFileSize) {
            zip_fclose(file);
            throw ForeignError("the puzzle inside the ZIP archive is larger than 4 MiB");
        }
    }
    zip_fclose(file);
    if (got < 0) throw ForeignError("the puzzle inside the ZIP archive is damaged");
    return out;
}

// UTF-16 text (after its byte-order mark) as UTF-8; a lone surrogate
// becomes U+FFFD.
std::string utf8FromUtf16(std::span<const std::uint8_t> data, bool bigEndian) {
    std::string out;
    const auto unit = [&](std::size_t i) -> char32_t {
        return bigEndian ? char32_t(data[i] << 8 | data[i + 1]) : char32_t(data[i + 1] << 8 | data[i]);
    };
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < data.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        out += utf8Of(cp);
    }
    return out;
}

bool validUtf8(std::string_view s) {
    const std::string copy(s);
    std::size_t i = 0;
    while (i < copy.size())
        if (nextCodePoint(copy, i) == 0xFFFD) return false;
    return true;
}

ForeignPuzzle readXml(std::string_view text) {
    pugi::xml_document doc;
    // Old tools wrote Latin-1 without saying so; a declared encoding wins.
    const bool declared = text.substr(0, 200).find("encoding=") != std::string_view::npos;
    const auto encoding = !declared && !validUtf8(text) ? pugi::encoding_latin1 : pugi::encoding_auto;
    const pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size(), pugi::parse_default, encoding);
    if (!parsed)
        throw ForeignError(std::string("the XML is malformed (") + parsed.description() + " at byte " +
                           std::to_string(parsed.offset) + ")");
    const pugi::xml_node root = doc.document_element();
    const std::string_view name = xml::localName(root);
    if (name == "puzzle") return xml::readApz(root);
    if (name == "crossword-compiler-applet" || name == "crossword-compiler" || name == "rectangular-puzzle")
        return xml::readJpz(root);
    throw ForeignError("the XML file is neither JPZ nor APZ (its root is <" + std::string(name.substr(0, 40)) + ">)");
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

} // namespace

std::optional<ForeignFormat> foreignFormatNamed(const std::string& extension) {
    const std::string e = lower(extension.starts_with(".") ? extension.substr(1) : extension);
    if (e == "jpz") return ForeignFormat::Jpz;
    if (e == "apz") return ForeignFormat::Apz;
    if (e == "ipuz") return ForeignFormat::Ipuz;
    return std::nullopt;
}

bool isForeignPuzzlePath(const std::string& path) {
    const auto dot = path.rfind('.');
    const auto slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    return foreignFormatNamed(path.substr(dot)).has_value();
}

ForeignPuzzle readForeign(std::span<const std::uint8_t> data) {
    if (data.size() > kMaxForeignFileSize) throw ForeignError("the file is larger than 4 MiB");
    if (data.size() >= 4 && data[0] == 'P' && data[1] == 'K' && data[2] == 3 && data[3] == 4) {
        const std::string inner = unzipJpz(data);
        return readXml(inner);
    }
    // UTF-16, as some editors save: read as the same text in UTF-8.
    std::string converted;
    if (data.size() >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF)))
        converted = utf8FromUtf16(data.subspan(2), data[0] == 0xFE);
    std::string_view text = converted.empty() ? std::string_view(reinterpret_cast<const char*>(data.data()), data.size())
                                              : std::string_view(converted);
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) throw ForeignError("the file is empty");
    if (text[first] == '{' || text.substr(first).starts_with("ipuz(")) return ipuz::read(text.substr(first));
    if (text[first] == '<') return readXml(text);
    throw ForeignError("the file is not a JPZ, APZ or ipuz puzzle");
}

ImportResult importForeign(std::span<const std::uint8_t> data, const std::string& fallbackTitle) {
    ImportResult result;
    try {
        ForeignPuzzle puzzle = readForeign(data);
        if (puzzle.title.empty()) puzzle.title = fallbackTitle;
        result = recordFromForeign(puzzle);
    } catch (const ForeignError& e) {
        result.error = e.what();
    } catch (const std::exception& e) {
        result.error = std::string("the file cannot be read (") + e.what() + ")";
    }
    if (result.title.empty()) result.title = fallbackTitle;
    return result;
}

} // namespace vlq
