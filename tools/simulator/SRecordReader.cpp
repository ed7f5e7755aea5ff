#include "simulator/SRecordReader.h"

namespace tav {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

int AddressBytes(char type) {
    switch (type) {
        case '0': case '1': case '5': case '9': return 2;
        case '2': case '6': case '8': return 3;
        case '3': case '7': return 4;
        default: return 2;
    }
}

}  // namespace

void SRecordReader::Take(char c, LoadedImage& image) {
    image.text.push_back(c);
    switch (want_) {
        case Want::S:
            if (c == 'S') want_ = Want::Type;
            else ++image.strayCharacters;
            return;
        case Want::Type:
            if (c >= '0' && c <= '9') {
                type_ = c;
                want_ = Want::Hex;
                hexLeft_ = 2;
                highNibble_ = -1;
                bytes_.clear();
            } else {
                ++image.strayCharacters;
                want_ = c == 'S' ? Want::Type : Want::S;
            }
            return;
        case Want::Hex: {
            int v = HexValue(c);
            if (v < 0) {  // a broken record: start over at this character
                ++image.strayCharacters;
                want_ = c == 'S' ? Want::Type : Want::S;
                return;
            }
            --hexLeft_;
            if (highNibble_ < 0) {
                highNibble_ = v;
            } else {
                bytes_.push_back(static_cast<uint8_t>(highNibble_ * 16 + v));
                highNibble_ = -1;
                if (bytes_.size() == 1) hexLeft_ = 2 * bytes_[0];
            }
            if (hexLeft_ == 0) Finish(image);
            return;
        }
    }
}

void SRecordReader::Finish(LoadedImage& image) {
    want_ = Want::S;
    unsigned sum = 0;
    for (uint8_t b : bytes_) sum += b;
    ++image.records;
    if (bytes_.size() < 2 || (sum & 0xFF) != 0xFF) ++image.checksumErrors;
    int payload = static_cast<int>(bytes_.size()) - 2 - AddressBytes(type_);
    if ((type_ == '1' || type_ == '2' || type_ == '3') && payload > 0) image.dataBytes += payload;
    if (type_ == '7' || type_ == '8' || type_ == '9') image.ended = true;
}

}  // namespace tav
