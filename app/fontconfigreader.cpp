#include "app/fontconfigreader.h"

#include <fontconfig/fontconfig.h>

FontConfigReader::FontConfigReader() : reader([] { FcInit(); }) {}

FontConfigReader::~FontConfigReader() {
    wait();
}

void FontConfigReader::wait() {
    if (reader.joinable()) {
        reader.join();
    }
}
