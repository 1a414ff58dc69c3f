#include "utils/PictureTable.h"

namespace utils {

namespace {

constexpr int kR250Engrave[] = {154, 155, 157, 158, 159, 160, 161, 162, 163, 164, 165, 167, 168, 169, 170};
constexpr int kR250Vector[] = {174, 175, 173, 154, 155, 157, 169, 170, 160, 161,
                               158, 159, 162, 163, 164, 165, 167, 168, 169, 170};
constexpr int kOtherGroup[] = {176, 154, 155, 176, 157, 176, 176, 160, 161, 176, 176, 176, 176, 164, 176, 176, 169,
                               170, 176, 176, 176, 176, 176, 176, 176, 176, 176, 176, 176, 176, 176, 176, 176};

} // namespace

std::span<const int> GroupPictures(bool r250, int group)
{
    if (r250)
        return group == 1 || group == 2 ? std::span<const int>(kR250Engrave)
               : group == 3             ? std::span<const int>(kR250Vector)
                                        : std::span<const int>();
    return group == 1 ? std::span<const int>(kOtherGroup) : std::span<const int>();
}

} // namespace utils
