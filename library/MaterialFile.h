#pragma once
// A material file read the way the parameter panel reads it.
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
