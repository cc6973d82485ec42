#include "tests/layers/LayerTable.h"

#include <algorithm>

namespace {

struct Layer {
    std::string folder;
    std::vector<std::string> uses; // besides diagnostics/, which every folder may use
};

const std::string bottom = "diagnostics";

const std::vector<Layer> layers = {
    {"app", {"level", "sprites", "gfx", "listfile", "platform"}},
    {"check", {"level", "listfile", "platform"}},
    {"sprites", {"gfx", "listfile"}},
    {"level", {"listfile", "platform"}},
    {"gfx", {"platform"}},
    {"listfile", {}},
    {"platform", {}},
    {"drive", {}},
    {"pngwriter", {}},
    {bottom, {}},
};

// They may use anything, and nothing governed may use them.
const std::vector<std::string> freeFolders = {"bench", "tools", "tests"};

const Layer* layerOf(const std::string& folder) {
    for (const Layer& layer : layers)
        if (layer.folder == folder)
            return &layer;
    return nullptr;
}

bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

} // namespace

const std::vector<std::string>& governedFolders() {
    static const std::vector<std::string> folders = [] {
        std::vector<std::string> names;
        for (const Layer& layer : layers)
            names.push_back(layer.folder);
        return names;
    }();
    return folders;
}

bool isProjectFolder(const std::string& folder) {
    return layerOf(folder) || contains(freeFolders, folder);
}

bool mayUse(const std::string& folder, const std::string& used) {
    const Layer* layer = layerOf(folder);
    if (!layer || used == folder)
        return true;
    return used == bottom ? folder != bottom : contains(layer->uses, used);
}

std::string ruleOf(const std::string& folder) {
    const Layer* layer = layerOf(folder);
    if (!layer)
        return folder + "/ may use anything";
    std::vector<std::string> uses = layer->uses;
    if (folder != bottom)
        uses.push_back(bottom);
    if (uses.empty())
        return folder + "/ uses nothing";
    std::string words = folder + "/ may use ";
    for (size_t i = 0; i < uses.size(); ++i) {
        if (i > 0)
            words += i + 1 == uses.size() ? " and " : ", ";
        words += uses[i] + "/";
    }
    return words + " only";
}
