#pragma once
// One thing the operator (or the line) does in a trial, as a small value that prints as one token
// and reads back from it, so that a sequence is one line a test can paste and replay:
//
//   N  D  O  R  A  E  S  F  L  Esc        the letter keys on the spectrum window, and Escape
//   Integ=10.0  Aver=2  Bin=3  Raddr=4817  Scan=3  Interv=0.5
//                                          a tool-strip box typed and taken with Enter
//   Mode  Start  SetPara  PixelBin         the tool-strip buttons
//   SetOK=30.0,2,1,1  SetCancel=...        the settings dialog (I): integration, scans,
//                                          AutoScan delay, AutoSave on; then OK or Cancel
//   InstOK=1,0  InstCancel=2,1             Instrument Parameters: port, simulation; OK or Cancel
//   AutoInteg  Restart  Wait=3             the menu item, the program run again, seconds passing
//   Short=5  Long=5  Missing=5  Late       a fault of the next pair (its block 1 to 16), a reply
//                                          that comes after its wait
//   Unplug  Replug  PullAfter=40           the adapter pulled now, put back, pulled after n bytes
//
// A token may end in "@n" (Escape at the n-th keep-alive of a long wait) and "[...]" (the answers
// to its boxes and dialogs, in order: Y yes, N no, O Enter, E Escape, a digit a file, X a file
// that is not there; past the last one a box takes Enter and a dialog is cancelled).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tav::trial {

struct Action {
    std::string name;
    std::string arg;
    int escapeAt = 0;
    std::string answers;

    bool operator==(const Action&) const = default;
};

std::string ToText(const Action& action);
std::string ToText(const std::vector<Action>& sequence);
// nullopt for a token or a name that is not one of the above.
std::optional<Action> ParseAction(const std::string& token);
// Throws std::invalid_argument naming the token that is not an action.
std::vector<Action> ParseSequence(const std::string& text);

// A sequence drawn from the seed alone: the same seed gives the same actions on every machine.
std::vector<Action> RandomSequence(uint32_t seed, int length);

// A small generator of its own, so that the sequences do not depend on the library's
// distributions.
class TrialRandom {
public:
    explicit TrialRandom(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint64_t Next();
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T, size_t N>
    const T& Pick(const T (&items)[N]) { return items[Below(static_cast<int>(N))]; }

private:
    uint64_t state_;
};

}  // namespace tav::trial
