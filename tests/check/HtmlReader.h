// A strict reader of the HTML the check page is written in, for the tests: every tag closed or
// void, attributes quoted, no raw "<" or "&" in text. It keeps the elements with their
// attributes and text, so that a test can count, follow links and compare cells.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kolvo::testing {

struct THtmlElement {
    std::string Name;
    std::map<std::string, std::string> Attributes; // values decoded
    int Parent = -1;                               // index, -1 for the root
    std::string Text;                              // all text inside, decoded

    bool HasClass(std::string_view cls) const;
    std::string Attribute(const std::string& name) const;
};

struct THtmlDocument {
    std::vector<THtmlElement> Elements; // in document order
    std::string Problem;                // empty when the text is well formed
    bool Doctype = false;

    // The elements named `name` with class `cls` (any class for an empty one) inside `within`
    // (the whole document for -1).
    std::vector<int> Find(std::string_view name, std::string_view cls = {}, int within = -1) const;
    bool Inside(int element, int ancestor) const;
};

THtmlDocument ReadHtml(std::string_view html);

} // namespace kolvo::testing
