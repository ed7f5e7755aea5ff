#pragma once
// Averaging of spectrum files: the reflectance (channel 1 / channel 2) of every listed file,
// averaged point by point into the spectrum window's slots, optionally with two curves at the
// mean minus and plus one sample standard deviation.

#include <cstdint>

namespace tav {

struct FileContext;

// The sample standard deviation of n values from their sum and the sum of their squares (in
// double precision, so that the averaging needs not keep every file's values): 0 when n < 2 or
// when rounding leaves no spread.
float StdDeviation(double sum, double sumOfSquares, int n);

// Reads entries 0 to FileAvgCount - 1 of AvgFileList into slot 1 in turn and averages them.
// Without CalcStdError the mean lands in slot 0; with it slot 2 holds the mean, slot 0 the mean
// plus and slot 1 the mean minus one standard deviation, drawn on slot 0's scale. Channel 2 of
// every result slot and of slot 3 takes the first file's channel 2.
//
// A file that cannot be read (the reader has told the operator) or holds no points is left out,
// and FileAvgCount becomes the number of files averaged, which the chart header shows. The result
// has the smallest point count of the files averaged, so every point is a mean of all of them.
// When no file could be averaged, the slots stay as they were and nothing is drawn.
//
// The result is drawn with "WaveLengths (nm)", followed by a beep (BeepOn) and, with AutoSaveOn,
// saved as the next file of the AutoSave series.
void AverageSpectrumFiles(FileContext& ctx);

}  // namespace tav
