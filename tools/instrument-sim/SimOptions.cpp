#include "SimOptions.h"

#include <cstdlib>

namespace tav::sim {

namespace {

std::optional<double> Number(const std::string& text, double lo, double hi) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !(v >= lo && v <= hi)) return std::nullopt;
    return v;
}

}  // namespace

std::string SimUsage() {
    return "usage: instrument-sim [options]\n"
           "Simulates the two-channel spectrometer on a pseudo-terminal. The first line of\n"
           "output is the terminal's device path; point the program at it, for example with\n"
           "TAVOLIN_COM1=<path>. Runs until interrupted or until its output is no longer read.\n"
           "\n"
           "options:\n"
           "  --loader            start in the boot loader: the firmware must be downloaded\n"
           "  --wake-zero         the loader answers the wake-up with \"0\" before \"1\"\n"
           "  --deaf-loader       the loader keeps announcing itself and never wakes up\n"
           "  --silent            the instrument never answers\n"
           "  --short-block[=K]   block K (1-16) of every scan pair is 6 bytes short (no K: all)\n"
           "  --long-block[=K]    block K carries 4 extra bytes (no K: all)\n"
           "  --garble[=K]        block K is garbled (no K: all)\n"
           "  --missing-block[=K] block K is not sent at all (no K: all)\n"
           "  --lose-ack[=K]      the first acknowledgement of block K is lost on the line\n"
           "                      (no K: of every block)\n"
           "  --slow=MS           wait MS milliseconds more before answering a scan command\n"
           "  --slow-blocks=MS    wait MS milliseconds more before every later block\n"
           "  --drop-after=N      the link goes dead after block N (1-16) of the next scan pair\n"
           "  --ack-give-up=MS    abandon a scan pair when no acknowledgement comes for MS\n"
           "                      milliseconds (default: wait for each as long as it takes)\n"
           "  --temperature=C     temperature reading in degrees Celsius (default 25)\n"
           "  --no-noise          exact spectra without noise\n"
           "  --seed=N            noise of the first scan (default 1)\n"
           "  --log               log every byte heard and sent to standard error, in hex\n"
           "  --help              this text\n";
}

std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error) {
    SimOptions o;
    InstrumentFaults& f = o.instrument.faults;
    for (const std::string& arg : args) {
        size_t eq = arg.find('=');
        std::string name = arg.substr(0, eq);
        bool hasValue = eq != std::string::npos;
        std::string value = hasValue ? arg.substr(eq + 1) : "";
        auto bad = [&]() {
            error = "instrument-sim: bad option \"" + arg + "\" (see --help)";
            return std::nullopt;
        };
        auto flag = [&](bool& target) {
            if (hasValue) return false;
            target = true;
            return true;
        };
        auto block = [&](BlockFault::Kind kind, int bytes) {
            int k = 0;
            if (hasValue) {
                auto v = Number(value, 1, 16);
                if (!v || *v != static_cast<int>(*v)) return false;
                k = static_cast<int>(*v);
            }
            f.blocks.push_back({kind, k, bytes});
            return true;
        };
        auto milliseconds = [&](double& target) {
            auto v = Number(value, 0, 600000);
            if (!v) return false;
            target = *v;
            return true;
        };
        bool ok = false;
        if (name == "--help") ok = flag(o.help);
        else if (name == "--log") ok = flag(o.log);
        else if (name == "--loader") ok = flag(o.instrument.startInLoader);
        else if (name == "--silent") ok = flag(f.silent);
        else if (name == "--deaf-loader") ok = flag(f.loaderIgnoresWake);
        else if (name == "--wake-zero") {
            ok = !hasValue;
            if (ok) f.wakeZeros = 1;
        } else if (name == "--no-noise") {
            ok = !hasValue;
            if (ok) o.instrument.spectrum.noise = 0.0;
        }
        else if (name == "--short-block") ok = block(BlockFault::Kind::Short, 6);
        else if (name == "--long-block") ok = block(BlockFault::Kind::Long, 4);
        else if (name == "--garble") ok = block(BlockFault::Kind::Garbled, 0);
        else if (name == "--missing-block") ok = block(BlockFault::Kind::Missing, 0);
        else if (name == "--lose-ack") ok = block(BlockFault::Kind::AckLost, 0);
        else if (name == "--slow") ok = milliseconds(f.replyDelayMs);
        else if (name == "--slow-blocks") ok = milliseconds(f.blockDelayMs);
        else if (name == "--ack-give-up") ok = milliseconds(o.instrument.ackGiveUpMs);
        else if (name == "--drop-after") {
            auto v = Number(value, 1, 16);
            ok = v && *v == static_cast<int>(*v);
            if (ok) f.dropAfterBlock = static_cast<int>(*v);
        } else if (name == "--temperature") {
            auto v = Number(value, 0, 600);
            ok = v.has_value();
            if (ok) o.instrument.spectrum.temperatureC = *v;
        } else if (name == "--seed") {
            auto v = Number(value, 0, 4294967295.0);
            ok = v && *v == static_cast<double>(static_cast<uint32_t>(*v));
            if (ok) o.instrument.seed = static_cast<uint32_t>(*v);
        }
        if (!ok) return bad();
    }
    return o;
}

}  // namespace tav::sim
