#pragma once
// What the parameter panel shows of a material file, read without a window.
#include <optional>
#include <string>

struct MaterialFileValues {
    int markMode = 0;                  // combo position as stored
    double speed = 0.0;                // "PEN1SPEED" tenths as the panel's value
    double power = 0.0;
    double ppi = 0.0;
    std::optional<int> resolution;     // combo position 1..8; nothing for an unknown value
    std::wstring texture;              // "MATERIAL", read whole; only when asked for
};

// Reads the five panel values of a material file, and its texture name when
// `withTexture`. Missing keys read as "N/A", which counts as 0.
MaterialFileValues ReadMaterialFile(const std::wstring& path, bool withTexture);
