#include "writers/drawn_names.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <string_view>

namespace mensora {

namespace {

// Keeps the characters `kept` takes, every run of the others one "_".
template <typename Kept>
std::string cleaned(const std::string& name, Kept kept)
{
    std::string out;
    for (const char c : name) {
        if (kept(static_cast<unsigned char>(c)))
            out += c;
        else if (out.empty() || out.back() != '_')
            out += '_';
    }
    return out;
}

// Adds `suffix` and a count to a name already taken, as `key` tells names apart.
template <typename Key>
std::vector<std::string> distinct(std::vector<std::string> names, std::string_view suffix, Key key)
{
    std::set<std::string> taken;
    for (std::string& name : names) {
        std::string candidate = name;
        for (int n = 2; taken.contains(key(candidate)); ++n)
            candidate = name + std::string(suffix) + std::to_string(n);
        taken.insert(key(candidate));
        name = candidate;
    }
    return names;
}

} // namespace

std::vector<std::string> svgIds(const std::vector<std::string>& names)
{
    std::vector<std::string> ids;
    for (const std::string& name : names) {
        std::string id = cleaned(name,
            [](unsigned char c) { return std::isalnum(c) || c == '_' || c == '-' || c == '.'; });
        if (id.empty() || !(std::isalpha(static_cast<unsigned char>(id.front())) || id[0] == '_'))
            id = "scale_" + id;
        ids.push_back(id);
    }
    return distinct(ids, "-", [](const std::string& id) { return id; });
}

std::vector<std::string> dxfLayerNames(const std::vector<std::string>& names)
{
    std::vector<std::string> layers;
    for (const std::string& name : names) {
        std::string layer = cleaned(name, [](unsigned char c) {
            return c >= 0x20 && c < 0x7f
                && std::string_view("<>/\\\":;?*|=`").find(c) == std::string_view::npos;
        });
        layers.push_back(layer.empty() ? "_" : layer);
    }
    return distinct(layers, " ", [](std::string layer) {
        std::transform(layer.begin(), layer.end(), layer.begin(),
            [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return layer;
    });
}

std::string xmlEscaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

} // namespace mensora
