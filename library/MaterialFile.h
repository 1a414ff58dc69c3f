#pragma once
// A material file read the way the parameter panel reads it, without a window.
#include <functional>
#include <optional>
#include <string>

#include "utils/MaterialValues.h"

// The value of a parameter key: read into a buffer of 30 characters (so at
// most 29 remain), "N/A" when the file, the section or the key is missing.
std::wstring ReadMaterialValue(const std::wstring& file, utils::MaterialKey key);

// That value as the panel takes it: its leading integer, 0 for "N/A".
int ReadMaterialNumber(const std::wstring& file, utils::MaterialKey key);

// A text value read whole ("N/A" when missing): a texture name cut short
// would hand the driver a texture that does not exist.
std::wstring ReadMaterialText(const std::wstring& file, utils::MaterialKey key);

struct MaterialFileValues {
    int markMode = 0;   // combo position as stored
    double speed = 0.0; // "PEN1SPEED" tenths as the panel's value
    double power = 0.0;
    double ppi = 0.0;
    std::optional<int> resolution; // combo position 1..8; nothing for an unknown value
    std::wstring texture;          // "MATERIAL", read whole; only when asked for
};

// Reads the five panel values of a material file, and its texture name when
// `withTexture`. Missing keys read as "N/A", which counts as 0.
MaterialFileValues ReadMaterialFile(const std::wstring& path, bool withTexture);

// Makes a whole material in a temporary file in `folder` (the target's own
// folder), filled by `fill`, and moves it over `targetPath` in one step;
// false, with the target as it was and no temporary file left, when any step
// failed.
bool WriteMaterialWhole(const std::wstring& folder, const std::wstring& targetPath,
                        const std::function<bool(const std::wstring& file)>& fill);

// Copies `sourcePath` to `file` (no longer read-only even when the source
// was): every key of the source is carried over.
bool CopyMaterialKeys(const std::wstring& sourcePath, const std::wstring& file);
