#pragma once
// A material file read the way the parameter panel reads it, without a window.
#include <array>
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

// The stored texts of the five parameter keys, in the panel's order, each
// read as the panel reads it; nothing for a key the file lacks.
std::array<std::optional<std::wstring>, utils::kParameterCount> ReadStoredTexts(const std::wstring& file);

// Reads the five panel values of a material file, and its texture name when
// `withTexture`. Missing keys read as "N/A", which counts as 0.
MaterialFileValues ReadMaterialFile(const std::wstring& path, bool withTexture);

// How the write of a material ended. Where the operator did not agree to
// replace a material, a file that took the name in the meantime (another
// station saving into a shared library) stays as it is: NameTaken.
enum class WriteOutcome { Written, NameTaken, Failed };

// Saves the panel's values as a custom material at `targetPath` in `folder`
// (its own folder): a copy of the shown material `basePath`, every key of it
// carried over, with the six keys Save as writes. `params` is the panel's
// record: mark-mode position, speed, power, PPI and resolution (a combo
// position 1..8 or a resolution value). The material is stored whole or not
// at all, and replaces a file of that name only when `replace`; anything but
// Written leaves the target as it was.
WriteOutcome SaveMaterialAs(const std::wstring& folder, const std::wstring& targetPath, const std::wstring& basePath,
                            const double* params, const std::wstring& texture, bool replace);

// Takes the material file `sourcePath` over whole as `targetPath` in
// `folder`; one without a texture gets `texture`, the one Save as would give
// it. Stored whole or not at all, as Save as stores.
WriteOutcome ImportMaterialFile(const std::wstring& folder, const std::wstring& targetPath,
                                const std::wstring& sourcePath, const std::wstring& texture, bool replace);

// Removes what interrupted saves left in `folder`: the program's own
// temporary files old enough that no save can still be writing them. Every
// other file stays. The number removed.
int RemoveLeftoverTempFiles(const std::wstring& folder);
