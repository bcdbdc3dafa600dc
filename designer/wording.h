#pragma once

#include <filesystem>
#include <string>

#include "designer/levelchecks.h"
#include "designer/proof.h"

// The words of the level designer's tools: German in the editor, English on the command line. All
// of them come from here, so the model underneath only ever says what it found.
enum class Language { German, English };

// An element as the findings name it: "hinder5 (gelber Balken)", or "hinder5 (yellow bar)".
std::string describeElement(ElementId element, Language language);
std::string describe(const Finding& finding, Language language);
std::string describe(LevelDocument::Refusal refusal, Language language);
std::string describe(LevelDocument::OpenError error, const std::filesystem::path& path,
                     Language language);
// Why a level has no proof; empty for a proved one.
std::string describe(const LevelProof& proof, Language language);
