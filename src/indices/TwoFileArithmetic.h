#pragma once
// The two-file operations: the spectrum files named in slots 1 and 2 combined point by point into
// slot 0 (add, subtract, multiply, divide, or transform A * File1 + B * File2 + C), drawn on the
// spectrum window and handed to AutoSave. The two-file dialog collects the names and the kind of
// each file (SlotInfo.DataKind: 1 reflectance, 2 raw data, 3 reference) before it runs this.

#include <cstdint>

namespace tav {

struct FileContext;

// The operation codes, as FileDialogMode holds them.
namespace twofile {
constexpr int16_t Add = 1;
constexpr int16_t Subtract = 2;
constexpr int16_t Multiply = 3;
constexpr int16_t Divide = 4;
constexpr int16_t Transform = 5;
}  // namespace twofile

bool IsTwoFileOperation(int16_t operation);

enum class CombineResult {
    Done,            // slot 0 holds the result; it is drawn (and auto-saved when that is on)
    ReadFailed,      // a file could not be read or holds no points: "File Error!", slot 0 unchanged
    NotAnOperation,  // the code is none of the five operations: nothing read or changed
};

// Reads the second file, then the first (a slot whose name is blank is not read and keeps what it
// holds), and combines them. The result has the points both files have, on the first file's x
// values; with A = B = 0 the transform is the constant C at the 256 pixel wavelengths.
CombineResult CombineFiles(FileContext& ctx, int16_t operation);

}  // namespace tav
