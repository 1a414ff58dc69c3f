#pragma once
// What already answers to the path a material is about to be written to. One
// rule for Save as, import, export and rename: a name that reaches another
// file (an 8.3 alias) never replaces it, nor is a read-only material replaced.
#include <string>

enum class TargetState {
    Free,        // nothing answers to the name
    Replaceable, // the file of that very name (letter case aside): replaced only on the operator's yes
    OtherFile,   // the name is another name of a file held under a name of its own
    ReadOnly,    // the file of that very name, read-only: Windows would refuse to replace it, Wine would not
};

struct MaterialTarget {
    TargetState state = TargetState::Free;
    // The name the file system holds the answering file under; empty when free.
    std::wstring heldAs;
};

MaterialTarget InspectTarget(const std::wstring& path);
