#pragma once
// The texts of one frame, each written once and referred to by its number (-1: no text).

#include <algorithm>
#include <string>
#include <vector>

namespace blokko::web {

class FrameTexts {
public:
    int add(const std::string& text)
    {
        if (text.empty())
            return -1;
        const auto found = std::find(texts_.begin(), texts_.end(), text);
        if (found != texts_.end())
            return static_cast<int>(found - texts_.begin());
        texts_.push_back(text);
        return static_cast<int>(texts_.size()) - 1;
    }

    const char* get(int id) const
    {
        if (id < 0 || static_cast<std::size_t>(id) >= texts_.size())
            return "";
        return texts_[static_cast<std::size_t>(id)].c_str();
    }

    void clear() { texts_.clear(); }

private:
    std::vector<std::string> texts_;
};

} // namespace blokko::web
