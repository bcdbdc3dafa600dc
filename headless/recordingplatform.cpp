#include "headless/recordingplatform.h"

#include <cmath>

namespace {

// Advance widths in thousandths of the font size.
int advance(char32_t c) {
    if (c >= '0' && c <= '9')
        return 556;
    switch (c) {
        case ' ':
        case ',':
        case '.':
        case '/':
        case 'I':
        case 'i':
        case 'j':
        case 'l':
            return 278;
        case '!':
        case '(':
        case ')':
        case '-':
        case ':':
        case ';':
        case 'f':
        case 't':
            return 333;
        case 'r':
            return 389;
        case '<':
        case '>':
        case '=':
        case '+':
            return 584;
        case 'm':
            return 889;
        case 'w':
            return 778;
        case 'M':
            return 833;
        case 'W':
            return 944;
        case 'G':
        case 'O':
        case 'Q':
            return 778;
        case 'A':
        case 'B':
        case 'C':
        case 'D':
        case 'H':
        case 'K':
        case 'N':
        case 'R':
        case 'U':
            return 722;
        case 'E':
        case 'P':
        case 'S':
        case 'V':
        case 'X':
        case 'Y':
            return 667;
        case 'F':
        case 'L':
        case 'T':
        case 'Z':
        case 'J':
            return 611;
        case 'b':
        case 'd':
        case 'g':
        case 'h':
        case 'n':
        case 'o':
        case 'p':
        case 'q':
        case 'u':
        case U'ö':
        case U'ü':
        case U'ß':
            return 611;
        case 'z':
            return 500;
        default:
            return 556;
    }
}

// The advances of a text's characters, summed as it is decoded: loosely, since the texts are the
// game's own, and without a copy, since a fuzzer measures thousands a second.
long advances(const std::string& text) {
    long sum = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < text.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        sum += advance(c);
        i += extra + 1;
    }
    return sum;
}

}  // namespace

void RecordingPlatform::showMessage(const std::string& text) {
    messages.push_back(text);
    if (whileMessageOpen) {
        whileMessageOpen(text);
    }
}

TextExtent RecordingPlatform::measureText(TextStyle style, const std::string& text) {
    if (measure) {
        return measure(style, text);
    }
    const int pixelSize = style == TextStyle::Hud ? 21 : 19;
    const long sum = advances(text);
    return {static_cast<int32>(std::lround(sum * pixelSize / 1000.0)),
            style == TextStyle::Hud ? 24 : 22};
}
