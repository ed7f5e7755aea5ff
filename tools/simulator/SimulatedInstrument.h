#pragma once
// The instrument's side of the serial protocol: boot loader and firmware download, parameter
// blocks, the scan command answered by a pair of passes in 16 acknowledged blocks, the memory
// write, read-back and erase modes, and the wireless start and stop bytes. A read-back command
// answers with the one stored scan at the read pointer and moves the pointer on by one.
//
// It keeps what it was last told, as the instrument does from one run of the program to the
// next: the parameters of the last whole block, the scan number among them, the stored scans and
// both memory pointers. A parameter block is 0x01, then 12 data bytes (the whole block) or 6 (the
// short one); the instrument knows where it ends only by a pause on the line (blockEndPauseMs
// after its last byte), never by counting bytes: a block of another length is lost, the byte
// that came too soon with it.
//
// Once a scan command is taken, the instrument is in its pair until the 16th block is
// acknowledged: it waits for each 0x05 as long as it takes, and every other byte meanwhile (a
// new command, a parameter block) is lost on it. Only the ackGiveUpMs option lets it abandon a
// pair.
//
// It notes every scan command it takes with what was in force then (the parameters, both memory
// pointers) and how its pair went on the line, so that an observer can check each command
// against what the program showed when it was sent.
//
// It runs on a clock, not on threads: Feed hands it the bytes the computer sent at a moment,
// TakeOutput returns the bytes whose last bit has reached the computer by a moment. Every byte
// takes its time on the line (10 bits at the line speed), a scan waits for its measuring time,
// and a line speed that differs from the instrument's garbles the bytes as a UART would.
// One state machine serves the in-process loopback port and the pseudo-terminal simulator.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/comm/InstrumentMemory.h"
#include "simulator/InstrumentScanMemory.h"
#include "simulator/InstrumentSpectra.h"
#include "simulator/SRecordReader.h"

namespace tav {

enum class InstrumentStage {
    LoaderIdle,      // 9600 baud, no programs: announces itself until woken
    LoaderAwake,     // 9600 baud, woken; waits for the loader select ESC "B" "1"
    LoaderSelected,  // 115200 baud; waits for the load start ESC "L"
    LoadingImage,    // 115200 baud; echoes S-record text until ESC "J"
    AwaitingStart,   // ")" sent; waits for "S"
    MasterRunning,   // 115200 baud; its parameter block hands the line to the slave's loader
    SlaveWake,       // 9600 baud; the slave's loader waits for ESC "B" "1"
    Running,         // 115200 baud; scans, memory, parameters, wireless
};

// A fault of the scan blocks. block 1 to 16 counts within each pair of passes; 0 is every block.
// A missing block is lost on the line: the instrument waits for its acknowledgement all the same.
// A lost acknowledgement is the block's first 0x05 lost on its way: the instrument goes on
// waiting for one.
struct BlockFault {
    enum class Kind { Short, Long, Garbled, Missing, AckLost };
    Kind kind = Kind::Short;
    int block = 0;
    int bytes = 6;  // Short: bytes left off the end; Long: bytes added at the end
    int pair = 0;   // only in the pair of the n-th scan command the instrument takes; 0: in every pair
};

struct InstrumentFaults {
    bool silent = false;            // hears the line but never acts or answers
    std::vector<BlockFault> blocks;
    double replyDelayMs = 0.0;      // extra wait before the first block of every scan command
    int replyDelayPair = 0;         // only before that of the n-th pair the instrument begins; 0: every one
    double blockDelayMs = 0.0;      // extra wait before every later block
    int dropAfterBlock = 0;         // the link goes dead after that block of a transfer; 0: never
    int wakeZeros = 0;              // the loader answers the wake-up "0" this often before "1"
    bool loaderIgnoresWake = false; // the loader keeps announcing itself and never wakes
    // An acknowledgement heard while a pair is being measured is kept, as a receive buffer keeps
    // it, and taken for block 1 as soon as that block is out (otherwise it is lost).
    bool earlyAckKept = false;
};

struct InstrumentOptions {
    bool startInLoader = false;  // powered up without programs: the firmware must be sent first
    SpectrumModel spectrum;
    InstrumentFaults faults;
    uint32_t seed = 1;           // noise of the first scan; each later scan takes the next seed
    // From the last bit of a command to the reply. Long enough that the computer's "send, then
    // empty the input buffer" comes first even on a clock that reads in whole milliseconds.
    double responseLatencyMs = 2.0;
    double blockEndPauseMs = 50.0;    // silence after a parameter byte that ends the block
    double parameterTimeoutMs = 1000.0;  // 0x01 without a data byte after it is dropped after this
    // 0: the instrument waits for each 0x05 without a time limit. Otherwise a pair is abandoned
    // when no 0x05 comes for this long.
    double ackGiveUpMs = 0.0;
    double eraseMs = 200.0;
    double memoryReadMs = 2.0;
    double beaconIntervalMs = 10.0;   // the idle loader's "?" comes this often
    double wakeRetryMs = 20.0;        // between the loader's "0" answers and its "1"
};

// The values of the last parameter block, as received (16-bit words, high byte first).
struct InstrumentParameters {
    int IntegrationTime = 100;  // tenths of a millisecond
    int NumToAverage = 1;
    int LampLevel = 0;
    int ScanNumber = 0;
    int IntervalTenths = 10;
    int ReadAddress = 1;
};

// A scan command as the instrument took it, and what became of its pair.
struct TakenCommand {
    double at = 0.0;      // seconds on the instrument's clock
    uint8_t mode = 0;     // 2 scan (a write series with a scan number), 48 read-out, 64 erase
    InstrumentParameters parameters;  // in force when it was taken
    int pair = 0;         // the pair's number among all the pairs the instrument began
    int readPointer = 0;  // both pointers before the command
    int writePointer = 0;
    int written = 0;      // stored scans it wrote into the memory
    ScanPair answer;      // the pair it answers with, before any fault
    int acknowledged = 0;     // its blocks acknowledged so far (16: the pair ended in step)
    bool faulted = false;     // a fault changed or lost a block of it on its way out
};

class SimulatedInstrument {
public:
    static constexpr int kMemoryPositions = MemoryScans;
    static constexpr int kBlocksPerPass = 8;
    static constexpr int kBlocksPerPair = 16;
    static constexpr int kWordsPerBlock = 33;  // 32 pixels and a checksum word
    static constexpr int kBlockBytes = 66;
    static constexpr int kFastBaud = 115200;
    static constexpr int kLoaderBaud = 9600;

