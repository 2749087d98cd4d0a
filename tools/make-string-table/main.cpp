// make-string-table SOURCE TABLE OUTPUT: writes the "STR0" table named TABLE of the readable
// source (see widgets/esbase/EsStrings.txt) to OUTPUT. Runs on the build machine, also when the
// program itself is cross-compiled.
#include "EsStringTable.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

std::u16string Utf16FromUtf8(const std::string& text) {
    std::u16string units;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80       ? 0
                          : lead >> 5 == 6  ? 1
                          : lead >> 4 == 14 ? 2
                          : lead >> 3 == 30 ? 3
                                            : -1;
        if (extra < 0 || i + extra >= text.size()) {
            throw std::runtime_error("the text is not UTF-8: " + text);
        }
        char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if (next >> 6 != 2) {
                throw std::runtime_error("the text is not UTF-8: " + text);
            }
            code = code << 6 | (next & 0x3F);
        }
        i += extra + 1;
        if (code >= 0x10000) {
            code -= 0x10000;
            units += char16_t(0xD800 + (code >> 10));
            units += char16_t(0xDC00 + (code & 0x3FF));
        } else {
            units += char16_t(code);
        }
    }
    return units;
}

std::vector<kolvo::StringTableText> ReadTable(std::istream& source, const std::string& table) {
    std::vector<kolvo::StringTableText> texts;
    std::string line;
    std::string section;
    bool found = false;
    int lineNumber = 0;
    while (std::getline(source, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            found = found || section == table;
            continue;
        }
        if (section != table) {
            continue;
        }
        const std::size_t tab = line.find('\t');
        std::size_t used = 0;
        int number = 0;
        try {
            number = std::stoi(line.substr(0, tab), &used);
        } catch (const std::exception&) {
            used = std::string::npos;
        }
        if (tab == std::string::npos || used != tab) {
            throw std::runtime_error("line " + std::to_string(lineNumber) +
                                     ": expected a number, a tab and the text");
        }
        texts.push_back({number, Utf16FromUtf8(line.substr(tab + 1))});
    }
    if (!found) {
        throw std::runtime_error("no table [" + table + "]");
    }
    return texts;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: make-string-table SOURCE TABLE OUTPUT\n";
        return 2;
    }
    try {
        std::ifstream source(argv[1], std::ios::binary);
        if (!source) {
            throw std::runtime_error(std::string("cannot read ") + argv[1]);
        }
        const std::vector<std::uint8_t> bytes = kolvo::BuildStringTable(ReadTable(source, argv[2]));
        std::ofstream output(argv[3], std::ios::binary | std::ios::trunc);
        output.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        output.close();
        if (!output) {
            std::remove(argv[3]);
            throw std::runtime_error(std::string("cannot write ") + argv[3]);
        }
    } catch (const std::exception& error) {
        std::cerr << "make-string-table: " << argv[1] << ": " << error.what() << "\n";
        return 1;
    }
    return 0;
}
