#include "trial/TrialAction.h"

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>
#include <stdexcept>

namespace tav::trial {

namespace {

// Names without an argument, and names that need one.
bool IsPlain(const std::string& name) {
    const std::set<std::string> names = {"N", "D", "O", "R", "A", "E", "S", "F", "L", "Esc", "Mode", "Start",
                                     "SetPara", "PixelBin", "AutoInteg", "Restart", "Late", "Unplug", "Replug"};
    return names.count(name) > 0;
}
bool TakesArgument(const std::string& name) {
    const std::set<std::string> names = {"Integ", "Aver", "Bin", "Raddr", "Scan", "Interv", "SetOK", "SetCancel",
                                            "InstOK", "InstCancel", "Wait", "Short", "Long", "Missing", "PullAfter"};
    return names.count(name) > 0;
}

bool IsDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

struct Choice {
    int weight;
    std::function<Action(TrialRandom&)> make;
};

Action Named(const std::string& name, const std::string& arg = "") { return Action{name, arg, 0, ""}; }

std::string Answers(TrialRandom& r, bool files) {
    constexpr char Boxes[] = {'Y', 'N', 'O', 'E'};
    constexpr char Files[] = {'0', '1', '2', '3', 'X', 'E'};
    std::string answers;
    const int n = r.Chance(45) ? 1 + r.Below(3) : 0;
    for (int i = 0; i < n; ++i) answers += files && i == 0 ? r.Pick(Files) : r.Pick(Boxes);
    return answers;
}

std::vector<Choice> Choices() {
    auto key = [](const char* k) { return [k](TrialRandom&) { return Named(k); }; };
    auto box = [](const char* name, std::vector<const char*> values) {
        return [name, values](TrialRandom& r) { return Named(name, values[r.Below(static_cast<int>(values.size()))]); };
    };
    auto fault = [](const char* name) {
        return [name](TrialRandom& r) { return Named(name, std::to_string(1 + r.Below(16))); };
    };
    return {
        {14, key("N")}, {5, key("D")}, {5, key("O")}, {3, key("R")}, {5, key("A")}, {4, key("Esc")},
        {2, key("E")}, {4, key("S")}, {2, key("F")}, {2, key("L")},
        {4, box("Integ", {"4.0", "10.0", "30.0", "0.5", "100.0", "5000"})},
        {3, box("Aver", {"1", "2", "5", "0", "1000"})},
        {1, box("Bin", {"3", "0.1", "10"})},
        {4, box("Raddr", {"1", "2", "3", "5", "4817", "1763", "0", "1800"})},
        {5, box("Scan", {"0", "1", "2", "3", "5", "0"})},
        {2, box("Interv", {"0", "0.1", "1", "0.5"})},
        {6, key("Mode")}, {5, key("Start")}, {3, key("SetPara")}, {2, key("PixelBin")},
        {4, [](TrialRandom& r) {
             constexpr const char* Times[] = {"10.0", "30.0", "4.0"};
             constexpr const char* Scans[] = {"1", "2", "3"};
             constexpr const char* Delays[] = {"1", "2", "0"};
             const std::string arg = std::string(r.Pick(Times)) + "," + r.Pick(Scans) + "," + r.Pick(Delays) + "," +
                                     (r.Chance(50) ? "1" : "0");
             return Named(r.Chance(75) ? "SetOK" : "SetCancel", arg);
         }},
        {3, [](TrialRandom& r) {
             const std::string arg = std::string(r.Chance(80) ? "1" : "2") + "," + (r.Chance(75) ? "0" : "1");
             return Named(r.Chance(70) ? "InstOK" : "InstCancel", arg);
         }},
        {3, key("AutoInteg")}, {2, key("Restart")},
        {6, box("Wait", {"1", "2", "3", "5"})},
        {2, fault("Short")}, {2, fault("Long")}, {2, fault("Missing")}, {2, key("Late")},
        {1, key("Unplug")}, {2, key("Replug")}, {1, box("PullAfter", {"10", "40", "200", "800"})},
    };
}

// Actions that may wait on the instrument long enough for Escape to give a wait up.
bool MayWaitLong(const std::string& name) {
    const std::set<std::string> Waiting = {"N", "D", "O", "R", "A", "Start", "AutoInteg", "Wait", "SetPara",
                                                  "SetOK", "Integ", "Aver", "Raddr", "Scan", "Interv", "Restart"};
    return Waiting.count(name) > 0;
}

}  // namespace

uint64_t TrialRandom::Next() {
    // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::string ToText(const Action& a) {
    std::string text = a.name;
    if (!a.arg.empty()) text += "=" + a.arg;
    if (a.escapeAt > 0) text += "@" + std::to_string(a.escapeAt);
    if (!a.answers.empty()) text += "[" + a.answers + "]";
    return text;
}

std::string ToText(const std::vector<Action>& sequence) {
    std::string text;
    for (const Action& a : sequence) text += (text.empty() ? "" : " ") + ToText(a);
    return text;
}

std::optional<Action> ParseAction(const std::string& token) {
    Action a;
    std::string rest = token;
    if (const size_t open = rest.find('['); open != std::string::npos) {
        if (rest.back() != ']') return std::nullopt;
        a.answers = rest.substr(open + 1, rest.size() - open - 2);
        rest = rest.substr(0, open);
        for (char c : a.answers)
            if (std::string("YNOEX0123456789").find(c) == std::string::npos) return std::nullopt;
    }
    if (const size_t at = rest.find('@'); at != std::string::npos) {
        const std::string n = rest.substr(at + 1);
        if (!IsDigits(n)) return std::nullopt;
        a.escapeAt = std::stoi(n);
        rest = rest.substr(0, at);
    }
    if (const size_t eq = rest.find('='); eq != std::string::npos) {
        a.arg = rest.substr(eq + 1);
        rest = rest.substr(0, eq);
        if (a.arg.empty() || !TakesArgument(rest)) return std::nullopt;
    } else if (!IsPlain(rest)) {
        return std::nullopt;
    }
    a.name = rest;
    return a;
}

std::vector<Action> ParseSequence(const std::string& text) {
    std::vector<Action> sequence;
    std::istringstream in(text);
    std::string token;
    while (in >> token) {
        std::optional<Action> a = ParseAction(token);
        if (!a) throw std::invalid_argument("not a trial action: " + token);
        sequence.push_back(*a);
    }
    return sequence;
}

std::vector<Action> RandomSequence(uint32_t seed, int length) {
    const std::vector<Choice> choices = Choices();
    int total = 0;
    for (const Choice& c : choices) total += c.weight;
    TrialRandom r(seed);
    std::vector<Action> sequence;
    for (int i = 0; i < length; ++i) {
        int pick = r.Below(total);
        size_t k = 0;
        while (pick >= choices[k].weight) pick -= choices[k++].weight;
        Action a = choices[k].make(r);
        if (MayWaitLong(a.name) && r.Chance(8)) a.escapeAt = 1 + r.Below(5);
        a.answers = Answers(r, a.name == "S" || a.name == "F" || a.name == "L");
        sequence.push_back(a);
    }
    return sequence;
}

}  // namespace tav::trial
