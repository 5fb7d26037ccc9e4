// Every sound the game plays, synthesised and written as RIFF WAVE files.
#pragma once

#include <filesystem>
#include <string>

namespace assetgen {

// Writes the whole sounds/ tree below `dataDir`. False with `error` set on failure.
bool WriteSoundPack(const std::filesystem::path& dataDir, std::string& error);

// Writes one picture per sound into `outDir` that shows its level and length at a glance.
bool WriteListeningSheets(const std::filesystem::path& outDir, std::string& error);

// Writes the mix as a Markdown table: every sound file with its loudness and true peak, as the
// README shows it.
bool WriteLevelTable(const std::filesystem::path& file, std::string& error);

}  // namespace assetgen
