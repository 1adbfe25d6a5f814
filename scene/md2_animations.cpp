// Animations from frame names: a run of consecutive frames with one base name
// ("stand01", "stand02", ...) is one animation.

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "scene/md2_model.h"

void SplitFrameName(const std::string& name, std::string& base, int& number) {
    const size_t length = name.size();
    const size_t first = length > 2 ? length - 2 : 0;
    for (size_t p = first; p < length; ++p) {
        if (std::isdigit(static_cast<unsigned char>(name[p]))) {
            number = std::atoi(name.c_str() + p);
            base = name.substr(0, p);
            return;
        }
    }
    number = 0;
    base = name;
}

namespace {

std::unique_ptr<Md2Animation> MakeAnimation(const std::string& name, int32_t start, int32_t end) {
    auto animation = std::make_unique<Md2Animation>();
    std::memset(animation->m_szName, 0, sizeof animation->m_szName);
    name.copy(animation->m_szName, sizeof animation->m_szName - 1);
    animation->m_iStart = start;
    animation->m_iEnd = end;
    return animation;
}

}  // namespace

// A run's start is its first frame's index plus that frame's number minus 1,
// so a run numbered from 1 starts at its own first frame. A start outside the
// key frames (a first frame numbered 0 or unnumbered, or a number beyond the
// file) would send the cycle outside them when it wraps, so it becomes the
// run's first frame.
void Md2Model::BuildAnimations(const Md2File& file) {
    m_ppAnimations.clear();
    m_ppAnimations.reserve(file.m_frames.size());
    const int32_t count = static_cast<int32_t>(file.m_frames.size());
    int32_t first = 0;
    while (first < count) {
        std::string base;
        int number = 0;
        SplitFrameName(file.m_frames[first].m_szName, base, number);
        int32_t end = first + 1;
        for (std::string next; end < count; ++end) {
            int unused = 0;
            SplitFrameName(file.m_frames[end].m_szName, next, unused);
            if (next != base)
                break;
        }
        int32_t start = first + number - 1;
        if (start < 0 || start >= count)
            start = first;
        if (!base.empty())
            m_ppAnimations.push_back(MakeAnimation(base, start, end));
        first = end;
    }
    m_iAnimationCount = static_cast<int32_t>(m_ppAnimations.size());
}
