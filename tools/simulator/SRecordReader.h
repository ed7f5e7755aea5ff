#pragma once
// The loader's view of an image: S-record text arriving one character at a time, with no line
// ends between records (the sender leaves them out), checked record by record.

#include <cstdint>
#include <string>
#include <vector>

namespace tav {

struct LoadedImage {
    std::string text;        // every character heard while loading, in order
    int records = 0;         // complete records, the end record included
    int dataBytes = 0;       // payload of the S1, S2 and S3 records
    int checksumErrors = 0;
    int strayCharacters = 0; // characters outside any record
    bool ended = false;      // an S7, S8 or S9 end record arrived
};

class SRecordReader {
public:
    void Reset() { *this = SRecordReader(); }
    // Takes one character into the image's tally.
    void Take(char c, LoadedImage& image);

private:
    enum class Want { S, Type, Hex };
    void Finish(LoadedImage& image);

    Want want_ = Want::S;
    char type_ = '0';
    int highNibble_ = -1;
    int hexLeft_ = 0;  // hex characters still to come; the count byte sets the rest
    std::vector<uint8_t> bytes_;
};

}  // namespace tav
