#pragma once
// The material pictures of each group's list, in the order the list's
// running picture numbers count them. Free of Win32 so that tools can read
// the same tables.
#include <span>

#include "resources/resource.h"

namespace pictures {

inline constexpr int kR250Groups1And2[] = {
    IDB_PIC_PUZZLE,     IDB_PIC_ACRYLIC_BLOCK, IDB_PIC_GLASS_BLOCK,  IDB_PIC_BLACK_BOX,    IDB_PIC_KEY_TAG,
    IDB_PIC_TWO_COLOUR, IDB_PIC_DARK_PLATE,    IDB_PIC_STAMP_HOLDER, IDB_PIC_RUBBER_PLATE, IDB_PIC_PORTRAIT_TILE,
    IDB_PIC_SNOWFLAKES, IDB_PIC_DENIM,         IDB_PIC_LEATHER,      IDB_PIC_CHAIRS,       IDB_PIC_FRETWORK,
};

inline constexpr int kR250Group3[] = {
    IDB_PIC_RED_SHEET,   IDB_PIC_PAPER_FIGURES, IDB_PIC_RED_CROSS,    IDB_PIC_PUZZLE,       IDB_PIC_ACRYLIC_BLOCK,
    IDB_PIC_GLASS_BLOCK, IDB_PIC_CHAIRS,        IDB_PIC_FRETWORK,     IDB_PIC_TWO_COLOUR,   IDB_PIC_DARK_PLATE,
    IDB_PIC_BLACK_BOX,   IDB_PIC_KEY_TAG,       IDB_PIC_STAMP_HOLDER, IDB_PIC_RUBBER_PLATE, IDB_PIC_PORTRAIT_TILE,
    IDB_PIC_SNOWFLAKES,  IDB_PIC_DENIM,         IDB_PIC_LEATHER,      IDB_PIC_CHAIRS,       IDB_PIC_FRETWORK,
};

// The one group of every other model: the custom picture stands wherever the
// library has no picture of its own.
inline constexpr int kOneGroup[] = {
    IDB_PIC_CUSTOM, IDB_PIC_PUZZLE,        IDB_PIC_ACRYLIC_BLOCK, IDB_PIC_CUSTOM, IDB_PIC_GLASS_BLOCK, IDB_PIC_CUSTOM,
    IDB_PIC_CUSTOM, IDB_PIC_TWO_COLOUR,    IDB_PIC_DARK_PLATE,    IDB_PIC_CUSTOM, IDB_PIC_CUSTOM,      IDB_PIC_CUSTOM,
    IDB_PIC_CUSTOM, IDB_PIC_PORTRAIT_TILE, IDB_PIC_CUSTOM,        IDB_PIC_CUSTOM, IDB_PIC_CHAIRS,      IDB_PIC_FRETWORK,
    IDB_PIC_CUSTOM, IDB_PIC_CUSTOM,        IDB_PIC_CUSTOM,        IDB_PIC_CUSTOM, IDB_PIC_CUSTOM,      IDB_PIC_CUSTOM,
    IDB_PIC_CUSTOM, IDB_PIC_CUSTOM,        IDB_PIC_CUSTOM,        IDB_PIC_CUSTOM, IDB_PIC_CUSTOM,      IDB_PIC_CUSTOM,
    IDB_PIC_CUSTOM, IDB_PIC_CUSTOM,        IDB_PIC_CUSTOM,
};

inline constexpr int kCustomize[] = {IDB_PIC_CUSTOM};

// The picture table of group 1..3 of a model; empty for a group it does not have.
inline std::span<const int> GroupPictures(bool r250, int group)
{
    if (r250)
        return group == 3                 ? std::span<const int>(kR250Group3)
               : group == 1 || group == 2 ? std::span<const int>(kR250Groups1And2)
                                          : std::span<const int>();
    return group == 1 ? std::span<const int>(kOneGroup) : std::span<const int>();
}

} // namespace pictures
