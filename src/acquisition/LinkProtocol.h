#pragma once
// The serial protocol with the instrument in one place: line settings, message bytes, the
// layout of a scan transfer, and every wait of the link with its bound.
//
// The instrument software counted some of its waits in empty reads of the port; here every wait
// is a time on the clock, so that no wait depends on the speed of the machine and none can last
// for ever.

#include <cstdint>

namespace tav::link {

// ---- Line settings ---------------------------------------------------------------------------
inline constexpr const char* FastSettings = "115200,N,8,1";
inline constexpr const char* LoaderSettings = "9600,N,8,1";
inline constexpr int16_t WirelessPort = 1;
inline constexpr int16_t DownloadOutBufferSize = 512;

// ---- Message bytes -----------------------------------------------------------------------------
inline constexpr char BlockAck = 0x05;
inline constexpr char ParameterCommand = 0x01;
inline constexpr char WirelessStart = 0x08;
inline constexpr char WirelessStop = 0x04;
inline constexpr char Escape = 0x1B;
inline constexpr char WakeUp[] = {Escape, 'R', static_cast<char>(0xFF), Escape, 'R'};
inline constexpr char LoaderSelect = 'B';
inline constexpr char LoaderSelectImage = '1';
inline constexpr char LoaderAwakeReply = '1';
inline constexpr char SlaveAnnounce = 'Y';
inline constexpr char LoadStart = 'L';
inline constexpr char Run = 'J';
inline constexpr char RunReply = ')';
inline constexpr char StartProgram = 'S';
inline constexpr char EndOfDownload = 'Z';
inline constexpr const char* EndRecord = "S804000000FB";

// ---- Scan transfer layout ----------------------------------------------------------------------
inline constexpr int BlocksPerPass = 8;
inline constexpr int WordsPerBlock = 33;   // 32 points, then a word that is discarded
inline constexpr int PointsPerBlock = 32;
inline constexpr int BlockChars = 2 * WordsPerBlock;
inline constexpr int ReplyChars = 2;       // the scan command's reply: word 0 of block 1
// The temperature word at point 248 of a second pass: shared/InstrumentTemperature.h.
inline constexpr int MaxWordSent = 32767;

// ---- Waits fixed by the protocol (milliseconds) ------------------------------------------------
inline constexpr int16_t ProbeSettleMs = 20;      // boot probe: read once this long after emptying
inline constexpr int16_t BlockWaitMs = 20;        // before each block read
inline constexpr int16_t ParameterByteMs = 5;     // after each parameter byte but the last
inline constexpr int16_t LoaderStepMs = 5;        // between the loader's command bytes
inline constexpr int16_t LoaderSelectLeadMs = 300;
inline constexpr int16_t RunLeadMs = 70;
inline constexpr int16_t SlaveStartMs = 1000;
inline constexpr int16_t SRecordLineMs = 5;       // after each S-record line, before its echo
// The instrument takes parameter blocks of two lengths and tells where one ends only by a pause
// on the line: no byte follows the last byte of a block sooner than this, or the instrument takes
// it for one more byte of the block (and the block and the byte are lost).
inline constexpr double BlockEndPauseMs = 100.0;

// ---- Bounds of the waits that the instrument ends by answering (milliseconds) ------------------
// Scan command reply: the measuring time plus this, and never less than the floor.
inline constexpr double ScanReplyMarginMs = 2000.0;
inline constexpr double ScanReplyFloorMs = 3000.0;
// A block that is short at its read is read on until complete, at most this much longer.
inline constexpr double ShortBlockGraceMs = 200.0;
// A scan given up with Escape: its pair is still awaited this long after its reply's bound,
// as late replies are when the loader wake-up hears them.
inline constexpr double OwedPairGraceMs = 3000.0;
// Reply to the parameter command (not examined; without one the data bytes stay unsent).
inline constexpr double ParameterReplyMs = 1000.0;
// Loader wake-up: this long without any character, or this long in all while other characters
// keep coming, and the loader counts as silent.
inline constexpr double WakeQuietMs = 2000.0;
inline constexpr double WakeCapMs = 5000.0;
// The run reply ")" of each image.
inline constexpr double RunReplyMs = 10000.0;
// Pause after each character of an S-record line once it is on the line, so that the loader
// keeps up with its echo.
inline constexpr double SRecordCharPauseMs = 1.0;

// A port closed at once after its last byte can lose that byte on some drivers (a
// pseudo-terminal discards what its other end has not read yet): exchanges whose last byte
// matters let this much time pass before they close. The same holds before the line changes
// speed after a pair's last acknowledgement: the other end of a pseudo-terminal hears a byte at
// the speed the line has when it reads it.
inline constexpr double CloseAfterOutputMs = 20.0;

// ---- Long waits --------------------------------------------------------------------------------
// A wait bounded by this or more may last long: once it has lasted KeepAliveAfterMs it keeps the
// windows painting every KeepAlivePeriodMs, and Escape gives it up.
inline constexpr double LongWaitMs = 1000.0;
inline constexpr double KeepAliveAfterMs = 200.0;
inline constexpr double KeepAlivePeriodMs = 40.0;

}  // namespace tav::link