    explicit SimulatedInstrument(InstrumentOptions options = {});

    // Bytes the computer sent back to back from `now` (seconds) at senderBaud.
    void Feed(std::string_view bytes, double now, int senderBaud = kFastBaud);
    // The bytes that have fully arrived by `now`, as a receiver at receiverBaud hears them.
    std::string TakeOutput(double now, int receiverBaud = kFastBaud);
    // Runs the instrument up to `now` without exchanging bytes.
    void Advance(double now);
    // The earliest moment at which the instrument will act or a byte will arrive; +inf if none.
    double NextEventTime() const;
    // The line speed the instrument listens and talks at in its present stage.
    int LineBaud() const;

    // Every byte it heard (after any garbling by a speed mismatch) and every byte it sent.
    const std::string& Received() const { return received_; }
    const std::string& Sent() const { return sent_; }
    void ClearLogs();

    InstrumentStage Stage() const { return stage_; }
    const InstrumentParameters& Parameters() const { return params_; }
    int ParameterBlocks() const { return parameterBlocks_; }
    int ShortParameterBlocks() const { return shortParameterBlocks_; }
    // Blocks that ended on a pause with neither 12 nor 6 data bytes, and were lost.
    int LostParameterBlocks() const { return lostParameterBlocks_; }
    // The moment up to which the instrument has run (seconds on its clock).
    double Time() const { return now_; }
    bool WirelessOn() const { return wirelessOn_; }
    int ScansMeasured() const { return scansMeasured_; }
    // Every scan command taken, oldest first; the last one's pair may still be under way.
    const std::vector<TakenCommand>& Commands() const { return commands_; }
    // Runs as each scan command is taken, before the instrument acts on it.
    std::function<void(const TakenCommand&)> onCommandTaken;
    // Pairs begun so far: the next scan command's pair has the number after it.
    int PairsStarted() const { return pairsStarted_; }
    // The scan pair that the latest scan command answers with.
    const ScanPair& LastPair() const { return transfer_.pair; }
    // Blocks of the current or latest pair acknowledged so far (0 to 16).
    int BlocksAcknowledged() const { return transfer_.acknowledged; }
    // A scan command has been taken and its 16th block is not acknowledged yet.
    bool InPair() const { return transfer_.active; }
    // Power cut and back: the instrument starts again in its loader, as without programs, and
    // announces itself; a transfer under way is lost. It keeps its parameters and its memory.
    void RestartIntoLoader();

