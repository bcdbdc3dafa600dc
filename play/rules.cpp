#include "play/rules.h"

bool rules::refusesLevelFile(const ProfileFile& file) {
    return file.section("1").readInteger("hinder1.left", 0) == 0;
}
