#include "files/FileMessages.h"

#include "files/FileNames.h"

namespace tav {

std::string FileInUseMessage(const std::string& storedName) {
    return "The file\n" + FileNameField(storedName) + "\nIs already open";
}

std::string FsErrorReason(FsError error) {
    switch (error) {
        case FsError::NotFound: return "it or its folder does not exist";
        case FsError::InUse: return "it is in use";
        case FsError::NoPermission: return "permission denied";
        case FsError::NoSpace: return "the disk is full";
        case FsError::BadName: return "the name is not that of a file";
        case FsError::IsFolder: return "it is a folder";
        case FsError::NotAFile: return "it is a device or a pipe, not a file";
        case FsError::None:
        case FsError::ReadError:
        case FsError::WriteError: break;
    }
    return "an input/output error";
}

std::string CannotWriteMessage(const std::string& path, const std::string& reason) {
    return "The file\n" + path + "\ncould not be written: " + reason + ".";
}

std::string CannotReadMessage(const std::string& path, const std::string& reason) {
    return "The file\n" + path + "\ncould not be read: " + reason + ".";
}

std::string NotSpectrumFileMessage(const std::string& path) {
    return "The file\n" + path + "\nis not a spectrum file: its header is incomplete or unreadable.";
}

std::string NoSpectrumMessage(const std::string& path, const std::string& reason) {
    return "The file\n" + path + "\nholds no spectrum: " + reason + ".";
}

std::string KineticLogFailureMessage(const std::vector<KineticLogFailure>& failures) {
    std::string text = "The kinetic log could not be written:";
    for (const KineticLogFailure& f : failures) text += "\n" + f.path + ": " + f.reason + ".";
    return text;
}

std::string UnreadSettingsKeptMessage(const std::string& path, const std::string& aside) {
    return "The settings file\n" + path + "\ncould not be read at start. It is kept as\n" + aside +
           "\nand the settings are written to a new file.";
}

std::string UnreadSettingsNotKeptMessage(const std::string& path, const std::string& reason) {
    return "The settings file\n" + path + "\ncould not be read at start, nor be kept under another name: " + reason +
           ".\nThe settings are not written, so that it is not overwritten.";
}

std::string ControlCharacterMessage(const std::string& what) {
    return what + " holds a line break or another control character,\nwhich the settings file cannot keep.\n"
                  "Choose another name.";
}

}  // namespace tav