    // Memory positions 1 to kMemoryPositions.
    const InstrumentScanMemory& Memory() const { return memory_; }
    const std::optional<ScanPair>& StoredScan(int address) const { return memory_.At(address); }
    void StoreScan(int address, const ScanPair& pair) { memory_.Store(address, pair); }
    // A scan written into the memory as a write series writes it, at the write pointer.
    bool WriteScan(const ScanPair& pair) { return memory_.Write(pair); }
    int WritePointer() const { return memory_.WritePointer(); }
    int ReadPointer() const { return memory_.ReadPointer(); }

    // The images sent to the loader: master first, then slave.
    const std::vector<LoadedImage>& Images() const { return images_; }

    bool LinkUp() const { return linkUp_; }
    void RestoreLink() { linkUp_ = true; }
    // Faults and timing may be changed between exchanges.
    InstrumentOptions& Options() { return options_; }

    // The 66 bytes of block b (1 to 16) of a pair, before any fault.
    static std::string BlockBytes(const ScanPair& pair, int block);

private:
    enum class TimerKind { Beacon, WakeReply, SendBlock, AckTimeout, ParameterPause, ParameterTimeout };
    struct Timer {
        double at;
        TimerKind kind;
        int arg;
    };
    struct Arrival {
        double at;
        uint8_t byte;
    };
    struct Departure {
        double at;  // when its stop bit ends
        uint8_t byte;
        int baud;
    };
    struct Transfer {
        bool active = false;
        bool awaitingAck = false;
        int block = 0;         // last block sent
        int acknowledged = 0;
        bool ackLost = false;  // the first acknowledgement of the block sent was lost on the line
        bool earlyAck = false; // an acknowledgement heard before block 1, kept for it
        ScanPair pair;
    };

    void HandleByte(uint8_t b);
    void HandleTimer(const Timer& t);
    void Schedule(TimerKind kind, double at, int arg = 0);
    void Cancel(TimerKind kind);
    void Send(std::string_view bytes, double at);
    double Ms(double ms) const { return ms / 1000.0; }
    double Latency() const { return Ms(options_.responseLatencyMs); }

    // Running stages.
    void HandleCommand(uint8_t b);
    void StartParameterBlock();
    void HandleParameterByte(uint8_t b);
    void EndParameterBlock();
    void StartScan(uint8_t mode);
    void SendBlock(int block);
    void Acknowledge();
    bool AcknowledgementLost();
    void AbortTransfer();
    ScanPair Measure();
    double MeasuringSeconds() const;

    // Loader stages (SimulatedInstrumentLoader.cpp).
    void HandleLoaderByte(uint8_t b);
    bool WakeSequenceHeard(uint8_t b);
    void StartBeacon();

    InstrumentOptions options_;
    InstrumentStage stage_ = InstrumentStage::Running;
    double now_ = 0.0;
    double advanceTarget_ = 0.0;
    std::deque<Arrival> arrivals_;
    double lineInFree_ = 0.0;
    std::deque<Departure> departures_;
    double lineOutFree_ = 0.0;
    std::vector<Timer> timers_;
    std::string received_, sent_;

    InstrumentParameters params_;
    bool collectingParameters_ = false;
    std::vector<uint8_t> parameterBytes_;  // the first bytes of the block under way
    int parameterCount_ = 0;               // all of them
    int parameterBlocks_ = 0, shortParameterBlocks_ = 0, lostParameterBlocks_ = 0;
    Transfer transfer_;
    std::vector<TakenCommand> commands_;
    int scansMeasured_ = 0;
    int pairsStarted_ = 0;
    bool wirelessOn_ = false;
    bool linkUp_ = true;
    InstrumentScanMemory memory_;

    std::string wakeWindow_;
    bool escapePending_ = false;
    bool selectPending_ = false;
    bool loadingSlave_ = false;
    SRecordReader reader_;
    std::vector<LoadedImage> images_;
};

}  // namespace tav
