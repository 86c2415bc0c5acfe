#pragma once
// Values kept per text line. Lines are numbered 1 (the top line) to 5, as the
// operator sees them, so the arrays of the construction are indexed that way.

#include <array>
#include <cassert>

namespace velmora {

constexpr int kLineCount = 5;

template <typename T>
class PerLine {
public:
    T& operator[](int line)
    {
        assert(line >= 1 && line <= kLineCount);
        return values_[static_cast<std::size_t>(line - 1)];
    }
    const T& operator[](int line) const
    {
        assert(line >= 1 && line <= kLineCount);
        return values_[static_cast<std::size_t>(line - 1)];
    }
    bool operator==(const PerLine&) const = default;

private:
    std::array<T, kLineCount> values_{};
};

}  // namespace velmora
