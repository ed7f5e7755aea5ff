#pragma once
// Command line of the simulator: the instrument's options, its faults and logging.

#include <optional>
#include <string>
#include <vector>

#include "simulator/SimulatedInstrument.h"

namespace tav::sim {

struct SimOptions {
    InstrumentOptions instrument;
    bool log = false;
    bool help = false;
};

// nullopt with `error` set when an argument is not understood.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error);

std::string SimUsage();

}  // namespace tav::sim
