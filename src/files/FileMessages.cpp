#include "files/FileMessages.h"

#include "files/FileNames.h"

namespace tav {

std::string FileInUseMessage(const std::string& storedName) {
    return "The file\n" + FileNameField(storedName) + "\nIs already open";
}

std::string CannotWriteMessage(const std::string& path) { return "The file\n" + path + "\ncould not be written."; }

std::string CannotReadMessage(const std::string& path) { return "The file\n" + path + "\ncould not be read."; }

std::string KineticLogFailureMessage(const std::vector<std::string>& logPaths) {
    std::string text = "The kinetic log could not be written:";
    for (const std::string& p : logPaths) text += "\n" + p;
    return text;
}

}  // namespace tav
