#pragma once
// The pictures of the material list: bitmap resource ids by a material's
// running number within its group, for model "R250" or for every other
// model. The dialog builds its picture lists from them at start-up.
#include <span>

namespace utils {

// The general picture: every custom material, and entries without their own.
inline constexpr int kCustomPicture = 176;

// Pictures of group 1..3, index = the material's running number among the
// group's materials, slot after slot. Empty for a group without pictures.
std::span<const int> GroupPictures(bool r250, int group);

} // namespace utils
