#include "HtmlReader.h"

#include <set>
#include <sstream>

namespace kolvo::testing {

namespace {

const std::set<std::string> VoidElements = {"meta", "br", "hr", "img", "input", "link"};

bool Decode(std::string_view text, std::string& out) {
    static const std::map<std::string, std::string> entities = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"#39", "'"}};
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '<') {
            return false;
        }
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        const std::size_t semi = text.find(';', i);
        if (semi == std::string_view::npos) {
            return false;
        }
        const auto found = entities.find(std::string(text.substr(i + 1, semi - i - 1)));
        if (found == entities.end()) {
            return false;
        }
        out += found->second;
        i = semi;
    }
    return true;
}

} // namespace

bool THtmlElement::HasClass(std::string_view cls) const {
    std::istringstream classes(Attribute("class"));
    for (std::string one; classes >> one;) {
        if (one == cls) {
            return true;
        }
    }
    return false;
}

std::string THtmlElement::Attribute(const std::string& name) const {
    const auto found = Attributes.find(name);
    return found == Attributes.end() ? std::string() : found->second;
}

std::vector<int> THtmlDocument::Find(std::string_view name, std::string_view cls,
                                     int within) const {
    std::vector<int> found;
    for (int i = 0; i < static_cast<int>(Elements.size()); ++i) {
        const THtmlElement& e = Elements[static_cast<std::size_t>(i)];
        if ((name.empty() || e.Name == name) && (cls.empty() || e.HasClass(cls)) &&
            (within < 0 || Inside(i, within))) {
            found.push_back(i);
        }
    }
    return found;
}

bool THtmlDocument::Inside(int element, int ancestor) const {
    for (int e = Elements[static_cast<std::size_t>(element)].Parent; e >= 0;
         e = Elements[static_cast<std::size_t>(e)].Parent) {
        if (e == ancestor) {
            return true;
        }
    }
    return false;
}

THtmlDocument ReadHtml(std::string_view html) {
    THtmlDocument doc;
    std::vector<int> open;
    const auto fail = [&doc](const std::string& problem) {
        doc.Problem = problem;
        return doc;
    };
    const auto addText = [&doc, &open](const std::string& text) {
        for (const int e : open) {
            doc.Elements[static_cast<std::size_t>(e)].Text += text;
        }
    };
    if (html.starts_with("<!DOCTYPE html>")) {
        doc.Doctype = true;
        html.remove_prefix(15);
    }
    std::size_t at = 0;
    while (at < html.size()) {
        const std::size_t lt = html.find('<', at);
        std::string text;
        if (!Decode(
                html.substr(at, lt == std::string_view::npos ? std::string_view::npos : lt - at),
                text)) {
            return fail("raw & or < in text near byte " + std::to_string(at));
        }
        if (open.empty() && text.find_first_not_of(" \r\n\t") != std::string::npos) {
            return fail("text outside the root");
        }
        addText(text);
        if (lt == std::string_view::npos) {
            break;
        }
        const std::size_t gt = html.find('>', lt);
        if (gt == std::string_view::npos) {
            return fail("a tag never closed");
        }
        std::string_view tag = html.substr(lt + 1, gt - lt - 1);
        at = gt + 1;
        if (tag.starts_with('/')) {
            const std::string name(tag.substr(1));
            if (open.empty() || doc.Elements[static_cast<std::size_t>(open.back())].Name != name) {
                return fail("</" + name + "> closes nothing open");
            }
            open.pop_back();
            continue;
        }
        const bool selfClosed = tag.ends_with('/');
        if (selfClosed) {
            tag.remove_suffix(1);
        }
        THtmlElement element;
        std::size_t p = tag.find_first_of(" \n");
        element.Name = std::string(tag.substr(0, p));
        while (p != std::string_view::npos && p < tag.size()) {
            p = tag.find_first_not_of(" \n", p);
            if (p == std::string_view::npos) {
                break;
            }
            const std::size_t eq = tag.find('=', p);
            if (eq == std::string_view::npos || eq + 1 >= tag.size() || tag[eq + 1] != '"') {
                return fail("an attribute without a quoted value in <" + element.Name + ">");
            }
            const std::size_t close = tag.find('"', eq + 2);
            if (close == std::string_view::npos) {
                return fail("an attribute value never closed");
            }
            std::string value;
            if (!Decode(tag.substr(eq + 2, close - eq - 2), value)) {
                return fail("raw & or < in an attribute value");
            }
            element.Attributes[std::string(tag.substr(p, eq - p))] = value;
            p = close + 1;
        }
        element.Parent = open.empty() ? -1 : open.back();
        if (element.Parent < 0 && !doc.Elements.empty()) {
            return fail("a second root");
        }
        doc.Elements.push_back(element);
        const int index = static_cast<int>(doc.Elements.size()) - 1;
        if (element.Name == "style") {
            // Style sheets are raw text up to their end tag.
            const std::size_t end = html.find("</style>", at);
            if (end == std::string_view::npos) {
                return fail("<style> never closed");
            }
            doc.Elements.back().Text = std::string(html.substr(at, end - at));
            at = end + 8;
            continue;
        }
        if (!selfClosed && !VoidElements.count(element.Name)) {
            open.push_back(index);
        }
    }
    if (!open.empty()) {
        return fail("<" + doc.Elements[static_cast<std::size_t>(open.back())].Name +
                    "> never closed");
    }
    return doc;
}

} // namespace kolvo::testing
