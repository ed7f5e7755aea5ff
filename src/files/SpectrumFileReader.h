#pragma once
// Reading a spectrum file into a slot. Every reader of spectrum files goes through it: the
// simulation and reference calibration files, the open dialog, the overlay file, the two-file
// operations and the averaging of files.

#include <cstdint>

namespace tav {

struct FileContext;

enum class SpectrumReadResult {
    Ok,         // the slot holds the file; DataAvailable is set
    NoName,     // "Invalid File Name."
    NotFound,   // "File not found."
    InUse,      // "The file" / name / "Is already open"
    ReadError,  // the file could not be read (the message says why) or is no spectrum file
    NoSpectrum, // the file was read and gave no row (the message says why)
};

// Reads the file named in SlotInfo(slot).FileName into that slot.
//
// Every call, whatever its result (a slot out of range and every failed read included), first
// sets PrintInColor, DarkRefShown and CommonScale to False and DerivativeParam to 0.
//
// The name: trailing blanks and NUL characters are dropped, a relative name is taken from the
// file system's current folder, "\" counts as "/", and the file's own name is looked up exactly,
// then without regard to case (the folders only exactly).
//
// Results, each but Ok told in one box (OK only; the icon is the exclamation mark for InUse,
// ReadError and NoSpectrum):
//   - ReadError, and no box: the slot is outside 0 to MaxSlot.
//   - NoName, "Invalid File Name.": the name is empty, all blanks or all NULs.
//   - NotFound, "File not found.": no such file, a folder in its place, or the file gone
//     between the look-up and the open.
//   - InUse: the file is open elsewhere; the box shows the 80-character name field.
//   - ReadError, "The file" / path / "could not be read: " and why (FsErrorReason): it cannot be
//     opened or read to the end.
//   - ReadError, "The file" / path / "is not a spectrum file: ...": a "File" header of fewer
//     than ten lines, or a header number beyond single precision.
//   - NoSpectrum, "The file" / path / "holds no spectrum: " and why: the file was read whole and
//     gave no row: it is empty, not text, a multi-scan file, a header without rows, or text with
//     neither header nor rows.
//   - Ok: every row read (1 to PointCount of them, in the format of SpectrumFileParser.h) goes
//     into points 0 to n - 1 of the slot's XData, Ch1Data and Ch2Data; its channel 2 also goes
//     into the reference slot's Ch1Data (so that a read into the reference slot ends with channel
//     2 in both), except for the work slot (the reference calibration file), which leaves the
//     measured reference alone. Points from n on keep what they held.
//     The slot's record gets NumPoints n, XMin and XMax the first and last row's x (the header's
//     x range is not used), Binned and NoRatio False, DataMin and DataMax from the header when
//     the file has one (kept otherwise), and IntegTime, Temperature and ScansAveraged from the
//     header (0, NoTemperature and NoScanCount where it has no number for them, or no header);
//     its other fields, the file name included, are kept. DataAvailable becomes True.
//
// On any result but Ok nothing else changes: the slot's data and record, the reference slot
// and DataAvailable keep what they held.
SpectrumReadResult ReadSpectrumFile(FileContext& ctx, int16_t slot);

}  // namespace tav
